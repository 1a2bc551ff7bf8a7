#pragma once

#include "catalogue/LineLists.h"
#include "diagnosis/DiagnosisTarget.h"

#include <QList>
#include <QString>
#include <optional>

// A test plan: the checks a technician commissioning a cabinet, or a tester at
// the end of a production line, runs on every unit, each with what it expects.
// Read from a TOML file (TestPlanFile.h), run by TestPlanRun.
namespace diagnosis {

// What an exchange must bring for its step to pass.
enum class Expect {
    Reply,    // a framed reply whose check field holds
    Place,    // a framed reply naming the place asked
    Range,    // a value from `low` to `high`
    Equal,    // a value equal to `number`
    Captured, // a value equal to the one captured under `captured`
    Ack,
    Nak,
    Silence, // no answer within the time-out: an address that must be absent
};

enum class StepKind { Exchange, Wait, Prompt };

struct PlanStep
{
    StepKind kind = StepKind::Exchange;
    QString name; // as reports show the step; made from its fields when the file has none
    int line = 0; // where the file has it
    Target target;
    Expect expect = Expect::Reply;
    double low = 0;
    double high = 0;
    double number = 0;
    QString captured; // Captured: the name the value was captured under
    QString capture;  // the name this step's value is kept under for later steps; empty: none
    int timeoutMs = 0;
    int retries = 0;
    int waitMs = 0; // Wait
    QString prompt; // Prompt: what the operator is asked to do before going on
};

struct TestPlan
{
    QString name;
    QString port; // empty: the command line's or the set-up's port
    QString settings = catalogue::defaultLineSettings();
    QList<PlanStep> steps; // a step for a range of addresses is one step per address here
};

// The word a plan file gives an expectation ("ack"), and back.
QString expectWord(Expect expect);
std::optional<Expect> expectNamed(const QString& word);

// What a step expects, as the reports say it: "应答 ACK", "数值 4 到 20".
QString expectedText(const PlanStep& step);

} // namespace diagnosis
