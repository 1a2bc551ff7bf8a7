#pragma once

#include <QtGlobal>

namespace sim {

// Nanoseconds on CLOCK_MONOTONIC, the clock the Deadline timer runs on.
qint64 monotonicNs();

} // namespace sim
