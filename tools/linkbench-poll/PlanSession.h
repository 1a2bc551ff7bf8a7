#pragma once

#include "CsvLog.h"
#include "diagnosis/TestPlanRun.h"
#include "diagnosis/TestRecord.h"

#include <QEventLoop>
#include <QObject>
#include <cstdio>

// linkbench-poll plan FILE: runs a test plan on one unit, says each step's
// verdict as it comes, then the summary, and writes the JUnit file, the
// certificate and the per-exchange CSV when asked.
namespace poll {

struct PlanOptions
{
    QString file;
    QString port; // empty: the plan's, else the default
    QString settings;
    QString unit;
    QString operatorName;
    QString junitPath;
    QString reportPath;
    QString csvPath;
    bool yes = false;
    bool quiet = false;
    bool help = false;
};

struct ParsedPlan
{
    PlanOptions options;
    QString error;
};

// Reads the arguments after "plan".
ParsedPlan parsePlanOptions(const QStringList& arguments);

class PlanSession : public QObject
{
    Q_OBJECT
public:
    PlanSession(const PlanOptions& options, std::FILE* out, std::FILE* err,
                std::unique_ptr<SerialLine> line, QObject* parent = nullptr);

    int exec();
    void interrupt();

private:
    void onStepFinished(int index);
    void onPrompt(int index, const QString& text);
    void readInput();
    void onExchange(const diagnosis::ExchangeRecord& record);
    bool writeOutputs(const diagnosis::TestRecord& record);
    void print(std::FILE* stream, const QString& text);

    PlanOptions m_options;
    std::FILE* m_out;
    std::FILE* m_err;
    diagnosis::TestPlanRun m_run;
    CsvLog m_csv;
    bool m_csvFailed = false;
    bool m_readingInput = false;
    bool m_inputEnded = false;
    QEventLoop m_loop;
};

// Parses the command line after "plan", runs it and returns the exit status.
int runPlanCommand(const QStringList& arguments);

} // namespace poll
