#include "diagnosis/TestPlan.h"

#include "diagnosis/TestPlanTexts.h"

#include <array>

namespace diagnosis {

namespace {

struct ExpectRow
{
    Expect expect;
    const char* word;
};

// Each expectation's word in a plan file, in the enum's order.
constexpr std::array kExpectWords = {
    ExpectRow{Expect::Reply, "reply"},       ExpectRow{Expect::Place, "place"},
    ExpectRow{Expect::Range, "range"},       ExpectRow{Expect::Equal, "equal"},
    ExpectRow{Expect::Captured, "captured"}, ExpectRow{Expect::Ack, "ack"},
    ExpectRow{Expect::Nak, "nak"},           ExpectRow{Expect::Silence, "none"},
};

QString number(double value)
{
    return QString::number(value, 'g', 15);
}

} // namespace

QString expectWord(Expect expect)
{
    return QString::fromLatin1(kExpectWords[std::size_t(expect)].word);
}

std::optional<Expect> expectNamed(const QString& word)
{
    for (const ExpectRow& row : kExpectWords) {
        if (word == QLatin1String(row.word))
            return row.expect;
    }
    return std::nullopt;
}

QString expectedText(const PlanStep& step)
{
    switch (step.kind) {
    case StepKind::Wait:
        return plan_texts::ExpectWait.arg(step.waitMs);
    case StepKind::Prompt:
        return plan_texts::ExpectConfirm;
    case StepKind::Exchange:
        break;
    }
    switch (step.expect) {
    case Expect::Reply:
        return plan_texts::ExpectReply;
    case Expect::Place:
        return plan_texts::ExpectPlace;
    case Expect::Range:
        return plan_texts::ExpectRange.arg(number(step.low), number(step.high));
    case Expect::Equal:
        return plan_texts::ExpectEqual.arg(number(step.number));
    case Expect::Captured:
        return plan_texts::ExpectCaptured.arg(step.captured);
    case Expect::Ack:
        return plan_texts::ExpectAck;
    case Expect::Nak:
        return plan_texts::ExpectNak;
    case Expect::Silence:
        return plan_texts::ExpectSilence;
    }
    return {};
}

} // namespace diagnosis
