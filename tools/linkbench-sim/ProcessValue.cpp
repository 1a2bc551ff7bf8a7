#include "ProcessValue.h"

#include "wire/NumericText.h"

namespace sim {

double baseValue(int address, int channel)
{
    return 10.0 * address + channel;
}

qint64 driftPeriodMs(int address, int channel)
{
    return (3600 + 300 * ((7 * address + channel) % 12)) * qint64(1000);
}

qint64 ripplePeriodMs(int address, int channel)
{
    return (40 + (3 * address + channel) % 20) * qint64(1000);
}

double triangle(qint64 msecs, qint64 periodMs)
{
    const qint64 phaseMs = ((msecs % periodMs) + periodMs) % periodMs;
    const double phase = double(phaseMs) / double(periodMs);
    if (phase < 0.25)
        return 4.0 * phase;
    if (phase < 0.75)
        return 2.0 - 4.0 * phase;
    return 4.0 * phase - 4.0;
}

double processValue(int address, int channel, qint64 msecsSinceEpoch)
{
    return baseValue(address, channel) +
           kDriftAmplitude * triangle(msecsSinceEpoch, driftPeriodMs(address, channel)) +
           kRippleAmplitude * triangle(msecsSinceEpoch, ripplePeriodMs(address, channel));
}

QByteArray processValueText(double value)
{
    const QString digits = numeric::formatDigits(value, 4, 1);
    return (digits.startsWith(u'-') ? digits : u'+' + digits).toLatin1();
}

} // namespace sim
