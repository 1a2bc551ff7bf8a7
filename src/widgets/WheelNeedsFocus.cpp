#include "widgets/WheelNeedsFocus.h"

#include <QComboBox>
#include <QEvent>

void WheelNeedsFocus::applyTo(QComboBox* list)
{
    list->setFocusPolicy(Qt::StrongFocus);
    list->installEventFilter(new WheelNeedsFocus(list));
}

bool WheelNeedsFocus::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel || static_cast<QWidget*>(watched)->hasFocus())
        return false;
    // Ignored and filtered out here, the event is offered to the parent next.
    event->ignore();
    return true;
}
