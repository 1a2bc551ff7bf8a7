#include "diagnosis/SendSchedule.h"

#include <algorithm>

namespace diagnosis {

qint64 SendSchedule::start(qint64 nowUs)
{
    m_dueUs = nowUs;
    return m_dueUs;
}

qint64 SendSchedule::exchangeEnded(qint64 endUs)
{
    // The slot after the one just used; when the exchange overran it, one gap
    // after the exchange instead, and the slots go on from there.
    m_dueUs = std::max(m_dueUs + m_intervalUs, endUs + m_gapUs);
    return m_dueUs;
}

qint64 SendSchedule::lineBusy(qint64 atUs)
{
    m_dueUs = std::max(m_dueUs, atUs + m_gapUs);
    return m_dueUs;
}

} // namespace diagnosis
