#pragma once

#include "monitor/FramesModel.h"
#include "monitor/MonitorPage.h"
#include "monitor/ScanModel.h"
#include "monitor/StatisticsModel.h"

#include <QList>
#include <QObject>
#include <memory>
#include <vector>

class MonitorController;
class QSettings;
class QTabWidget;
class ParameterPage;
class ScanPage;
class TestPage;

// The monitor's pages in the order of their tabs, the models they show, and
// what the controller reports handed on to every page. The models live here,
// not in the views: a page's model is made by its line in the list, and only
// the models others read (the CSV, the tests) have a name of their own.
class MonitorPages : public QObject
{
    Q_OBJECT
public:
    // Adds the pages to `tabs`, which owns them from then on.
    MonitorPages(MonitorController& controller, QTabWidget* tabs);

    const QList<MonitorPage*>& all() const { return m_pages; }
    MonitorPage* inView() const;

    // Redraws the page in view, and what must not wait for its page to be shown.
    void redraw(bool changed);
    void addToReport(RunReport& report);
    void saveSettings(QSettings& settings) const;
    void restoreSettings(QSettings& settings);

    StatisticsModel& statistics() { return m_statistics; }
    FramesModel& frames() { return m_frames; }
    ScanModel& scanned() { return m_scanned; }
    ScanPage& scanPage() const { return *m_scanPage; }
    ParameterPage& parameterPage() const { return *m_parameterPage; }
    TestPage& testPage() const { return *m_testPage; }

private:
    PageRedraw redrawOf(bool changed) const;
    template <class Model> Model& keep()
    {
        auto model = std::make_shared<Model>();
        m_kept.push_back(model);
        return *model;
    }

    MonitorController& m_controller;
    QTabWidget* m_tabs;
    StatisticsModel m_statistics;
    ScanModel m_scanned;
    FramesModel m_frames;
    ScanPage* m_scanPage = nullptr;
    ParameterPage* m_parameterPage = nullptr;
    TestPage* m_testPage = nullptr;
    std::vector<std::shared_ptr<void>> m_kept; // the models of the list's own
    QList<MonitorPage*> m_pages;
};
