#pragma once

#include "diagnosis/BusListener.h"
#include "diagnosis/ExchangeRecord.h"
#include "diagnosis/ResponseStatistics.h"
#include "diagnosis/RunPlan.h"

#include <QKeySequence>
#include <QString>

class QSettings;
class QWidget;
struct RunReport;

// What a page is told when it is asked to redraw.
struct PageRedraw
{
    qint64 nowMs = 0;     // the time of the redraw, ms since the epoch
    bool changed = false; // exchanges or port events came since the last redraw
    bool running = false; // a run goes on: a time axis moves on by itself
    bool inView = false;  // the page is the one shown; the others catch up when shown
    const diagnosis::RunStatistics* statistics = nullptr; // the run's figures so far
    const diagnosis::BusListener* listener = nullptr;     // a listen's, null when polling
};

// One page of the monitor window: a view on a model of its own. The window
// hands every page the run's start and each exchange as it ends, and asks it
// to redraw on its timer, at most ten times a second. A new page is a model
// and a view that implements this, added to the list in MonitorPages.
class MonitorPage
{
public:
    virtual ~MonitorPage() = default;

    virtual QString title() const = 0;
    virtual QKeySequence shortcut() const = 0; // shows the page from the 视图 menu
    virtual QWidget* widget() = 0;             // the page's tab

    // A run begins on these targets: the page starts afresh.
    virtual void startRun(const diagnosis::RunPlan& /*plan*/) {}
    // Listening: the master addressed `target` for the first time; it comes
    // after those the page has, and exchanges with it follow.
    virtual void addTarget(const diagnosis::Target& /*target*/) {}
    // An exchange of a run, or of a scan when `fromScan`, has ended.
    virtual void takeExchange(const diagnosis::ExchangeRecord& /*record*/, bool /*fromScan*/) {}
    virtual void redraw(const PageRedraw& /*redraw*/) {}
    // Puts the page's part into the run's report, drawn as of `redraw`.
    virtual void addToReport(RunReport& /*report*/, const PageRedraw& /*redraw*/) {}

    virtual void saveSettings(QSettings& /*settings*/) const {}
    virtual void restoreSettings(QSettings& /*settings*/) {}
};
