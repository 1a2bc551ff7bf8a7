#include "ui/SelectionHandlers.h"

#include "catalogue/FunctionFields.h"
#include "catalogue/InputTexts.h"
#include "catalogue/ParameterList.h"
#include "protocol/CommandFrames.h"
#include "ui/WindowTexts.h"
#include "wire/CommandFrame.h"
#include "wire/NumericText.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>

SelectionHandlers::SelectionHandlers(QWidget* window, const Boxes& boxes, MessageBoxFn messageBox)
    : QObject(window), m_window(window), m_boxes(boxes), m_messageBox(std::move(messageBox))
{
    // An editable combo box is the focus proxy of its line edit, so the box
    // itself is the one that sees the focus leave.
    m_boxes.addressBox->installEventFilter(this);
    m_boxes.valueBox->installEventFilter(this);
}

void SelectionHandlers::Combo5_Click()
{
    const std::optional<wire::Function> function =
        wire::functionAt(m_boxes.functionList->currentIndex());
    if (!function)
        return;
    const catalogue::FunctionFields fields = catalogue::fieldsOf(*function);
    m_boxes.parameterList->setEnabled(fields.parameter);
    if (fields.choiceSetsValue)
        m_boxes.valueBox->setEnabled(fields.value);
    if (fields.preselectedParameter)
        m_boxes.parameterList->setCurrentIndex(*fields.preselectedParameter);
}

bool SelectionHandlers::acceptAddress()
{
    QComboBox* box = m_boxes.addressBox;
    const int address = frames::parseAddress(box->currentText());
    if (address < 0) {
        refuse(box, input_texts::BadAddress);
        return false;
    }
    box->setEditText(QString::fromLatin1(wire::addressField(address)));
    return true;
}

bool SelectionHandlers::acceptValue()
{
    if (numeric::isNumber(m_boxes.valueBox->currentText()))
        return true;
    refuse(m_boxes.valueBox, input_texts::BadValue);
    return false;
}

void SelectionHandlers::refuse(QComboBox* box, const QString& message)
{
    const bool wasRefusing = m_refusing;
    m_refusing = true;
    m_messageBox(m_window, applicationNotice(message));
    box->setFocus(Qt::OtherFocusReason);
    m_refusing = wasRefusing;
}

bool SelectionHandlers::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::FocusOut || m_refusing)
        return false;
    auto* box = static_cast<QComboBox*>(watched);
    if (!leavesTheBox(box, static_cast<QFocusEvent*>(event)->reason()))
        return false;
    if (box == m_boxes.addressBox)
        acceptAddress();
    else if (box == m_boxes.valueBox && box->isEnabled())
        acceptValue();
    return false;
}

bool SelectionHandlers::leavesTheBox(const QComboBox* box, Qt::FocusReason reason)
{
    // Another program or the menu bar taking the focus does not leave the box.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::MenuBarFocusReason)
        return false;
    // Nor does the box's own list: while it is open the focus is inside it.
    if (reason == Qt::PopupFocusReason || QApplication::activePopupWidget())
        return false;
    for (const QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (w == box)
            return false;
    }
    return true;
}
