#pragma once

#include "diagnosis/BusScan.h"
#include "diagnosis/DiagnosisEngine.h"
#include "monitor/MonitorSetup.h"
#include "platform/QtSerialLine.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <deque>
#include <functional>
#include <utility>

class FramesModel;
class HistogramView;
class QAction;
class QLabel;
class QSettings;
class QSplitter;
class QTabWidget;
class QTableView;
class ScanModel;
class ScanPage;
class SetupPanel;
class StatisticsModel;
class TrendView;

// The monitor's window: the set-up panel beside five pages (统计, 响应时间,
// 趋势, 扫描, 报文) on one diagnosis engine. Exchanges land in the models as
// they end; the widgets are redrawn from the models on a timer, at most ten
// times a second whatever the exchange rate.
class MonitorWindow : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int kRedrawMs = 100;
    using WarnFn = std::function<void(QWidget* parent, const QString& text)>;

    // Restores the set-up and the window's layout from `settings`, and stores
    // them there again when the window closes.
    explicit MonitorWindow(QSettings& settings, QWidget* parent = nullptr);
    ~MonitorWindow() override;

    // How a refusal (a port that cannot be opened, a file that cannot be
    // written) is shown; a box by default.
    void setWarning(WarnFn warn) { m_warn = std::move(warn); }

    bool startRun(const MonitorSetup& setup);
    void stopRun(); // after the exchange in progress
    bool startScan(const MonitorSetup& setup);
    bool exportCsv(const QString& path);
    bool exportPdf(const QString& path);

    SetupPanel* setupPanel() const { return m_setup; }
    QTabWidget* pages() const { return m_pages; }
    StatisticsModel* statisticsModel() const { return m_statistics; }
    QTableView* statisticsTable() const { return m_statisticsTable; }
    FramesModel* framesModel() const { return m_frames; }
    QTableView* framesTable() const { return m_framesTable; }
    ScanModel* scanModel() const { return m_scanModel; }
    ScanPage* scanPage() const { return m_scanPage; }
    HistogramView* histogramView();
    TrendView* trendView();
    QLabel* portStatus() const { return m_portStatus; }
    QLabel* runStatus() const { return m_runStatus; }
    QLabel* rateStatus() const { return m_rateStatus; }
    diagnosis::DiagnosisEngine& engine() { return m_engine; }
    diagnosis::BusScan& scan() { return m_scan; }
    // Redraws that changed something, since the window was made.
    int redrawCount() const { return m_redraws; }

    // Draws at once what the models hold (the timer does this otherwise).
    void redrawNow();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void ensureCharts();
    void buildStatusBar();
    void connectEngine();
    void onExchange(const diagnosis::ExchangeRecord& record);
    void onScanExchange(const diagnosis::ExchangeRecord& record);
    void onRunFinished();
    void setRunning(bool running);
    void updateStatus();
    void saveSettings();
    void restoreSettings();
    void warn(const QString& text);

    QSettings& m_settings;
    diagnosis::DiagnosisEngine m_engine{std::make_unique<QtSerialLine>(), this};
    diagnosis::BusScan m_scan{std::make_unique<QtSerialLine>(), this};
    WarnFn m_warn;

    SetupPanel* m_setup = nullptr;
    QSplitter* m_splitter = nullptr;
    QTabWidget* m_pages = nullptr;
    StatisticsModel* m_statistics = nullptr;
    QTableView* m_statisticsTable = nullptr;
    QWidget* m_histogramPage = nullptr;
    QWidget* m_trendPage = nullptr;
    HistogramView* m_histogram = nullptr; // made with the trend by ensureCharts()
    TrendView* m_trend = nullptr;
    ScanModel* m_scanModel = nullptr;
    ScanPage* m_scanPage = nullptr;
    FramesModel* m_frames = nullptr;
    QTableView* m_framesTable = nullptr;
    QLabel* m_portStatus = nullptr;
    QLabel* m_runStatus = nullptr;
    QLabel* m_rateStatus = nullptr;
    QAction* m_startAction = nullptr;
    QAction* m_stopAction = nullptr;
    QAction* m_scanAction = nullptr;

    QTimer m_redrawTimer;
    QElapsedTimer m_runClock;
    qint64 m_runMs = 0;                                  // run time of the last run, once it ended
    qint64 m_rateMarkMs = 0;                             // when the rate was last worked out
    std::deque<std::pair<qint64, qint64>> m_rateSamples; // run time, exchanges, a second apart
    double m_rate = 0;
    qint64 m_exchanges = 0; // exchanges of this run seen so far
    bool m_dirty = false;   // the models changed since the last redraw
    bool m_scanHbx = false;
    QString m_portText;
    QString m_portState;
    int m_redraws = 0;
};
