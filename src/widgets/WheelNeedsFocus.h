#pragma once

#include <QObject>

class QComboBox;

// Makes a list follow the mouse wheel only while it has the keyboard focus.
// Otherwise scrolling the transcript and passing over the band would change
// the port, the speed, the channel or the function unseen; the wheel event
// goes on to the list's parent instead.
class WheelNeedsFocus : public QObject
{
    Q_OBJECT
public:
    // Also stops the wheel from giving the list the focus.
    static void applyTo(QComboBox* list);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};
