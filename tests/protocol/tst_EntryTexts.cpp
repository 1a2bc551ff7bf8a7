#include "TestMain.h"
#include "protocol/EntryTexts.h"
#include "wire/ControlChars.h"

#include <QTest>

// The literal pieces of the transcript entries, character by character, so that
// a look-alike (a full-width parenthesis, a black diamond suit, a hyphen arrow)
// cannot slip in unnoticed.
class tst_EntryTexts : public QObject
{
    Q_OBJECT

private slots:
    void codePoints_data();
    void codePoints();
    void lineEnd();
};

void tst_EntryTexts::codePoints_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("codePoints");

    QTest::newRow("stamp prefix") << entry_texts::StampPrefix
                                  << QList<int>{0x20,   0x25C6, 0x25C6, 0x20,   0x20,
                                                0x6D4B, 0x8BD5, 0x65F6, 0x95F4, 0x3A};
    QTest::newRow("sent") << entry_texts::Sent << QList<int>{0x53D1, 0x9001, 0x3A};
    QTest::newRow("spaced arrow") << entry_texts::ArrowSpaced
                                  << QList<int>{0x20, 0x2192, 0x20, 0x63A5, 0x6536, 0x3A};
    QTest::newRow("half-spaced arrow")
        << entry_texts::ArrowHalfSpaced << QList<int>{0x20, 0x2192, 0x63A5, 0x6536, 0x3A};
    QTest::newRow("tight arrow") << entry_texts::ArrowTight
                                 << QList<int>{0x2192, 0x63A5, 0x6536, 0x3A};
    QTest::newRow("read value header")
        << entry_texts::ReadValueHeader << QList<int>{0x25B2, 0x25B3, 0x25B2, 0x25B3, 0x20, 0x8BFB,
                                                      0x77AC, 0x65F6, 0x503C, 0x20,   0x20, 0x20};
    QTest::newRow("read parameter header")
        << entry_texts::ReadParamHeader
        << QList<int>{0x25B3, 0x25B3, 0x25B3, 0x25B3, 0x20, 0x8BFB, 0x53C2, 0x6570, 0x503C, 0x28};
    QTest::newRow("write time-out header")
        << entry_texts::WriteTimeoutHeader
        << QList<int>{0x25B2, 0x25B2, 0x25B2, 0x25B2, 0x20, 0x8BFB, 0x53C2, 0x6570, 0x503C, 0x28};
    QTest::newRow("acknowledgement header")
        << entry_texts::WriteAckHeader
        << QList<int>{0x25B2, 0x25B2, 0x25B2, 0x25B2, 0x20, 0x5199, 0x53C2, 0x6570, 0x503C, 0x28};
    QTest::newRow("pending write header")
        << entry_texts::WritePendingHeader
        << QList<int>{0x20, 0x20,   0x25B2, 0x25B2, 0x25B2, 0x25B2,
                      0x20, 0x8BFB, 0x53C2, 0x6570, 0x503C, 0x28};
    QTest::newRow("concentrator header")
        << entry_texts::HbxHeader << QList<int>{0x25B3, 0x25B3, 0x25B3, 0x25B3, 0x20, 0x28};
    QTest::newRow("header close") << entry_texts::HeaderClose << QList<int>{0x29, 0x20, 0x20};
    QTest::newRow("check prefix") << entry_texts::CheckPrefix
                                  << QList<int>{0x6821, 0x9A8C, 0x548C, 0x3A};
    QTest::newRow("accepted") << entry_texts::AckVerdict
                              << QList<int>{0x41, 0x43, 0x4B, 0x20, 0x20, 0x221A};
    QTest::newRow("refused") << entry_texts::NakVerdict
                             << QList<int>{0x4E, 0x41, 0x4B, 0x20, 0x20, 0xD7};
    QTest::newRow("time-out") << entry_texts::Timeout
                              << QList<int>{0x4E32, 0x53E3, 0x8D85, 0x65F6, 0x9519,
                                            0x8BEF, 0x21,   0x21,   0x21};
}

void tst_EntryTexts::codePoints()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, codePoints);
    QList<int> actual;
    for (const QChar c : text)
        actual << c.unicode();
    QCOMPARE(actual, codePoints);
}

void tst_EntryTexts::lineEnd()
{
    QCOMPARE(ctl::LineEnd.size(), 2);
    QCOMPARE(ctl::LineEnd.at(0).unicode(), 13);
    QCOMPARE(ctl::LineEnd.at(1).unicode(), 10);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_EntryTexts)
#include "tst_EntryTexts.moc"
