#include "platform/PortChoices.h"
#include "platform/QtSerialLine.h"
#include "ui/CommandLine.h"
#include "ui/TextModule.h"
#include "widgets/ApplicationSetup.h"
#include "widgets/PlatformServices.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (const std::optional<int> exitCode = runCommandLine(argc, argv))
        return *exitCode;
    QApplication app(argc, argv);
    setApplicationIdentity();
    prepareApplication(app);
    TEXT text(std::make_unique<QtSerialLine>(), realPlatformServices());
    text.startUp();
    return QApplication::exec();
}
