#pragma once

#include "diagnosis/TestPlanRun.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// What a plan run on one unit came to, as its certificate and its JUnit file
// keep it. The certificate is printed by a program that may link the printer
// (linkbench-certificate, the monitor), so the record also goes as JSON.
namespace diagnosis {

struct StepRecord
{
    QString name;
    QString expected;
    QString actual;
    Verdict verdict = Verdict::NotRun;
    QString reason;
    QStringList frames;
    qint64 elapsedMs = 0;
};

struct TestRecord
{
    QString planName;
    QString planFile;
    QString planHash; // SHA-256 of the plan file's bytes, in hex
    QString tool;     // "LinkBench 1.0"
    QDateTime started;
    QString operatorName;
    QString unit; // the unit's serial
    QString port;
    QString settings;
    QList<StepRecord> steps;
    Verdict overall = Verdict::Fail;
};

// The SHA-256 of `bytes` in lower-case hex.
QString planHash(const QByteArray& bytes);

// The record of a finished run.
TestRecord recordOf(const TestPlanRun& run);

QByteArray recordJson(const TestRecord& record);
std::optional<TestRecord> recordFromJson(const QByteArray& json);

// The run as JUnit XML: one test suite, one test case per step, a failure with
// its reason for a step that failed, the step's frames as its output.
QByteArray junitXml(const TestRecord& record);

// The name files of a unit's run share: "SERIAL_yyyyMMdd-HHmmss", with
// characters no file name may hold replaced by "_".
QString recordFileStem(const TestRecord& record);

} // namespace diagnosis
