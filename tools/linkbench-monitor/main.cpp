#include "monitor/MonitorWindow.h"
#include "platform/UserSettings.h"
#include "widgets/ApplicationSetup.h"

#include <QApplication>
#include <QIcon>
#include <QSettings>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("LinkBench"));
    QApplication::setApplicationName(QStringLiteral("linkbench-monitor"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/monitor/icon.png")));
    prepareApplication(app);
    const std::unique_ptr<QSettings> settings = openSettings(QApplication::applicationName());
    MonitorWindow window(*settings);
    window.show();
    return QApplication::exec();
}
