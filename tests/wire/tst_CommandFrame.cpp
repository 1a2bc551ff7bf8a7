#include "TestMain.h"
#include "WireText.h"
#include "wire/CommandFrame.h"

#include <QTest>

using namespace Qt::StringLiterals;
using wire::Command;
using wire::Function;

Q_DECLARE_METATYPE(wire::Command)

namespace {

Command command(Function function, const QByteArray& address, const QByteArray& channel,
                const QByteArray& parameter = {}, const QByteArray& value = {},
                const QByteArray& checksum = {}, const QByteArray& hbx = {})
{
    return {function, address, channel, parameter, value, checksum, hbx};
}

} // namespace

// The command frames composed from their fields and taken apart again, and
// the write's checksum and value field.
class tst_CommandFrame : public QObject
{
    Q_OBJECT

private slots:
    void composedAndParsed_data();
    void composedAndParsed();
    void notACommand_data();
    void notACommand();
    void valueField_data();
    void valueField();
    void checksum_data();
    void checksum();
};

void tst_CommandFrame::composedAndParsed_data()
{
    QTest::addColumn<Command>("fields");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<bool>("checksumRight");

    QTest::newRow("read process value")
        << command(Function::Dc1, "001", "01") << u"<DC1>00101<ETX>"_s << true;
    QTest::newRow("read parameter 11")
        << command(Function::Dc2, "001", "01", "11") << u"<DC2>00101<US>11<ETX>"_s << true;
    QTest::newRow("write 0100.0 to parameter 12, checksum 740")
        << command(Function::Dc3, "001", "01", "12", "0100.0", "00740")
        << u"<DC3>00101<US>12<US>0100.0<US>00740<ETX>"_s << true;
    QTest::newRow("write a negative value")
        << command(Function::Dc3, "120", "05", "18", "-001.25", "00804")
        << u"<DC3>12005<US>18<US>-001.25<US>00804<ETX>"_s << true;
    QTest::newRow("HBX 73 at 05") << command(Function::Dc4, "001", "01", "73", {}, {}, "05")
                                  << u"<DC4>05<DC2>00101<US>73<ETX>"_s << true;
    QTest::newRow("HBX 74 at 120, three digits")
        << command(Function::Dc4, "001", "01", "74", {}, {}, "120")
        << u"<DC4>120<DC2>00101<US>74<ETX>"_s << true;
    // Another master's write may carry a wrong checksum: it still parses, and says so.
    QTest::newRow("write with a wrong checksum, parsed only")
        << command(Function::Dc3, "001", "01", "12", "0100.0", "00741")
        << u"<DC3>00101<US>12<US>0100.0<US>00741<ETX>"_s << false;
}

void tst_CommandFrame::composedAndParsed()
{
    QFETCH(Command, fields);
    QFETCH(QString, frame);
    QFETCH(bool, checksumRight);
    QCOMPARE(wire::parseCommand(onWire(frame)), fields);
    QCOMPARE(wire::checksumHolds(fields), checksumRight);
    if (checksumRight)
        QCOMPARE(visible(QString::fromLatin1(wire::composeCommand(fields))), frame);
}

void tst_CommandFrame::notACommand_data()
{
    QTest::addColumn<QString>("frame");

    QTest::newRow("no ETX") << u"<DC1>00101"_s;
    QTest::newRow("a second ETX inside") << u"<DC1>001<ETX>01<ETX>"_s;
    QTest::newRow("letters in the address") << u"<DC1>0a101<ETX>"_s;
    QTest::newRow("one-digit parameter") << u"<DC2>00101<US>1<ETX>"_s;
    QTest::newRow("write with a four-digit checksum")
        << u"<DC3>00101<US>12<US>0100.0<US>0740<ETX>"_s;
    QTest::newRow("HBX address of four digits") << u"<DC4>0005<DC2>00101<US>73<ETX>"_s;
    QTest::newRow("not a function code") << u"<STX>00101<ETX>"_s;
}

void tst_CommandFrame::notACommand()
{
    QFETCH(QString, frame);
    QVERIFY(!wire::parseCommand(onWire(frame)));
}

void tst_CommandFrame::valueField_data()
{
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<QString>("value");

    QTest::newRow("whole number") << u"5"_s << u"00005"_s;
    QTest::newRow("negative whole number") << u"-3"_s << u"-00003"_s;
    QTest::newRow("one decimal") << u"12.3"_s << u"0012.3"_s;
    QTest::newRow("one decimal below one") << u"0.5"_s << u"0000.5"_s;
    QTest::newRow("write example") << u"100.0"_s << u"0100.0"_s;
    QTest::newRow("value box start-up text") << u"00000.0"_s << u"0000.0"_s;
    QTest::newRow("two decimals, negative") << u"-1.25"_s << u"-001.25"_s;
    QTest::newRow("two decimals, trailing zero") << u"1.50"_s << u"001.50"_s;
    QTest::newRow("three decimals") << u"12.345"_s << u"12.345"_s;
    QTest::newRow("four decimals") << u"0.1234"_s << u"0.1234"_s;
    QTest::newRow("more integer digits") << u"12345.6"_s << u"12345.6"_s;
    QTest::newRow("five decimals stay as typed") << u"3.14159"_s << u"3.14159"_s;
    QTest::newRow("point at the end stays as typed") << u"7."_s << u"7."_s;
    QTest::newRow("exponent counted as decimals") << u"1.5e3"_s << u"1500.000"_s;
    QTest::newRow("exponent without a point") << u"1e5"_s << u"100000"_s;
    QTest::newRow("1e23 carries the typed digits") << u"1e23"_s << u"100000000000000000000000"_s;
    QTest::newRow("underflow is zero") << u"1e-400"_s << u"00000"_s;
    QTest::newRow("leading blank") << u" 12.3"_s << u"0012.3"_s;
    QTest::newRow("trailing blank counted after the point") << u"12.3 "_s << u"012.30"_s;
}

void tst_CommandFrame::valueField()
{
    QFETCH(QString, boxText);
    QFETCH(QString, value);
    QCOMPARE(wire::valueField(boxText), value);
}

void tst_CommandFrame::checksum_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("checksum");

    // 255 × 8421504 + 127 is the largest sum a 32-bit signed integer holds.
    const QByteArray largest = QByteArray(8421504, '\xff') + '\x7f';
    QTest::newRow("write example, 740") << onWire("<DC3>00101<US>12<US>0100.0<US>") << "00740"_ba;
    QTest::newRow("empty body") << QByteArray() << "00000"_ba;
    QTest::newRow("function code alone") << onWire("<DC3>") << "00019"_ba;
    QTest::newRow("more than five digits") << QByteArray(2100, '0') << "100800"_ba;
    QTest::newRow("largest sum a 32-bit field holds") << largest << "2147483647"_ba;
    QTest::newRow("sum past 32 bits wraps as two's complement")
        << largest + '\x01' << "-2147483648"_ba;
}

void tst_CommandFrame::checksum()
{
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, checksum);
    QCOMPARE(wire::writeChecksum(body), checksum);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_CommandFrame)
#include "tst_CommandFrame.moc"
