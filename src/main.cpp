#include "platform/MessageBoxes.h"
#include "platform/PortChoices.h"
#include "platform/QtSerialLine.h"
#include "ui/ApplicationSetup.h"
#include "ui/CommandLine.h"
#include "ui/TextModule.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (const std::optional<int> exitCode = runCommandLine(argc, argv))
        return *exitCode;
    QApplication app(argc, argv);
    setApplicationIdentity();
    prepareApplication(app);
    TEXT text(std::make_unique<QtSerialLine>(), systemClock(), realMessageBox());
    text.startUp();
    return QApplication::exec();
}
