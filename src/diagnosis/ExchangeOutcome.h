#pragma once

#include <QString>
#include <array>

namespace diagnosis {

// Every exchange of a run ends with exactly one of these.
enum class Outcome {
    Ok,        // a complete reply that passed every test
    Timeout,   // no complete reply within the time-out
    Nak,       // the write was refused
    Check,     // the reply's check field is not the character sum of what precedes it
    Malformed, // no STX, too short, or a write answered by something else than ACK/NAK
};

// What every program says of an outcome. The engine's statistics, the CSV,
// linkbench-poll's status line and summary, and the monitor's pages and
// report go through this table in its order, so a new outcome is one row.
struct OutcomeKind
{
    Outcome outcome;
    const char* word;      // the CSV's word, also the summary's English column head
    const char16_t* label; // as the monitor's pages and report show it
    const char16_t* tally; // the shorter word of linkbench-poll's status line
    bool failure;          // counts against the success share
};

inline constexpr std::array kOutcomes = {
    OutcomeKind{Outcome::Ok, "ok", u"成功", u"ok", false},
    OutcomeKind{Outcome::Timeout, "timeout", u"超时", u"超时", true},
    OutcomeKind{Outcome::Nak, "nak", u"NAK", u"NAK", true},
    OutcomeKind{Outcome::Check, "check", u"校验错", u"校验", true},
    OutcomeKind{Outcome::Malformed, "malformed", u"格式错", u"格式", true},
};

inline constexpr std::size_t kOutcomeCount = kOutcomes.size();

// The row of `outcome`; each row's position is its outcome's value.
constexpr const OutcomeKind& outcomeKind(Outcome outcome)
{
    return kOutcomes[std::size_t(outcome)];
}

// "ok", "timeout", "nak", "check", "malformed": the words of the CSV file.
QString outcomeName(Outcome outcome);

// "成功", "超时", "NAK", "校验错", "格式错".
QString outcomeLabel(Outcome outcome);

inline bool isFailure(Outcome outcome)
{
    return outcomeKind(outcome).failure;
}

} // namespace diagnosis
