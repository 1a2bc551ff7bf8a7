#include "TestMain.h"
#include "transcript/Transcript.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The transcript text: newest entry first, the writer's separator between an
// entry and older text, nothing around a lone entry, and Clear.
class tst_Transcript : public QObject
{
    Q_OBJECT

private slots:
    void insertion_data();
    void insertion();
    void clear_data();
    void clear();
    void entriesFromTheNewest();
};

void tst_Transcript::insertion_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("separators");
    QTest::addColumn<QString>("text");

    const QString two = u"\r\n\r\n"_s;
    const QString one = u"\r\n"_s;

    QTest::newRow("nothing inserted") << QStringList() << QStringList() << QString();
    QTest::newRow("first entry stands alone")
        << QStringList{u"A1\r\nA2"_s} << QStringList{two} << u"A1\r\nA2"_s;
    QTest::newRow("first entry ignores its separator")
        << QStringList{u"A"_s} << QStringList{one} << u"A"_s;
    QTest::newRow("second entry above the first with one empty line")
        << QStringList{u"A1\r\nA2"_s, u"B1\r\nB2"_s} << QStringList{two, two}
        << u"B1\r\nB2\r\n\r\nA1\r\nA2"_s;
    QTest::newRow("single line end stated by the writer")
        << QStringList{u"A"_s, u"B"_s} << QStringList{two, one} << u"B\r\nA"_s;
    QTest::newRow("three entries, mixed separators")
        << QStringList{u"A"_s, u"B"_s, u"C"_s} << QStringList{two, one, two}
        << u"C\r\n\r\nB\r\nA"_s;
    QTest::newRow("entries with control characters")
        << QStringList{u"\u0002x\u0017"_s, u"\u0011y\u0003"_s} << QStringList{two, two}
        << u"\u0011y\u0003\r\n\r\n\u0002x\u0017"_s;
    // An empty entry leaves an empty transcript empty, so the next one stands alone.
    QTest::newRow("empty entry into an empty transcript")
        << QStringList{QString(), u"B"_s} << QStringList{two, two} << u"B"_s;
    QTest::newRow("empty entry above older text")
        << QStringList{u"A"_s, QString()} << QStringList{two, two} << u"\r\n\r\nA"_s;
}

void tst_Transcript::insertion()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, separators);
    QFETCH(QString, text);

    Transcript transcript;
    for (qsizetype i = 0; i < entries.size(); ++i)
        transcript.insert(entries.at(i), separators.at(i));

    QCOMPARE(transcript.text(), text);
    QCOMPARE(transcript.isEmpty(), text.isEmpty());
    QCOMPARE(transcript.length(), text.size());
}

void tst_Transcript::clear_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("after"); // inserted after Clear; empty: nothing
    QTest::addColumn<QString>("text");

    QTest::newRow("clear on an empty transcript") << QStringList() << QString() << QString();
    QTest::newRow("clear on a transcript with entries")
        << QStringList{u"A"_s, u"B1\r\nB2"_s} << QString() << QString();
    QTest::newRow("first entry after clear stands alone")
        << QStringList{u"A"_s, u"B"_s} << u"C1\r\nC2"_s << u"C1\r\nC2"_s;
}

void tst_Transcript::clear()
{
    QFETCH(QStringList, before);
    QFETCH(QString, after);
    QFETCH(QString, text);

    Transcript transcript;
    for (const QString& entry : before)
        transcript.insert(entry, u"\r\n\r\n"_s);
    transcript.clear();
    QVERIFY(transcript.isEmpty());
    QCOMPARE(transcript.text(), QString());
    QCOMPARE(transcript.entryCount(), 0);

    if (!after.isEmpty())
        transcript.insert(after, u"\r\n\r\n"_s);
    QCOMPARE(transcript.text(), text);
    QCOMPARE(transcript.length(), text.size());
}

void tst_Transcript::entriesFromTheNewest()
{
    Transcript transcript;
    transcript.insert(u"A"_s, u"\r\n\r\n"_s);
    transcript.insert(u"B"_s, u"\r\n"_s);
    transcript.insert(u"C"_s, u"\r\n\r\n"_s);

    QCOMPARE(transcript.entryCount(), 3);
    // Each separator stands below the entry it was given with.
    QCOMPARE(transcript.text(), u"C\r\n\r\nB\r\nA"_s);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_Transcript)
#include "tst_Transcript.moc"
