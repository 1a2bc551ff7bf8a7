#include "ExchangeLog.h"
#include "TestMain.h"
#include "WireText.h"

#include <QTest>

using namespace sim;

class tst_SimExchangeLog : public QObject
{
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
    void fatesOnPurpose_data();
    void fatesOnPurpose();
};

void tst_SimExchangeLog::lines_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("dropped");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QString>("line");

    const QByteArray reply = onWire("<STX>00101+0011.000575<ETB>");
    QTest::newRow("answered") << Answer{AnswerKind::Reply, reply, {}} << false << reply
                              << "14:03:05.120 收 <DC1>00101<ETX>  答 <STX>00101+0011.000575<ETB>";
    QTest::newRow("answered after stray characters")
        << Answer{AnswerKind::Reply, reply, {}} << false << "x!" + reply
        << "14:03:05.120 收 <DC1>00101<ETX>  答 x!<STX>00101+0011.000575<ETB>";
    QTest::newRow("reply lost") << Answer{AnswerKind::Reply, reply, {}} << true << reply
                                << "14:03:05.120 收 <DC1>00101<ETX>  应答丢弃（--drop）："
                                   "<STX>00101+0011.000575<ETB>";
    QTest::newRow("silent") << Answer{AnswerKind::Silent, {}, QStringLiteral("地址不在总线上")}
                            << false << QByteArray()
                            << "14:03:05.120 收 <DC1>00101<ETX>  不答：地址不在总线上";
    QTest::newRow("refused with the reason")
        << Answer{AnswerKind::Nak, onWire("<NAK>"), QStringLiteral("校验和错误")} << false
        << onWire("<NAK>") << "14:03:05.120 收 <DC1>00101<ETX>  答 <NAK>  (校验和错误)";
}

void tst_SimExchangeLog::lines()
{
    QFETCH(Answer, answer);
    QFETCH(bool, dropped);
    QFETCH(QByteArray, sent);
    QFETCH(QString, line);
    QCOMPARE(exchangeLine(QTime(14, 3, 5, 120), onWire("<DC1>00101<ETX>"), answer,
                          dropped ? faultNamed(u"drop") : nullptr, sent),
             line);
}

void tst_SimExchangeLog::fatesOnPurpose_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<qint64>("delayNs");
    QTest::addColumn<QString>("line");

    const QString head = QStringLiteral("14:03:05.120 收 <DC1>00101<ETX>");
    QTest::newRow("late reply") << "late" << onWire("<STX>00101+0011.000575<ETB>") << qint64(-1)
                                << head + "  迟答（--late）：<STX>00101+0011.000575<ETB>";
    QTest::newRow("spoiled check field")
        << "bad-check" << onWire("<STX>00101+0011.000576<ETB>") << qint64(-1)
        << head + "  错校验答（--bad-check）：<STX>00101+0011.000576<ETB>";
    QTest::newRow("delay drawn by the jitter")
        << "" << onWire("<STX>00101+0011.000575<ETB>") << qint64(23'217'000)
        << head + "  答 <STX>00101+0011.000575<ETB>  (--jitter 延时 23.217 ms)";
    QTest::newRow("late and jittered")
        << "late" << onWire("<ACK>") << qint64(3'500'400'000)
        << head + "  迟答（--late）：<ACK>  (--jitter 延时 3500.400 ms)";
}

void tst_SimExchangeLog::fatesOnPurpose()
{
    QFETCH(QString, fault);
    QFETCH(QByteArray, sent);
    QFETCH(qint64, delayNs);
    QFETCH(QString, line);
    const Answer answer{AnswerKind::Reply, sent, {}};
    QCOMPARE(exchangeLine(QTime(14, 3, 5, 120), onWire("<DC1>00101<ETX>"), answer,
                          faultNamed(fault), sent, delayNs),
             line);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_SimExchangeLog)
#include "tst_SimExchangeLog.moc"
