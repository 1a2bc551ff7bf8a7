#include "diagnosis/ParameterSet.h"

#include "wire/CommandFrame.h"

namespace diagnosis {

const ParameterEntry* ParameterSet::entry(const QString& code) const
{
    for (const ParameterEntry& e : entries) {
        if (e.code == code)
            return &e;
    }
    return nullptr;
}

QByteArray writeField(const QString& value)
{
    return wire::valueField(value).toLatin1();
}

bool sameValue(const QString& setValue, const QByteArray& instrumentValue)
{
    return setValue.toLatin1() == instrumentValue || writeField(setValue) == instrumentValue;
}

QString toolName()
{
    return QStringLiteral("LinkBench " LINKBENCH_VERSION);
}

} // namespace diagnosis
