#include "TestMain.h"
#include "WireText.h"
#include "protocol/CommandFrames.h"
#include "protocol/ModuleVars.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Composition of the four command frames from the window's selections, checked
// byte for byte as they go on the wire, and the rules that build their fields.
class tst_CommandFrames : public QObject
{
    Q_OBJECT

private slots:
    void frameBytes_data();
    void frameBytes();
    void noFunctionSelected_data();
    void noFunctionSelected();
    void addressBox_data();
    void addressBox();
};

void tst_CommandFrames::frameBytes_data()
{
    QTest::addColumn<int>("functionIndex");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("channel");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QString>("valueBox");
    QTest::addColumn<QString>("frame"); // as the line carries it, <STX>-named
    QTest::addColumn<QString>("funcCode");
    QTest::addColumn<QString>("instrAddr");
    QTest::addColumn<QString>("channelNo");
    QTest::addColumn<QString>("paramNo");
    QTest::addColumn<QString>("hbxAddr");

    const QString dc1 = u"<DC1>"_s;
    const QString dc2 = u"<DC2>"_s;
    const QString dc3 = u"<DC3>"_s;
    const QString dc4 = u"<DC4>"_s;

    QTest::newRow("read process value, address 001, channel 01")
        << 0 << u"001"_s << u"01"_s << QString() << u"00000.0"_s << u"<DC1>00101<ETX>"_s << dc1
        << u"001"_s << u"01"_s << QString() << QString();
    QTest::newRow("read process value, channel entry 90")
        << 0 << u"001"_s << u"90"_s << QString() << u"00000.0"_s << u"<DC1>00190<ETX>"_s << dc1
        << u"001"_s << u"90"_s << QString() << QString();
    QTest::newRow("read process value, address typed as 7")
        << 0 << u"7"_s << u"00"_s << QString() << u"00000.0"_s << u"<DC1>00700<ETX>"_s << dc1
        << u"007"_s << u"00"_s << QString() << QString();
    QTest::newRow("read process value, address 255, channel 64")
        << 0 << u"255"_s << u"64"_s << QString() << u"00000.0"_s << u"<DC1>25564<ETX>"_s << dc1
        << u"255"_s << u"64"_s << QString() << QString();
    QTest::newRow("read parameter 11")
        << 1 << u"001"_s << u"01"_s << u"11:分读号 "_s << u"00000.0"_s << u"<DC2>00101<US>11<ETX>"_s
        << dc2 << u"001"_s << u"01"_s << u"11"_s << QString();
    QTest::newRow("read parameter, nameless entry 07")
        << 1 << u"001"_s << u"01"_s << u"07:"_s << u"00000.0"_s << u"<DC2>00101<US>07<ETX>"_s << dc2
        << u"001"_s << u"01"_s << u"07"_s << QString();
    QTest::newRow("write parameter 12 with 100.0, 23 bytes")
        << 2 << u"001"_s << u"01"_s << u"12:量程零点"_s << u"100.0"_s
        << u"<DC3>00101<US>12<US>0100.0<US>00740<ETX>"_s << dc3 << u"001"_s << u"01"_s << u"12"_s
        << QString();
    QTest::newRow("write parameter, negative value")
        << 2 << u"001"_s << u"01"_s << u"12:量程零点"_s << u"-1.25"_s
        << u"<DC3>00101<US>12<US>-001.25<US>00792<ETX>"_s << dc3 << u"001"_s << u"01"_s << u"12"_s
        << QString();
    QTest::newRow("write parameter, value ending in the point")
        << 2 << u"001"_s << u"01"_s << u"12:量程零点"_s << u"7."_s
        << u"<DC3>00101<US>12<US>7.<US>00554<ETX>"_s << dc3 << u"001"_s << u"01"_s << u"12"_s
        << QString();
    QTest::newRow("write parameter, whole value at address 120")
        << 2 << u"120"_s << u"01"_s << u"12:量程零点"_s << u"5"_s
        << u"<DC3>12001<US>12<US>00005<US>00700<ETX>"_s << dc3 << u"120"_s << u"01"_s << u"12"_s
        << QString();
    QTest::newRow("concentrator 73 at address 005")
        << 3 << u"005"_s << u"01"_s << u"73:读HBX所挂接仪表瞬时值"_s << u"00000.0"_s
        << u"<DC4>05<DC2>00101<US>73<ETX>"_s << dc4 << u"005"_s << u"01"_s << u"73"_s << u"05"_s;
    QTest::newRow("concentrator 74 at address 120, 14 bytes")
        << 3 << u"120"_s << u"01"_s << u"74:读HBX所挂接仪表历史值"_s << u"00000.0"_s
        << u"<DC4>120<DC2>00101<US>74<ETX>"_s << dc4 << u"120"_s << u"01"_s << u"74"_s << u"120"_s;
    // The inner request always names address 001, channel 01, whatever the selections.
    QTest::newRow("concentrator ignores the selected channel")
        << 3 << u"005"_s << u"33"_s << u"73:读HBX所挂接仪表瞬时值"_s << u"00000.0"_s
        << u"<DC4>05<DC2>00101<US>73<ETX>"_s << dc4 << u"005"_s << u"33"_s << u"73"_s << u"05"_s;
    QTest::newRow("concentrator 70 takes the same layout")
        << 3 << u"005"_s << u"01"_s << u"70:读HBX时钟"_s << u"00000.0"_s
        << u"<DC4>05<DC2>00101<US>70<ETX>"_s << dc4 << u"005"_s << u"01"_s << u"70"_s << u"05"_s;
    QTest::newRow("concentrator, nameless entry 47")
        << 3 << u"099"_s << u"01"_s << u"47:"_s << u"00000.0"_s << u"<DC4>99<DC2>00101<US>47<ETX>"_s
        << dc4 << u"099"_s << u"01"_s << u"47"_s << u"99"_s;
}

void tst_CommandFrames::frameBytes()
{
    QFETCH(int, functionIndex);
    QFETCH(QString, address);
    QFETCH(QString, channel);
    QFETCH(QString, parameter);
    QFETCH(QString, valueBox);
    QFETCH(QString, frame);
    QFETCH(QString, funcCode);
    QFETCH(QString, instrAddr);
    QFETCH(QString, channelNo);
    QFETCH(QString, paramNo);
    QFETCH(QString, hbxAddr);

    ModuleVars vars;
    frames::compose(vars, {functionIndex, address, channel, parameter, valueBox});

    QCOMPARE(visible(vars.SentFrame), frame);
    QCOMPARE(visible(vars.FuncCode), funcCode);
    QCOMPARE(vars.InstrAddr, instrAddr);
    QCOMPARE(vars.ChannelNo, channelNo);
    QCOMPARE(vars.ParamNo, paramNo);
    QCOMPARE(vars.HbxAddr, hbxAddr);
}

void tst_CommandFrames::noFunctionSelected_data()
{
    QTest::addColumn<int>("previousFunction"); // -1: nothing sent before
    QTest::addColumn<QString>("funcCode");
    QTest::addColumn<QString>("frame"); // as the line carries it, <STX>-named

    QTest::newRow("before the first command") << -1 << QString() << QString();
    QTest::newRow("after a read-parameter command")
        << 1 << u"<DC2>"_s << u"<DC2>00201<US>12<ETX>"_s;
}

void tst_CommandFrames::noFunctionSelected()
{
    QFETCH(int, previousFunction);
    QFETCH(QString, funcCode);
    QFETCH(QString, frame);

    ModuleVars vars;
    if (previousFunction >= 0)
        frames::compose(vars, {previousFunction, u"001"_s, u"01"_s, u"11:分读号 "_s, u"0"_s});
    // With no function selected FuncCode stays as it was; the other fields follow
    // the current selections and the frame is built by the kept function.
    frames::compose(vars, {-1, u"002"_s, u"01"_s, u"12:量程零点"_s, u"0"_s});

    QCOMPARE(visible(vars.FuncCode), funcCode);
    QCOMPARE(visible(vars.SentFrame), frame);
    QCOMPARE(vars.InstrAddr, u"002"_s);
    QCOMPARE(vars.ParamNo, u"12"_s);
}

void tst_CommandFrames::addressBox_data()
{
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<int>("address"); // -1: not an address

    QTest::newRow("7") << u"7"_s << 7;
    QTest::newRow("with leading zeros") << u"007"_s << 7;
    QTest::newRow("lowest") << u"1"_s << 1;
    QTest::newRow("highest") << u"255"_s << 255;
    QTest::newRow("surrounding blanks") << u" 12 "_s << 12;
    QTest::newRow("exponent") << u"1e2"_s << 100;
    QTest::newRow("fraction rounds to nearest") << u"1.4"_s << 1;
    QTest::newRow("half rounds up") << u"254.5"_s << 255;
    QTest::newRow("0") << u"0"_s << -1;
    QTest::newRow("256") << u"256"_s << -1;
    QTest::newRow("300") << u"300"_s << -1;
    QTest::newRow("just above 255") << u"255.4"_s << -1;
    QTest::newRow("below 1") << u"0.5"_s << -1;
    QTest::newRow("negative") << u"-5"_s << -1;
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("letters") << u"abc"_s << -1;
}

void tst_CommandFrames::addressBox()
{
    QFETCH(QString, boxText);
    QFETCH(int, address);
    QCOMPARE(frames::parseAddress(boxText), address);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_CommandFrames)
#include "tst_CommandFrames.moc"
