#pragma once

#include <QByteArray>
#include <optional>

// One complete command frame taken apart into its fields.
namespace sim {

enum class Function { ReadValue, ReadParameter, WriteParameter, Concentrator };

struct Command
{
    Function function = Function::ReadValue;
    // The instrument addressed; for a concentrator command, the one its inner
    // request names (always 001 from the tool).
    int address = 0;
    int channel = 0;
    QByteArray parameter;  // the two digits of DC2, DC3 and DC4 commands
    QByteArray value;      // DC3: the value field as sent
    QByteArray checksum;   // DC3: the checksum field as sent
    QByteArray summedBody; // DC3: DC3 through the third US, what the checksum covers
    QByteArray hbxAddress; // DC4: the concentrator address field as sent ("05")
};

// The fields of a frame that runs from its function character through ETX and
// has one of the four layouts, with digits where digits belong; nothing for
// any other frame.
std::optional<Command> parseCommand(const QByteArray& frame);

} // namespace sim
