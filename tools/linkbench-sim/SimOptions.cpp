#include "SimOptions.h"

#include "SimTexts.h"
#include "catalogue/AddressRanges.h"
#include "platform/LineSettings.h"

#include <QCommandLineParser>
#include <QHash>
#include <algorithm>
#include <functional>
#include <vector>

namespace sim {

namespace {

// Where the help's second column starts.
constexpr int kHelpColumn = 23;

// What an option's value sets; false when the value is refused.
using ValueSetter = std::function<bool(SimOptions&, const QString&)>;

// One option: its names, the name of its value (none for a switch), its help
// (a Chinese line, then an English one) and what its value sets.
struct OptionRow
{
    QStringList names;
    QString valueName;
    QString help;
    ValueSetter set;
};

std::optional<int> parseAddress(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 1 || value > 255)
        return std::nullopt;
    return value;
}

std::optional<int> parseBounded(const QString& text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

ValueSetter intSetter(int low, int high, int SimOptions::*field)
{
    return [=](SimOptions& o, const QString& v) {
        const auto value = parseBounded(v, low, high);
        if (value)
            o.*field = *value;
        return value.has_value();
    };
}

OptionRow faultOption(const Fault& fault)
{
    return {{fault.option}, fault.valueName, fault.help, [&fault](SimOptions& o, const QString& v) {
                const auto value = parseBounded(v, fault.low, fault.high);
                if (value)
                    o.faults.*fault.setting = *value;
                return value.has_value();
            }};
}

// The options in the order the help lists them: those of the line, the
// faults, then those of the bus and the run.
const std::vector<OptionRow>& optionRows()
{
    static const std::vector<OptionRow> rows = [] {
        std::vector<OptionRow> all = {
            {{QStringLiteral("device")},
             QStringLiteral("PATH"),
             QStringLiteral("连接真实串口而不建伪终端\n"
                            "attach to a real serial port instead of a pty"),
             [](SimOptions& o, const QString& v) {
                 o.device = v;
                 return !v.isEmpty();
             }},
            {{QStringLiteral("settings")},
             QStringLiteral("TEXT"),
             QStringLiteral("线路设置，默认 9600,n,8,2\n"
                            "line settings as in the tool's list (default 9600,n,8,2)"),
             [](SimOptions& o, const QString& v) {
                 o.settings = v;
                 return parseLineSettings(v).has_value();
             }},
            {{QStringLiteral("baud")},
             QStringLiteral("N"),
             QStringLiteral("伪终端上计算线时的速率，默认取自 --settings\n"
                            "speed for the wire time on a pty (default from --settings)"),
             intSetter(1, 4'000'000, &SimOptions::baud)},
            {{QStringLiteral("wire-time")},
             QStringLiteral("on|off"),
             QStringLiteral("伪终端上按每字符 11 位的线时发送，默认 on\n"
                            "pace every character at 11 bits on a pty (default on)"),
             [](SimOptions& o, const QString& v) {
                 o.wireTime = v == u"on";
                 return v == u"on" || v == u"off";
             }},
            {{QStringLiteral("reply-delay")},
             QStringLiteral("MS"),
             QStringLiteral("命令结束到应答开始的延时，默认 20\n"
                            "delay from the command's end to the reply (default 20)"),
             intSetter(0, 60'000, &SimOptions::replyDelayMs)},
            {{QStringLiteral("chunks")},
             QStringLiteral("N"),
             QStringLiteral("应答分 N 段发送，默认 1\n"
                            "send each reply in N pieces (default 1)"),
             intSetter(1, 1000, &SimOptions::chunks)},
            {{QStringLiteral("chunk-gap")},
             QStringLiteral("MS"),
             QStringLiteral("分段之间的间隔，默认 20\n"
                            "pause between the pieces (default 20)"),
             intSetter(0, 60'000, &SimOptions::chunkGapMs)},
        };
        for (const Fault& fault : faultTable())
            all.push_back(faultOption(fault));
        all.insert(all.end(),
                   {
                       {{QStringLiteral("seed")},
                        QStringLiteral("N"),
                        QStringLiteral("随机种子，可重复运行；默认随机并写入日志\n"
                                       "seed for repeatable runs (default: random, logged)"),
                        [](SimOptions& o, const QString& v) {
                            bool ok = false;
                            o.seed = v.toULongLong(&ok);
                            return ok;
                        }},
                       {{QStringLiteral("bus")},
                        QStringLiteral("LIST"),
                        QStringLiteral("总线上的仪表地址，默认 001-011（例 001-005,009）\n"
                                       "instrument addresses on the bus (default 001-011)"),
                        [](SimOptions& o, const QString& v) {
                            const auto list = parseAscendingAddresses(v);
                            if (list)
                                o.bus.instruments = *list;
                            return list.has_value();
                        }},
                       {{QStringLiteral("faulty")},
                        QStringLiteral("LIST"),
                        QStringLiteral("挂接但故障（不应答）的仪表，默认无\n"
                                       "attached but faulty (silent) instruments (default none)"),
                        [](SimOptions& o, const QString& v) {
                            const auto list =
                                v.isEmpty() ? QList<int>() : parseAscendingAddresses(v);
                            if (list)
                                o.bus.faulty = *list;
                            return list.has_value();
                        }},
                       {{QStringLiteral("hbx")},
                        QStringLiteral("N"),
                        QStringLiteral("HBX 集中器地址，默认 05\n"
                                       "address of the HBX concentrator (default 05)"),
                        [](SimOptions& o, const QString& v) {
                            const auto address = parseAddress(v);
                            if (address)
                                o.bus.hbxAddress = *address;
                            return address.has_value();
                        }},
                       {{QStringLiteral("quiet")},
                        {},
                        QStringLiteral("不在标准错误输出记录每次通讯\n"
                                       "do not log each exchange on standard error"),
                        {}},
                       {{QStringLiteral("help"), QStringLiteral("h")},
                        {},
                        QStringLiteral("显示本帮助\n"
                                       "show this help"),
                        {}},
                   });
        return all;
    }();
    return rows;
}

const OptionRow& rowNamed(const QString& name)
{
    return *std::find_if(optionRows().begin(), optionRows().end(),
                         [&](const OptionRow& row) { return row.names.contains(name); });
}

QString spelling(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// What QCommandLineParser could not place or took in a way of its own, named
// as it was typed: an option we do not have, a value given to a switch,
// anything that is no option.
QStringList strayArguments(const QCommandLineParser& parser, const QStringList& arguments)
{
    QStringList strays = parser.positionalArguments();
    auto firstTyped = [&](const auto& typedAs) {
        const auto found = std::find_if(arguments.begin(), arguments.end(), typedAs);
        if (found != arguments.end())
            strays << *found;
    };
    for (const QString& name : parser.unknownOptionNames()) {
        const QString longForm = QStringLiteral("--") + name;
        firstTyped([&](const QString& argument) {
            const bool shortGroup = argument.startsWith(u'-') && !argument.startsWith(u"--");
            return argument == longForm || argument.startsWith(longForm + u'=') ||
                   (shortGroup && argument.indexOf(name, 1) > 0);
        });
    }
    QStringList values;
    for (const OptionRow& row : optionRows()) {
        for (const QString& name : row.names) {
            const QString withValue = spelling(name) + u'=';
            if (!row.set)
                firstTyped([&](const QString& a) {
                    return a.startsWith(withValue) || a.startsWith(u'-' + withValue);
                });
        }
        if (row.set)
            values << parser.values(row.names.first());
    }
    // Spellings Qt takes that are none of ours: "--" before arguments that are
    // not to be options, and short options run together ("-hh").
    for (const QString& argument : arguments) {
        const bool notOurs = argument == u"--" ||
                             (argument.size() > 2 && argument[0] == u'-' && argument[1] != u'-');
        if (notOurs && arguments.count(argument) > values.count(argument))
            strays << argument;
    }
    return strays;
}

// Where the `count`th use of the option `name` stands among the arguments.
qsizetype placeOf(const QStringList& arguments, const QString& name, qsizetype count)
{
    const QString longForm = QStringLiteral("--") + name;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if ((argument == longForm || argument.startsWith(longForm + u'=')) && count-- == 0)
            return i;
    }
    return arguments.size();
}

} // namespace

QString simHelp()
{
    QString text = texts::kHelpIntro;
    for (const OptionRow& row : optionRows()) {
        QStringList spellings;
        for (const QString& name : row.names)
            spellings << spelling(name);
        QString names = spellings.join(QStringLiteral(", "));
        if (!row.valueName.isEmpty())
            names += u' ' + row.valueName;
        const QStringList lines = row.help.split(u'\n');
        text += QStringLiteral("  ") + names.leftJustified(kHelpColumn - 3) + u' ' + lines.first() +
                u'\n';
        for (const QString& line : lines.mid(1))
            text += QString(kHelpColumn, u' ') + line + u'\n';
    }
    return text;
}

ParsedOptions parseSimOptions(const QStringList& arguments)
{
    ParsedOptions parsed;
    SimOptions& o = parsed.options;
    QCommandLineParser parser;
    for (const OptionRow& row : optionRows())
        parser.addOption(QCommandLineOption(row.names, row.help, row.valueName));
    // Its verdict is not needed: every fault it finds is named below, as typed.
    parser.parse(QStringList{QStringLiteral("linkbench-sim")} + arguments);

    // Of several faults, the one named is the first on the command line.
    std::optional<std::pair<qsizetype, QString>> complaint;
    auto complain = [&](qsizetype at, const QString& text) {
        if (!complaint || at < complaint->first)
            complaint.emplace(at, text);
    };
    for (const QString& stray : strayArguments(parser, arguments))
        complain(arguments.indexOf(stray), texts::kUnknownOption.arg(stray));
    // In the order given, so that the last of a repeated option counts.
    QHash<QString, qsizetype> taken;
    for (const QString& name : parser.optionNames()) {
        const OptionRow& row = rowNamed(name);
        if (!row.set)
            continue;
        const QStringList values = parser.values(name);
        const qsizetype count = taken[name]++;
        if (count >= values.size())
            complain(arguments.size(), texts::kMissingValue.arg(spelling(name)));
        else if (!row.set(o, values[count]))
            complain(placeOf(arguments, name, count),
                     texts::kBadValue.arg(spelling(name), values[count]));
    }
    if (complaint)
        return {o, complaint->second};
    o.quiet = parser.isSet(QStringLiteral("quiet"));
    o.help = parser.isSet(QStringLiteral("help"));
    for (const int address : o.bus.faulty) {
        if (!o.bus.isAttached(address))
            return {o, texts::kFaultyNotOnBus};
    }
    if (!parser.isSet(QStringLiteral("baud")))
        o.baud = parseLineSettings(o.settings)->baudRate;
    return parsed;
}

} // namespace sim
