#pragma once

#include "diagnosis/TestPlanRun.h"
#include "diagnosis/TestRecord.h"
#include "monitor/MonitorPage.h"
#include "monitor/MonitorSetup.h"

#include <QWidget>
#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The 检测 page, for the end of a production line or a cabinet's
// commissioning: open a plan once, then for each unit type or scan its serial
// (Enter starts), watch each step's verdict come, answer the operator's
// prompts in a band in the page (no box takes the focus from the serial
// field), read the large 合格/不合格, and find the certificate and the JUnit
// file saved by themselves in the results folder, one subfolder a day. The
// serial field is then empty and ready for the next unit.
class TestPage : public QWidget, public MonitorPage
{
    Q_OBJECT
public:
    using OpenDialogFn = std::function<QString(QWidget* owner)>;

    explicit TestPage(std::unique_ptr<SerialLine> line, QWidget* parent = nullptr);

    QString title() const override;
    QKeySequence shortcut() const override;
    QWidget* widget() override { return this; }
    void saveSettings(QSettings& settings) const override;
    void restoreSettings(QSettings& settings) override;

    // Where the port comes from and whether a run holds it.
    void attach(std::function<MonitorSetup()> setup, std::function<bool()> portBusy,
                OpenDialogFn openDialog = {});

    bool openPlan(const QString& path);
    void start();
    void stop();

    QLineEdit* serialField() const { return m_serial; }
    QLineEdit* folderField() const { return m_folder; }
    QLineEdit* operatorField() const { return m_operator; }
    QTableWidget* table() const { return m_table; }
    QFrame* promptBand() const { return m_band; }
    QPushButton* confirmButton() const { return m_confirm; }
    QPushButton* rejectButton() const { return m_reject; }
    QLabel* verdictLabel() const { return m_verdict; }
    QLabel* statusLabel() const { return m_status; }
    diagnosis::TestPlanRun& run() { return m_run; }

signals:
    // The files of a unit are saved (or could not be): the run is over.
    void unitDone(const QString& certificate, const QString& junit);

private:
    void onStepFinished(int index);
    void onPrompt(int index, const QString& text);
    void answer(bool confirmed);
    void onFinished();
    void setBusy(bool busy);

    diagnosis::TestPlanRun m_run;
    std::function<MonitorSetup()> m_setup;
    std::function<bool()> m_portBusy;
    OpenDialogFn m_openDialog;
    std::optional<diagnosis::TestPlan> m_plan;
    QString m_planPath;
    QByteArray m_planBytes;
    diagnosis::TestRecord m_record; // the unit in progress: its serial, operator, port
    QLabel* m_planName = nullptr;
    QPushButton* m_open = nullptr;
    QLineEdit* m_folder = nullptr;
    QLineEdit* m_operator = nullptr;
    QLineEdit* m_serial = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_stop = nullptr;
    QFrame* m_band = nullptr;
    QLabel* m_promptText = nullptr;
    QPushButton* m_confirm = nullptr;
    QPushButton* m_reject = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_verdict = nullptr;
    QLabel* m_status = nullptr;
};
