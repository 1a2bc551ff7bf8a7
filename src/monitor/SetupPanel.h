#pragma once

#include "monitor/MonitorSetup.h"

#include <QWidget>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The side panel of the monitor: the mode (轮询 polls the targets, 监听
// listens to another master and sends nothing), port, line, targets,
// schedule, and the 开始 / 停止 / 扫描 buttons. Listening takes the port, a
// second port, the line, the time-out and the check; the rest is off. A bad address list, value or
// port is refused where it is typed: the message stands under the panel and 开始 stays off until
// the entry is mended.
class SetupPanel : public QWidget
{
    Q_OBJECT
public:
    explicit SetupPanel(QWidget* parent = nullptr);

    void setSetup(const MonitorSetup& setup);
    // What the controls hold now, whether valid or not.
    MonitorSetup setup() const;
    // The refusal of the first bad entry, or an empty text when all are good.
    QString refusal() const;

    // Adds addresses to the list (from the scan page), keeping the order.
    void addAddresses(const QList<int>& addresses);

    // While a run or a scan goes on, the set-up cannot change; 停止 is on
    // while it may still be asked for.
    void setRunning(bool running, bool canStop);

    QComboBox* modeBox() const { return m_mode; }
    QLineEdit* port2Edit() const { return m_port2; }
    QComboBox* portBox() const { return m_port; }
    QComboBox* lineBox() const { return m_line; }
    QComboBox* functionBox() const { return m_function; }
    QLineEdit* addressEdit() const { return m_addresses; }
    QComboBox* channelBox() const { return m_channel; }
    QComboBox* parameterBox() const { return m_parameter; }
    QLineEdit* valueEdit() const { return m_value; }
    QSpinBox* intervalBox() const { return m_interval; }
    QSpinBox* timeoutBox() const { return m_timeout; }
    QCheckBox* checkBox() const { return m_check; }
    QLabel* messageLabel() const { return m_message; }
    QPushButton* startButton() const { return m_start; }
    QPushButton* stopButton() const { return m_stop; }
    QPushButton* scanButton() const { return m_scan; }

signals:
    void startRequested(const MonitorSetup& setup);
    void stopRequested();
    void scanRequested(const MonitorSetup& setup);

private:
    void onFunctionChosen(int position);
    // Enables the parameter and value fields the chosen function uses.
    void enableFunctionFields();
    void showRefusal();
    void updatePortTip();
    void updateButtons();

    QComboBox* m_mode = nullptr;
    QLineEdit* m_port2 = nullptr;
    QComboBox* m_port = nullptr;
    QComboBox* m_line = nullptr;
    QComboBox* m_function = nullptr;
    QLineEdit* m_addresses = nullptr;
    QComboBox* m_channel = nullptr;
    QComboBox* m_parameter = nullptr;
    QLineEdit* m_value = nullptr;
    QSpinBox* m_interval = nullptr;
    QSpinBox* m_timeout = nullptr;
    QCheckBox* m_check = nullptr;
    QLabel* m_message = nullptr;
    QPushButton* m_start = nullptr;
    QPushButton* m_stop = nullptr;
    QPushButton* m_scan = nullptr;
    bool m_running = false;
    bool m_canStop = false;
};
