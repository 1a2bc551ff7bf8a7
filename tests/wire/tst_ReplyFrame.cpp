#include "TestMain.h"
#include "WireText.h"
#include "wire/ReplyFrame.h"
#include "wire/WireText.h"

#include <QTest>

// The replies' rules: where a reply ends, the check field it carries and the
// one it shows, and bytes written by name and read back.
class tst_ReplyFrame : public QObject
{
    Q_OBJECT

private slots:
    void whereTheReplyEnds_data();
    void whereTheReplyEnds();
    void framedReply_data();
    void framedReply();
    void namedBytes_data();
    void namedBytes();
};

void tst_ReplyFrame::whereTheReplyEnds_data()
{
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<int>("end"); // -1: not complete yet

    QTest::newRow("read, first chunk") << onWire("<STX>00101+00") << -1;
    QTest::newRow("read, complete with more behind it")
        << onWire("<STX>00101+0011.000575<ETB><STX>0") << 19;
    QTest::newRow("write, stray bytes then ACK") << onWire("ab<ACK>") << 3;
    QTest::newRow("write answered by a frame") << onWire("<STX>1<ETB>") << 3;
    QTest::newRow("read answered by NAK") << onWire("<NAK>") << 1;
    QTest::newRow("nothing") << QByteArray() << -1;
}

void tst_ReplyFrame::whereTheReplyEnds()
{
    QFETCH(QByteArray, received);
    QFETCH(int, end);
    QCOMPARE(wire::replyEnd(received).value_or(-1), qsizetype(end));
}

void tst_ReplyFrame::framedReply_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("process value")
        << QByteArray("00101+0011.0") << onWire("<STX>00101+0011.000575<ETB>");
    QTest::newRow("HBX addresses")
        << wire::hbxReplyBody("05", "72", {"003"}) << onWire("<STX>0572<RS>003<RS>00415<ETB>");
    QTest::newRow("sum above 99999 keeps its last five digits")
        << "00101" + QByteArray(1000, '~')
        << onWire("<STX>00101" + QString(1000, u'~') + "26244<ETB>");
}

void tst_ReplyFrame::framedReply()
{
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, reply);
    QCOMPARE(wire::framedReply(body), reply);
    QVERIFY(wire::checkFieldHolds(reply));
    QCOMPARE(wire::shownCheckField(reply), reply.right(6).left(5));
    QByteArray spoiled = reply;
    spoiled[spoiled.size() - 2] = spoiled[spoiled.size() - 2] == '0' ? '1' : '0';
    QVERIFY(!wire::checkFieldHolds(spoiled));
}

void tst_ReplyFrame::namedBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("command") << onWire("<DC3>00101<US>12<US>0100.0<US>00740<ETX>")
                             << "<DC3>00101<US>12<US>0100.0<US>00740<ETX>";
    QTest::newRow("HBX reply") << onWire("<STX>0572<RS>003<RS>00415<ETB>")
                               << "<STX>0572<RS>003<RS>00415<ETB>";
    QTest::newRow("other bytes in hex") << QByteArray("a\x7f\x00\xff\r", 5) << "a<7F><00><FF><0D>";
}

void tst_ReplyFrame::namedBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(wire::namedBytes(bytes), text);
    QCOMPARE(wire::bytesFromNamed(text), bytes);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_ReplyFrame)
#include "tst_ReplyFrame.moc"
