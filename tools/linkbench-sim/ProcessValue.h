#pragma once

#include <QByteArray>
#include <QtGlobal>

// The process value a simulated instrument shows: a steady level per address
// and channel, a slow drift of +-2 around it over an hour or two, and a small
// ripple of +-0.3 over well under a minute, so that repeated reads change by a
// tenth now and then, as a real reading does. Both are triangle waves whose
// periods depend on the address and channel, so neighbours do not move in step.
namespace sim {

inline constexpr double kDriftAmplitude = 2.0;
inline constexpr double kRippleAmplitude = 0.3;

// 10 x address + channel.
double baseValue(int address, int channel);

// 3600 s + 300 s x ((7 x address + channel) mod 12).
qint64 driftPeriodMs(int address, int channel);
// 40 s + 1 s x ((3 x address + channel) mod 20).
qint64 ripplePeriodMs(int address, int channel);

// Triangle wave over `period`: 0 at the start, +1 at a quarter, -1 at three
// quarters, 0 again at the end.
double triangle(qint64 msecs, qint64 periodMs);

// The value at a moment given as milliseconds since 1970-01-01 UTC:
// base + 2 x triangle(drift period) + 0.3 x triangle(ripple period).
double processValue(int address, int channel, qint64 msecsSinceEpoch);

// A sign and four integer digits and one decimal: "+0011.0", "-0003.5".
QByteArray processValueText(double value);

} // namespace sim
