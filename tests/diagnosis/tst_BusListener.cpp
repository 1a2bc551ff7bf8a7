// A listener fed the bytes of a bus in chunks, as the reads bring them: one
// row per command with its outcome and response time, and a row for each
// reply that followed no command of its own.

#include "TestMain.h"
#include "WireText.h"
#include "diagnosis/BusListener.h"
#include "diagnosis/ExchangeCsv.h"

#include <QTest>

using namespace diagnosis;

namespace {

// "ms:bytes|ms:bytes"; "ms:2:bytes" for bytes read off the second line.
void listen(BusListener& listener, const QString& steps, int endMs)
{
    for (const QString& step : steps.split(u'|')) {
        const QStringList parts = step.split(u':');
        const bool second = parts.size() == 3 && parts[1] == u"2";
        listener.take(second ? 1 : 0, onWire(parts.back()), parts[0].toLongLong() * 1000);
    }
    listener.advance(qint64(endMs) * 1000);
}

// A command as "outcome ms" ("ok 9", "timeout -"), an unpaired reply as its
// CSV outcome, address and function ("unpaired@001dc1", "unpaired@002").
QString rowText(const ListenedExchange& x)
{
    const QStringList f = listenedCsvFields(x);
    if (x.unpaired)
        return f[kCsvOutcomeColumn] + u'@' + f[kCsvAddressColumn] + f[kCsvFunctionColumn];
    const qint64 us = x.record.responseUs;
    return f[kCsvOutcomeColumn] + u' ' +
           (us < 0 ? QStringLiteral("-") : QString::number(us / 1000));
}

} // namespace

class tst_BusListener : public QObject
{
    Q_OBJECT

private slots:
    void listened_data();
    void listened();
    void pollRhythm();
};

void tst_BusListener::listened_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<int>("noise");   // stray bytes counted
    QTest::addColumn<int>("badSum");  // writes with a wrong checksum
    QTest::addColumn<int>("unknown"); // replies naming a place no command named

    const QString ok1 = QStringLiteral("<STX>00101+0011.000575<ETB>");
    const QString ok2 = QStringLiteral("<STX>00201+0020.000576<ETB>");
    const QString write = QStringLiteral("<DC3>00101<US>12<US>0100.0<US>00740<ETX>");

    QTest::newRow("reply in three chunks")
        << "0:<DC1>00101<ETX>|4:<STX>001|6:01+0011.0|9:00575<ETB>"
        << "ok 9" << 0 << 0 << 0;
    QTest::newRow("command in two chunks")
        << "0:<DC1>001|2:01<ETX>|12:" + ok1 << "ok 10" << 0 << 0 << 0;
    QTest::newRow("no reply before the next command")
        << "0:<DC1>00101<ETX>|50:<DC1>00201<ETX>|60:" + ok2 << "timeout -,ok 10" << 0 << 0 << 0;
    QTest::newRow("no reply within the time-out, then a late one")
        << "0:<DC1>00101<ETX>|150:" + ok1 << "timeout -,unpaired@001dc1 late" << 0 << 0 << 0;
    QTest::newRow("late reply during the next exchange")
        << "0:<DC1>00101<ETX>|50:<DC1>00201<ETX>|55:" + ok1 + "|60:" + ok2
        << "timeout -,unpaired@001dc1 late,ok 10" << 0 << 0 << 0;
    QTest::newRow("late reply after the next exchange's own")
        << "0:<DC1>00101<ETX>|50:<DC1>00201<ETX>|60:" + ok2 + "|70:" + ok1
        << "timeout -,ok 10,unpaired@001dc1 late" << 0 << 0 << 0;
    QTest::newRow("started inside a reply, then inside an exchange")
        << "0:01+0011.000575<ETB>|5:" + ok1 + "|10:<DC1>00101<ETX>|20:" + ok1
        << "unpaired@001,ok 10" << 15 << 0 << 1;
    QTest::newRow("wrong check field") << "0:<DC1>00101<ETX>|5:<STX>00101+0011.000576<ETB>"
                                       << "check 5" << 0 << 0 << 0;
    QTest::newRow("stray bytes ahead of the reply")
        << "0:<DC1>00101<ETX>|3:x!|5:" + ok1 << "ok 5" << 2 << 0 << 0;
    QTest::newRow("a reply cut short by another")
        << "0:<DC1>00101<ETX>|3:<STX>00101+00|5:" + ok1 << "ok 5" << 9 << 0 << 0;
    QTest::newRow("write accepted") << "0:" + write + "|5:<ACK>"
                                    << "ok 5" << 0 << 0 << 0;
    QTest::newRow("write refused") << "0:" + write + "|5:<NAK>"
                                   << "nak 5" << 0 << 0 << 0;
    QTest::newRow("write with a wrong checksum")
        << "0:<DC3>00101<US>12<US>0100.0<US>00741<ETX>|5:<NAK>"
        << "nak 5" << 0 << 1 << 0;
    QTest::newRow("ACK with no command") << "0:<ACK>"
                                         << "unpaired@" << 0 << 0 << 0;
    QTest::newRow("read answered by ACK") << "0:<DC1>00101<ETX>|5:<ACK>"
                                          << "malformed 5" << 0 << 0 << 0;
    QTest::newRow("reply from an address no command named")
        << "0:<DC1>00101<ETX>|5:" + ok2 << "malformed 5" << 0 << 0 << 1;
    QTest::newRow("reply with no command at all") << "0:" + ok2 << "unpaired@002" << 0 << 0 << 1;
    QTest::newRow("command not of any layout")
        << "0:<DC1>0x101<ETX>|5:" + ok1 << "unpaired@001" << 7 << 0 << 1;
    QTest::newRow("concentrator request")
        << "0:<DC4>05<DC2>00101<US>73<ETX>|30:<STX>0573<RS>00101+0012.9<RS>00852<ETB>"
        << "ok 30" << 0 << 0 << 0;
    QTest::newRow("two lines: the reply's pieces around noise on the other")
        << "0:<DC1>00101<ETX>|5:2:<STX>00101+0|6:xx|9:2:011.000575<ETB>"
        << "ok 9" << 2 << 0 << 0;
    QTest::newRow("two lines: the next command while a reply is unfinished")
        << "0:<DC1>00101<ETX>|5:2:<STX>00101|50:<DC1>00201<ETX>|60:2:+00|61:2:11.000575<ETB>"
        << "timeout -,unpaired@001dc1 late,timeout -" << 0 << 0 << 0;
}

void tst_BusListener::listened()
{
    QFETCH(QString, steps);
    QFETCH(QString, rows);
    QFETCH(int, noise);
    QFETCH(int, badSum);
    QFETCH(int, unknown);

    QStringList seen;
    ListenSettings settings;
    settings.timeoutMs = 100;
    quint64 late = 0; // a row counted late gets " late"
    BusListener listener(settings, QDateTime::currentDateTime(), [&](const ListenedExchange& x) {
        const quint64 now = listener.statistics().overall.lateExchanges();
        seen << rowText(x) + (now > std::exchange(late, now) ? " late" : "");
    });
    listen(listener, steps, 1000);
    QCOMPARE(seen.join(u','), rows);
    const ResponseStatistics& all = listener.statistics().overall;
    QCOMPARE(all.noiseBytes(), quint64(noise));
    QCOMPARE(listener.badChecksums(), quint64(badSum));
    QCOMPARE(listener.unknownPlaceReplies(), quint64(unknown));
    QCOMPARE(all.sent() + listener.unpaired(), quint64(seen.size()));
}

void tst_BusListener::pollRhythm()
{
    BusListener listener({}, QDateTime::currentDateTime(), {});
    listen(listener,
           "0:<DC1>00101<ETX>|100:<DC1>00201<ETX>|200:<DC1>00101<ETX>|"
           "300:<DC1>00201<ETX>|500:<DC1>00101<ETX>|600:<DC1>00201<ETX>",
           600);
    QCOMPARE(listener.targets().size(), 2);
    QCOMPARE(listener.rhythm(1).intervals.minMs(), 200.0);
    QCOMPARE(listener.rhythm(1).intervals.maxMs(), 300.0);
    QCOMPARE(listener.cycle().intervals.responses(), quint64(2));
    QCOMPARE(listener.cycle().intervals.maxMs(), 300.0);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_BusListener)
#include "tst_BusListener.moc"
