#include "monitor/MonitorSetup.h"

#include "catalogue/AddressRanges.h"
#include "catalogue/FunctionFields.h"
#include "catalogue/FunctionList.h"
#include "catalogue/LineLists.h"
#include "catalogue/ParameterList.h"
#include "diagnosis/DiagnosisPort.h"
#include "monitor/MonitorTexts.h"
#include "platform/PortMapping.h"
#include "wire/NumericText.h"

#include <QRegularExpression>
#include <QSettings>

namespace monitor {

int portNumberOf(const QString& port)
{
    return comPortNumber(port.trimmed());
}

QString deviceOf(const QString& port)
{
    return diagnosis::deviceForPortText(port.trimmed());
}

MonitorSetup loadSetup(QSettings& settings)
{
    MonitorSetup setup;
    settings.beginGroup(QStringLiteral("setup"));
    setup.port = settings.value(QStringLiteral("port"), setup.port).toString();
    if (setup.port.trimmed().isEmpty())
        setup.port = MonitorSetup{}.port;
    const QString line = settings.value(QStringLiteral("line"), setup.lineSettings).toString();
    if (catalogue::lineSettingEntries().contains(line))
        setup.lineSettings = line;
    const int function = settings.value(QStringLiteral("function"), 0).toInt();
    if (function >= 0 && function < catalogue::functionEntries().size())
        setup.functionIndex = function;
    const QString addresses = settings.value(QStringLiteral("addresses")).toString();
    if (parseAddressRanges(addresses))
        setup.addresses = addresses;
    const QString channel = settings.value(QStringLiteral("channel")).toString();
    if (catalogue::channelEntries().contains(channel))
        setup.channel = channel;
    const int parameter = settings.value(QStringLiteral("parameter"), -1).toInt();
    if (parameter >= 0 && parameter < catalogue::parameterEntries().size())
        setup.parameterPosition = parameter;
    const QString value = settings.value(QStringLiteral("value")).toString();
    if (numeric::isNumber(value))
        setup.value = value;
    const int interval = settings.value(QStringLiteral("interval"), -1).toInt();
    if (interval >= 0 && interval <= 3600000)
        setup.intervalMs = interval;
    const int timeout = settings.value(QStringLiteral("timeout"), -1).toInt();
    if (timeout >= 10 && timeout <= 60000)
        setup.timeoutMs = timeout;
    setup.checkField = settings.value(QStringLiteral("check"), true).toBool();
    setup.listen = settings.value(QStringLiteral("listen"), false).toBool();
    setup.port2 = settings.value(QStringLiteral("port2")).toString().trimmed();
    settings.endGroup();
    return setup;
}

void saveSetup(QSettings& settings, const MonitorSetup& setup)
{
    settings.beginGroup(QStringLiteral("setup"));
    settings.setValue(QStringLiteral("port"), setup.port);
    settings.setValue(QStringLiteral("line"), setup.lineSettings);
    settings.setValue(QStringLiteral("function"), setup.functionIndex);
    settings.setValue(QStringLiteral("addresses"), setup.addresses);
    settings.setValue(QStringLiteral("channel"), setup.channel);
    settings.setValue(QStringLiteral("parameter"), setup.parameterPosition);
    settings.setValue(QStringLiteral("value"), setup.value);
    settings.setValue(QStringLiteral("interval"), setup.intervalMs);
    settings.setValue(QStringLiteral("timeout"), setup.timeoutMs);
    settings.setValue(QStringLiteral("check"), setup.checkField);
    settings.setValue(QStringLiteral("listen"), setup.listen);
    settings.setValue(QStringLiteral("port2"), setup.port2);
    settings.endGroup();
}

} // namespace monitor

namespace monitor {

diagnosis::RunPlan runPlanOf(const MonitorSetup& setup)
{
    diagnosis::RunPlan plan;
    plan.port = setup.port.trimmed();
    plan.settings = setup.lineSettings;
    plan.intervalMs = setup.intervalMs;
    plan.timeoutMs = setup.timeoutMs;
    plan.checkField = setup.checkField;
    const wire::Function function =
        wire::functionAt(setup.functionIndex).value_or(wire::Function::Dc1);
    const QString parameter =
        catalogue::parameterCode(catalogue::parameterEntries().value(setup.parameterPosition));
    for (int address : parseAddressRanges(setup.addresses).value_or(QList<int>{})) {
        diagnosis::Target target;
        target.function = function;
        target.address = address;
        target.channel = setup.channel;
        target.param = parameter;
        target.value = setup.value.trimmed();
        plan.targets << target;
    }
    return plan;
}

diagnosis::ListenPlan listenPlanOf(const MonitorSetup& setup)
{
    diagnosis::ListenPlan plan;
    plan.port = setup.port.trimmed();
    plan.port2 = setup.port2.trimmed();
    plan.settings = setup.lineSettings;
    plan.timeoutMs = setup.timeoutMs;
    plan.checkField = setup.checkField;
    return plan;
}

QList<QPair<QString, QString>> setupLines(const MonitorSetup& setup)
{
    namespace texts = monitor_texts;
    const catalogue::FunctionFields fields =
        catalogue::fieldsOf(wire::functionAt(setup.functionIndex).value_or(wire::Function::Dc1));
    if (setup.listen) {
        QList<QPair<QString, QString>> lines = {
            {texts::ModeLabel, texts::Modes[1]},
            {texts::PortLabel, QStringLiteral("%1 (%2)").arg(setup.port, deviceOf(setup.port))},
            {texts::SettingsLabel, setup.lineSettings},
            {texts::TimeoutLabel, QString::number(setup.timeoutMs) + texts::MsSuffix},
            {texts::CheckLabel + QStringLiteral("："), setup.checkField ? texts::Yes : texts::No},
        };
        if (!setup.port2.isEmpty())
            lines.insert(2, {texts::Port2Label,
                             QStringLiteral("%1 (%2)").arg(setup.port2, deviceOf(setup.port2))});
        return lines;
    }
    QList<QPair<QString, QString>> lines = {
        {texts::PortLabel, QStringLiteral("%1 (%2)").arg(setup.port, deviceOf(setup.port))},
        {texts::SettingsLabel, setup.lineSettings},
        {texts::FunctionLabel, catalogue::functionEntries().value(setup.functionIndex)},
        {texts::AddressesLabel, setup.addresses},
        {texts::ChannelLabel, setup.channel},
        {texts::ParameterLabel, fields.parameter
                                    ? catalogue::parameterEntries().value(setup.parameterPosition)
                                    : QString()},
        {texts::ValueLabel, fields.value ? setup.value : QString()},
        {texts::IntervalLabel, QString::number(setup.intervalMs) + texts::MsSuffix},
        {texts::TimeoutLabel, QString::number(setup.timeoutMs) + texts::MsSuffix},
        {texts::CheckLabel + QStringLiteral("："), setup.checkField ? texts::Yes : texts::No},
    };
    return lines;
}

} // namespace monitor
