#include "PollSession.h"

#include "ListenTexts.h"
#include "PollTexts.h"
#include "SummaryReport.h"
#include "diagnosis/DiagnosisPort.h"
#include "platform/LatencyTimer.h"
#include "platform/PortTexts.h"
#include "wire/CommandFrame.h"
#include "wire/WireText.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace poll {

namespace {

constexpr int kStatusRedrawMs = 100; // at most ten redraws a second

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fflush(stream);
}

} // namespace

PollSession::PollSession(const PollOptions& options, std::FILE* out, std::FILE* err,
                         QObject* parent)
    : QObject(parent), m_options(options), m_out(out), m_err(err),
      m_liveLine(!options.quiet && ::isatty(::fileno(err)) == 1)
{
    m_statusTimer.setInterval(kStatusRedrawMs);
    connect(&m_statusTimer, &QTimer::timeout, this, &PollSession::drawStatus);
}

diagnosis::DiagnosisEngine& PollSession::engine()
{
    return m_options.scan ? m_scan.engine() : m_engine;
}

int PollSession::exec()
{
    const QString portText = m_options.scan ? m_options.scanPlan.port : m_options.plan.port;
    if (!m_options.csvPath.isEmpty() && !QFileInfo(m_options.csvPath).absoluteDir().exists()) {
        print(m_err, poll_texts::CsvFolderMissing.arg(m_options.csvPath) + u'\n');
        return kExitUsage;
    }

    diagnosis::DiagnosisEngine& e = engine();
    connect(&e, &diagnosis::DiagnosisEngine::exchangeFinished, this, &PollSession::onExchange);
    connect(&e, &diagnosis::DiagnosisEngine::portLost, this,
            [this](const QString& reason) { note(poll_texts::PortLost.arg(reason)); });
    connect(&e, &diagnosis::DiagnosisEngine::portBack, this,
            [this] { note(poll_texts::PortBack); });
    connect(&e, &diagnosis::DiagnosisEngine::finished, &m_loop, [this] { m_loop.quit(); });
    connect(&m_scan, &diagnosis::BusScan::answered, this, &PollSession::onHit);

    QString refusal;
    const bool started = m_options.scan ? m_scan.start(m_options.scanPlan, &refusal)
                                        : m_engine.start(m_options.plan, &refusal);
    if (!started) {
        print(m_err, port_texts::CannotOpen.arg(portText, refusal) + u'\n');
        return kExitPort;
    }
    // Only once the port is open, so that a refused port leaves no file behind.
    // The first send waits for the event loop, so nothing has gone out yet.
    if (!m_options.csvPath.isEmpty()) {
        QString error;
        m_csv.setMaxBytes(m_options.csvMaxBytes);
        if (!m_csv.open(m_options.csvPath, &error)) {
            e.stop();
            print(m_err, poll_texts::CsvCannotOpen.arg(m_options.csvPath, error) + u'\n');
            return kExitUsage;
        }
        m_alarms.keepBeside(m_options.csvPath);
    }
    const qsizetype targets = m_options.scan ? 0 : m_options.plan.targets.size();
    m_replyWireUs = QList<qint64>(targets, -1);
    m_elapsed.start();
    if (m_liveLine)
        m_statusTimer.start();
    m_loop.exec();
    m_statusTimer.stop();
    clearStatus();
    m_csv.close();
    m_alarms.close();

    if (m_options.scan) {
        printScanSummary();
        return m_scan.hits().isEmpty() ? kExitSomeFailed : kExitAllOk;
    }
    printSummary();
    const diagnosis::ResponseStatistics& all = m_engine.statistics().overall;
    const bool allOk = all.sent() > 0 && all.succeeded() == all.sent() && !m_csvFailed;
    return allOk ? kExitAllOk : kExitSomeFailed;
}

void PollSession::interrupt()
{
    if (++m_interrupts == 1) {
        note(poll_texts::Interrupted);
        engine().stopAfterExchange();
    } else {
        engine().stop();
    }
}

void PollSession::onExchange(const diagnosis::ExchangeRecord& record)
{
    if (record.responseUs >= 0)
        m_lastResponseUs = record.responseUs;
    if (record.targetIndex < m_replyWireUs.size() && record.responseUs >= 0)
        m_replyWireUs[record.targetIndex] = record.replyWireUs;
    if (!m_options.scan) {
        if (const auto line =
                m_alarms.record(record.targetIndex, diagnosis::targetLabel(record.target),
                                !diagnosis::isFailure(record.outcome), record.sentAt))
            note(*line);
    }
    if (!m_csv.isOpen())
        return;
    QString error;
    if (!m_csv.write(record, &error)) {
        // A record that cannot be kept ends the run: going on would lose data silently.
        m_csvFailed = true;
        m_csv.close();
        note(poll_texts::CsvWriteFailed.arg(m_options.csvPath, error));
        engine().stop();
    }
}

void PollSession::onHit(const diagnosis::ScanHit& hit)
{
    clearStatus();
    const QByteArray address = wire::addressFieldOf(
        m_options.scanPlan.hbx ? wire::Function::Dc4 : wire::Function::Dc1, hit.address);
    print(m_out, QStringLiteral("%1  %2 ms  %3  %4\n")
                     .arg(address)
                     .arg(diagnosis::millisecondsText(hit.responseUs), 9)
                     .arg(diagnosis::outcomeName(hit.outcome), -9)
                     .arg(wire::namedBytes(hit.reply)));
}

void PollSession::drawStatus()
{
    const diagnosis::DiagnosisEngine& e = engine();
    QString text;
    if (m_options.scan) {
        text = poll_texts::ScanStatus.arg(e.exchangesDone())
                   .arg(m_options.scanPlan.to - m_options.scanPlan.from + 1)
                   .arg(m_scan.hits().size());
    } else {
        const diagnosis::ResponseStatistics& s = e.statistics().overall;
        const double seconds = std::max(double(m_elapsed.elapsed()) / 1000.0, 0.001);
        QStringList parts{
            poll_texts::StatusHead.arg(s.sent()).arg(double(s.sent()) / seconds, 0, 'f', 1)};
        for (const diagnosis::OutcomeKind& kind : diagnosis::kOutcomes)
            parts << QString::fromUtf16(kind.tally) + u' ' + QString::number(s.count(kind.outcome));
        if (m_alarms.standing() > 0)
            parts << listen_texts::StatusAlarms.arg(m_alarms.standing());
        parts << poll_texts::StatusTail.arg(s.lateExchanges())
                     .arg(m_lastResponseUs < 0 ? QStringLiteral("-")
                                               : diagnosis::millisecondsText(m_lastResponseUs) +
                                                     QStringLiteral(" ms"));
        text = parts.join(QStringLiteral("  "));
    }
    // Back to the line's start, the text, and the rest of the old line erased.
    print(m_err, u'\r' + text + QStringLiteral("\x1b[K"));
    m_statusShown = true;
}

void PollSession::clearStatus()
{
    if (!m_statusShown)
        return;
    print(m_err, QStringLiteral("\r\x1b[K"));
    m_statusShown = false;
}

void PollSession::note(const QString& text)
{
    if (m_options.quiet)
        return;
    clearStatus();
    print(m_err, text + u'\n');
}

void PollSession::printSummary()
{
    const diagnosis::RunPlan& plan = m_options.plan;
    const diagnosis::RunStatistics& stats = m_engine.statistics();
    QStringList labels;
    for (const diagnosis::Target& t : plan.targets)
        labels << diagnosis::targetLabel(t);

    const QString device = diagnosis::deviceForPortText(plan.port);
    QString text = poll_texts::SummaryTitle.arg(stats.overall.sent())
                       .arg(double(m_elapsed.elapsed()) / 1000.0, 0, 'f', 1)
                       .arg(device)
                       .arg(m_engine.baud()) +
                   u'\n';
    // The adapter's latency timer bounds how finely the response times below
    // can be read, so it is said before them.
    if (const QString latency = latencyTextOfDevice(device); !latency.isEmpty())
        text += latency + u'\n';
    text += summaryTable(labels, stats) + u'\n';
    text += poll_texts::ResponseNote + u'\n';
    for (qsizetype i = 0; i < plan.targets.size(); ++i) {
        const qint64 commandUs =
            diagnosis::wireTimeUs(diagnosis::commandFrame(plan.targets[i]).size(), m_engine.baud());
        const qint64 replyUs = m_replyWireUs.value(i, -1);
        text += poll_texts::WireTimes.arg(labels[i], diagnosis::millisecondsText(commandUs),
                                          replyUs < 0 ? QStringLiteral("-")
                                                      : diagnosis::millisecondsText(replyUs)) +
                u'\n';
    }
    text += u'\n' + poll_texts::HistogramTitle + u'\n' +
            histogramText(stats.overall, double(plan.timeoutMs));
    print(m_out, text);
}

void PollSession::printScanSummary()
{
    const diagnosis::ScanPlan& plan = m_options.scanPlan;
    print(m_out,
          poll_texts::ScanTitle.arg(plan.from).arg(plan.to).arg(m_scan.hits().size()) + u'\n');
}

} // namespace poll
