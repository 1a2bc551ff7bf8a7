#pragma once

#include <QString>

// The control characters of the instrument protocol and the transcript's line end.
namespace ctl {

inline constexpr char16_t DC1 = 0x11; // read process value
inline constexpr char16_t DC2 = 0x12; // read parameter (also inside a concentrator request)
inline constexpr char16_t DC3 = 0x13; // write parameter
inline constexpr char16_t DC4 = 0x14; // concentrator (HBX) request
inline constexpr char16_t STX = 0x02; // start of a reply
inline constexpr char16_t ETX = 0x03; // end of every command
inline constexpr char16_t ETB = 0x17; // end of a framed reply
inline constexpr char16_t RS = 0x1E;  // separator inside concentrator replies
inline constexpr char16_t US = 0x1F;  // field separator inside commands
inline constexpr char16_t ACK = 0x06; // write accepted
inline constexpr char16_t NAK = 0x15; // write refused

inline const QString LineEnd = QStringLiteral("\r\n");

} // namespace ctl
