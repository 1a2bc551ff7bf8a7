#pragma once

#include <QString>

namespace diagnosis {

// Every exchange of a run ends with exactly one of these.
enum class Outcome {
    Ok,        // a complete reply that passed every test
    Timeout,   // no complete reply within the time-out
    Nak,       // the write was refused
    Check,     // the reply's check field is not the character sum of what precedes it
    Malformed, // no STX, too short, or a write answered by something else than ACK/NAK
};

inline constexpr int kOutcomeCount = 5;

// "ok", "timeout", "nak", "check", "malformed": the words of the CSV file.
QString outcomeName(Outcome outcome);

} // namespace diagnosis
