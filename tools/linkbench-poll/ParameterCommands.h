#pragma once

#include "CsvLog.h"
#include "ParameterOptions.h"
#include "diagnosis/ParameterComparison.h"
#include "diagnosis/ParameterSet.h"
#include "diagnosis/ParameterTransfer.h"

#include <QEventLoop>
#include <QObject>
#include <cstdio>
#include <optional>

// linkbench-poll backup, compare and restore: reads (and writes) an
// instrument's parameters over the transfer, prints what became of each, and
// tells the exit status. Every exchange goes to the --csv file as in polling.
namespace poll {

class ParameterSession : public QObject
{
    Q_OBJECT
public:
    ParameterSession(const ParameterOptions& options, std::FILE* out, std::FILE* err,
                     std::unique_ptr<SerialLine> line, QObject* parent = nullptr);

    int exec();
    // Ctrl+C: the run ends after the exchange in progress, and says what it did.
    void interrupt();

private:
    int backup();
    int compare();
    int restore();
    // Runs the transfer to its end; an exit status when it could not start.
    std::optional<int> run(const std::function<bool(QString*)>& start);
    // Reads the instrument's value of each parameter of `set`: an exit status
    // when not all were read (port refused or lost, Ctrl+C), said with `lost`
    // (%1 the reason) or `stopped`.
    std::optional<int> readInstrument(const diagnosis::ParameterSet& set,
                                      const diagnosis::TransferPlan& plan, const QString& lost,
                                      const QString& stopped);
    std::optional<diagnosis::ParameterSet> loadSet(int* exitStatus);
    diagnosis::TransferPlan planFor(const diagnosis::ParameterSet& set) const;
    void onExchange(const diagnosis::ExchangeRecord& record);
    int reportWrites(qsizetype unchanged, const QList<diagnosis::ParameterDifference>& skipped);
    QString readFailure(const diagnosis::ParameterReading& reading) const;
    void print(std::FILE* stream, const QString& text);

    ParameterOptions m_options;
    std::FILE* m_out;
    std::FILE* m_err;
    diagnosis::ParameterTransfer m_transfer;
    CsvLog m_csv;
    bool m_csvFailed = false;
    QEventLoop m_loop;
};

// Parses the command line, runs the command and returns the exit status.
int runParameterCommand(const QStringList& arguments);

} // namespace poll
