// A target's alarm over its last commands: raised once when the success falls
// below the threshold, cleared once when it has climbed back halfway to 100 %.

#include "TestMain.h"
#include "diagnosis/DegradationAlarm.h"

#include <QTest>

using namespace diagnosis;

class tst_DegradationAlarm : public QObject
{
    Q_OBJECT

private slots:
    void changes_data();
    void changes();
};

void tst_DegradationAlarm::changes_data()
{
    QTest::addColumn<QString>("outcomes"); // one character a command: 1 ok, 0 failed
    QTest::addColumn<QString>("changes");  // "+" raised, "-" cleared, at the command's position

    // Window 10, threshold 80 %: raised below 80 %, cleared at 90 % and more.
    QTest::newRow("all ok") << "111111111111"
                            << "............";
    QTest::newRow("not judged before the window is full") << "000000000"
                                                          << ".........";
    QTest::newRow("three failures in ten raise once") << "1111111000"
                                                         "0"
                                                      << ".........+.";
    QTest::newRow("hovering below the threshold raises once, recovery clears once")
        << "1111111100"
           "0101010101"
           "11111111"
        << "..........+........."
           "......-.";
}

void tst_DegradationAlarm::changes()
{
    QFETCH(QString, outcomes);
    QFETCH(QString, changes);

    DegradationAlarm alarm({10, 80});
    QString seen;
    for (const QChar c : outcomes) {
        const std::optional<AlarmChange> change = alarm.record(0, c == u'1');
        seen += !change ? u'.' : change->raised ? u'+' : u'-';
    }
    QCOMPARE(seen, changes);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_DegradationAlarm)
#include "tst_DegradationAlarm.moc"
