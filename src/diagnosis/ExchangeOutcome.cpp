#include "diagnosis/ExchangeOutcome.h"

namespace diagnosis {

QString outcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Ok:
        return QStringLiteral("ok");
    case Outcome::Timeout:
        return QStringLiteral("timeout");
    case Outcome::Nak:
        return QStringLiteral("nak");
    case Outcome::Check:
        return QStringLiteral("check");
    case Outcome::Malformed:
        return QStringLiteral("malformed");
    }
    return {};
}

} // namespace diagnosis
