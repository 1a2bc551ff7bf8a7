#pragma once

#include "widgets/MessageBoxes.h"

#include <QObject>

class QComboBox;
class QWidget;

// Keeps the selection boxes consistent with the chosen function and refuses bad
// text in the address and value boxes when they lose the focus.
class SelectionHandlers : public QObject
{
    Q_OBJECT
public:
    struct Boxes
    {
        QComboBox* functionList = nullptr;  // Combo5
        QComboBox* addressBox = nullptr;    // Combo6
        QComboBox* parameterList = nullptr; // Combo8
        QComboBox* valueBox = nullptr;      // Combo9
    };

    SelectionHandlers(QWidget* window, const Boxes& boxes, MessageBoxFn messageBox);

    // Function list click: enables the dependent boxes and preselects a parameter.
    void Combo5_Click();
    // Address box check: reformats a number from 1 to 255 as three digits and
    // returns true; otherwise shows the address message, puts the focus back
    // into the box, leaves its text as typed and returns false.
    bool acceptAddress();
    // Value box check: true for a number; otherwise the value message and the
    // focus back into the box.
    bool acceptValue();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refuse(QComboBox* box, const QString& message);
    // Whether a focus-out of `box` is the operator leaving it for another control.
    static bool leavesTheBox(const QComboBox* box, Qt::FocusReason reason);

    QWidget* m_window;
    Boxes m_boxes;
    MessageBoxFn m_messageBox;
    // Set while a refusal shows its message and hands the focus back: the
    // focus moves this causes are not the operator leaving a box.
    bool m_refusing = false;
};
