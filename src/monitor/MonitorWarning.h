#pragma once

#include "monitor/MonitorTexts.h"
#include "widgets/MessageBoxes.h"

// How the monitor refuses something (a port that cannot be opened, a file
// that cannot be written): a warning box with the window's caption and OK.
inline MessageRequest monitorWarning(const QString& text)
{
    MessageRequest request;
    request.icon = QMessageBox::Warning;
    request.title = monitor_texts::Caption;
    request.text = text;
    return request;
}
