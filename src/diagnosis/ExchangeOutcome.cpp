#include "diagnosis/ExchangeOutcome.h"

namespace diagnosis {

namespace {

// Each row stands at its outcome's value, so outcomeKind() can index the table.
constexpr bool rowsInOrder()
{
    for (std::size_t i = 0; i < kOutcomes.size(); ++i) {
        if (std::size_t(kOutcomes[i].outcome) != i)
            return false;
    }
    return true;
}
static_assert(rowsInOrder(), "kOutcomes must list the outcomes in their order");

} // namespace

QString outcomeName(Outcome outcome)
{
    return QString::fromLatin1(outcomeKind(outcome).word);
}

QString outcomeLabel(Outcome outcome)
{
    return QString::fromUtf16(outcomeKind(outcome).label);
}

} // namespace diagnosis
