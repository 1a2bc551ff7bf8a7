#include "diagnosis/ParameterRoles.h"

#include "catalogue/ParameterList.h"

namespace diagnosis {

namespace {

constexpr int kFirstInstrumentCode = 1;
constexpr int kLastInstrumentCode = 57;

const QStringList kReadOnly = {QStringLiteral("02"), QStringLiteral("09"), QStringLiteral("10")};
const QStringList kActing = {QStringLiteral("27"), QStringLiteral("28"), QStringLiteral("29"),
                             QStringLiteral("30"), QStringLiteral("42"), QStringLiteral("43")};

} // namespace

ParameterRole parameterRole(const QString& code)
{
    if (kActing.contains(code))
        return ParameterRole::Acts;
    const int number = code.toInt();
    if (kReadOnly.contains(code) || number < kFirstInstrumentCode || number > kLastInstrumentCode)
        return ParameterRole::Reads;
    return ParameterRole::Configures;
}

bool isAddressParameter(const QString& code)
{
    return code == u"28";
}

QStringList instrumentParameterCodes()
{
    QStringList codes;
    for (int code = kFirstInstrumentCode; code <= kLastInstrumentCode; ++code)
        codes << QStringLiteral("%1").arg(code, 2, 10, QLatin1Char('0'));
    return codes;
}

QStringList defaultParameterCodes()
{
    QStringList codes;
    for (const QString& code : instrumentParameterCodes()) {
        if (parameterRole(code) == ParameterRole::Configures && !parameterName(code).isEmpty())
            codes << code;
    }
    return codes;
}

QString parameterText(const QString& code)
{
    const int position = catalogue::parameterPosition(code);
    return position < 0 ? QString() : catalogue::parameterEntries().at(position);
}

QString parameterName(const QString& code)
{
    return parameterText(code).mid(3).trimmed();
}

} // namespace diagnosis
