#include "PlanSession.h"

#include "CommandLineReading.h"
#include "PlanTexts.h"
#include "PollOptions.h"
#include "PollSession.h"
#include "PollTexts.h"
#include "catalogue/LineLists.h"
#include "diagnosis/TestPlanFile.h"
#include "platform/ProgramFolder.h"
#include "platform/QtSerialLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <thread>

namespace texts = plan_poll_texts;

namespace poll {

ParsedPlan parsePlanOptions(const QStringList& arguments)
{
    ParsedPlan parsed;
    PlanOptions& o = parsed.options;
    QCommandLineParser parser;
    for (const char* name : {"port", "settings", "unit", "operator", "junit", "report", "csv"})
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), "value"));
    for (const char* name : {"yes", "quiet"})
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    parsed.error = parseArguments(parser, arguments);
    if (!parsed.error.isEmpty())
        return parsed;
    o.help = parser.isSet(QStringLiteral("help"));
    if (o.help)
        return parsed;
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        parsed.error = texts::NeedFile;
        return parsed;
    }
    o.file = positional.front();
    o.port = parser.value(QStringLiteral("port"));
    const std::optional<QString> settings = settingsOption(parser, o.settings, &parsed.error);
    if (!settings)
        return parsed;
    o.settings = *settings;
    o.unit = parser.value(QStringLiteral("unit"));
    o.operatorName = parser.value(QStringLiteral("operator"));
    o.junitPath = parser.value(QStringLiteral("junit"));
    o.reportPath = parser.value(QStringLiteral("report"));
    o.csvPath = parser.value(QStringLiteral("csv"));
    o.yes = parser.isSet(QStringLiteral("yes"));
    o.quiet = parser.isSet(QStringLiteral("quiet"));
    return parsed;
}

PlanSession::PlanSession(const PlanOptions& options, std::FILE* out, std::FILE* err,
                         std::unique_ptr<SerialLine> line, QObject* parent)
    : QObject(parent), m_options(options), m_out(out), m_err(err), m_run(std::move(line))
{
    connect(&m_run, &diagnosis::TestPlanRun::stepFinished, this, &PlanSession::onStepFinished);
    connect(&m_run, &diagnosis::TestPlanRun::prompted, this, &PlanSession::onPrompt);
    connect(&m_run, &diagnosis::TestPlanRun::exchanged, this, &PlanSession::onExchange);
    connect(&m_run, &diagnosis::TestPlanRun::finished, &m_loop, &QEventLoop::quit);
}

void PlanSession::print(std::FILE* stream, const QString& text)
{
    std::fputs((text + u'\n').toUtf8().constData(), stream);
    std::fflush(stream);
}

int PlanSession::exec()
{
    QFile file(m_options.file);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    diagnosis::TomlProblem problem{0, file.errorString()};
    const std::optional<diagnosis::TestPlan> plan =
        file.isOpen() ? diagnosis::parseTestPlan(bytes, &problem) : std::nullopt;
    if (!plan) {
        print(m_err, texts::NothingSent.arg(diagnosis::planProblemText(m_options.file, problem)));
        return kExitUsage;
    }
    // Every file asked for must be writable before the unit is touched.
    for (const QString& path : {m_options.csvPath, m_options.junitPath, m_options.reportPath}) {
        if (!path.isEmpty() && !QFileInfo(path).absoluteDir().exists()) {
            print(m_err, texts::FolderMissing.arg(path));
            return kExitUsage;
        }
    }
    if (!m_options.csvPath.isEmpty()) {
        QString error;
        if (!m_csv.open(m_options.csvPath, &error)) {
            print(m_err, poll_texts::CsvCannotOpen.arg(m_options.csvPath, error));
            return kExitUsage;
        }
    }
    const QString port = !m_options.port.isEmpty() ? m_options.port
                         : !plan->port.isEmpty()   ? plan->port
                                                   : catalogue::defaultPortEntry();
    const QString settings = m_options.settings.isEmpty() ? plan->settings : m_options.settings;
    const QDateTime started = QDateTime::currentDateTime();
    m_run.start(*plan, port, settings);
    m_loop.exec();
    m_csv.close();

    if (!m_run.portRefusal().isEmpty()) {
        print(m_err, texts::PortRefused.arg(port, m_run.portRefusal()));
        return kExitPort;
    }
    diagnosis::TestRecord record = diagnosis::recordOf(m_run);
    record.planFile = QFileInfo(m_options.file).fileName();
    record.planHash = diagnosis::planHash(bytes);
    record.started = started;
    record.operatorName = m_options.operatorName;
    record.unit = m_options.unit;
    record.port = port;
    record.settings = settings;
    qsizetype passed = 0;
    qsizetype failed = 0;
    for (const diagnosis::StepRecord& step : record.steps) {
        passed += step.verdict == diagnosis::Verdict::Pass;
        failed += step.verdict == diagnosis::Verdict::Fail;
    }
    print(m_out, texts::Summary.arg(record.planName)
                     .arg(record.steps.size())
                     .arg(passed)
                     .arg(failed)
                     .arg(record.steps.size() - passed - failed)
                     .arg(diagnosis::verdictText(record.overall),
                          record.overall == diagnosis::Verdict::Pass ? QStringLiteral("PASS")
                                                                     : QStringLiteral("FAIL")));
    const bool written = writeOutputs(record);
    if (record.overall != diagnosis::Verdict::Pass || m_csvFailed || !written)
        return kExitSomeFailed;
    return kExitAllOk;
}

bool PlanSession::writeOutputs(const diagnosis::TestRecord& record)
{
    bool ok = true;
    if (!m_options.junitPath.isEmpty()) {
        QSaveFile file(m_options.junitPath);
        const QByteArray xml = diagnosis::junitXml(record);
        if (!file.open(QIODevice::WriteOnly) || file.write(xml) != xml.size() || !file.commit()) {
            print(m_err, texts::CannotWrite.arg(m_options.junitPath, file.errorString()));
            ok = false;
        }
    }
    if (m_options.reportPath.isEmpty())
        return ok;
    // The printer needs the GUI libraries, which this program does without:
    // linkbench-certificate, installed beside it, prints the record.
    const QString printerProgram =
        QStandardPaths::findExecutable(QStringLiteral("linkbench-certificate"), {programFolder()});
    if (printerProgram.isEmpty()) {
        print(m_err, texts::NoCertificateProgram);
        return false;
    }
    QTemporaryDir dir;
    const QString json = dir.filePath(QStringLiteral("record.json"));
    QFile file(json);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly) ||
        !file.write(diagnosis::recordJson(record))) {
        print(m_err, texts::CannotWrite.arg(json, file.errorString()));
        return false;
    }
    file.close();
    QProcess printer;
    printer.start(printerProgram, {json, m_options.reportPath});
    if (!printer.waitForFinished(60'000) || printer.exitStatus() != QProcess::NormalExit ||
        printer.exitCode() != 0) {
        print(m_err,
              texts::CannotWrite.arg(m_options.reportPath,
                                     QString::fromUtf8(printer.readAllStandardError()).trimmed()));
        return false;
    }
    return ok;
}

void PlanSession::interrupt()
{
    if (!m_options.quiet)
        print(m_err, poll_texts::Interrupted);
    m_run.stop();
}

void PlanSession::onStepFinished(int index)
{
    if (m_options.quiet)
        return;
    const diagnosis::PlanStep& step = m_run.plan().steps[index];
    const diagnosis::StepResult& result = m_run.results()[index];
    print(m_out, texts::StepLine.arg(index + 1)
                     .arg(m_run.plan().steps.size())
                     .arg(step.name, diagnosis::expectedText(step), result.actual,
                          diagnosis::verdictText(result.verdict)));
    if (!result.reason.isEmpty())
        print(m_out, texts::StepReason.arg(result.reason));
}

void PlanSession::onPrompt(int index, const QString& text)
{
    print(m_out, texts::Prompt.arg(index + 1).arg(m_run.plan().steps.size()).arg(text));
    if (m_options.yes) {
        print(m_out, texts::PromptAnswered);
        m_run.answer(true);
        return;
    }
    print(m_out, texts::PromptHow);
    if (m_inputEnded)
        m_run.answer(false);
    else if (!m_readingInput)
        readInput();
}

void PlanSession::readInput()
{
    // The answer is read on a thread of its own, so that the event loop goes
    // on and Ctrl+C still ends the run at a prompt. The thread is detached and
    // left to end with the program: it may be waiting on a line that never
    // comes, and a detached thread leaves nothing behind when it does end.
    m_readingInput = true;
    const QPointer<PlanSession> session(this);
    std::thread([session] {
        char line[256] = {};
        bool read = true;
        while (read) {
            read = std::fgets(line, sizeof line, stdin) != nullptr;
            const QString answer =
                read ? QString::fromLocal8Bit(line).trimmed().toLower() : QString();
            QMetaObject::invokeMethod(
                qApp,
                [session, read, answer] {
                    // The end of the input answers no, now and at every later
                    // prompt: nobody is there to confirm.
                    if (!session)
                        return;
                    session->m_inputEnded = !read;
                    session->m_run.answer(read && answer != u"n" && answer != u"no");
                },
                Qt::QueuedConnection);
        }
    }).detach();
}

void PlanSession::onExchange(const diagnosis::ExchangeRecord& record)
{
    if (!m_csv.isOpen())
        return;
    QString error;
    if (!m_csv.write(record, &error)) {
        m_csvFailed = true;
        print(m_err, poll_texts::CsvWriteFailed.arg(m_options.csvPath, error));
        m_run.stop();
    }
}

int runPlanCommand(const QStringList& arguments)
{
    const ParsedPlan parsed = parsePlanOptions(arguments);
    if (const std::optional<int> answered =
            answerWithoutRunning(parsed.error, parsed.options.help, texts::Help))
        return *answered;
    PlanSession session(parsed.options, stdout, stderr, std::make_unique<QtSerialLine>());
    return runInterruptibly(session);
}

} // namespace poll
