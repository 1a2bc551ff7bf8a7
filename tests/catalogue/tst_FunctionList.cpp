#include "TestMain.h"
#include "catalogue/FunctionList.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The four entries of the function list and the function character each selects.
class tst_FunctionList : public QObject
{
    Q_OBJECT

private slots:
    void entryTexts();
    void codePoints_data();
    void codePoints();
};

void tst_FunctionList::entryTexts()
{
    const QStringList expected = {u"读PV(DC1)"_s, u"读参数(DC2)"_s, u"写参数(DC3)"_s,
                                  u"读写HBX(DC4)"_s};
    QCOMPARE(catalogue::functionEntries(), expected);
}

void tst_FunctionList::codePoints_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QList<int>>("codePoints");

    // Parentheses are ASCII, not full-width.
    QTest::newRow("read process value")
        << 0 << QList<int>{0x8BFB, 0x50, 0x56, 0x28, 0x44, 0x43, 0x31, 0x29};
    QTest::newRow("read parameter")
        << 1 << QList<int>{0x8BFB, 0x53C2, 0x6570, 0x28, 0x44, 0x43, 0x32, 0x29};
    QTest::newRow("write parameter")
        << 2 << QList<int>{0x5199, 0x53C2, 0x6570, 0x28, 0x44, 0x43, 0x33, 0x29};
    QTest::newRow("concentrator request")
        << 3 << QList<int>{0x8BFB, 0x5199, 0x48, 0x42, 0x58, 0x28, 0x44, 0x43, 0x34, 0x29};
}

void tst_FunctionList::codePoints()
{
    QFETCH(int, position);
    QFETCH(QList<int>, codePoints);
    QList<int> actual;
    for (const QChar c : catalogue::functionEntries().at(position))
        actual << c.unicode();
    QCOMPARE(actual, codePoints);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_FunctionList)
#include "tst_FunctionList.moc"
