#pragma once

#include "diagnosis/ParameterTransfer.h"
#include "monitor/MonitorPage.h"
#include "monitor/MonitorSetup.h"
#include "monitor/ParameterModel.h"
#include "widgets/PlatformServices.h"

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;

// The 参数 page: reads an instrument's parameter set into a table with a
// progress bar and a cancel, saves it, opens a file and compares it with the
// instrument, and writes the differences after a confirmation that lists each
// one, old and new. Refusals and results are shown in the table and in the
// line under it, never as a string of boxes: the confirmation is the only one.
class ParameterPage : public QWidget, public MonitorPage
{
    Q_OBJECT
public:
    using OpenDialogFn = std::function<QString(QWidget* owner)>;

    explicit ParameterPage(std::unique_ptr<SerialLine> line, QWidget* parent = nullptr);

    QString title() const override;
    QKeySequence shortcut() const override;
    QWidget* widget() override { return this; }

    // Where the port and line come from, whether a run holds the port, and
    // the dialogs and boxes to use.
    void attach(std::function<MonitorSetup()> setup, std::function<bool()> portBusy,
                PlatformServices services, OpenDialogFn openDialog = {});

    void read();
    void cancel();
    void save();
    void openAndCompare();
    void writeDifferences();
    void openFile(const QString& path);

    ParameterModel& model() { return m_model; }
    QTableView* table() const { return m_table; }
    QProgressBar* progressBar() const { return m_progress; }
    QLabel* statusLabel() const { return m_status; }
    QSpinBox* addressBox() const { return m_address; }
    QPushButton* readButton() const { return m_read; }
    QPushButton* cancelButton() const { return m_cancel; }
    QPushButton* writeButton() const { return m_write; }
    QPushButton* saveButton() const { return m_save; }
    QPushButton* openButton() const { return m_open; }
    diagnosis::ParameterTransfer& transfer() { return m_transfer; }

private:
    diagnosis::TransferPlan plan() const;
    bool mayStart();
    void onSettled(int index);
    void onFinished(diagnosis::TransferEnd end);
    void setBusy(bool busy);

    ParameterModel m_model;
    diagnosis::ParameterTransfer m_transfer;
    std::function<MonitorSetup()> m_setup;
    std::function<bool()> m_portBusy;
    PlatformServices m_services;
    OpenDialogFn m_openDialog;
    bool m_writing = false;
    QString m_filePath;
    QSpinBox* m_address = nullptr;
    QLineEdit* m_name = nullptr;
    QPushButton* m_read = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_open = nullptr;
    QPushButton* m_write = nullptr;
    QProgressBar* m_progress = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_status = nullptr;
};
