#include "widgets/PortListControl.h"

#include "platform/LatencyTimer.h"
#include "platform/PortChoices.h"
#include "platform/PortFinder.h"
#include "platform/PortTexts.h"
#include "platform/SerialLine.h"
#include "platform/UserSettings.h"

#include <QActionGroup>
#include <QComboBox>
#include <QEvent>
#include <QInputDialog>
#include <QMenu>
#include <QSettings>

namespace {

QString menuEntryText(const FoundPort& port)
{
    const QString summary = port.summary();
    return summary.isEmpty() ? port.shownName()
                             : QStringLiteral("%1  %2").arg(port.shownName(), summary);
}

} // namespace

PortListControl::Services PortListControl::realServices()
{
    Services services;
    services.mappingInput = currentPortMappingInput;
    services.storeChoice = [](int portNumber, const QString& device) {
        storePortChoice(*openSettings(), portNumber, device);
    };
    services.askDevicePath = [](QWidget* parent, int portNumber) {
        return QInputDialog::getText(
                   parent, port_texts::OtherDeviceTitle,
                   port_texts::OtherDevicePrompt.arg(QStringLiteral("COM%1").arg(portNumber)))
            .trimmed();
    };
    services.stableNameOf = [](const QString& device) {
        return stableNameOf(device, PortFinderPaths().byId);
    };
    return services;
}

PortListControl::PortListControl(QComboBox* box, Services services)
    : QObject(box), m_box(box), m_services(std::move(services))
{
    m_box->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_box, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const std::unique_ptr<QMenu> menu = contextMenu();
        menu->exec(m_box->mapToGlobal(at));
    });
    connect(m_box, &QComboBox::currentIndexChanged, this, &PortListControl::refreshToolTip);
    // Adapters come and go while the window is open: the tooltip is made
    // afresh each time it is about to show.
    m_box->installEventFilter(this);
    refreshToolTip();
}

void PortListControl::watchLine(const SerialLine* line)
{
    connect(line, &SerialLine::opened, this, [this](int portNumber) {
        m_openPort = portNumber;
        // Every send opens the port: the tooltip changes only when it said lost.
        if (m_lost.remove(portNumber))
            refreshToolTip();
    });
    connect(line, &SerialLine::failed, this, [this] {
        if (m_openPort == 0)
            return;
        m_lost.insert(m_openPort);
        refreshToolTip();
    });
}

QString PortListControl::toolTipText(int portNumber, const PortDevice& device, bool lost)
{
    QString first =
        QStringLiteral("COM%1").arg(portNumber) + port_texts::EntryArrow + device.device;
    const QString summary = device.port ? device.port->summary() : QString();
    if (!summary.isEmpty())
        first += QStringLiteral(" (%1)").arg(summary);
    QStringList lines = {first,
                         port_texts::SourceLine.arg(portSourceText(portNumber, device.source))};
    if (device.port && !device.port->stableName.isEmpty())
        lines.append(port_texts::StableNameLine.arg(device.port->stableName));
    if (device.port && device.port->latencyMs)
        lines.append(latencyText(device.port->portName, device.port->latencyMs));
    if (lost)
        lines.append(port_texts::Lost);
    return lines.join(u'\n');
}

QString PortListControl::toolTipFor(int portNumber) const
{
    return toolTipText(portNumber, mapPort(portNumber, m_services.mappingInput()),
                       isLost(portNumber));
}

int PortListControl::selectedPort() const
{
    return m_box->currentIndex() + 1;
}

std::unique_ptr<QMenu> PortListControl::contextMenu()
{
    auto menu = std::make_unique<QMenu>(m_box);
    const int portNumber = selectedPort();
    if (portNumber < 1)
        return menu;
    const PortMappingInput input = m_services.mappingInput();
    const QString chosen = input.choices.value(portNumber);

    auto* group = new QActionGroup(menu.get());
    for (const FoundPort& port : input.found) {
        QAction* action = menu->addAction(menuEntryText(port));
        action->setCheckable(true);
        action->setChecked(!chosen.isEmpty() &&
                           (chosen == port.stableName || chosen == port.systemLocation));
        group->addAction(action);
        // Kept by stable name where there is one, so that the choice follows
        // the adapter to another USB socket.
        const QString device = port.stableName.isEmpty() ? port.systemLocation : port.stableName;
        connect(action, &QAction::triggered, this,
                [this, portNumber, device] { choose(portNumber, device); });
    }
    if (input.found.isEmpty())
        menu->addAction(port_texts::MenuNoPorts)->setEnabled(false);
    menu->addSeparator();
    QAction* automatic = menu->addAction(port_texts::MenuAutomatic);
    automatic->setCheckable(true);
    automatic->setChecked(chosen.isEmpty());
    group->addAction(automatic);
    connect(automatic, &QAction::triggered, this,
            [this, portNumber] { choose(portNumber, QString()); });
    QAction* other = menu->addAction(port_texts::MenuOther);
    connect(other, &QAction::triggered, this, [this, portNumber] { chooseOther(portNumber); });
    return menu;
}

void PortListControl::choose(int portNumber, const QString& device)
{
    m_services.storeChoice(portNumber, device);
    refreshToolTip();
}

void PortListControl::chooseOther(int portNumber)
{
    const QString typed = m_services.askDevicePath(m_box->window(), portNumber);
    if (typed.isEmpty())
        return;
    const QString stable = m_services.stableNameOf(typed);
    choose(portNumber, stable.isEmpty() ? typed : stable);
}

void PortListControl::refreshToolTip()
{
    const int portNumber = selectedPort();
    m_box->setToolTip(portNumber < 1 ? QString() : toolTipFor(portNumber));
}

bool PortListControl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_box && event->type() == QEvent::ToolTip)
        refreshToolTip();
    return QObject::eventFilter(watched, event);
}
