// Test-plan files: the example plan in docs/ read as meant, and every kind of
// slip refused with its line and reason.

#include "TestMain.h"
#include "diagnosis/TestPlanFile.h"
#include "diagnosis/TestPlanTexts.h"

#include <QTest>

using namespace diagnosis;

class tst_TestPlanFile : public QObject
{
    Q_OBJECT

private slots:
    void examplePlan();
    void refused_data();
    void refused();
};

void tst_TestPlanFile::examplePlan()
{
    TomlProblem problem;
    const std::optional<TestPlan> plan = loadTestPlan(
        QStringLiteral(LINKBENCH_SOURCE_DIR "/docs/commissioning-plan.toml"), &problem);
    QVERIFY2(plan, qPrintable(problem.reason));
    QStringList steps;
    for (const PlanStep& s : plan->steps)
        steps << QStringLiteral("%1|%2|%3|%4|%5|%6")
                     .arg(s.name, targetLabel(s.target), expectedText(s))
                     .arg(s.timeoutMs)
                     .arg(s.retries)
                     .arg(s.line);
    // The range step is one step per address; a write expects ACK unless told.
    QCOMPARE(steps, QStringList({
                        "仪表在地址应答|DC1 001/01|应答，指明本地址|1000|2|13",
                        "通讯地址参数|DC2 001/01 P28|数值 = 1|1000|2|18",
                        "量程下限|DC2 001/01 P12|数值 -10 到 10|1000|2|25",
                        "量程上限|DC2 001/01 P13|数值 900 到 1100|1000|2|33",
                        "写入设定值|DC3 001/01 P30=42.0|ACK|1000|2|41",
                        "回读设定值|DC2 001/01 P30|数值 = 记录值 设定值|1000|2|48",
                        "接上校验仪，设定 4 mA 后确认|DC1 001/01|操作员确认|1000|2|55",
                        "等待 500 ms|DC1 001/01|等待 500 ms|1000|2|58",
                        "过程值在限值内|DC1 001/01|数值 -50 到 100|1000|2|61",
                        "空地址无应答（地址 200）|DC1 200/01|无应答|300|0|68",
                        "空地址无应答（地址 201）|DC1 201/01|无应答|300|0|68",
                    }));
}

void tst_TestPlanFile::refused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("reason");

    const QString head = QStringLiteral("name = \"t\"\n");
    const auto step = [&](const char* body) {
        return head + QStringLiteral("[[step]]\n") + QString::fromUtf8(body);
    };
    QTest::newRow("not TOML") << head + "[[step]\n" << 2 << QString();
    QTest::newRow("no name") << QStringLiteral("[[step]]\nwait = 1\n") << 1 << plan_texts::NoName;
    QTest::newRow("no steps") << head << 0 << plan_texts::NoSteps;
    QTest::newRow("slip in a key")
        << step("send = \"dc1\"\nexpcet = \"none\"\n") << 4 << plan_texts::UnknownKey.arg("expcet");
    QTest::newRow("two kinds in a step")
        << step("wait = 1\nprompt = \"x\"\n") << 2 << plan_texts::StepKind;
    QTest::newRow("a key of another expectation")
        << step("send = \"dc1\"\nexpect = \"range\"\nlow = 1\nhigh = 2\nequals = 3\n") << 7
        << plan_texts::KeyNotFor.arg("equals");
    QTest::newRow("function") << step("send = \"dc5\"\n") << 3
                              << plan_texts::BadFunction.arg("dc5");
    QTest::newRow("read without param")
        << step("send = \"dc2\"\n") << 2 << plan_texts::NeedsParameter.arg("dc2");
    QTest::newRow("write without value")
        << step("send = \"dc3\"\nparam = \"30\"\n") << 2 << plan_texts::NeedsValue;
    QTest::newRow("address out of range") << step("send = \"dc1\"\naddress = 256\n") << 4
                                          << plan_texts::BadInteger.arg("address").arg(1).arg(255);
    QTest::newRow("ACK of a read") << step("send = \"dc1\"\nexpect = \"ack\"\n") << 4
                                   << plan_texts::ExpectNotFor.arg("ack", "dc1");
    QTest::newRow("range without high") << step("send = \"dc1\"\nexpect = \"range\"\nlow = 1\n")
                                        << 2 << plan_texts::NeedsKey.arg("range", "high");
    QTest::newRow("captured before capture")
        << step("send = \"dc1\"\nexpect = \"captured\"\ncaptured = \"sp\"\n") << 5
        << plan_texts::NotCaptured.arg("sp");
    QTest::newRow("backward range") << step("send = \"dc1\"\naddresses = \"9-3\"\n") << 4
                                    << plan_texts::BadAddresses.arg("9-3");
    QTest::newRow("settings") << QStringLiteral("name = \"t\"\nsettings = \"9600\"\n") << 2
                              << plan_texts::BadSettings.arg("9600");
}

void tst_TestPlanFile::refused()
{
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(QString, reason);
    TomlProblem problem;
    QVERIFY(!parseTestPlan(text.toUtf8(), &problem));
    QCOMPARE(problem.line, line);
    if (!reason.isEmpty())
        QCOMPARE(problem.reason, reason);
    QVERIFY(!problem.reason.isEmpty());
}

LINKBENCH_TEST_APPLESS_MAIN(tst_TestPlanFile)
#include "tst_TestPlanFile.moc"
