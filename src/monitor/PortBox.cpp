#include "monitor/PortBox.h"

#include "catalogue/LineLists.h"
#include "ui/PortListControl.h"

#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QToolTip>

namespace {

// Installed after the port list's own filter, so it sees a tooltip request
// first: a typed device path shows itself instead of the selected entry's.
class TypedPathTip : public QObject
{
public:
    explicit TypedPathTip(QComboBox* box) : QObject(box), m_box(box)
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_box || event->type() != QEvent::ToolTip ||
            catalogue::portEntries().contains(m_box->currentText()))
            return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), m_box->currentText(), m_box);
        return true;
    }

private:
    QComboBox* m_box;
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
    new PortListControl(box, PortListControl::realServices());
    // The line edit would show its own edit menu; the port list's menu is wanted.
    box->lineEdit()->setContextMenuPolicy(Qt::NoContextMenu);
    new TypedPathTip(box);
    return box;
}
