#include "monitor/MonitorWindow.h"
#include "platform/UserSettings.h"
#include "widgets/ApplicationSetup.h"

#include "monitor/MonitorTexts.h"
#include "monitor/SetupPanel.h"

#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QIcon>
#include <QSettings>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("LinkBench"));
    QApplication::setApplicationName(QStringLiteral("linkbench-monitor"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/monitor/icon.png")));
    prepareApplication(app);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption listen(QStringLiteral("listen"), monitor_texts::ListenOption);
    parser.addOption(listen);
    parser.process(app);
    const std::unique_ptr<QSettings> settings = openSettings(QApplication::applicationName());
    MonitorWindow window(*settings);
    if (parser.isSet(listen))
        window.setupPanel()->modeBox()->setCurrentIndex(1);
    window.show();
    return QApplication::exec();
}
