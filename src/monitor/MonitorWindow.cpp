#include "monitor/MonitorWindow.h"

#include "monitor/ExportCommands.h"
#include "monitor/MonitorPages.h"
#include "monitor/MonitorTexts.h"
#include "monitor/MonitorWarning.h"
#include "monitor/ParameterPage.h"
#include "monitor/ScanPage.h"
#include "monitor/SetupPanel.h"
#include "monitor/TestPage.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>

namespace texts = monitor_texts;

MonitorWindow::MonitorWindow(QSettings& settings, PlatformServices services, QWidget* parent)
    : QMainWindow(parent), m_settings(settings), m_services(std::move(services))
{
    setWindowTitle(texts::Caption);

    m_setup = new SetupPanel;
    auto* setupScroll = new QScrollArea;
    setupScroll->setWidget(m_setup);
    setupScroll->setWidgetResizable(true);
    setupScroll->setFrameShape(QFrame::NoFrame);
    setupScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setupScroll->setMinimumWidth(m_setup->sizeHint().width() + 8);

    m_tabs = new QTabWidget;
    m_pages = new MonitorPages(m_controller, m_tabs);
    m_exports = new ExportCommands(
        this, *m_pages, [this] { return m_setup->setup(); }, m_services);
    m_pages->parameterPage().attach(
        [this] { return m_setup->setup(); },
        [this] { return m_controller.engine().isRunning() || m_controller.scan().isRunning(); },
        m_services);
    m_pages->testPage().attach(
        [this] { return m_setup->setup(); },
        [this] { return m_controller.engine().isRunning() || m_controller.scan().isRunning(); });

    m_splitter = new QSplitter;
    m_splitter->addWidget(setupScroll);
    m_splitter->addWidget(m_tabs);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setChildrenCollapsible(false);
    setCentralWidget(m_splitter);

    buildMenus();
    buildStatusBar();

    connect(m_setup, &SetupPanel::startRequested, this, &MonitorWindow::startRun);
    connect(m_setup, &SetupPanel::stopRequested, this, &MonitorWindow::stopRun);
    connect(m_setup, &SetupPanel::scanRequested, this, &MonitorWindow::startScan);
    connect(&m_pages->scanPage(), &ScanPage::addToTargets, m_setup, &SetupPanel::addAddresses);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
        m_controller.markChanged();
        redrawNow();
    });
    connect(&m_controller, &MonitorController::stateChanged, this, &MonitorWindow::applyControls);
    connect(&m_controller, &MonitorController::statusChanged, this, &MonitorWindow::updateStatus);
    connect(&m_controller, &MonitorController::redrawDue, this, &MonitorWindow::redrawNow);

    restoreSettings();
    applyControls();
    updateStatus();
}

MonitorWindow::~MonitorWindow()
{
    m_controller.stopNow();
}

void MonitorWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(texts::MenuFile);
    QAction* csv =
        file->addAction(style()->standardIcon(QStyle::SP_DialogSaveButton), texts::ExportCsv);
    csv->setShortcut(QKeySequence::Save);
    QAction* pdf = file->addAction(texts::ExportPdf);
    pdf->setShortcut(QKeySequence::Print);
    file->addSeparator();
    QAction* quit = file->addAction(texts::Quit);
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    connect(csv, &QAction::triggered, m_exports, &ExportCommands::chooseCsv);
    connect(pdf, &QAction::triggered, m_exports, &ExportCommands::choosePdf);

    QMenu* run = menuBar()->addMenu(texts::MenuRun);
    m_startAction = run->addAction(style()->standardIcon(QStyle::SP_MediaPlay), texts::Start);
    m_startAction->setShortcut(QKeySequence(Qt::Key_F5));
    m_stopAction = run->addAction(style()->standardIcon(QStyle::SP_MediaStop), texts::Stop);
    m_stopAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5));
    m_scanAction = run->addAction(texts::Scan);
    m_scanAction->setShortcut(QKeySequence(Qt::Key_F6));
    // The actions do what the panel's buttons do, refusals included.
    connect(m_startAction, &QAction::triggered, m_setup->startButton(), &QPushButton::click);
    connect(m_stopAction, &QAction::triggered, m_setup->stopButton(), &QPushButton::click);
    connect(m_scanAction, &QAction::triggered, m_setup->scanButton(), &QPushButton::click);

    QMenu* view = menuBar()->addMenu(texts::MenuView);
    for (MonitorPage* page : m_pages->all()) {
        QAction* show = view->addAction(page->title());
        show->setShortcut(page->shortcut());
        connect(show, &QAction::triggered, this,
                [this, page] { m_tabs->setCurrentWidget(page->widget()); });
    }
}

void MonitorWindow::buildStatusBar()
{
    m_portStatus = new QLabel(texts::PortClosed);
    m_runStatus = new QLabel;
    m_rateStatus = new QLabel;
    statusBar()->addWidget(m_portStatus, 1);
    statusBar()->addPermanentWidget(m_runStatus);
    statusBar()->addPermanentWidget(m_rateStatus);
}

bool MonitorWindow::startRun(const MonitorSetup& setup)
{
    QString refusal;
    const bool started = setup.listen
                             ? m_controller.startListen(monitor::listenPlanOf(setup), &refusal)
                             : m_controller.startRun(monitor::runPlanOf(setup), &refusal);
    if (!started) {
        if (!refusal.isEmpty())
            m_services.messageBox(this, monitorWarning(refusal));
        return false;
    }
    monitor::saveSetup(m_settings, setup);
    return true;
}

void MonitorWindow::stopRun()
{
    m_controller.stop();
}

bool MonitorWindow::startScan(const MonitorSetup& setup)
{
    QString refusal;
    if (!m_controller.startScan(m_pages->scanPage().plan(setup), &refusal)) {
        if (!refusal.isEmpty())
            m_services.messageBox(this, monitorWarning(refusal));
        return false;
    }
    m_tabs->setCurrentWidget(&m_pages->scanPage());
    return true;
}

void MonitorWindow::applyControls()
{
    const RunControls controls = m_controller.controls();
    m_setup->setRunning(!controls.setup, controls.stop);
    m_pages->scanPage().setRunning(!controls.setup);
    m_startAction->setEnabled(controls.start);
    m_scanAction->setEnabled(controls.scan);
    m_stopAction->setEnabled(controls.stop);
}

// Only the page in view is drawn; the others catch up when they are shown.
void MonitorWindow::redrawNow()
{
    const bool changed = m_controller.takeChanged();
    m_pages->redraw(changed);
    if (changed)
        ++m_redraws;
    updateStatus();
}

void MonitorWindow::updateStatus()
{
    m_portStatus->setText(m_controller.portText());
    m_runStatus->setText(m_controller.runTimeText());
    m_rateStatus->setText(m_controller.rateText());
}

bool MonitorWindow::exportCsv(const QString& path)
{
    return m_exports->exportCsv(path);
}

bool MonitorWindow::exportPdf(const QString& path)
{
    return m_exports->exportPdf(path);
}

StatisticsModel* MonitorWindow::statisticsModel() const
{
    return &m_pages->statistics();
}

FramesModel* MonitorWindow::framesModel() const
{
    return &m_pages->frames();
}

ScanModel* MonitorWindow::scanModel() const
{
    return &m_pages->scanned();
}

ScanPage* MonitorWindow::scanPage() const
{
    return &m_pages->scanPage();
}

void MonitorWindow::closeEvent(QCloseEvent* event)
{
    m_controller.stopNow();
    saveSettings();
    QMainWindow::closeEvent(event);
}

void MonitorWindow::saveSettings()
{
    monitor::saveSetup(m_settings, m_setup->setup());
    m_settings.setValue(QStringLiteral("window/geometry"), saveGeometry());
    m_settings.setValue(QStringLiteral("window/state"), saveState());
    m_settings.setValue(QStringLiteral("window/splitter"), m_splitter->saveState());
    m_settings.setValue(QStringLiteral("window/page"), m_tabs->currentIndex());
    m_pages->saveSettings(m_settings);
    m_settings.sync();
}

void MonitorWindow::restoreSettings()
{
    m_setup->setSetup(monitor::loadSetup(m_settings));
    if (!restoreGeometry(m_settings.value(QStringLiteral("window/geometry")).toByteArray()))
        resize(1180, 720);
    restoreState(m_settings.value(QStringLiteral("window/state")).toByteArray());
    m_splitter->restoreState(m_settings.value(QStringLiteral("window/splitter")).toByteArray());
    m_pages->restoreSettings(m_settings);
    m_tabs->setCurrentIndex(m_settings.value(QStringLiteral("window/page"), 0).toInt());
}
