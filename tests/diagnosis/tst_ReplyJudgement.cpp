// Each reply judged as a technician reads it: one outcome, the stray bytes
// ahead of it, and the number it carries.

#include "TestMain.h"
#include "WireText.h"
#include "diagnosis/ReplyJudgement.h"

#include <QTest>

using namespace diagnosis;

namespace {

Target target(Function function, int address = 1, const QString& param = QStringLiteral("11"))
{
    Target t;
    t.function = function;
    t.address = address;
    t.param = param;
    return t;
}

} // namespace

class tst_ReplyJudgement : public QObject
{
    Q_OBJECT

private slots:
    void judged_data();
    void judged();
};

void tst_ReplyJudgement::judged_data()
{
    QTest::addColumn<Target>("target");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("checkField");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<int>("noise");
    QTest::addColumn<QString>("value"); // "" for none

    const Target dc1 = target(Function::Dc1);
    const Target dc2 = target(Function::Dc2);
    const Target dc3 = target(Function::Dc3, 1, QStringLiteral("12"));
    const Target hbx73 = target(Function::Dc4, 5, QStringLiteral("73"));
    const Target hbx74 = target(Function::Dc4, 5, QStringLiteral("74"));
    const Target hbx70 = target(Function::Dc4, 5, QStringLiteral("70"));
    const Target hbx120 = target(Function::Dc4, 120, QStringLiteral("72"));

    QTest::newRow("process value")
        << dc1 << onWire("<STX>00101+0011.000575<ETB>") << true << "ok" << 0 << "11";
    QTest::newRow("negative process value")
        << dc1 << onWire("<STX>00101-0003.500583<ETB>") << true << "ok" << 0 << "-3.5";
    QTest::newRow("stray bytes ahead")
        << dc1 << onWire("x<!<STX>00101+0011.000575<ETB>") << true << "ok" << 3 << "11";
    QTest::newRow("a broken frame before a whole one")
        << dc1 << onWire("<STX>001<STX>00101+0011.000575<ETB>") << true << "ok" << 4 << "11";
    QTest::newRow("check field off by one")
        << dc1 << onWire("<STX>00101+0011.000576<ETB>") << true << "check" << 0 << "11";
    QTest::newRow("check field off by one, checking off")
        << dc1 << onWire("<STX>00101+0011.000576<ETB>") << false << "ok" << 0 << "11";
    QTest::newRow("check field not digits")
        << dc1 << onWire("<STX>00101+0011.0abcde<ETB>") << true << "check" << 0 << "11";
    QTest::newRow("sum above 99999 keeps five digits")
        << dc1 << onWire("<STX>00101" + QString(1000, u'~') + "26244<ETB>") << true << "ok" << 0
        << "";
    QTest::newRow("no STX") << dc1 << onWire("00101+0011.000575<ETB>") << true << "malformed" << 0
                            << "";
    QTest::newRow("too short") << dc1 << onWire("<STX>00002<ETB>") << true << "malformed" << 0
                               << "";
    QTest::newRow("reply from another address")
        << dc1 << onWire("<STX>00201+0021.000576<ETB>") << true << "malformed" << 0 << "";
    QTest::newRow("parameter reply to a process-value read")
        << dc1 << onWire("<STX>00101<US>11<US>0000300647<ETB>") << true << "malformed" << 0 << "";
    QTest::newRow("read answered by NAK")
        << dc1 << onWire("<NAK>") << true << "malformed" << 0 << "";
    QTest::newRow("parameter value")
        << dc2 << onWire("<STX>00101<US>11<US>0000300647<ETB>") << true << "ok" << 0 << "3";
    QTest::newRow("parameter written as typed")
        << dc2 << onWire("<STX>00101<US>11<US>7.00505<ETB>") << true << "ok" << 0 << "7";
    QTest::newRow("parameter value that is no number")
        << dc2 << onWire("<STX>00101<US>11<US>abc00698<ETB>") << true << "ok" << 0 << "";
    QTest::newRow("write accepted") << dc3 << onWire("<ACK>") << true << "ok" << 0 << "";
    QTest::newRow("write refused after stray bytes")
        << dc3 << onWire("q}<NAK>") << true << "nak" << 2 << "";
    QTest::newRow("write answered by a frame")
        << dc3 << onWire("<STX>00101+0011.000575<ETB>") << true << "malformed" << 0 << "";
    QTest::newRow("HBX current values: the first instrument's")
        << hbx73
        << onWire("<STX>0573<RS>00101+0012.9<RS>00201+0022.7<RS>00401+0040.8<RS>02081<ETB>") << true
        << "ok" << 0 << "12.9";
    QTest::newRow("HBX history: the newest sample")
        << hbx74 << onWire("<STX>0574<RS>14:20+0012.9<RS>14:10+0011.6<RS>01491<ETB>") << true
        << "ok" << 0 << "12.9";
    QTest::newRow("HBX history of a faulty instrument: no value")
        << hbx74 << onWire("<STX>0574<RS>00240<ETB>") << true << "ok" << 0 << "";
    QTest::newRow("HBX clock: no number")
        << hbx70 << onWire("<STX>0570<RS>2026-12-07 14:23:30<RS>01209<ETB>") << true << "ok" << 0
        << "";
    QTest::newRow("HBX reply from another concentrator")
        << hbx70 << onWire("<STX>0670<RS>2026-12-07 14:23:30<RS>01210<ETB>") << true << "malformed"
        << 0 << "";
    QTest::newRow("HBX at a three-digit address")
        << hbx120 << onWire("<STX>12072<RS>00284<ETB>") << true << "ok" << 0 << "";
}

void tst_ReplyJudgement::judged()
{
    QFETCH(Target, target);
    QFETCH(QByteArray, reply);
    QFETCH(bool, checkField);
    QFETCH(QString, outcome);
    QFETCH(int, noise);
    QFETCH(QString, value);

    const Judgement j = judgeReply(target, reply, checkField);
    QCOMPARE(outcomeName(j.outcome), outcome);
    QCOMPARE(j.noiseBytes, noise);
    QCOMPARE(j.value ? QString::number(*j.value) : QString(), value);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_ReplyJudgement)
#include "tst_ReplyJudgement.moc"
