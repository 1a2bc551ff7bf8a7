#include "diagnosis/RunPlan.h"

#include "platform/LineSettings.h"

namespace diagnosis {

qint64 wireTimeUs(qsizetype characters, int baud)
{
    if (baud <= 0)
        return 0;
    return qint64(characters) * kBitsPerCharacter * 1'000'000 / baud;
}

qint64 gapUs(const RunPlan& plan, int baud)
{
    if (plan.gapMs >= 0)
        return qint64(plan.gapMs) * 1000;
    return wireTimeUs(kDefaultGapCharacters, baud);
}

} // namespace diagnosis
