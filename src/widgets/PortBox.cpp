#include "widgets/PortBox.h"

#include "catalogue/LineLists.h"
#include "widgets/PortListControl.h"

#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QToolTip>

namespace {

// Looking for the real ports takes about 50 ms, a quarter of the window's
// start-up, so the port list's tooltip and menu are made the first time they
// are asked for. A typed device path is its own tooltip: this filter runs after
// the port list's, which would show the selected entry's.
class PortBoxHelp : public QObject
{
public:
    explicit PortBoxHelp(QComboBox* box) : QObject(box), m_box(box)
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_box)
            return false;
        if (event->type() != QEvent::ToolTip && event->type() != QEvent::ContextMenu)
            return false;
        if (!m_portList) {
            // Made now, it sets the tooltip and takes the context menu of this very event.
            m_portList = new PortListControl(m_box, PortListControl::realServices());
        }
        if (event->type() != QEvent::ToolTip ||
            catalogue::portEntries().contains(m_box->currentText()))
            return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        m_box->setToolTip(m_box->currentText());
        QToolTip::showText(help->globalPos(), m_box->currentText(), m_box);
        return true;
    }

private:
    QComboBox* m_box;
    PortListControl* m_portList = nullptr;
};

} // namespace

QComboBox* makePortBox(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->addItems(catalogue::portEntries());
    // A typed "/dev/ttyUSB0" must stay as typed, not be completed to an entry.
    box->setCompleter(nullptr);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setFocusPolicy(Qt::StrongFocus);
    // The box's own context menu event is wanted, not the line edit's edit menu.
    box->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    new PortBoxHelp(box);
    return box;
}
