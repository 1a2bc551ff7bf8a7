// linkbench-poll plan against the real simulator: a plan made to fail in each
// way, each verdict and reason held against what the simulator logged; the
// JUnit file, the certificate read back with pdftotext and the CSV of one
// run; twenty units in a row, twenty certificates.

#include "RunningSim.h"
#include "TestMain.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
};

Run poll(const QStringList& arguments, const QByteArray& input = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(LINKBENCH_POLL_PATH), QStringList{"plan"} + arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAll())};
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& text)
{
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(text);
    return file.fileName();
}

// The simulator's log once it has logged the last exchange of the program that just ended.
QStringList logged(RunningSim& sim)
{
    while (sim.process().waitForReadyRead(100)) {
    }
    return sim.exchanges();
}

QString pdfText(const QString& path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    pdftotext.waitForFinished(10000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

const QStringList kQuickSim = {"--wire-time", "off", "--reply-delay", "1"};
const QByteArray kPlanHead = "name = \"t\"\n[defaults]\ntimeout = 200\nretries = 1\n[[step]]\n";
const QString kExample = QStringLiteral(LINKBENCH_SOURCE_DIR "/docs/commissioning-plan.toml");

} // namespace

class tst_PlanCommand : public QObject
{
    Q_OBJECT

private slots:
    void failureModes_data();
    void failureModes();
    void junitCertificateAndCsv();
    void twentyUnitsInARow();

private:
    QTemporaryDir m_dir;
};

void tst_PlanCommand::failureModes_data()
{
    QTest::addColumn<QStringList>("simArguments");
    QTest::addColumn<QByteArray>("step");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");    // in the step's line or the error
    QTest::addColumn<QString>("logMark"); // in every line the simulator logged
    QTest::addColumn<int>("logLines");

    const QString preset = writeFile(m_dir, "preset.toml",
                                     "[header]\naddress = 1\nchannel = \"01\"\n"
                                     "[[parameter]]\ncode = \"13\"\nvalue = \"0600.0\"\n");
    const QByteArray span = "send = \"dc2\"\nparam = \"13\"\nexpect = \"range\"\nlow = 900\n"
                            "high = 1100\n";
    QTest::newRow("span within limits") << QStringList() << span << 0 << "实际 数值 1000 —— 合格"
                                        << "<US>13<US>1000.0" << 1;
    QTest::newRow("span out of range by --params")
        << QStringList{"--params", preset} << span << 1
        << "原因（reason）：数值 600 不在 900 到 1100 之内"
        << "<US>13<US>0600.0" << 1;
    QTest::newRow("every reply dropped, one retry")
        << QStringList{"--drop", "100"} << QByteArray("send = \"dc1\"\n") << 1
        << "期望 应答，校验正确，实为 无应答"
        << "应答丢弃（--drop）" << 2;
    QTest::newRow("write refused")
        << QStringList{"--refuse-writes", "30"}
        << QByteArray("send = \"dc3\"\nparam = \"30\"\nvalue = \"42.0\"\n") << 1
        << "期望 ACK，实为 NAK"
        << "按 --refuse-writes 拒绝" << 1;
    QTest::newRow("absent address answers nothing")
        << QStringList() << QByteArray("send = \"dc1\"\naddress = 200\nretries = 0\n") << 1
        << "实为 无应答"
        << "不答：地址不在总线上" << 1;
    QTest::newRow("absent address, as the bus test wants")
        << QStringList() << QByteArray("send = \"dc1\"\naddresses = \"200\"\nexpect = \"none\"\n")
        << 0 << "期望 无应答，实际 无应答 —— 合格"
        << "不答：地址不在总线上" << 1;
    QTest::newRow("operator answers n")
        << QStringList() << QByteArray("prompt = \"接上校验仪\"\n[[step]]\nsend = \"dc1\"\n") << 1
        << "实际 操作员未确认 —— 不合格"
        << "答 <STX>00101+" << 1;
    QTest::newRow("malformed plan sends nothing")
        << QStringList() << QByteArray("send = \"dc1\"\nexpect = \"ack\"\n") << 2
        << "第 7 行：expect = \"ack\" 不适用于 dc1" << QString() << 0;
}

void tst_PlanCommand::failureModes()
{
    QFETCH(QStringList, simArguments);
    QFETCH(QByteArray, step);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QFETCH(QString, logMark);
    QFETCH(int, logLines);
    RunningSim sim;
    QVERIFY(sim.start(kQuickSim + simArguments));
    const QString plan = writeFile(m_dir, "plan.toml", kPlanHead + step);
    const Run run = poll({plan, "--port", sim.device()}, "n\n");
    QVERIFY2(run.out.contains(said), qPrintable(run.out));
    QCOMPARE(run.exitCode, exitCode);
    const QStringList log = logged(sim);
    QCOMPARE(log.size(), logLines);
    for (const QString& line : log)
        QVERIFY2(line.contains(logMark), qPrintable(line));
}

void tst_PlanCommand::junitCertificateAndCsv()
{
    RunningSim sim;
    QVERIFY(sim.start(kQuickSim + QStringList{"--refuse-writes", "30"}));
    const QString xml = m_dir.filePath("SN7.xml");
    const QString pdf = m_dir.filePath("SN7.pdf");
    const QString csv = m_dir.filePath("SN7.csv");
    const Run run = poll({kExample, "--port", sim.device(), "--unit", "SN7", "--operator", "张工",
                          "--yes", "--junit", xml, "--report", pdf, "--csv", csv});
    QCOMPARE(run.exitCode, 1);

    // Valid against the common JUnit schema, then read for what it says.
    QProcess xmllint;
    xmllint.setProcessChannelMode(QProcess::MergedChannels);
    xmllint.start(QStringLiteral("xmllint"),
                  {"--noout", "--schema", LINKBENCH_SOURCE_DIR "/tests/poll/data/junit.xsd", xml});
    QVERIFY(xmllint.waitForFinished(10000));
    QVERIFY2(xmllint.exitCode() == 0, xmllint.readAll().constData());
    QFile file(xml);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader reader(&file);
    QStringList path;
    QStringList cases;
    QString suiteTests;
    QString suiteFailures;
    int failures = 0;
    QString unit;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement())
            path.removeLast();
        if (!reader.isStartElement())
            continue;
        path << reader.name().toString();
        const QString where = path.join(u'/');
        const auto attribute = [&](const char* name) {
            return reader.attributes().value(QLatin1String(name)).toString();
        };
        if (where == u"testsuites/testsuite") {
            suiteTests = attribute("tests");
            suiteFailures = attribute("failures");
        } else if (where == u"testsuites/testsuite/properties/property" &&
                   attribute("name") == u"unit") {
            unit = attribute("value");
        } else if (where == u"testsuites/testsuite/testcase") {
            cases << attribute("name");
        } else if (where == u"testsuites/testsuite/testcase/failure") {
            ++failures;
            QVERIFY(!attribute("message").isEmpty());
        } else if (where == u"testsuites/testsuite/testcase/system-out") {
            const QString frames = reader.readElementText();
            path.removeLast();
            QVERIFY(frames.isEmpty() || frames.startsWith(QStringLiteral("→ <DC")));
        }
    }
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
    QCOMPARE(cases.size(), 11);
    QCOMPARE(suiteTests, QString::number(cases.size()));
    QCOMPARE(suiteFailures, QString::number(failures));
    QCOMPARE(failures, int(run.out.count(QStringLiteral("—— 不合格\n"))));
    QCOMPARE(failures, 2); // the refused write, and the read-back of what it did not write
    QCOMPARE(unit, QStringLiteral("SN7"));

    QFile plan(kExample);
    QVERIFY(plan.open(QIODevice::ReadOnly));
    const QString text = pdfText(pdf);
    QVERIFY(text.contains(QStringLiteral("SN7")));
    QVERIFY(text.contains(
        QCryptographicHash::hash(plan.readAll(), QCryptographicHash::Sha256).toHex()));
    QVERIFY(text.contains(QStringLiteral("张工")));
    for (const QString& name : cases)
        QVERIFY2(text.contains(name), qPrintable(name));
    // pdftotext ends each page with a form feed: the verdicts first, the frames last.
    const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
    QVERIFY(pages.size() >= 2);
    QVERIFY(pages.front().contains(QStringLiteral("不合格")) && !pages.front().contains(u'→'));
    QVERIFY(pages.back().contains(QStringLiteral("→ <DC1>20101<ETX>")));

    QFile lines(csv);
    QVERIFY(lines.open(QIODevice::ReadOnly));
    QCOMPARE(lines.readAll().count("\r\n") - 1, logged(sim).size());
}

void tst_PlanCommand::twentyUnitsInARow()
{
    RunningSim sim;
    QVERIFY(sim.start(kQuickSim));
    const QString plan = writeFile(m_dir, "one.toml", kPlanHead + "send = \"dc1\"\n");
    for (int unit = 1; unit <= 20; ++unit) {
        const QString serial = QStringLiteral("UNIT-%1").arg(unit, 2, 10, QLatin1Char('0'));
        const Run run = poll({plan, "--port", sim.device(), "--unit", serial, "--report",
                              m_dir.filePath(serial + ".pdf")});
        QCOMPARE(run.exitCode, 0);
    }
    for (int unit = 1; unit <= 20; ++unit) {
        const QString serial = QStringLiteral("UNIT-%1").arg(unit, 2, 10, QLatin1Char('0'));
        const QString text = pdfText(m_dir.filePath(serial + ".pdf"));
        QCOMPARE(text.count(QStringLiteral("UNIT-")), text.count(serial));
        QVERIFY(text.contains(serial));
    }
}

LINKBENCH_TEST_GUILESS_MAIN(tst_PlanCommand)
#include "tst_PlanCommand.moc"
