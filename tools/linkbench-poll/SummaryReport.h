#pragma once

#include "diagnosis/ResponseStatistics.h"

#include <QString>
#include <QStringList>

// The text linkbench-poll prints at the end of a run.
namespace poll {

// A table with one row per target (labelled by `labels`, in the plan's order)
// and one for all of them: sent, ok, timeout, NAK, check, malformed, late,
// success %, and min / median / p95 / p99 / max response time in ms.
QString summaryTable(const QStringList& labels, const diagnosis::RunStatistics& statistics);

// One bar per logarithmic bucket from the first to the last that holds a
// response, up to `limitMs`: "  1.00 -   1.58 ms | ####### 123".
QString histogramText(const diagnosis::ResponseStatistics& statistics, double limitMs,
                      int barWidth = 40);

// A bucket edge in ms, to three significant digits and at most two decimals
// ("0.16", "1.58", "15.8", "251").
QString edgeText(double ms);

} // namespace poll
