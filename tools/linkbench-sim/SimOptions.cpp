#include "SimOptions.h"

#include "OptionTable.h"
#include "SimTexts.h"
#include "diagnosis/ParameterSetFile.h"
#include "platform/CommandLineTexts.h"
#include "platform/LineSettings.h"

#include <QCommandLineParser>
#include <QHash>
#include <algorithm>

namespace sim {

namespace {

// Where the help's second column starts.
constexpr int kHelpColumn = 23;

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
        if (row.set) {
            values << parser.values(row.names.first());
            continue;
        }
        for (const QString& name : row.names) { // a switch given a value
            const QString withValue = spelling(name) + u'=';
            firstTyped([&](const QString& a) {
                return a.startsWith(withValue) || a.startsWith(u'-' + withValue);
            });
        }
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
    QString text = sim_texts::HelpIntro;
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
        complain(arguments.indexOf(stray), commandline_texts::UnknownOption.arg(stray));
    // In the order given, so that the last of a repeated option counts.
    QHash<QString, qsizetype> taken;
    for (const QString& name : parser.optionNames()) {
        const OptionRow& row = rowNamed(name);
        if (!row.set)
            continue;
        const QStringList values = parser.values(name);
        const qsizetype count = taken[name]++;
        if (count >= values.size())
            complain(arguments.size(), sim_texts::MissingValue.arg(spelling(name)));
        else if (!row.set(o, values[count]))
            complain(placeOf(arguments, name, count),
                     sim_texts::BadValue.arg(spelling(name), values[count]));
    }
    if (complaint)
        return {o, complaint->second};
    o.quiet = parser.isSet(QStringLiteral("quiet"));
    o.help = parser.isSet(QStringLiteral("help"));
    o.tap = parser.isSet(QStringLiteral("tap"));
    for (const int address : o.bus.faulty) {
        if (!o.bus.isAttached(address))
            return {o, sim_texts::FaultyNotOnBus};
    }
    for (const QString& path : o.paramsFiles) {
        diagnosis::TomlProblem problem;
        const std::optional<diagnosis::ParameterSet> set =
            diagnosis::loadParameterSet(path, &problem);
        if (!set)
            return {o, diagnosis::tomlProblemText(path, problem)};
        o.presets << *set;
    }
    if (!parser.isSet(QStringLiteral("baud")))
        o.baud = parseLineSettings(o.settings)->baudRate;
    return parsed;
}

} // namespace sim
