#include "SimOptions.h"

#include "SimTexts.h"
#include "catalogue/AddressRanges.h"
#include "platform/CommandLineTexts.h"
#include "platform/LineSettings.h"

#include <QSet>
#include <algorithm>
#include <functional>
#include <map>

namespace sim {

namespace {

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

// What an option with a value does with it; false when the value is refused.
using ValueSetter = std::function<bool(SimOptions&, const QString&)>;

ValueSetter intSetter(int low, int high, int SimOptions::*field)
{
    return [=](SimOptions& o, const QString& v) {
        const auto value = parseBounded(v, low, high);
        if (value)
            o.*field = *value;
        return value.has_value();
    };
}

ValueSetter faultSetter(int low, int high, int FaultSettings::*field)
{
    return [=](SimOptions& o, const QString& v) {
        const auto value = parseBounded(v, low, high);
        if (value)
            o.faults.*field = *value;
        return value.has_value();
    };
}

const std::map<QString, ValueSetter>& valueOptions()
{
    static const std::map<QString, ValueSetter> table = {
        {QStringLiteral("--device"),
         [](SimOptions& o, const QString& v) {
             o.device = v;
             return !v.isEmpty();
         }},
        {QStringLiteral("--settings"),
         [](SimOptions& o, const QString& v) {
             o.settings = v;
             return parseLineSettings(v).has_value();
         }},
        {QStringLiteral("--baud"), intSetter(1, 4'000'000, &SimOptions::baud)},
        {QStringLiteral("--wire-time"),
         [](SimOptions& o, const QString& v) {
             o.wireTime = v == u"on";
             return v == u"on" || v == u"off";
         }},
        {QStringLiteral("--reply-delay"), intSetter(0, 60'000, &SimOptions::replyDelayMs)},
        {QStringLiteral("--chunks"), intSetter(1, 1000, &SimOptions::chunks)},
        {QStringLiteral("--chunk-gap"), intSetter(0, 60'000, &SimOptions::chunkGapMs)},
        {QStringLiteral("--noise"), faultSetter(0, 1000, &FaultSettings::noiseCount)},
        {QStringLiteral("--drop"), faultSetter(0, 100, &FaultSettings::dropPercent)},
        {QStringLiteral("--nak"), faultSetter(0, 100, &FaultSettings::nakPercent)},
        {QStringLiteral("--bad-check"), faultSetter(0, 100, &FaultSettings::badCheckPercent)},
        {QStringLiteral("--late"), faultSetter(0, 100, &FaultSettings::latePercent)},
        {QStringLiteral("--late-by"), faultSetter(0, 600'000, &FaultSettings::lateByMs)},
        {QStringLiteral("--jitter"), faultSetter(0, 60'000, &FaultSettings::jitterMs)},
        {QStringLiteral("--seed"),
         [](SimOptions& o, const QString& v) {
             bool ok = false;
             o.seed = v.toULongLong(&ok);
             return ok;
         }},
        {QStringLiteral("--bus"),
         [](SimOptions& o, const QString& v) {
             const auto list = parseAscendingAddresses(v);
             if (list)
                 o.bus.instruments = *list;
             return list.has_value();
         }},
        {QStringLiteral("--faulty"),
         [](SimOptions& o, const QString& v) {
             const auto list = v.isEmpty() ? QList<int>() : parseAscendingAddresses(v);
             if (list)
                 o.bus.faulty = *list;
             return list.has_value();
         }},
        {QStringLiteral("--hbx"),
         [](SimOptions& o, const QString& v) {
             const auto address = parseAddress(v);
             if (address)
                 o.bus.hbxAddress = *address;
             return address.has_value();
         }},
    };
    return table;
}

} // namespace

ParsedOptions parseSimOptions(const QStringList& arguments)
{
    ParsedOptions parsed;
    SimOptions& o = parsed.options;
    bool baudGiven = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString name = arguments[i];
        std::optional<QString> value;
        if (const qsizetype equals = name.indexOf(u'='); name.startsWith(u"--") && equals > 0) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        if (!value && (name == u"--help" || name == u"-h")) {
            o.help = true;
            continue;
        }
        if (!value && name == u"--quiet") {
            o.quiet = true;
            continue;
        }
        const auto setter = valueOptions().find(name);
        if (setter == valueOptions().end())
            return {o, commandline::UnknownOption.arg(arguments[i])};
        if (!value) {
            if (i + 1 >= arguments.size())
                return {o, texts::kMissingValue.arg(name)};
            value = arguments[++i];
        }
        if (!setter->second(o, *value))
            return {o, texts::kBadValue.arg(name, *value)};
        baudGiven = baudGiven || name == u"--baud";
    }
    for (const int address : o.bus.faulty) {
        if (!o.bus.isAttached(address))
            return {o, texts::kFaultyNotOnBus};
    }
    if (!baudGiven)
        o.baud = parseLineSettings(o.settings)->baudRate;
    return parsed;
}

} // namespace sim
