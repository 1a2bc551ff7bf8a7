#include "ListenOptions.h"

#include "ListenTexts.h"
#include "PollTexts.h"
#include "catalogue/LineLists.h"
#include "platform/CommandLineTexts.h"
#include "platform/LineSettings.h"

#include <QCommandLineParser>

namespace poll {

namespace {

const QString kListen = QStringLiteral("listen");

void addOptions(QCommandLineParser& parser)
{
    for (const char* name : {"port", "port2", "settings", "duration", "csv", "timeout",
                             "csv-max-mb", "alarm-window", "alarm-below"})
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), "value"));
    for (const char* name : {"quiet", "no-check"})
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    parser.addPositionalArgument(QStringLiteral("command"), QString());
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
}

// The option's integer value in [low, high], or `fallback` when not given.
qint64 number(const QCommandLineParser& parser, const QString& name, qint64 fallback, qint64 low,
              qint64 high, QString& error)
{
    if (!error.isEmpty() || !parser.isSet(name))
        return fallback;
    bool ok = false;
    const QString text = parser.value(name);
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < low || value > high)
        error = poll_texts::BadNumber.arg(QStringLiteral("--") + name, text).arg(low).arg(high);
    return value;
}

} // namespace

bool isListenCommand(const QStringList& arguments)
{
    if (arguments.value(0) == kListen)
        return true;
    QCommandLineParser parser;
    addOptions(parser);
    return parser.parse(QStringList{QStringLiteral("linkbench-poll")} + arguments) &&
           parser.positionalArguments() == QStringList{kListen};
}

ParsedListen parseListenOptions(const QStringList& arguments)
{
    ParsedListen parsed;
    ListenOptions& o = parsed.options;
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(QStringList{QStringLiteral("linkbench-poll")} + arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        parsed.error = unknown.isEmpty()
                           ? poll_texts::Usage.arg(parser.errorText())
                           : commandline_texts::UnknownOption.arg(
                                 (unknown.front().size() == 1 ? "-" : "--") + unknown.front());
        return parsed;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        o.help = true;
        return parsed;
    }
    if (parser.positionalArguments() != QStringList{kListen}) {
        QStringList extra = parser.positionalArguments();
        extra.removeOne(kListen);
        parsed.error = poll_texts::UnknownCommand.arg(extra.join(u' '));
        return parsed;
    }
    diagnosis::ListenPlan& p = o.plan;
    p.port = parser.isSet(QStringLiteral("port")) ? parser.value(QStringLiteral("port"))
                                                  : catalogue::defaultPortEntry();
    p.port2 = parser.value(QStringLiteral("port2"));
    p.settings = catalogue::defaultLineSettings();
    if (parser.isSet(QStringLiteral("settings"))) {
        const QString text = parser.value(QStringLiteral("settings"));
        if (!catalogue::lineSettingEntries().contains(text) || !parseLineSettings(text)) {
            parsed.error =
                poll_texts::BadSettings.arg(text, catalogue::lineSettingEntries().join(u' '));
            return parsed;
        }
        p.settings = text;
    }
    p.checkField = !parser.isSet(QStringLiteral("no-check"));
    QString& error = parsed.error;
    p.timeoutMs = int(number(parser, QStringLiteral("timeout"), 3000, 1, 600'000, error));
    o.durationMs =
        number(parser, QStringLiteral("duration"), 0, 0, 100LL * 365 * 86400, error) * 1000;
    o.csvPath = parser.value(QStringLiteral("csv"));
    o.csvMaxBytes =
        number(parser, QStringLiteral("csv-max-mb"), 0, 0, 1'000'000, error) * 1024 * 1024;
    o.alarm.window = int(number(parser, QStringLiteral("alarm-window"), 50, 0, 100'000, error));
    o.alarm.belowPercent = int(number(parser, QStringLiteral("alarm-below"), 90, 1, 100, error));
    o.quiet = parser.isSet(QStringLiteral("quiet"));
    if (error.isEmpty() && !p.port2.isEmpty() && p.port2 == p.port)
        error = listen_texts::SamePorts.arg(p.port);
    return parsed;
}

} // namespace poll
