#include "diagnosis/TestPlanFile.h"

#include "catalogue/AddressRanges.h"
#include "catalogue/ParameterList.h"
#include "diagnosis/TestPlanTexts.h"
#include "wire/NumericText.h"

#include <QSet>

namespace diagnosis {

namespace {

// Why a read document is not a plan, at the line of the node at fault.
struct Refused
{
    int line = 0;
    QString reason;
};

const QSet<QString> kTopKeys = {"name", "port", "settings", "defaults", "step"};
const QSet<QString> kDefaultKeys = {"address", "channel", "timeout", "retries"};
const QSet<QString> kStepKeys = {
    "name", "send",   "address",  "addresses", "channel", "param",   "value", "expect", "low",
    "high", "equals", "captured", "capture",   "timeout", "retries", "wait",  "prompt"};

QString keyText(const toml::key& key)
{
    return QString::fromUtf8(key.str().data(), qsizetype(key.str().size()));
}

void refuseUnknownKeys(const toml::table& table, const QSet<QString>& known)
{
    for (auto&& [key, node] : table) {
        if (!known.contains(keyText(key)))
            throw Refused{lineOf(node), plan_texts::UnknownKey.arg(keyText(key))};
    }
}

std::optional<QString> text(const toml::table& table, const char* key)
{
    const toml::node* node = table.get(key);
    if (!node)
        return std::nullopt;
    const std::optional<QString> found = stringAt(node);
    if (!found)
        throw Refused{lineOf(*node), plan_texts::NotText.arg(QLatin1String(key))};
    return found;
}

std::optional<int> integer(const toml::table& table, const char* key, int low, int high)
{
    const toml::node* node = table.get(key);
    if (!node)
        return std::nullopt;
    const std::optional<int64_t> value = node->is_integer() ? node->value<int64_t>() : std::nullopt;
    if (!value || *value < low || *value > high)
        throw Refused{lineOf(*node),
                      plan_texts::BadInteger.arg(QLatin1String(key)).arg(low).arg(high)};
    return int(*value);
}

double number(const toml::table& table, const char* key, const QString& expect)
{
    const toml::node* node = table.get(key);
    if (!node)
        throw Refused{lineOf(table), plan_texts::NeedsKey.arg(expect, QLatin1String(key))};
    if (!node->is_number())
        throw Refused{lineOf(*node), plan_texts::NotNumber.arg(QLatin1String(key))};
    return *node->value<double>();
}

QString channel(const toml::table& table, const QString& fallback)
{
    const std::optional<QString> found = text(table, "channel");
    if (found && !catalogue::channelEntries().contains(*found))
        throw Refused{lineOf(*table.get("channel")), plan_texts::BadChannel.arg(*found)};
    return found.value_or(fallback);
}

const toml::table& tableAt(const toml::node& node, const QString& what)
{
    if (!node.is_table())
        throw Refused{lineOf(node), plan_texts::NotTable.arg(what)};
    return *node.as_table();
}

// The expectation of an exchange step, with its figures.
void readExpectation(const toml::table& table, PlanStep& step, const QSet<QString>& captured)
{
    const Function function = step.target.function;
    const std::optional<QString> word = text(table, "expect");
    const int line = word ? lineOf(*table.get("expect")) : step.line;
    step.expect = wire::isWrite(function) ? Expect::Ack : Expect::Reply;
    if (word) {
        const std::optional<Expect> named = expectNamed(*word);
        if (!named)
            throw Refused{line, plan_texts::BadExpect.arg(*word)};
        step.expect = *named;
    }
    const bool yieldsValue = step.expect == Expect::Range || step.expect == Expect::Equal ||
                             step.expect == Expect::Captured;
    const bool answersWrite = step.expect == Expect::Ack || step.expect == Expect::Nak;
    if ((wire::isWrite(function) &&
         (yieldsValue || step.expect == Expect::Place || step.expect == Expect::Reply)) ||
        (!wire::isWrite(function) && answersWrite))
        throw Refused{line, plan_texts::ExpectNotFor.arg(expectWord(step.expect),
                                                         wire::functionName(function))};
    const QString expect = expectWord(step.expect);
    if (step.expect == Expect::Range) {
        step.low = number(table, "low", expect);
        step.high = number(table, "high", expect);
        if (step.low > step.high)
            throw Refused{lineOf(*table.get("high")), plan_texts::EmptyRange};
    } else if (step.expect == Expect::Equal) {
        step.number = number(table, "equals", expect);
    } else if (step.expect == Expect::Captured) {
        const std::optional<QString> name = text(table, "captured");
        if (!name)
            throw Refused{line, plan_texts::NeedsKey.arg(expect, QStringLiteral("captured"))};
        if (!captured.contains(*name))
            throw Refused{lineOf(*table.get("captured")), plan_texts::NotCaptured.arg(*name)};
        step.captured = *name;
    }
    step.capture = text(table, "capture").value_or(QString());
    if (!step.capture.isEmpty() && step.expect == Expect::Silence)
        throw Refused{lineOf(*table.get("capture")), plan_texts::NothingToCapture};
}

// The target of an exchange step, but for its address.
void readTarget(const toml::table& table, const QString& send, PlanStep& step)
{
    const std::optional<Function> function = wire::functionNamed(send);
    if (!function)
        throw Refused{lineOf(*table.get("send")), plan_texts::BadFunction.arg(send)};
    step.target.function = *function;
    step.target.channel = channel(table, step.target.channel);
    const std::optional<QString> param = text(table, "param");
    if (*function != Function::Dc1) {
        if (!param)
            throw Refused{step.line, plan_texts::NeedsParameter.arg(send)};
        if (param->size() != 2 || catalogue::parameterPosition(*param) < 0)
            throw Refused{lineOf(*table.get("param")), plan_texts::BadParameter.arg(*param)};
        step.target.param = *param;
    }
    if (wire::isWrite(*function)) {
        const std::optional<QString> value = text(table, "value");
        if (!value)
            throw Refused{step.line, plan_texts::NeedsValue};
        if (!numeric::isNumber(*value))
            throw Refused{lineOf(*table.get("value")), plan_texts::BadValue.arg(*value)};
        step.target.value = *value;
    }
}

// The keys a step of its kind reads; any other is a slip that would be
// silently ignored ("equals" on a range step).
QSet<QString> keysOf(const PlanStep& step)
{
    if (step.kind == StepKind::Wait)
        return {"name", "wait"};
    if (step.kind == StepKind::Prompt)
        return {"name", "prompt"};
    QSet<QString> keys = {"name",    "send",    "address", "addresses", "channel",
                          "timeout", "retries", "expect",  "capture"};
    if (step.target.function != Function::Dc1)
        keys << "param";
    if (wire::isWrite(step.target.function))
        keys << "value";
    if (step.expect == Expect::Range)
        keys << "low"
             << "high";
    else if (step.expect == Expect::Equal)
        keys << "equals";
    else if (step.expect == Expect::Captured)
        keys << "captured";
    return keys;
}

void refuseForeignKeys(const toml::table& table, const PlanStep& step)
{
    const QSet<QString> keys = keysOf(step);
    for (auto&& [key, node] : table) {
        if (!keys.contains(keyText(key)))
            throw Refused{lineOf(node), plan_texts::KeyNotFor.arg(keyText(key))};
    }
}

// One step of the file, or one per address when it names a range of them.
QList<PlanStep> readStep(const toml::table& table, const PlanStep& defaults,
                         QSet<QString>& captured)
{
    refuseUnknownKeys(table, kStepKeys);
    PlanStep step = defaults;
    step.line = lineOf(table);
    step.name = text(table, "name").value_or(QString());
    step.timeoutMs = integer(table, "timeout", 1, 600'000).value_or(defaults.timeoutMs);
    step.retries = integer(table, "retries", 0, 100).value_or(defaults.retries);
    const std::optional<QString> send = text(table, "send");
    const std::optional<int> wait = integer(table, "wait", 0, 3'600'000);
    const std::optional<QString> prompt = text(table, "prompt");
    if (int(bool(send)) + int(bool(wait)) + int(bool(prompt)) != 1)
        throw Refused{step.line, plan_texts::StepKind};
    if (wait) {
        step.kind = StepKind::Wait;
        step.waitMs = *wait;
        refuseForeignKeys(table, step);
        return {step};
    }
    if (prompt) {
        step.kind = StepKind::Prompt;
        step.prompt = *prompt;
        refuseForeignKeys(table, step);
        return {step};
    }
    readTarget(table, *send, step);
    readExpectation(table, step, captured);
    refuseForeignKeys(table, step);
    if (!step.capture.isEmpty())
        captured.insert(step.capture);

    step.target.address = integer(table, "address", 1, 255).value_or(step.target.address);
    const std::optional<QString> range = text(table, "addresses");
    if (!range)
        return {step};
    if (table.get("address"))
        throw Refused{lineOf(*table.get("addresses")), plan_texts::BothAddresses};
    const std::optional<QList<int>> addresses = parseAddressRanges(*range);
    if (!addresses)
        throw Refused{lineOf(*table.get("addresses")), plan_texts::BadAddresses.arg(*range)};
    QList<PlanStep> steps;
    for (const int address : *addresses) {
        PlanStep one = step;
        one.target.address = address;
        if (!one.name.isEmpty())
            one.name = plan_texts::ForAddress.arg(step.name).arg(address);
        steps << one;
    }
    return steps;
}

TestPlan planOf(const toml::table& doc)
{
    refuseUnknownKeys(doc, kTopKeys);
    TestPlan plan;
    const std::optional<QString> name = text(doc, "name");
    if (!name || name->trimmed().isEmpty())
        throw Refused{doc.get("name") ? lineOf(*doc.get("name")) : 1, plan_texts::NoName};
    plan.name = *name;
    plan.port = text(doc, "port").value_or(QString());
    if (const std::optional<QString> settings = text(doc, "settings")) {
        if (!catalogue::lineSettingEntries().contains(*settings))
            throw Refused{lineOf(*doc.get("settings")), plan_texts::BadSettings.arg(*settings)};
        plan.settings = *settings;
    }
    PlanStep defaults;
    defaults.timeoutMs = 1000;
    defaults.retries = 2;
    if (const toml::node* node = doc.get("defaults")) {
        const toml::table& table = tableAt(*node, QStringLiteral("[defaults]"));
        refuseUnknownKeys(table, kDefaultKeys);
        defaults.target.address = integer(table, "address", 1, 255).value_or(1);
        defaults.target.channel = channel(table, defaults.target.channel);
        defaults.timeoutMs = integer(table, "timeout", 1, 600'000).value_or(defaults.timeoutMs);
        defaults.retries = integer(table, "retries", 0, 100).value_or(defaults.retries);
    }
    const toml::node* steps = doc.get("step");
    if (!steps || !steps->is_array_of_tables() || steps->as_array()->empty())
        throw Refused{steps ? lineOf(*steps) : 0, plan_texts::NoSteps};
    QSet<QString> captured;
    for (const toml::node& node : *steps->as_array())
        plan.steps << readStep(tableAt(node, QStringLiteral("[[step]]")), defaults, captured);
    for (PlanStep& step : plan.steps) {
        if (step.name.isEmpty())
            step.name = step.kind == StepKind::Exchange ? targetLabel(step.target)
                        : step.kind == StepKind::Wait   ? expectedText(step)
                                                        : step.prompt;
    }
    return plan;
}

std::optional<TestPlan> planFrom(const std::optional<toml::table>& doc, TomlProblem* problem)
{
    if (!doc)
        return std::nullopt;
    try {
        return planOf(*doc);
    } catch (const Refused& refused) {
        if (problem)
            *problem = {refused.line, refused.reason};
        return std::nullopt;
    }
}

} // namespace

std::optional<TestPlan> parseTestPlan(const QByteArray& text, TomlProblem* problem)
{
    return planFrom(readToml(text, problem), problem);
}

std::optional<TestPlan> loadTestPlan(const QString& path, TomlProblem* problem)
{
    return planFrom(readTomlFile(path, problem), problem);
}

QString planProblemText(const QString& path, const TomlProblem& problem)
{
    if (problem.line <= 0)
        return plan_texts::FileProblem.arg(path, problem.reason);
    return plan_texts::LineProblem.arg(path).arg(problem.line).arg(problem.reason);
}

} // namespace diagnosis
