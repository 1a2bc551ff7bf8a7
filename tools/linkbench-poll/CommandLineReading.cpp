#include "CommandLineReading.h"

#include "PollSession.h"
#include "PollTexts.h"
#include "catalogue/LineLists.h"
#include "platform/CommandLineTexts.h"
#include "platform/LineSettings.h"

#include <cstdio>

namespace poll {

namespace {

bool sameLine(const LineSettings& a, const LineSettings& b)
{
    return a.baudRate == b.baudRate && a.parity == b.parity && a.dataBits == b.dataBits &&
           a.stopBits == b.stopBits;
}

} // namespace

QString parseArguments(QCommandLineParser& parser, const QStringList& arguments)
{
    // "--port=COM1" and "--port COM1" alike; single-dash forms are not options of ours.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (parser.parse(QStringList{QStringLiteral("linkbench-poll")} + arguments))
        return {};
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.isEmpty())
        return poll_texts::Usage.arg(parser.errorText());
    // QCommandLineParser names an unknown option without its dashes.
    const QString& name = unknown.front();
    return commandline_texts::UnknownOption.arg(
        (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
}

std::optional<QString> listedSettings(const QString& text)
{
    const std::optional<LineSettings> asked = parseLineSettings(text);
    if (!asked)
        return std::nullopt;
    for (const QString& entry : catalogue::lineSettingEntries()) {
        if (sameLine(*parseLineSettings(entry), *asked))
            return entry;
    }
    return std::nullopt;
}

std::optional<QString> settingsOption(const QCommandLineParser& parser, const QString& fallback,
                                      QString* error)
{
    if (!parser.isSet(QStringLiteral("settings")))
        return fallback;
    const QString text = parser.value(QStringLiteral("settings"));
    const std::optional<QString> listed = listedSettings(text);
    if (!listed && error)
        *error = poll_texts::BadSettings.arg(text, catalogue::lineSettingEntries().join(u' '));
    return listed;
}

std::optional<int> answerWithoutRunning(const QString& error, bool help, const QString& helpText)
{
    if (!error.isEmpty()) {
        std::fputs((error + u'\n').toUtf8().constData(), stderr);
        return kExitUsage;
    }
    if (help) {
        std::fputs(helpText.toUtf8().constData(), stdout);
        return kExitAllOk;
    }
    return std::nullopt;
}

} // namespace poll
