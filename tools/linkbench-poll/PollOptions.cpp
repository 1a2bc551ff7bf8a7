#include "PollOptions.h"

#include "CommandLineReading.h"
#include "PollTexts.h"
#include "catalogue/AddressRanges.h"
#include "catalogue/LineLists.h"
#include "catalogue/ParameterList.h"
#include "wire/Function.h"
#include "wire/NumericText.h"

#include <QCommandLineParser>
#include <QSet>
#include <algorithm>

namespace poll {

// A two-digit code as the lists write it: "7" and "07" are both "07".
QString twoDigits(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0 || value > 99 || text.size() > 2)
        return {};
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

namespace {

using diagnosis::Function;

const QString kDefaultParameter = QStringLiteral("11");
const QString kDefaultHbxParameter = QStringLiteral("73");

struct Reader
{
    QCommandLineParser& parser;
    QString error;

    // The option's integer value, or `fallback` when it is not given.
    qint64 number(const QString& name, qint64 fallback, qint64 low, qint64 high)
    {
        if (!error.isEmpty() || !parser.isSet(name))
            return fallback;
        const QString text = parser.value(name);
        bool ok = false;
        const qint64 value = text.toLongLong(&ok);
        if (!ok || value < low || value > high)
            error = poll_texts::BadNumber.arg(QStringLiteral("--") + name, text).arg(low).arg(high);
        return value;
    }
};

void addOptions(QCommandLineParser& parser)
{
    const QStringList valued = {"port",  "settings", "function", "address", "channel",
                                "param", "value",    "interval", "timeout", "gap",
                                "count", "duration", "csv",      "from",    "to"};
    for (const QString& name : valued)
        parser.addOption(QCommandLineOption(name, QString(), QStringLiteral("value")));
    for (const char* name : {"csv-max-mb", "alarm-window", "alarm-below"})
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), "value"));
    for (const char* name : {"no-check", "quiet", "hbx", "list-ports"})
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    parser.addPositionalArgument(QStringLiteral("command"), QString());
}

QString readTargets(const QCommandLineParser& parser, diagnosis::RunPlan& plan)
{
    const QString functionText = parser.value(QStringLiteral("function"));
    const std::optional<Function> function =
        functionText.isEmpty() ? Function::Dc1 : wire::functionNamed(functionText);
    if (!function)
        return poll_texts::BadFunction.arg(functionText);

    const QString addressText = parser.isSet(QStringLiteral("address"))
                                    ? parser.value(QStringLiteral("address"))
                                    : QStringLiteral("1");
    const std::optional<QList<int>> addresses = parseAscendingAddresses(addressText);
    if (!addresses)
        return poll_texts::BadAddress.arg(addressText);

    QString channel = QStringLiteral("01");
    if (parser.isSet(QStringLiteral("channel"))) {
        const QString text = parser.value(QStringLiteral("channel"));
        channel = twoDigits(text);
        if (!catalogue::channelEntries().contains(channel))
            return poll_texts::BadChannel.arg(text);
    }

    QString param = *function == Function::Dc4 ? kDefaultHbxParameter : kDefaultParameter;
    if (parser.isSet(QStringLiteral("param"))) {
        const QString text = parser.value(QStringLiteral("param"));
        param = twoDigits(text);
        if (param.isEmpty() || catalogue::parameterPosition(param) < 0)
            return poll_texts::BadParameter.arg(text);
    }

    QString value = QStringLiteral("0");
    if (parser.isSet(QStringLiteral("value"))) {
        value = parser.value(QStringLiteral("value"));
        if (!numeric::isNumber(value))
            return poll_texts::BadValue.arg(value);
    }

    for (const int address : *addresses)
        plan.targets << diagnosis::Target{*function, address, channel, param, value};
    return {};
}

} // namespace

ParsedPoll parsePollOptions(const QStringList& arguments)
{
    ParsedPoll parsed;
    PollOptions& o = parsed.options;
    QCommandLineParser parser;
    addOptions(parser);
    parsed.error = parseArguments(parser, arguments);
    if (!parsed.error.isEmpty())
        return parsed;
    if (parser.isSet(QStringLiteral("help"))) {
        o.help = true;
        return parsed;
    }
    if (parser.isSet(QStringLiteral("list-ports"))) {
        o.listPorts = true;
        return parsed;
    }
    const QStringList positional = parser.positionalArguments();
    if (!positional.isEmpty()) {
        if (positional.front() != u"scan" || positional.size() > 1) {
            parsed.error = poll_texts::UnknownCommand.arg(positional.back());
            return parsed;
        }
        o.scan = true;
    }

    const QString port = parser.isSet(QStringLiteral("port")) ? parser.value(QStringLiteral("port"))
                                                              : catalogue::defaultPortEntry();
    const std::optional<QString> listed =
        settingsOption(parser, catalogue::defaultLineSettings(), &parsed.error);
    if (!listed)
        return parsed;
    const QString settings = *listed;
    o.csvPath = parser.value(QStringLiteral("csv"));
    o.quiet = parser.isSet(QStringLiteral("quiet"));
    const bool check = !parser.isSet(QStringLiteral("no-check"));

    Reader read{parser, {}};
    if (o.scan) {
        diagnosis::ScanPlan& s = o.scanPlan;
        s.port = port;
        s.settings = settings;
        s.hbx = parser.isSet(QStringLiteral("hbx"));
        s.checkField = check;
        s.from = int(read.number(QStringLiteral("from"), 1, 1, 255));
        s.to = int(read.number(QStringLiteral("to"), 255, 1, 255));
        s.timeoutMs = int(read.number(QStringLiteral("timeout"), 300, 1, 600'000));
        if (read.error.isEmpty() && s.from > s.to)
            read.error = poll_texts::ScanRange;
        parsed.error = read.error;
        return parsed;
    }

    diagnosis::RunPlan& p = o.plan;
    p.port = port;
    p.settings = settings;
    p.checkField = check;
    p.intervalMs = int(read.number(QStringLiteral("interval"), 0, 0, 3'600'000));
    p.timeoutMs = int(read.number(QStringLiteral("timeout"), 3000, 1, 600'000));
    p.gapMs = int(read.number(QStringLiteral("gap"), -1, 0, 60'000));
    p.count = read.number(QStringLiteral("count"), 0, 0, 1'000'000'000'000);
    p.durationMs = read.number(QStringLiteral("duration"), 0, 0, 100LL * 365 * 86400) * 1000;
    o.csvMaxBytes = read.number(QStringLiteral("csv-max-mb"), 0, 0, 1'000'000) * 1024 * 1024;
    o.alarm.window = int(read.number(QStringLiteral("alarm-window"), 50, 0, 100'000));
    o.alarm.belowPercent = int(read.number(QStringLiteral("alarm-below"), 90, 1, 100));
    if (!read.error.isEmpty()) {
        parsed.error = read.error;
        return parsed;
    }
    parsed.error = readTargets(parser, p);
    return parsed;
}

} // namespace poll
