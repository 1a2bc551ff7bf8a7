#include "platform/PlatformServices.h"
#include "platform/QtSerialLine.h"
#include "ui/ApplicationSetup.h"
#include "ui/TextModule.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    prepareApplication(app);
    TEXT text(std::make_unique<QtSerialLine>(), realPlatformServices());
    text.startUp();
    return QApplication::exec();
}
