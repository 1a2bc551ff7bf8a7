#include "TestMain.h"
#include "catalogue/AddressRanges.h"
#include "diagnosis/ExchangeCsv.h"
#include "diagnosis/ResponseStatistics.h"
#include "monitor/FramesModel.h"
#include "monitor/MonitorSetup.h"
#include "monitor/StatisticsModel.h"
#include "monitor/TrendBuffer.h"

#include <QFont>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using diagnosis::Outcome;

// The monitor's models, fed plain records: the address list, the bounded
// frames log, the trend buffer, the statistics table's trouble marks, the
// stored set-up and the CSV line.
class tst_MonitorModels : public QObject
{
    Q_OBJECT

private slots:
    void addressRanges_data();
    void addressRanges();
    void framesLogKeepsTheNewestUpToItsBound();
    void trendKeepsSpikesInBoundedMemory();
    void statisticsMarkTrouble_data();
    void statisticsMarkTrouble();
    void storedSetup_data();
    void storedSetup();
    void csvLineQuotesWhatNeedsIt();
};

void tst_MonitorModels::addressRanges_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("addresses"); // empty: refused
    QTest::addColumn<QString>("written");

    QTest::newRow("range and one")
        << u"1-11,15"_s << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 15} << u"1-11,15"_s;
    QTest::newRow("blanks and leading zeros")
        << u" 001 , 004-005 "_s << QList<int>{1, 4, 5} << u"1,4-5"_s;
    QTest::newRow("order as typed, each once")
        << u"9,3,9,2-4"_s << QList<int>{9, 3, 2, 4} << u"9,3,2,4"_s;
    QTest::newRow("both ends of the bus") << u"1,255"_s << QList<int>{1, 255} << u"1,255"_s;
    QTest::newRow("zero") << u"0"_s << QList<int>{} << QString();
    QTest::newRow("256") << u"250-256"_s << QList<int>{} << QString();
    QTest::newRow("backwards") << u"5-3"_s << QList<int>{} << QString();
    QTest::newRow("empty") << u""_s << QList<int>{} << QString();
    QTest::newRow("empty item") << u"1,,2"_s << QList<int>{} << QString();
    QTest::newRow("double dash") << u"1--3"_s << QList<int>{} << QString();
    QTest::newRow("fraction") << u"2.5"_s << QList<int>{} << QString();
    QTest::newRow("letters") << u"abc"_s << QList<int>{} << QString();
}

void tst_MonitorModels::addressRanges()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, addresses);
    QFETCH(QString, written);
    const std::optional<QList<int>> parsed = parseAddressRanges(text);
    QCOMPARE(parsed.has_value(), !addresses.isEmpty());
    if (parsed) {
        QCOMPARE(*parsed, addresses);
        QCOMPARE(addressRangesText(*parsed), written);
    }
}

void tst_MonitorModels::framesLogKeepsTheNewestUpToItsBound()
{
    FramesModel frames(nullptr, 10);
    const auto add = [&frames](int from, int to) {
        for (int sequence = from; sequence <= to; ++sequence) {
            diagnosis::ExchangeRecord record;
            record.sequence = sequence;
            record.frame = "\x11"
                           "00101\x03";
            frames.addExchange(record);
        }
    };
    add(1, 4);
    QCOMPARE(frames.rowCount(), 0); // nothing shows before the redraw
    frames.flush();
    QCOMPARE(frames.rowCount(), 4);
    frames.addNote(u"串口已断开：x"_s);
    add(5, 12);
    frames.flush();
    QCOMPARE(frames.rowCount(), 10);
    QCOMPARE(frames.line(0).record.sequence, 12);
    QCOMPARE(frames.line(8).note, u"串口已断开：x"_s);
    QCOMPARE(frames.line(9).record.sequence, 4);
    // A batch larger than the bound between two redraws.
    add(13, 40);
    frames.flush();
    QCOMPARE(frames.rowCount(), 10);
    QCOMPARE(frames.line(0).record.sequence, 40);
    QCOMPARE(frames.line(9).record.sequence, 31);
    QCOMPARE(frames.data(frames.index(0, FramesModel::Frame), Qt::DisplayRole).toString(),
             u"<DC1>00101<ETX>"_s);
}

void tst_MonitorModels::trendKeepsSpikesInBoundedMemory()
{
    TrendBuffer trend(60'000); // one minute: 50 ms slots
    trend.setTargetCount(2);
    const qint64 start = 1'000'000'000'000;
    // A value every millisecond for two minutes, with one spike and one dip.
    for (qint64 t = 0; t < 120'000; ++t) {
        double value = 20.0;
        if (t == 100'010)
            value = 99.0;
        if (t == 100'020)
            value = -5.0;
        trend.addValue(0, start + t, value);
    }
    trend.addTimeout(start + 100'000);
    trend.addTimeout(start + 100'001); // same slot: one mark
    trend.prune(start + 120'000);
    const QList<QPointF> points = trend.points(0);
    QVERIFY(points.size() <= 2 * (TrendBuffer::kSlotsPerSpan + 1));
    QCOMPARE(points.front().x(), double(start + 60'000));
    bool spike = false;
    bool dip = false;
    for (qsizetype i = 0; i < points.size(); ++i) {
        spike = spike || (points[i].y() == 99.0 && points[i].x() == double(start + 100'010));
        dip = dip || (points[i].y() == -5.0 && points[i].x() == double(start + 100'020));
        if (i > 0)
            QVERIFY(points[i].x() >= points[i - 1].x());
    }
    QVERIFY(spike);
    QVERIFY(dip);
    QCOMPARE(trend.timeouts(), QList<qint64>{start + 100'000});
    QVERIFY(trend.points(1).isEmpty());
    QVERIFY(trend.takeChanged(0));
    QVERIFY(!trend.takeChanged(0));
}

void tst_MonitorModels::statisticsMarkTrouble_data()
{
    QTest::addColumn<QStringList>("outcomes"); // the CSV word of each exchange's outcome
    QTest::addColumn<QList<int>>("responseMs");
    QTest::addColumn<int>("timeoutMs");
    QTest::addColumn<bool>("successTrouble");
    QTest::addColumn<bool>("p99Trouble");

    const QString ok = u"ok"_s;
    QTest::newRow("all ok, fast") << QStringList{ok, ok, ok} << QList<int>{20, 25, 30} << 3000
                                  << false << false;
    QTest::newRow("one time-out") << QStringList{ok, u"timeout"_s, ok} << QList<int>{20, -1, 30}
                                  << 3000 << true << false;
    QTest::newRow("one bad check")
        << QStringList{u"check"_s, ok} << QList<int>{20, 30} << 3000 << true << false;
    QTest::newRow("one of each") << QStringList{ok, u"timeout"_s, u"nak"_s, u"check"_s,
                                                u"malformed"_s}
                                 << QList<int>{20, -1, 20, 20, 20} << 3000 << true << false;
    QTest::newRow("slow beyond half the time-out")
        << QStringList{ok, ok} << QList<int>{200, 700} << 1000 << false << true;
    QTest::newRow("slow, just under half")
        << QStringList{ok, ok} << QList<int>{200, 480} << 1000 << false << false;
}

void tst_MonitorModels::statisticsMarkTrouble()
{
    QFETCH(QStringList, outcomes);
    QFETCH(QList<int>, responseMs);
    QFETCH(int, timeoutMs);
    QFETCH(bool, successTrouble);
    QFETCH(bool, p99Trouble);

    diagnosis::Target target;
    diagnosis::RunStatistics statistics;
    statistics.perTarget.resize(1);
    for (qsizetype i = 0; i < outcomes.size(); ++i) {
        const qint64 us = responseMs[i] < 0 ? -1 : qint64(responseMs[i]) * 1000;
        const auto kind = std::find_if(diagnosis::kOutcomes.begin(), diagnosis::kOutcomes.end(),
                                       [&](const auto& k) { return outcomes[i] == k.word; });
        QVERIFY(kind != diagnosis::kOutcomes.end());
        statistics.perTarget[0].add(kind->outcome, us, 0);
        statistics.overall.add(kind->outcome, us, 0);
    }
    StatisticsModel model;
    model.startRun({target}, timeoutMs);
    model.refresh(statistics);
    QCOMPARE(model.rowCount(), 2);
    for (int row = 0; row < 2; ++row) {
        QCOMPARE(model.isTrouble(row, StatisticsModel::Success), successTrouble);
        QCOMPARE(model.isTrouble(row, StatisticsModel::P99Ms), p99Trouble);
        const QFont font =
            model.data(model.index(row, StatisticsModel::Success), Qt::FontRole).value<QFont>();
        QCOMPARE(font.bold(), successTrouble || row == 1);
        QCOMPARE(model.data(model.index(row, StatisticsModel::P99Ms), Qt::DecorationRole).isNull(),
                 !p99Trouble);
    }
    QCOMPARE(model.data(model.index(1, StatisticsModel::Target), Qt::DisplayRole).toString(),
             u"合计"_s);
    QCOMPARE(model.data(model.index(1, StatisticsModel::Sent), Qt::DisplayRole).toString(),
             QString::number(outcomes.size()));
    // Each outcome's column is headed by its label and counts its exchanges.
    for (const diagnosis::OutcomeKind& kind : diagnosis::kOutcomes) {
        const int column = StatisticsModel::outcomeColumn(kind.outcome);
        QCOMPARE(model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(),
                 diagnosis::outcomeLabel(kind.outcome));
        QCOMPARE(model.data(model.index(1, column), Qt::DisplayRole).toString(),
                 QString::number(outcomes.count(QString::fromLatin1(kind.word))));
    }
}

void tst_MonitorModels::storedSetup_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("kept");

    QTest::newRow("device path") << u"port"_s << u"/dev/ttyUSB0"_s << true;
    QTest::newRow("speed from the list") << u"line"_s << u"56000,n,8,2"_s << true;
    QTest::newRow("speed not in the list") << u"line"_s << u"57600,n,8,2"_s << false;
    QTest::newRow("address ranges") << u"addresses"_s << u"1-3,9"_s << true;
    QTest::newRow("address 256") << u"addresses"_s << u"256"_s << false;
    QTest::newRow("channel 90") << u"channel"_s << u"90"_s << true;
    QTest::newRow("channel 65") << u"channel"_s << u"65"_s << false;
    QTest::newRow("value") << u"value"_s << u"-12.5"_s << true;
    QTest::newRow("value not a number") << u"value"_s << u"abc"_s << false;
    QTest::newRow("time-out below 10 ms") << u"timeout"_s << u"5"_s << false;
}

void tst_MonitorModels::storedSetup()
{
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(bool, kept);
    QTemporaryDir dir;
    QSettings settings(dir.filePath(u"monitor.ini"_s), QSettings::IniFormat);
    settings.setValue(u"setup/"_s + key, stored);
    const MonitorSetup loaded = monitor::loadSetup(settings);
    const MonitorSetup defaults;
    QSettings again(dir.filePath(u"again.ini"_s), QSettings::IniFormat);
    monitor::saveSetup(again, loaded);
    QCOMPARE(again.value(u"setup/"_s + key).toString() == stored, kept);
    QCOMPARE(monitor::loadSetup(again), loaded);
    if (!kept)
        QCOMPARE(loaded, defaults);
}

void tst_MonitorModels::csvLineQuotesWhatNeedsIt()
{
    diagnosis::ExchangeRecord record;
    record.sentAt = QDateTime(QDate(2026, 12, 7), QTime(10, 3, 5, 120));
    record.target.function = diagnosis::Function::Dc2;
    record.target.address = 7;
    record.target.channel = u"01"_s;
    record.target.param = u"11"_s;
    record.frame = "\x12"
                   "00701\x1f"
                   "11\x03";
    record.reply = "\x02"
                   "a,\"b\x17";
    record.outcome = Outcome::Malformed;
    record.responseUs = 12345;
    QCOMPARE(diagnosis::csvLine(diagnosis::exchangeCsvFields(record)),
             u"2026-12-07 10:03:05.120,007,01,dc2,11,<DC2>00701<US>11<ETX>,\"<STX>a,\"\"b<ETB>\","
             "malformed,12.345,\r\n"_s);
}

LINKBENCH_TEST_MAIN(tst_MonitorModels)
#include "tst_MonitorModels.moc"
