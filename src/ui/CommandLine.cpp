#include "ui/CommandLine.h"

#include "platform/PortChoices.h"
#include "platform/PortListing.h"
#include "ui/CommandLineTexts.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace {

struct Options
{
    QCommandLineOption listPorts{QStringLiteral("list-ports"), cli_texts::ListPortsOption};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, cli_texts::HelpOption};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               cli_texts::VersionOption};
};

// Options that QApplication takes for itself; they are accepted here and left
// for it, so that "linkbench -platform offscreen" still opens the window.
void addWindowSystemOptions(QCommandLineParser& parser)
{
    for (const char* name :
         {"platform", "style", "stylesheet", "display", "geometry", "qwindowgeometry",
          "qwindowtitle", "qwindowicon", "platformtheme", "plugin"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

void printText(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

CommandLineRequest readCommandLine(const QStringList& arguments)
{
    Options options;
    QCommandLineParser parser;
    // Single-dash options are Qt's window-system options (-platform name);
    // ours are long ones, plus -h and -v.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(cli_texts::Description);
    parser.addOption(options.listPorts);
    parser.addOption(options.help);
    parser.addOption(options.version);
    addWindowSystemOptions(parser);

    CommandLineRequest request;
    if (!parser.parse(arguments)) {
        request.action = CommandLineRequest::Action::Refuse;
        request.text = cli_texts::BadArguments.arg(parser.errorText());
        return request;
    }
    if (!parser.positionalArguments().isEmpty()) {
        request.action = CommandLineRequest::Action::Refuse;
        request.text = cli_texts::BadArguments.arg(
            cli_texts::UnexpectedArgument.arg(parser.positionalArguments().first()));
        return request;
    }
    if (parser.isSet(options.help)) {
        request.action = CommandLineRequest::Action::Help;
        request.text = parser.helpText();
    } else if (parser.isSet(options.version)) {
        request.action = CommandLineRequest::Action::Version;
    } else if (parser.isSet(options.listPorts)) {
        request.action = CommandLineRequest::Action::ListPorts;
    }
    return request;
}

std::optional<int> runCommandLine(int argc, char* argv[])
{
    if (argc <= 1)
        return std::nullopt;
    // A console-only application: listing ports or printing the help needs no
    // display, so that both work over ssh and in a package check.
    QCoreApplication app(argc, argv);
    setApplicationIdentity();
    QCoreApplication::setApplicationVersion(QStringLiteral(LINKBENCH_VERSION));
    const CommandLineRequest request = readCommandLine(QCoreApplication::arguments());
    switch (request.action) {
    case CommandLineRequest::Action::OpenWindow:
        return std::nullopt;
    case CommandLineRequest::Action::Refuse:
        printText(stderr, request.text + u'\n');
        return 2;
    case CommandLineRequest::Action::Help:
        printText(stdout, request.text);
        return 0;
    case CommandLineRequest::Action::Version:
        printText(stdout,
                  QStringLiteral("linkbench %1\n").arg(QCoreApplication::applicationVersion()));
        return 0;
    case CommandLineRequest::Action::ListPorts:
        printText(stdout, portListingText(currentPortMappingInput()));
        return 0;
    }
    return std::nullopt;
}
