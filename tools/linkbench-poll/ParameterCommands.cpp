#include "ParameterCommands.h"

#include "CommandLineReading.h"
#include "ParameterTexts.h"
#include "PollSession.h"
#include "PollTexts.h"
#include "diagnosis/ParameterRoles.h"
#include "diagnosis/ParameterSetFile.h"
#include "diagnosis/ParameterSetTexts.h"
#include "platform/PortTexts.h"
#include "platform/QtSerialLine.h"
#include "wire/WireText.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace poll {

namespace {

using diagnosis::ParameterReading;
using diagnosis::ParameterWrite;
using diagnosis::TransferEnd;
using diagnosis::WriteStatus;

QString codesText(const QStringList& codes)
{
    return codes.isEmpty() ? poll_texts::None : codes.join(QStringLiteral(", "));
}

} // namespace

ParameterSession::ParameterSession(const ParameterOptions& options, std::FILE* out, std::FILE* err,
                                   std::unique_ptr<SerialLine> line, QObject* parent)
    : QObject(parent), m_options(options), m_out(out), m_err(err), m_transfer(std::move(line))
{
    connect(&m_transfer, &diagnosis::ParameterTransfer::exchanged, this,
            &ParameterSession::onExchange);
    connect(&m_transfer, &diagnosis::ParameterTransfer::finished, &m_loop, &QEventLoop::quit);
}

void ParameterSession::print(std::FILE* stream, const QString& text)
{
    std::fputs((text + u'\n').toUtf8().constData(), stream);
    std::fflush(stream);
}

int ParameterSession::exec()
{
    if (!m_options.csvPath.isEmpty() && !QFileInfo(m_options.csvPath).absoluteDir().exists()) {
        print(m_err, poll_texts::CsvFolderMissing.arg(m_options.csvPath));
        return kExitUsage;
    }
    // A backup whose file could not be written would read the instrument for nothing.
    if (m_options.command == ParameterCommand::Backup &&
        !QFileInfo(m_options.file).absoluteDir().exists()) {
        print(m_err, poll_texts::OutputFolderMissing.arg(m_options.file));
        return kExitUsage;
    }
    int status = kExitAllOk;
    switch (m_options.command) {
    case ParameterCommand::Backup:
        status = backup();
        break;
    case ParameterCommand::Compare:
        status = compare();
        break;
    case ParameterCommand::Restore:
        status = restore();
        break;
    }
    m_csv.close();
    return status == kExitAllOk && m_csvFailed ? kExitSomeFailed : status;
}

void ParameterSession::interrupt()
{
    if (!m_options.quiet)
        print(m_err, poll_texts::Interrupted);
    m_transfer.stopAfterExchange();
}

std::optional<int> ParameterSession::run(const std::function<bool(QString*)>& start)
{
    QString refusal;
    if (!start(&refusal)) {
        print(m_err, port_texts::CannotOpen.arg(m_options.plan.port, refusal));
        return kExitPort;
    }
    // Only once the port is open, so that a refused port leaves no file behind;
    // the first send waits for the event loop.
    if (!m_options.csvPath.isEmpty() && !m_csv.isOpen()) {
        QString error;
        if (!m_csv.open(m_options.csvPath, &error)) {
            m_transfer.stopAfterExchange();
            print(m_err, poll_texts::CsvCannotOpen.arg(m_options.csvPath, error));
            return kExitUsage;
        }
    }
    m_loop.exec();
    return std::nullopt;
}

void ParameterSession::onExchange(const diagnosis::ExchangeRecord& record)
{
    if (!m_csv.isOpen())
        return;
    QString error;
    if (!m_csv.write(record, &error)) {
        // A write that cannot be logged must not go unrecorded: stop here.
        m_csvFailed = true;
        print(m_err, poll_texts::CsvWriteFailed.arg(m_options.csvPath, error));
        m_transfer.stopAfterExchange();
    }
}

std::optional<int> ParameterSession::readInstrument(const diagnosis::ParameterSet& set,
                                                    const diagnosis::TransferPlan& plan,
                                                    const QString& lost, const QString& stopped)
{
    QStringList codes;
    for (const diagnosis::ParameterEntry& entry : set.entries)
        codes << entry.code;
    if (const std::optional<int> refused =
            run([&](QString* refusal) { return m_transfer.startReading(plan, codes, refusal); }))
        return refused;
    if (m_transfer.end() == TransferEnd::Completed)
        return std::nullopt;
    print(m_err,
          m_transfer.end() == TransferEnd::PortLost ? lost.arg(m_transfer.lostReason()) : stopped);
    return kExitSomeFailed;
}

std::optional<diagnosis::ParameterSet> ParameterSession::loadSet(int* exitStatus)
{
    diagnosis::TomlProblem problem;
    const std::optional<diagnosis::ParameterSet> set =
        diagnosis::loadParameterSet(m_options.file, &problem);
    if (!set) {
        print(m_err,
              poll_texts::FileUnreadable.arg(diagnosis::tomlProblemText(m_options.file, problem)));
        *exitStatus = kExitUsage;
    }
    return set;
}

diagnosis::TransferPlan ParameterSession::planFor(const diagnosis::ParameterSet& set) const
{
    diagnosis::TransferPlan plan = m_options.plan;
    if (!m_options.channelGiven)
        plan.channel = set.header.channel;
    return plan;
}

QString ParameterSession::readFailure(const ParameterReading& reading) const
{
    const QString why = reading.outcome == diagnosis::Outcome::Ok
                            ? paramset_texts::NoValue
                            : diagnosis::outcomeLabel(reading.outcome);
    return poll_texts::ReadFailure.arg(reading.code, diagnosis::parameterName(reading.code), why);
}

int ParameterSession::backup()
{
    QStringList codes = m_options.codes;
    QStringList extra;
    if (m_options.all) {
        for (const QString& code : diagnosis::instrumentParameterCodes()) {
            if (!codes.contains(code))
                extra << code;
        }
    }
    const diagnosis::TransferPlan plan = m_options.plan;
    if (const std::optional<int> refused = run([&](QString* refusal) {
            return m_transfer.startReading(plan, codes + extra, refusal);
        }))
        return *refused;
    if (m_transfer.end() != TransferEnd::Completed) {
        print(m_err, m_transfer.end() == TransferEnd::PortLost
                         ? poll_texts::PortLost.arg(m_transfer.lostReason())
                         : poll_texts::Interrupted);
        print(m_err, poll_texts::BackupFailed);
        return kExitSomeFailed;
    }

    QList<ParameterReading> read;
    QStringList leftOut;
    QStringList failures;
    for (const ParameterReading& reading : m_transfer.readings()) {
        if (reading.value)
            read << reading;
        else if (extra.contains(reading.code) && reading.outcome == diagnosis::Outcome::Timeout)
            leftOut << reading.code; // --all: a code this instrument does not have
        else
            failures << readFailure(reading);
    }
    if (!failures.isEmpty()) {
        print(m_err, poll_texts::BackupFailed + u'\n' + failures.join(u'\n'));
        return kExitSomeFailed;
    }
    std::sort(read.begin(), read.end(),
              [](const ParameterReading& a, const ParameterReading& b) { return a.code < b.code; });

    diagnosis::ParameterSet set;
    set.header = {diagnosis::toolName(),
                  QDateTime::currentDateTime(),
                  plan.port,
                  plan.settings,
                  plan.address,
                  plan.channel,
                  m_options.name};
    for (const ParameterReading& reading : read) {
        set.entries << diagnosis::ParameterEntry{
            reading.code, diagnosis::parameterText(reading.code), wire::namedBytes(reading.reply),
            QString::fromLatin1(*reading.value), 0};
    }
    QString error;
    if (!diagnosis::saveParameterSet(m_options.file, set, &error)) {
        print(m_err, paramset_texts::CannotSave.arg(m_options.file, error));
        return kExitSomeFailed;
    }
    for (const diagnosis::ParameterEntry& entry : set.entries)
        print(m_out, poll_texts::BackupLine.arg(entry.code, entry.value,
                                                diagnosis::parameterName(entry.code)));
    if (!leftOut.isEmpty())
        print(m_out, poll_texts::BackupLeftOut.arg(leftOut.size()).arg(codesText(leftOut)));
    print(m_out, poll_texts::BackupSaved.arg(set.entries.size()).arg(m_options.file));
    return kExitAllOk;
}

int ParameterSession::compare()
{
    int status = kExitAllOk;
    const std::optional<diagnosis::ParameterSet> set = loadSet(&status);
    if (!set)
        return status;
    const diagnosis::TransferPlan plan = planFor(*set);
    if (const std::optional<int> failed =
            readInstrument(*set, plan, poll_texts::PortLost, poll_texts::Interrupted))
        return *failed;
    const QList<diagnosis::ParameterDifference> differences =
        diagnosis::differencesFrom(*set, m_transfer.readings());
    if (differences.isEmpty()) {
        print(m_out, poll_texts::CompareEqual.arg(plan.address).arg(set->entries.size()));
        return kExitAllOk;
    }
    print(m_out, poll_texts::CompareHead);
    for (const diagnosis::ParameterDifference& d : differences) {
        QString instrument;
        if (d.instrumentValue) {
            instrument = QString::fromLatin1(*d.instrumentValue);
        } else {
            const auto reading =
                std::find_if(m_transfer.readings().begin(), m_transfer.readings().end(),
                             [&](const ParameterReading& r) { return r.code == d.code; });
            instrument = poll_texts::NotRead.arg(reading->outcome == diagnosis::Outcome::Ok
                                                     ? paramset_texts::NoValue
                                                     : diagnosis::outcomeLabel(reading->outcome));
        }
        print(m_out, poll_texts::CompareLine.arg(d.code, diagnosis::parameterName(d.code),
                                                 d.setValue, instrument));
    }
    print(m_out, poll_texts::CompareDiffer.arg(differences.size()).arg(set->entries.size()));
    return kExitSomeFailed;
}

int ParameterSession::restore()
{
    int status = kExitAllOk;
    const std::optional<diagnosis::ParameterSet> set = loadSet(&status);
    if (!set)
        return status;
    const diagnosis::TransferPlan plan = planFor(*set);
    // Read first: what already equals the file is not written, so a restore
    // cut short is finished by running it again.
    if (const std::optional<int> failed =
            readInstrument(*set, plan, poll_texts::LostReading, poll_texts::StoppedReading))
        return *failed;
    const QList<ParameterReading> readings = m_transfer.readings();
    const QList<diagnosis::ParameterDifference> differences =
        diagnosis::differencesFrom(*set, readings);
    const QList<ParameterWrite> writes = diagnosis::restoreWrites(differences, m_options.include);
    QList<diagnosis::ParameterDifference> skipped;
    for (const diagnosis::ParameterDifference& d : differences) {
        if (!d.instrumentValue || !diagnosis::restoreMayWrite(d.code, m_options.include))
            skipped << d;
    }
    const qsizetype unchanged = set->entries.size() - differences.size();

    if (m_options.dryRun) {
        for (const ParameterWrite& w : writes)
            print(m_out, poll_texts::RestoreLine.arg(w.code, diagnosis::parameterName(w.code),
                                                     QString::fromLatin1(w.before), w.value,
                                                     poll_texts::RestorePlanned));
        for (const diagnosis::ParameterDifference& d : skipped)
            print(m_out,
                  poll_texts::RestoreLine.arg(
                      d.code, diagnosis::parameterName(d.code),
                      QString::fromLatin1(d.instrumentValue.value_or("?")), d.setValue,
                      d.instrumentValue ? paramset_texts::Skipped : paramset_texts::NotAnswered));
        return differences.isEmpty() ? kExitAllOk : kExitSomeFailed;
    }
    if (!writes.isEmpty()) {
        if (const std::optional<int> refused = run(
                [&](QString* refusal) { return m_transfer.startWriting(plan, writes, refusal); }))
            return *refused;
    }
    return reportWrites(unchanged, skipped);
}

int ParameterSession::reportWrites(qsizetype unchanged,
                                   const QList<diagnosis::ParameterDifference>& skipped)
{
    // Empty when nothing needed writing: each start of the transfer forgets the last.
    const QList<ParameterWrite> writes = m_transfer.writes();
    const bool wrote = !writes.isEmpty();
    int written = 0, refused = 0, failed = 0, notWritten = 0;
    QStringList done, notDone;
    for (const ParameterWrite& w : writes) {
        print(m_out, poll_texts::RestoreLine.arg(w.code, diagnosis::parameterName(w.code),
                                                 QString::fromLatin1(w.before), w.value,
                                                 diagnosis::writeStatusText(w)));
        const bool isWritten =
            w.status == WriteStatus::Written || w.status == WriteStatus::WrittenUnchecked;
        (isWritten ? done : notDone) << w.code;
        written += isWritten;
        refused += w.status == WriteStatus::Refused;
        failed += w.status == WriteStatus::Failed; // one not sent is in the interruption's list
    }
    for (const diagnosis::ParameterDifference& d : skipped) {
        if (d.instrumentValue) {
            print(m_out, poll_texts::RestoreLine.arg(d.code, diagnosis::parameterName(d.code),
                                                     QString::fromLatin1(*d.instrumentValue),
                                                     d.setValue, paramset_texts::Skipped));
            ++notWritten;
        } else {
            print(m_out, poll_texts::RestoreLine.arg(d.code, diagnosis::parameterName(d.code),
                                                     QStringLiteral("?"), d.setValue,
                                                     paramset_texts::NotAnswered));
            ++failed;
        }
    }
    print(m_out,
          poll_texts::RestoreSummary.arg(written).arg(unchanged).arg(refused).arg(failed).arg(
              notWritten));
    if (wrote && m_transfer.end() != TransferEnd::Completed) {
        print(m_err, m_transfer.end() == TransferEnd::PortLost
                         ? poll_texts::LostWriting.arg(m_transfer.lostReason(), codesText(done),
                                                       codesText(notDone))
                         : poll_texts::StoppedWriting.arg(codesText(done), codesText(notDone)));
        print(m_err, poll_texts::RerunNote);
    }
    const bool equal = skipped.isEmpty() && notDone.isEmpty() &&
                       std::all_of(writes.begin(), writes.end(), [](const ParameterWrite& w) {
                           return w.status == WriteStatus::Written;
                       });
    print(m_out, equal ? poll_texts::RestoreEqual : poll_texts::RestoreNotEqual);
    return equal ? kExitAllOk : kExitSomeFailed;
}

int runParameterCommand(const QStringList& arguments)
{
    const ParsedParameters parsed = parseParameterOptions(arguments);
    if (const std::optional<int> answered =
            answerWithoutRunning(parsed.error, parsed.options.help, poll_texts::ParamsHelp))
        return *answered;
    ParameterSession session(parsed.options, stdout, stderr, std::make_unique<QtSerialLine>());
    return runInterruptibly(session);
}

} // namespace poll
