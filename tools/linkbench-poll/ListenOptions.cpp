#include "ListenOptions.h"

#include "CommandLineReading.h"
#include "ListenTexts.h"
#include "PollTexts.h"
#include "catalogue/LineLists.h"

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
    return parseArguments(parser, arguments).isEmpty() &&
           parser.positionalArguments() == QStringList{kListen};
}

ParsedListen parseListenOptions(const QStringList& arguments)
{
    ParsedListen parsed;
    ListenOptions& o = parsed.options;
    QCommandLineParser parser;
    addOptions(parser);
    parsed.error = parseArguments(parser, arguments);
    if (!parsed.error.isEmpty())
        return parsed;
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
    const std::optional<QString> settings =
        settingsOption(parser, catalogue::defaultLineSettings(), &parsed.error);
    if (!settings)
        return parsed;
    p.settings = *settings;
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
