#pragma once

#include <QByteArray>
#include <QString>

// Bytes on the wire written readably, as the protocol page and the simulator's
// log write them: control characters by name in angle brackets.
//
//     onWire("<STX>00101+0011.000575<ETB>")   // the bytes 02 30 30 ... 17
//     visible(QString("\x11" "00101\x03"))  // "<DC1>00101<ETX>"
//
// Names: STX ETX ACK DC1 DC2 DC3 DC4 NAK ETB RS US, and CR LF for line ends.
// Any other character stands for itself, one byte each (Latin-1).
QByteArray onWire(const QString& text);

// The same as text, as the window's transcript holds it: the named control
// characters put in, every other character (Chinese included) kept.
QString wireText(const QString& text);

// The inverse of wireText(): control characters by name, everything else as is.
QString visible(const QString& text);
