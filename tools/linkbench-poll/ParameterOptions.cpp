#include "ParameterOptions.h"

#include "CommandLineReading.h"
#include "ParameterTexts.h"
#include "PollOptions.h"
#include "PollTexts.h"
#include "catalogue/AddressRanges.h"
#include "catalogue/LineLists.h"
#include "diagnosis/ParameterRoles.h"
#include "platform/CommandLineTexts.h"

#include <QCommandLineParser>

namespace poll {

namespace {

const QStringList kCommandWords = {QStringLiteral("backup"), QStringLiteral("compare"),
                                   QStringLiteral("restore")};

// Codes typed as numbers and ranges ("12,18-21"), each 01 to 57.
std::optional<QStringList> codeList(const QString& text)
{
    const std::optional<QList<int>> numbers = parseAscendingAddresses(text);
    if (!numbers)
        return std::nullopt;
    QStringList codes;
    for (const int number : *numbers) {
        const QString code = twoDigits(QString::number(number));
        if (!diagnosis::instrumentParameterCodes().contains(code))
            return std::nullopt;
        codes << code;
    }
    return codes;
}

void addOptions(QCommandLineParser& parser)
{
    for (const char* name : {"port", "settings", "address", "channel", "timeout", "retries",
                             "params", "name", "include", "csv"})
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), "value"));
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                        QString(), QStringLiteral("value")));
    for (const char* name : {"all", "dry-run", "no-check", "quiet"})
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
}

// The options that belong to one command only.
QString misplacedOption(const QCommandLineParser& parser, ParameterCommand command)
{
    const QList<std::pair<QString, ParameterCommand>> owners = {
        {QStringLiteral("params"), ParameterCommand::Backup},
        {QStringLiteral("all"), ParameterCommand::Backup},
        {QStringLiteral("name"), ParameterCommand::Backup},
        {QStringLiteral("o"), ParameterCommand::Backup},
        {QStringLiteral("include"), ParameterCommand::Restore},
        {QStringLiteral("dry-run"), ParameterCommand::Restore},
    };
    for (const auto& [name, owner] : owners) {
        if (parser.isSet(name) && owner != command)
            return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    }
    return {};
}

QString readNumbers(const QCommandLineParser& parser, diagnosis::TransferPlan& plan)
{
    const auto number = [&](const QString& name, int& field, int low, int high) -> QString {
        if (!parser.isSet(name))
            return {};
        bool ok = false;
        const QString text = parser.value(name);
        const int value = text.toInt(&ok);
        if (!ok || value < low || value > high)
            return poll_texts::BadNumber.arg(QStringLiteral("--") + name, text).arg(low).arg(high);
        field = value;
        return {};
    };
    QString error = number(QStringLiteral("timeout"), plan.timeoutMs, 1, 600'000);
    if (error.isEmpty())
        error = number(QStringLiteral("retries"), plan.retries, 0, 100);
    return error;
}

QString readPlace(const QCommandLineParser& parser, ParameterOptions& o)
{
    if (!parser.isSet(QStringLiteral("address")))
        return poll_texts::ParamsNeedAddress.arg(kCommandWords[int(o.command)]);
    const QString address = parser.value(QStringLiteral("address"));
    const std::optional<QList<int>> addresses = parseAscendingAddresses(address);
    if (!addresses || addresses->size() != 1)
        return poll_texts::ParamsOneAddress.arg(address);
    o.plan.address = addresses->front();
    if (parser.isSet(QStringLiteral("channel"))) {
        const QString text = parser.value(QStringLiteral("channel"));
        o.plan.channel = twoDigits(text);
        if (!catalogue::channelEntries().contains(o.plan.channel))
            return poll_texts::BadChannel.arg(text);
        o.channelGiven = true;
    }
    if (parser.isSet(QStringLiteral("port")))
        o.plan.port = parser.value(QStringLiteral("port"));
    QString error;
    const std::optional<QString> settings = settingsOption(parser, o.plan.settings, &error);
    if (!settings)
        return error;
    o.plan.settings = *settings;
    return {};
}

QString readCommandOptions(const QCommandLineParser& parser, ParameterOptions& o)
{
    const QStringList positional = parser.positionalArguments().mid(1);
    const QString word = kCommandWords[int(o.command)];
    if (o.command == ParameterCommand::Backup) {
        if (!positional.isEmpty())
            return commandline_texts::UnknownOption.arg(positional.front());
        o.file = parser.value(QStringLiteral("o"));
        if (o.file.isEmpty())
            return poll_texts::ParamsNeedOutput;
        o.all = parser.isSet(QStringLiteral("all"));
        o.name = parser.value(QStringLiteral("name"));
        o.codes = diagnosis::defaultParameterCodes();
        if (parser.isSet(QStringLiteral("params"))) {
            if (o.all)
                return poll_texts::ParamsBoth;
            const std::optional<QStringList> codes =
                codeList(parser.value(QStringLiteral("params")));
            if (!codes)
                return poll_texts::ParamsBadCodes.arg(QStringLiteral("--params"),
                                                      parser.value(QStringLiteral("params")));
            o.codes = *codes;
        }
        return {};
    }
    if (positional.size() != 1)
        return poll_texts::ParamsNeedFile.arg(word);
    o.file = positional.front();
    o.dryRun = parser.isSet(QStringLiteral("dry-run"));
    if (parser.isSet(QStringLiteral("include"))) {
        const std::optional<QStringList> codes = codeList(parser.value(QStringLiteral("include")));
        if (!codes)
            return poll_texts::ParamsBadCodes.arg(QStringLiteral("--include"),
                                                  parser.value(QStringLiteral("include")));
        if (codes->contains(QStringLiteral("28")))
            return poll_texts::ParamsNeverAddress;
        o.include = *codes;
    }
    return {};
}

} // namespace

std::optional<ParameterCommand> parameterCommandNamed(const QString& word)
{
    const qsizetype at = kCommandWords.indexOf(word);
    return at < 0 ? std::nullopt : std::optional(ParameterCommand(at));
}

ParsedParameters parseParameterOptions(const QStringList& arguments)
{
    ParsedParameters parsed;
    ParameterOptions& o = parsed.options;
    o.command = parameterCommandNamed(arguments.value(0)).value_or(ParameterCommand::Backup);
    QCommandLineParser parser;
    addOptions(parser);
    parsed.error = parseArguments(parser, arguments);
    if (!parsed.error.isEmpty())
        return parsed;
    if (parser.isSet(QStringLiteral("help"))) {
        o.help = true;
        return parsed;
    }
    o.csvPath = parser.value(QStringLiteral("csv"));
    o.quiet = parser.isSet(QStringLiteral("quiet"));
    o.plan.checkField = !parser.isSet(QStringLiteral("no-check"));
    if (const QString misplaced = misplacedOption(parser, o.command); !misplaced.isEmpty()) {
        parsed.error = poll_texts::ParamsNotFor.arg(misplaced, kCommandWords[int(o.command)]);
        return parsed;
    }
    parsed.error = readNumbers(parser, o.plan);
    if (parsed.error.isEmpty())
        parsed.error = readPlace(parser, o);
    if (parsed.error.isEmpty())
        parsed.error = readCommandOptions(parser, o);
    return parsed;
}

} // namespace poll
