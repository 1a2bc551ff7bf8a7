#pragma once

#include "platform/Clock.h"
#include "widgets/DesktopServices.h"
#include "widgets/MessageBoxes.h"
#include "widgets/PrinterAccess.h"
#include "widgets/SaveFileDialog.h"

#include <QString>

// Everything the window asks of the operating system besides the serial line,
// handed in once when the program starts; tests replace each piece.
struct PlatformServices
{
    Clock clock;
    MessageBoxFn messageBox;
    SaveDialogFn saveDialog;
    PrinterProvider printer;
    HelpOpenerFn openHelp;
    UrlOpenerFn openUrl;
    QString programFolder;
};

// The system clock, real boxes and dialogs, the default printer, the desktop's
// help viewer and shell, and the folder of the running program.
PlatformServices realPlatformServices();
