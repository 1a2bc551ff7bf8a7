#include "TestMain.h"
#include "catalogue/ParameterList.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The 62 entries of the parameter list, code for code and character for character.
class tst_ParameterList : public QObject
{
    Q_OBJECT

private slots:
    void listHoldsSixtyTwoEntries();
    void entryAtPosition_data();
    void entryAtPosition();
    void namelessEntries();
    void trailingSpaces_data();
    void trailingSpaces();
    void codeOfEntry_data();
    void codeOfEntry();
    void positionOfCode_data();
    void positionOfCode();
    void preselectedPositions();
};

void tst_ParameterList::listHoldsSixtyTwoEntries()
{
    QCOMPARE(catalogue::parameterEntries().size(), 62);
}

void tst_ParameterList::entryAtPosition_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");

    QTest::newRow("code 01") << 0 << u"01:功能码   "_s;
    QTest::newRow("code 02") << 1 << u"02:流量积算值"_s;
    QTest::newRow("code 03") << 2 << u"03:DA1值    "_s;
    QTest::newRow("code 04") << 3 << u"04:DA2值"_s;
    QTest::newRow("code 05") << 4 << u"05:SP值"_s;
    QTest::newRow("code 06") << 5 << u"06:越限时间"_s;
    QTest::newRow("code 07") << 6 << u"07:"_s;
    QTest::newRow("code 08") << 7 << u"08:"_s;
    QTest::newRow("code 09") << 8 << u"09:批读PV"_s;
    QTest::newRow("code 10") << 9 << u"10:批读参数"_s;
    QTest::newRow("code 11") << 10 << u"11:分读号 "_s;
    QTest::newRow("code 12") << 11 << u"12:量程零点"_s;
    QTest::newRow("code 13") << 12 << u"13:量程满度"_s;
    QTest::newRow("code 14") << 13 << u"14:小信号切除"_s;
    QTest::newRow("code 15") << 14 << u"15:DA1方式"_s;
    QTest::newRow("code 16") << 15 << u"16:DA2方式"_s;
    QTest::newRow("code 17") << 16 << u"17:报警回差"_s;
    QTest::newRow("code 18") << 17 << u"18:报警一值"_s;
    QTest::newRow("code 19") << 18 << u"19:报警二值"_s;
    QTest::newRow("code 20") << 19 << u"20:报警三值"_s;
    QTest::newRow("code 21") << 20 << u"21:报警四值"_s;
    QTest::newRow("code 22") << 21 << u"22:报警方式"_s;
    QTest::newRow("code 23") << 22 << u"23:附屏"_s;
    QTest::newRow("code 24") << 23 << u"24:"_s;
    QTest::newRow("code 25") << 24 << u"25:"_s;
    QTest::newRow("code 26") << 25 << u"26:"_s;
    QTest::newRow("code 27") << 26 << u"27:波特率更改"_s;
    QTest::newRow("code 28") << 27 << u"28:地址更改"_s;
    QTest::newRow("code 29") << 28 << u"29:DO输出"_s;
    QTest::newRow("code 30") << 29 << u"30:通讯给定值"_s;
    QTest::newRow("code 31") << 30 << u"31:PID P 值"_s;
    QTest::newRow("code 32") << 31 << u"32:PID I 值"_s;
    QTest::newRow("code 33") << 32 << u"33:PID D 值"_s;
    QTest::newRow("code 34") << 33 << u"34:PID 上限幅"_s;
    QTest::newRow("code 35") << 34 << u"35:PID 下限幅"_s;
    QTest::newRow("code 36") << 35 << u"36:PID 安全阀"_s;
    QTest::newRow("code 37") << 36 << u"37:PID 变化率"_s;
    QTest::newRow("code 38") << 37 << u"38:PID SP0 值"_s;
    QTest::newRow("code 39") << 38 << u"39:PWM 周期"_s;
    QTest::newRow("code 40") << 39 << u"40:SP.XX(程序起点工程量)"_s;
    QTest::newRow("code 41") << 40 << u"41:t.XX(程序时间分)"_s;
    QTest::newRow("code 42") << 41 << u"42:启停程序(0=启动,非0=停止)"_s;
    QTest::newRow("code 43") << 42 << u"43:手自动切换(0=自动,非0=手动)"_s;
    QTest::newRow("code 44") << 43 << u"44:"_s;
    QTest::newRow("code 45") << 44 << u"45:"_s;
    QTest::newRow("code 46") << 45 << u"46:"_s;
    QTest::newRow("code 47") << 46 << u"47:"_s;
    QTest::newRow("code 48") << 47 << u"48:"_s;
    QTest::newRow("code 49") << 48 << u"49:"_s;
    QTest::newRow("code 50") << 49 << u"50:"_s;
    QTest::newRow("code 51") << 50 << u"51:"_s;
    QTest::newRow("code 52") << 51 << u"52:"_s;
    QTest::newRow("code 53") << 52 << u"53:"_s;
    QTest::newRow("code 54") << 53 << u"54:"_s;
    QTest::newRow("code 55") << 54 << u"55:"_s;
    QTest::newRow("code 56") << 55 << u"56:"_s;
    QTest::newRow("code 57") << 56 << u"57:"_s;
    QTest::newRow("code 70") << 57 << u"70:读HBX时钟"_s;
    QTest::newRow("code 71") << 58 << u"71:读HBX所挂接仪表地址"_s;
    QTest::newRow("code 72") << 59 << u"72:读HBX所挂接故障仪表地址"_s;
    QTest::newRow("code 73") << 60 << u"73:读HBX所挂接仪表瞬时值"_s;
    QTest::newRow("code 74") << 61 << u"74:读HBX所挂接仪表历史值"_s;
}

void tst_ParameterList::entryAtPosition()
{
    QFETCH(int, position);
    QFETCH(QString, text);
    QCOMPARE(catalogue::parameterEntries().at(position), text);
}

void tst_ParameterList::namelessEntries()
{
    // The code and the colon alone, one entry per code, in numeric order.
    const QStringList expected = {u"07:"_s, u"08:"_s, u"24:"_s, u"25:"_s, u"26:"_s,
                                  u"44:"_s, u"45:"_s, u"46:"_s, u"47:"_s, u"48:"_s,
                                  u"49:"_s, u"50:"_s, u"51:"_s, u"52:"_s, u"53:"_s,
                                  u"54:"_s, u"55:"_s, u"56:"_s, u"57:"_s};
    QStringList nameless;
    for (const QString& entry : catalogue::parameterEntries()) {
        if (entry.size() == 3)
            nameless << entry;
    }
    QCOMPARE(nameless, expected);
}

void tst_ParameterList::trailingSpaces_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QList<int>>("codePoints");

    QTest::newRow("function code, three spaces")
        << 0 << QList<int>{0x30, 0x31, 0x3A, 0x529F, 0x80FD, 0x7801, 0x20, 0x20, 0x20};
    QTest::newRow("analogue output 1, four spaces")
        << 2 << QList<int>{0x30, 0x33, 0x3A, 0x44, 0x41, 0x31, 0x503C, 0x20, 0x20, 0x20, 0x20};
    QTest::newRow("graduation number, one space")
        << 10 << QList<int>{0x31, 0x31, 0x3A, 0x5206, 0x8BFB, 0x53F7, 0x20};
    // ASCII parentheses, equals signs and comma inside a name.
    QTest::newRow("programme start or stop")
        << 41
        << QList<int>{0x34,   0x32,   0x3A, 0x542F, 0x505C, 0x7A0B, 0x5E8F, 0x28,   0x30, 0x3D,
                      0x542F, 0x52A8, 0x2C, 0x975E, 0x30,   0x3D,   0x505C, 0x6B62, 0x29};
}

void tst_ParameterList::trailingSpaces()
{
    QFETCH(int, position);
    QFETCH(QList<int>, codePoints);
    QList<int> actual;
    for (const QChar c : catalogue::parameterEntries().at(position))
        actual << c.unicode();
    QCOMPARE(actual, codePoints);
}

void tst_ParameterList::codeOfEntry_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("code");

    QTest::newRow("named entry") << u"12:量程零点"_s << u"12"_s;
    QTest::newRow("entry with trailing space") << u"11:分读号 "_s << u"11"_s;
    QTest::newRow("nameless 07") << u"07:"_s << u"07"_s;
    QTest::newRow("nameless 47") << u"47:"_s << u"47"_s;
    QTest::newRow("concentrator entry") << u"73:读HBX所挂接仪表瞬时值"_s << u"73"_s;
    QTest::newRow("nothing selected") << QString() << QString();
}

void tst_ParameterList::codeOfEntry()
{
    QFETCH(QString, entry);
    QFETCH(QString, code);
    QCOMPARE(catalogue::parameterCode(entry), code);
}

void tst_ParameterList::positionOfCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("position");

    QTest::newRow("first") << u"01"_s << 0;
    QTest::newRow("nameless 07") << u"07"_s << 6;
    QTest::newRow("graduation number") << u"11"_s << 10;
    QTest::newRow("nameless 47") << u"47"_s << 46;
    QTest::newRow("last of the run from 01") << u"57"_s << 56;
    QTest::newRow("first concentrator code") << u"70"_s << 57;
    QTest::newRow("last") << u"74"_s << 61;
    QTest::newRow("gap between 57 and 70") << u"58"_s << -1;
    QTest::newRow("past the last") << u"75"_s << -1;
    QTest::newRow("empty") << QString() << -1;
}

void tst_ParameterList::positionOfCode()
{
    QFETCH(QString, code);
    QFETCH(int, position);
    QCOMPARE(catalogue::parameterPosition(code), position);
}

void tst_ParameterList::preselectedPositions()
{
    const QStringList& entries = catalogue::parameterEntries();
    QCOMPARE(entries.at(catalogue::kDefaultParameterPosition), u"11:分读号 "_s);
    QCOMPARE(entries.at(catalogue::kHbxParameterPosition), u"73:读HBX所挂接仪表瞬时值"_s);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_ParameterList)
#include "tst_ParameterList.moc"
