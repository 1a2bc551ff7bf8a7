#pragma once

#include "platform/PortMapping.h"

#include <QObject>
#include <QSet>
#include <functional>
#include <memory>

class QComboBox;
class QMenu;
class QWidget;
class SerialLine;

// Gives any list of "COM1".."COM8" entries its port tooltip and its context
// menu, without adding a control to the window that holds it:
// - the tooltip names the device the selected entry opens, where it came
//   from and the adapter's description, and "已断开" once the open port has
//   failed, until that entry opens again;
// - a right click lists the real ports found now, "自动" and "其他设备…";
//   choosing one maps the selected entry to it and keeps the choice.
//
//     auto* ports = new PortListControl(comboBox, PortListControl::realServices());
//     ports->watchLine(serialLine);
class PortListControl : public QObject
{
    Q_OBJECT
public:
    // What the control asks of the system; tests hand in their own.
    struct Services
    {
        std::function<PortMappingInput()> mappingInput;
        // Keeps `device` for COMn; an empty device means automatic.
        std::function<void(int portNumber, const QString& device)> storeChoice;
        // Asks for a device path for "其他设备…"; empty when cancelled.
        std::function<QString(QWidget* parent, int portNumber)> askDevicePath;
        // The stable name that leads to a typed path, or empty.
        std::function<QString(const QString& device)> stableNameOf;
    };
    static Services realServices();

    PortListControl(QComboBox* box, Services services);

    // Follows the line's opens and failures for the "已断开" state.
    void watchLine(const SerialLine* line);

    // The tooltip of entry COMn, as the list shows it when that entry is selected.
    QString toolTipFor(int portNumber) const;
    // The context menu for the selected entry; its actions act when triggered.
    std::unique_ptr<QMenu> contextMenu();
    bool isLost(int portNumber) const { return m_lost.contains(portNumber); }

    // The tooltip text for an entry: its device, source and state.
    static QString toolTipText(int portNumber, const PortDevice& device, bool lost);

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    int selectedPort() const;
    void choose(int portNumber, const QString& device);
    void chooseOther(int portNumber);
    void refreshToolTip();

    QComboBox* m_box;
    Services m_services;
    QSet<int> m_lost;
    int m_openPort = 0; // the entry the line last opened
};
