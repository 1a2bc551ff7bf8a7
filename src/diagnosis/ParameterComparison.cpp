#include "diagnosis/ParameterComparison.h"

#include "diagnosis/ParameterRoles.h"
#include "diagnosis/ParameterSetTexts.h"

namespace diagnosis {

QList<ParameterDifference> differencesFrom(const ParameterSet& set,
                                           const QList<ParameterReading>& readings)
{
    QList<ParameterDifference> differences;
    for (const ParameterEntry& entry : set.entries) {
        // The address a file keeps is where it was read: another instrument,
        // the clone of the first, rightly has its own.
        if (isAddressParameter(entry.code))
            continue;
        std::optional<QByteArray> value;
        for (const ParameterReading& reading : readings) {
            if (reading.code == entry.code)
                value = reading.value;
        }
        if (!value || !sameValue(entry.value, *value))
            differences << ParameterDifference{entry.code, entry.value, value};
    }
    return differences;
}

bool restoreMayWrite(const QString& code, const QStringList& include)
{
    if (isAddressParameter(code))
        return false;
    return parameterRole(code) == ParameterRole::Configures || include.contains(code);
}

QList<ParameterWrite> restoreWrites(const QList<ParameterDifference>& differences,
                                    const QStringList& include)
{
    QList<ParameterWrite> writes;
    for (const ParameterDifference& d : differences) {
        if (d.instrumentValue && restoreMayWrite(d.code, include)) {
            ParameterWrite write;
            write.code = d.code;
            write.value = d.setValue;
            write.before = *d.instrumentValue;
            writes << write;
        }
    }
    return writes;
}

QString writeStatusText(const ParameterWrite& write)
{
    switch (write.status) {
    case WriteStatus::Written:
        return paramset_texts::Written;
    case WriteStatus::WrittenUnchecked:
        return paramset_texts::WrittenUnchecked;
    case WriteStatus::Refused:
        return paramset_texts::Refused;
    case WriteStatus::Failed:
        return paramset_texts::Failed + u'：' + write.reason;
    case WriteStatus::NotSent:
        break;
    }
    return paramset_texts::NotSent;
}

} // namespace diagnosis
