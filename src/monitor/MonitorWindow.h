#pragma once

#include "monitor/MonitorController.h"
#include "monitor/MonitorSetup.h"
#include "widgets/PlatformServices.h"

#include <QMainWindow>

class ExportCommands;
class FramesModel;
class MonitorPages;
class QAction;
class QLabel;
class QSettings;
class QSplitter;
class QTabWidget;
class ScanModel;
class ScanPage;
class SetupPanel;
class StatisticsModel;

// The monitor's window: the set-up panel beside the pages (MonitorPages) on
// one controller. Exchanges land in the pages' models as they end; the pages
// are redrawn from them on the controller's timer, at most ten times a second
// whatever the exchange rate. The window only wires these together.
class MonitorWindow : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int kRedrawMs = MonitorController::kRedrawMs;

    // Restores the set-up and the window's layout from `settings`, and stores
    // them there again when the window closes. Boxes and dialogs come from
    // `services`.
    explicit MonitorWindow(QSettings& settings, PlatformServices services = realPlatformServices(),
                           QWidget* parent = nullptr);
    ~MonitorWindow() override;

    bool startRun(const MonitorSetup& setup);
    void stopRun(); // after the exchange in progress
    bool startScan(const MonitorSetup& setup);
    bool exportCsv(const QString& path);
    bool exportPdf(const QString& path);

    SetupPanel* setupPanel() const { return m_setup; }
    QTabWidget* pages() const { return m_tabs; }
    StatisticsModel* statisticsModel() const;
    FramesModel* framesModel() const;
    ScanModel* scanModel() const;
    ScanPage* scanPage() const;
    QLabel* portStatus() const { return m_portStatus; }
    QLabel* runStatus() const { return m_runStatus; }
    QLabel* rateStatus() const { return m_rateStatus; }
    MonitorController& controller() { return m_controller; }
    diagnosis::DiagnosisEngine& engine() { return m_controller.engine(); }
    diagnosis::BusScan& scan() { return m_controller.scan(); }
    // Redraws that changed something, since the window was made.
    int redrawCount() const { return m_redraws; }

    // Draws at once what the models hold (the timer does this otherwise).
    void redrawNow();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildStatusBar();
    void applyControls();
    void updateStatus();
    void saveSettings();
    void restoreSettings();

    QSettings& m_settings;
    PlatformServices m_services;
    MonitorController m_controller{this};

    SetupPanel* m_setup = nullptr;
    QSplitter* m_splitter = nullptr;
    QTabWidget* m_tabs = nullptr;
    MonitorPages* m_pages = nullptr;
    ExportCommands* m_exports = nullptr;
    QLabel* m_portStatus = nullptr;
    QLabel* m_runStatus = nullptr;
    QLabel* m_rateStatus = nullptr;
    QAction* m_startAction = nullptr;
    QAction* m_stopAction = nullptr;
    QAction* m_scanAction = nullptr;
    int m_redraws = 0;
};
