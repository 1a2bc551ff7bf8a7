#include "monitor/MonitorWindow.h"
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
    QSettings settings;
    MonitorWindow window(settings);
    window.show();
    return QApplication::exec();
}
