#pragma once

#include "diagnosis/BusScan.h"
#include "monitor/MonitorPage.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;
class ScanModel;
struct MonitorSetup;

// The 扫描 page: the range and time-out of a scan, its progress, the table of
// addresses that answered, and the action that adds the chosen ones (all of
// them when none is chosen) to the targets.
class ScanPage : public QWidget, public MonitorPage
{
    Q_OBJECT
public:
    explicit ScanPage(ScanModel* model, QWidget* parent = nullptr);

    QString title() const override;
    QKeySequence shortcut() const override;
    QWidget* widget() override { return this; }
    void saveSettings(QSettings& settings) const override;
    void restoreSettings(QSettings& settings) override;

    // The scan of this page's range on the set-up's port and line.
    diagnosis::ScanPlan plan(const MonitorSetup& setup) const;
    // A scan of `plan` begins: nothing found yet.
    void startScan(const diagnosis::ScanPlan& plan);
    void addHit(const diagnosis::ScanHit& hit);

    int from() const;
    int to() const;
    int timeoutMs() const;
    bool hbx() const;
    void setRange(int from, int to, int timeoutMs, bool hbx);

    void setProgress(int done, int total);
    void setFoundCount(int found);
    void setRunning(bool running);

    QSpinBox* fromBox() const { return m_from; }
    QSpinBox* toBox() const { return m_to; }
    QProgressBar* progressBar() const { return m_progress; }
    QTableView* table() const { return m_table; }
    QPushButton* addButton() const { return m_add; }
    QLabel* foundLabel() const { return m_found; }

signals:
    void addToTargets(const QList<int>& addresses);

private:
    void emitChosen();

    ScanModel* m_model;
    QSpinBox* m_from = nullptr;
    QSpinBox* m_to = nullptr;
    QSpinBox* m_timeout = nullptr;
    QCheckBox* m_hbx = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_found = nullptr;
    QTableView* m_table = nullptr;
    QPushButton* m_add = nullptr;
    bool m_scanHbx = false; // the scan under way asks concentrators
};
