#pragma once

#include <QString>
#include <array>
#include <optional>

// The four functions of the line, in the order of the window's function list:
// read the process value, read a parameter, write a parameter, ask the HBX.
// Every program names a function this one way; the list position, the
// function code and the command-line word are ways of reading it.
namespace wire {

enum class Function { Dc1, Dc2, Dc3, Dc4 };

inline constexpr std::array kFunctions = {Function::Dc1, Function::Dc2, Function::Dc3,
                                          Function::Dc4};

// The control character that starts the function's command: DC1 to DC4.
char16_t functionCode(Function function);

// The function a command's first character names, if it names one.
std::optional<Function> functionOfCode(char16_t code);

// The function at a position of the function list (0 to 3), if any.
std::optional<Function> functionAt(int position);

// "dc1" to "dc4", as the command lines and the CSV files spell the functions.
QString functionName(Function function);

// The function a command-line word names, in either case ("DC2", "dc2").
std::optional<Function> functionNamed(const QString& name);

// A write is answered by ACK or NAK; every other function by a framed reply.
inline bool isWrite(Function function)
{
    return function == Function::Dc3;
}

} // namespace wire
