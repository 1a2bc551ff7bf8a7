#include "TestMain.h"
#include "catalogue/LineLists.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The port, line-settings, address and channel lists of the main window.
class tst_LineLists : public QObject
{
    Q_OBJECT

private slots:
    void ports();
    void lineSettings();
    void addresses();
    void channels_data();
    void channels();
    void channelCount();
    void defaults_data();
    void defaults();
};

void tst_LineLists::ports()
{
    const QStringList expected = {u"COM1"_s, u"COM2"_s, u"COM3"_s, u"COM4"_s,
                                  u"COM5"_s, u"COM6"_s, u"COM7"_s, u"COM8"_s};
    QCOMPARE(catalogue::portEntries(), expected);
}

void tst_LineLists::lineSettings()
{
    // The last speed is 56000, not 57600.
    const QStringList expected = {u"1200,n,8,2"_s, u"2400,n,8,2"_s,  u"4800,n,8,2"_s,
                                  u"9600,n,8,2"_s, u"19200,n,8,2"_s, u"38400,n,8,2"_s,
                                  u"56000,n,8,2"_s};
    QCOMPARE(catalogue::lineSettingEntries(), expected);
}

void tst_LineLists::addresses()
{
    const QStringList expected = {u"001"_s, u"002"_s, u"003"_s, u"004"_s, u"005"_s, u"006"_s,
                                  u"007"_s, u"008"_s, u"009"_s, u"010"_s, u"011"_s};
    QCOMPARE(catalogue::addressEntries(), expected);
}

void tst_LineLists::channels_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");

    QTest::newRow("first") << 0 << u"00"_s;
    QTest::newRow("default") << 1 << u"01"_s;
    QTest::newRow("one digit padded") << 9 << u"09"_s;
    QTest::newRow("two digits") << 10 << u"10"_s;
    QTest::newRow("last of the run") << 64 << u"64"_s;
    QTest::newRow("last entry reads 90") << 65 << u"90"_s;
}

void tst_LineLists::channels()
{
    QFETCH(int, position);
    QFETCH(QString, text);
    QCOMPARE(catalogue::channelEntries().at(position), text);
}

void tst_LineLists::channelCount()
{
    const QStringList& entries = catalogue::channelEntries();
    QCOMPARE(entries.size(), 66);
    // "00" to "64" in order, every entry two digits.
    for (int i = 0; i <= 64; ++i)
        QCOMPARE(entries.at(i), QString::number(i).rightJustified(2, u'0'));
}

void tst_LineLists::defaults_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");

    QTest::newRow("port") << catalogue::portEntries() << catalogue::kDefaultPortPosition
                          << u"COM1"_s;
    QTest::newRow("line settings") << catalogue::lineSettingEntries()
                                   << catalogue::kDefaultLineSettingPosition << u"9600,n,8,2"_s;
    QTest::newRow("channel") << catalogue::channelEntries() << catalogue::kDefaultChannelPosition
                             << u"01"_s;
    QTest::newRow("address") << catalogue::addressEntries() << catalogue::kDefaultAddressPosition
                             << u"001"_s;
}

void tst_LineLists::defaults()
{
    QFETCH(QStringList, list);
    QFETCH(int, position);
    QFETCH(QString, text);
    QCOMPARE(list.at(position), text);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_LineLists)
#include "tst_LineLists.moc"
