#include "ListenSession.h"

#include "ListenTexts.h"
#include "PollSession.h"
#include "PollTexts.h"
#include "SummaryReport.h"
#include "diagnosis/DiagnosisPort.h"
#include "platform/LatencyTimer.h"
#include "platform/PortTexts.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace poll {

namespace {

constexpr int kStatusRedrawMs = 100;

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fflush(stream);
}

QString msOrDash(const diagnosis::ResponseStatistics& s, double ms)
{
    return s.responses() == 0 ? QStringLiteral("-") : QString::number(ms, 'f', 1);
}

} // namespace

ListenSession::ListenSession(const ListenOptions& options, std::FILE* out, std::FILE* err,
                             QObject* parent)
    : QObject(parent), m_options(options), m_out(out), m_err(err),
      m_liveLine(!options.quiet && ::isatty(::fileno(err)) == 1), m_alarms(options.alarm)
{
    m_statusTimer.setInterval(kStatusRedrawMs);
    connect(&m_statusTimer, &QTimer::timeout, this, &ListenSession::drawStatus);
    m_durationTimer.setSingleShot(true);
    connect(&m_durationTimer, &QTimer::timeout, &m_loop, &QEventLoop::quit);
    connect(&m_run, &diagnosis::ListenRun::exchangeFinished, this, &ListenSession::onExchange);
    connect(&m_run, &diagnosis::ListenRun::portLost, this,
            [this](const QString& reason) { note(poll_texts::PortLost.arg(reason)); });
    connect(&m_run, &diagnosis::ListenRun::portBack, this, [this] { note(poll_texts::PortBack); });
}

int ListenSession::exec()
{
    const QString& csvPath = m_options.csvPath;
    if (!csvPath.isEmpty() && !QFileInfo(csvPath).absoluteDir().exists()) {
        print(m_err, poll_texts::CsvFolderMissing.arg(csvPath) + u'\n');
        return kExitUsage;
    }
    QString refusal;
    if (!m_run.start(m_options.plan, &refusal)) {
        print(m_err, port_texts::CannotOpen.arg(m_options.plan.port, refusal) + u'\n');
        return kExitPort;
    }
    if (!csvPath.isEmpty()) {
        QString error;
        m_csv.setMaxBytes(m_options.csvMaxBytes);
        if (!m_csv.open(csvPath, &error)) {
            m_run.stop();
            print(m_err, poll_texts::CsvCannotOpen.arg(csvPath, error) + u'\n');
            return kExitUsage;
        }
        m_alarms.keepBeside(csvPath);
    }
    QString ports = m_options.plan.port;
    if (!m_options.plan.port2.isEmpty())
        ports += u'+' + m_options.plan.port2;
    note(listen_texts::Listening.arg(ports));
    m_elapsed.start();
    if (m_options.durationMs > 0)
        m_durationTimer.start(int(std::min<qint64>(m_options.durationMs, INT_MAX)));
    if (m_liveLine)
        m_statusTimer.start();
    m_loop.exec();
    m_run.stop();
    m_statusTimer.stop();
    clearStatus();
    m_csv.close();
    m_alarms.close();
    printSummary();
    const diagnosis::ResponseStatistics& all = m_run.listener().statistics().overall;
    const bool allOk = all.sent() > 0 && all.succeeded() == all.sent() && !m_csvFailed;
    return allOk ? kExitAllOk : kExitSomeFailed;
}

void ListenSession::interrupt()
{
    if (++m_interrupts == 1 && m_run.listener().deadlineUs()) {
        note(listen_texts::Interrupted);
        return;
    }
    m_loop.quit();
}

void ListenSession::onExchange(const diagnosis::ListenedExchange& exchange)
{
    if (exchange.record.responseUs >= 0)
        m_lastResponseUs = exchange.record.responseUs;
    if (m_csv.isOpen()) {
        QString error;
        if (!m_csv.writeFields(diagnosis::listenedCsvFields(exchange), exchange.record.sentAt,
                               &error)) {
            // A row that cannot be kept ends the listen: going on would lose data silently.
            m_csvFailed = true;
            m_csv.close();
            note(poll_texts::CsvWriteFailed.arg(m_options.csvPath, error));
            m_loop.quit();
        }
    }
    if (!exchange.unpaired) {
        const diagnosis::ExchangeRecord& r = exchange.record;
        if (const auto line = m_alarms.record(r.targetIndex, diagnosis::targetLabel(r.target),
                                              !diagnosis::isFailure(r.outcome), r.sentAt))
            note(*line);
    }
    if (m_interrupts > 0 && !exchange.unpaired)
        m_loop.quit();
}

void ListenSession::drawStatus()
{
    const diagnosis::BusListener& listener = m_run.listener();
    const diagnosis::ResponseStatistics& s = listener.statistics().overall;
    const double seconds = std::max(double(m_elapsed.elapsed()) / 1000.0, 0.001);
    QStringList parts{
        listen_texts::StatusHead.arg(s.sent()).arg(double(s.sent()) / seconds, 0, 'f', 1)};
    for (const diagnosis::OutcomeKind& kind : diagnosis::kOutcomes)
        parts << QString::fromUtf16(kind.tally) + u' ' + QString::number(s.count(kind.outcome));
    if (m_alarms.standing() > 0)
        parts << listen_texts::StatusAlarms.arg(m_alarms.standing());
    parts << listen_texts::StatusTail.arg(listener.unpaired())
                 .arg(m_lastResponseUs < 0
                          ? QStringLiteral("-")
                          : diagnosis::millisecondsText(m_lastResponseUs) + QStringLiteral(" ms"));
    print(m_err, u'\r' + parts.join(QStringLiteral("  ")) + QStringLiteral("\x1b[K"));
    m_statusShown = true;
}

void ListenSession::clearStatus()
{
    if (!m_statusShown)
        return;
    print(m_err, QStringLiteral("\r\x1b[K"));
    m_statusShown = false;
}

void ListenSession::note(const QString& text)
{
    if (m_options.quiet)
        return;
    clearStatus();
    print(m_err, text + u'\n');
}

QString ListenSession::rhythmText() const
{
    const diagnosis::BusListener& listener = m_run.listener();
    QString text = listen_texts::RhythmTitle + u'\n';
    QList<QStringList> rows{listen_texts::RhythmHead.split(u' ', Qt::SkipEmptyParts)};
    for (qsizetype i = 0; i < listener.targets().size(); ++i) {
        const diagnosis::ResponseStatistics& gaps = listener.rhythm(i).intervals;
        rows << QStringList{diagnosis::targetLabel(listener.targets()[i]),
                            QString::number(listener.statistics().perTarget[i].sent()),
                            msOrDash(gaps, gaps.medianMs()), msOrDash(gaps, gaps.maxMs()),
                            QString::number(listener.badChecksums(i))};
    }
    QList<qsizetype> widths(rows.front().size(), 0);
    for (const QStringList& row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    for (const QStringList& row : rows) {
        QString line = row[0].leftJustified(widths[0]);
        for (qsizetype c = 1; c < row.size(); ++c)
            line += QStringLiteral("  ") + row[c].rightJustified(widths[c]);
        text += line + u'\n';
    }
    const diagnosis::ResponseStatistics& cycle = listener.cycle().intervals;
    text += (cycle.responses() == 0 ? listen_texts::NoCycle
                                    : listen_texts::Cycle.arg(msOrDash(cycle, cycle.medianMs()),
                                                              msOrDash(cycle, cycle.maxMs()))) +
            u'\n';
    return text;
}

void ListenSession::printSummary()
{
    const diagnosis::BusListener& listener = m_run.listener();
    const diagnosis::RunStatistics& stats = listener.statistics();
    QStringList labels;
    for (const diagnosis::Target& t : listener.targets())
        labels << diagnosis::targetLabel(t);
    QString ports = diagnosis::deviceForPortText(m_options.plan.port);
    if (!m_options.plan.port2.isEmpty())
        ports += u'+' + diagnosis::deviceForPortText(m_options.plan.port2);

    QString text = listen_texts::SummaryTitle.arg(stats.overall.sent())
                       .arg(double(m_elapsed.elapsed()) / 1000.0, 0, 'f', 1)
                       .arg(ports)
                       .arg(m_run.baud()) +
                   u'\n';
    text += summaryTable(labels, stats) + u'\n';
    text += rhythmText();
    text +=
        listen_texts::Unpaired.arg(listener.unpaired()).arg(stats.overall.lateExchanges()) + u'\n';
    QStringList unknown;
    for (const int address : listener.unknownAddresses())
        unknown << QStringLiteral("%1").arg(address, 3, 10, QLatin1Char('0'));
    text +=
        listen_texts::UnknownPlaces.arg(listener.unknownPlaceReplies()).arg(unknown.join(u',')) +
        u'\n';
    text += listen_texts::Noise.arg(stats.overall.noiseBytes()) + u'\n';
    const qint64 gapUs = m_run.shortestReadGapUs();
    text += listen_texts::Resolution.arg(gapUs < 0 ? QStringLiteral("-")
                                                   : diagnosis::millisecondsText(gapUs)) +
            u'\n';
    // What the adapters' latency timers add, where the system tells it.
    for (const QString& port : {m_options.plan.port, m_options.plan.port2}) {
        if (port.isEmpty())
            continue;
        const QString latency = latencyTextOfDevice(diagnosis::deviceForPortText(port));
        if (!latency.isEmpty())
            text += latency + u'\n';
    }
    text += u'\n';
    text += poll_texts::HistogramTitle + u'\n' +
            histogramText(stats.overall, double(m_options.plan.timeoutMs));
    print(m_out, text);
}

} // namespace poll
