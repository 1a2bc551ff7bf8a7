// The real tool against linkbench-sim on the simulator's own pseudo-terminal,
// with the wire time of 9600 bit/s played by the simulator: every function of
// the window gets its entry from a simulated instrument or concentrator.
//
// Where the simulator answers the same every time (parameters, write verdicts,
// the concentrator's address lists) the whole transcript is compared. Where it
// answers with the time of day (process values, the concentrator's clock and
// history) the entry is checked by its layout, its values' ranges and its check
// field. The simulator's exchange log shows the exact bytes it received.

#include "TestMain.h"
#include "ToolAgainstSim.h"
#include "ui/TranscriptPane.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>

using namespace withsim;

namespace {

const QString P11 = QStringLiteral("11:分读号 ");
const QString P12 = QStringLiteral("12:量程零点");
const QString P28 = QStringLiteral("28:地址更改");
const QString P70 = QStringLiteral("70:读HBX时钟");
const QString P71 = QStringLiteral("71:读HBX所挂接仪表地址");
const QString P72 = QStringLiteral("72:读HBX所挂接故障仪表地址");
const QString P73 = QStringLiteral("73:读HBX所挂接仪表瞬时值");
const QString P74 = QStringLiteral("74:读HBX所挂接仪表历史值");

// The HBX's list of attached instruments 001 to 011 as the tool lays it out:
// the header through its RS on a line of its own, then every address with its RS.
const QString kAttachedAddressesLaidOut =
    wireText("<STX>0571<RS>\r\n001<RS>002<RS>003<RS>004<RS>005<RS>006<RS>007<RS>008<RS>009<RS>010<"
             "RS>011<RS>");

const QString ArrowFirst = QStringLiteral(" → 接收:"); // into an empty pane
const QString ArrowLater = QStringLiteral(" →接收:");  // above older entries

// The commands, byte for byte.
const QString ReadValue00101 = wireText("<DC1>00101<ETX>");
const QString ReadValue01190 = wireText("<DC1>01190<ETX>");
const QString ReadValue20001 = wireText("<DC1>20001<ETX>");
const QString Read11 = wireText("<DC2>00101<US>11<ETX>");
const QString Read12 = wireText("<DC2>00101<US>12<ETX>");
const QString Read28At00705 = wireText("<DC2>00705<US>28<ETX>");
// Parameter 12, value box 100.0: value text 0100.0, checksum 740.
const QString Write12 = wireText("<DC3>00101<US>12<US>0100.0<US>00740<ETX>");

QString hbxRequest(const QString& code)
{
    return wireText("<DC4>05<DC2>00101<US>") + code + wireText("<ETX>");
}

// The simulator's replies that do not depend on the time of day.
const QString Param11 = wireText("<STX>00101<US>11<US>0000300647<ETB>");
const QString Param12Initial = wireText("<STX>00101<US>12<US>0000.000691<ETB>");
const QString Param12Written = wireText("<STX>00101<US>12<US>0100.000692<ETB>");
const QString Param28At00705 = wireText("<STX>00705<US>28<US>0000700669<ETB>");

QString readParamEntry(const QString& parameter, const QString& frame, const QString& arrow,
                       const QString& reply)
{
    return QStringLiteral("△△△△ 读参数值(") + parameter + QStringLiteral(")  ") + kStamp +
           QStringLiteral("\r\n发送:") + frame + arrow + reply;
}

QString writeEntry(const QString& parameter, const QString& frame, const QString& verdict)
{
    return QStringLiteral("▲▲▲▲ 写参数值(") + parameter + QStringLiteral(")  ") + kStamp +
           QStringLiteral("\r\n发送:") + frame + QStringLiteral("→接收:") + verdict;
}

QString hbxEntry(const QString& parameter, const QString& check, const QString& frame,
                 const QString& laidOut)
{
    return QStringLiteral("△△△△ (") + parameter + QStringLiteral(")  校验和:") + check + kStamp +
           QStringLiteral("\r\n发送:") + frame + ArrowFirst + laidOut;
}

QString logLine(const QString& frame, const QString& answer)
{
    return QStringLiteral("收 ") + visible(frame) + QStringLiteral("  答 ") + answer;
}

// How a reply that follows the clock is checked beyond its layout.
enum class TimeCheck { None, HbxClock, HistoryMarks };

// Values "+0012.9" in a reply, in order.
QList<double> valuesIn(const QString& reply)
{
    static const QRegularExpression value(QStringLiteral(R"([+-]\d{4,}\.\d)"));
    QList<double> values;
    for (const QRegularExpressionMatch& m : value.globalMatch(reply))
        values << m.captured().toDouble();
    return values;
}

// The minutes of the day of the "hh:mm" marks in a history reply.
QList<int> historyMarks(const QString& reply)
{
    static const QRegularExpression mark(QStringLiteral(R"((\d\d):(\d\d)[+-])"));
    QList<int> minutes;
    for (const QRegularExpressionMatch& m : mark.globalMatch(reply))
        minutes << m.captured(1).toInt() * 60 + m.captured(2).toInt();
    return minutes;
}

int minutesOfDay(const QDateTime& t)
{
    return t.time().hour() * 60 + t.time().minute();
}

} // namespace

Q_DECLARE_METATYPE(TimeCheck)

class tst_ComTestWithSim : public QObject
{
    Q_OBJECT

private slots:
    void repeatableAnswers_data();
    void repeatableAnswers();
    void answersThatFollowTheClock_data();
    void answersThatFollowTheClock();
    void writeChangesLaterRead();
    void lineFaults_data();
    void lineFaults();
    void absentAddressTimesOutAfterThreeSeconds();
};

void tst_ComTestWithSim::repeatableAnswers_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<Operator>("op");
    QTest::addColumn<QString>("logged");
    QTest::addColumn<QString>("entry");

    QTest::newRow("parameter 11 of 001/01")
        << QStringList{} << Operator{.function = 1} << logLine(Read11, visible(Param11))
        << readParamEntry(P11, Read11, ArrowFirst, Param11);
    QTest::newRow("parameter 28 of 007/05 holds the address")
        << QStringList{}
        << Operator{.function = 1,
                    .parameter = QStringLiteral("28"),
                    .address = QStringLiteral("7"),
                    .channelDowns = 4}
        << logLine(Read28At00705, visible(Param28At00705))
        << readParamEntry(P28, Read28At00705, ArrowFirst, Param28At00705);
    QTest::newRow("write 100.0 to parameter 12, accepted")
        << QStringList{}
        << Operator{.function = 2,
                    .parameter = QStringLiteral("12"),
                    .value = QStringLiteral("100.0")}
        << logLine(Write12, QStringLiteral("<ACK>  (已写入)"))
        << writeEntry(P12, Write12, "ACK  √");
    // The simulator has no option that spoils a write's checksum, and the tool
    // always sends the right one: --nak 100 makes it refuse every write instead.
    QTest::newRow("write refused by the instrument (--nak 100)")
        << QStringList{QStringLiteral("--nak"), QStringLiteral("100")}
        << Operator{.function = 2,
                    .parameter = QStringLiteral("12"),
                    .value = QStringLiteral("100.0")}
        << logLine(Write12, QStringLiteral("<NAK>  (按 --nak 拒绝)"))
        << writeEntry(P12, Write12, "NAK  ×");
    QTest::newRow("HBX attached instruments (71)")
        << QStringList{}
        << Operator{.function = 3,
                    .parameter = QStringLiteral("71"),
                    .address = QStringLiteral("5")}
        << logLine(hbxRequest("71"),
                   QStringLiteral("<STX>0571<RS>001<RS>002<RS>003<RS>004<RS>005<RS>006<RS>007<RS>"
                                  "008<RS>009<RS>010<RS>011<RS>02199<ETB>"))
        << hbxEntry(P71, QStringLiteral("02199"), hbxRequest("71"), kAttachedAddressesLaidOut);
    QTest::newRow("HBX faulty instruments (72), 003 faulty")
        << QStringList{QStringLiteral("--faulty"), QStringLiteral("003")}
        << Operator{.function = 3,
                    .parameter = QStringLiteral("72"),
                    .address = QStringLiteral("5")}
        << logLine(hbxRequest("72"), QStringLiteral("<STX>0572<RS>003<RS>00415<ETB>"))
        << hbxEntry(P72, QStringLiteral("00415"), hbxRequest("72"),
                    wireText("<STX>0572<RS>\r\n003<RS>"));
    QTest::newRow("HBX faulty instruments (72), none: the header alone")
        << QStringList{}
        << Operator{.function = 3,
                    .parameter = QStringLiteral("72"),
                    .address = QStringLiteral("5")}
        << logLine(hbxRequest("72"), QStringLiteral("<STX>0572<RS>00238<ETB>"))
        << hbxEntry(P72, QStringLiteral("00238"), hbxRequest("72"), wireText("<STX>0572<RS>\r\n"));
}

void tst_ComTestWithSim::repeatableAnswers()
{
    QFETCH(QStringList, simArgs);
    QFETCH(Operator, op);
    QFETCH(QString, logged);
    QFETCH(QString, entry);

    SimProcess sim;
    QVERIFY(sim.start(simArgs + QStringList{QStringLiteral("--seed"), QStringLiteral("1")}));
    ToolOnSim tool(sim.device());
    QVERIFY(tool.activated);
    ComTest& w = tool.window();

    tool.act(op);
    tool.clickStart();
    QTRY_COMPARE_WITH_TIMEOUT(w.transcript().entryCount(), 1, 2000);
    QCOMPARE(w.transcript().text(), entry);
    QVERIFY(!w.Timer2->isActive());
    QTRY_COMPARE_WITH_TIMEOUT(sim.exchanges(), QStringList{logged}, 2000);

    QTest::qWait(200); // nothing further comes of the one exchange
    QCOMPARE(w.transcript().entryCount(), 1);
    QCOMPARE(tool.boxes.texts(), QStringList());
}

void tst_ComTestWithSim::answersThatFollowTheClock_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<Operator>("op");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("header");           // line 1 up to the check field
    QTest::addColumn<QRegularExpression>("reply"); // the reply as the entry shows it
    QTest::addColumn<QList<double>>("levels");     // each value lies within 2.3 of its level
    QTest::addColumn<TimeCheck>("timeCheck");

    const QString readValueHeader = QStringLiteral("▲△▲△ 读瞬时值   校验和:");
    const auto hbxHeader = [](const QString& parameter) {
        return QStringLiteral("△△△△ (") + parameter + QStringLiteral(")  校验和:");
    };

    QTest::newRow("process value of 001/01")
        << QStringList{} << Operator{} << ReadValue00101 << readValueHeader
        << QRegularExpression(QStringLiteral(R"(^\x0200101[+-]\d{4}\.\d\d{5}\x17$)"))
        << QList<double>{11.0} << TimeCheck::None;
    QTest::newRow("process value of 011/90, the last channel")
        << QStringList{} << Operator{.address = QStringLiteral("11"), .lastChannel = true}
        << ReadValue01190 << readValueHeader
        << QRegularExpression(QStringLiteral(R"(^\x0201190[+-]\d{4}\.\d\d{5}\x17$)"))
        << QList<double>{200.0} << TimeCheck::None;

    // A working instrument's field: its address, channel 01, its value.
    QString working;
    QList<double> workingLevels;
    for (int address = 1; address <= 11; ++address) {
        if (address == 3)
            continue; // faulty
        working += QStringLiteral("%1").arg(address, 3, 10, QLatin1Char('0')) +
                   QStringLiteral(R"(01[+-]\d{4}\.\d\x1e)");
        workingLevels << 10.0 * address + 1;
    }
    QTest::newRow("HBX current values (73), 003 faulty")
        << QStringList{QStringLiteral("--faulty"), QStringLiteral("003")}
        << Operator{.function = 3, .address = QStringLiteral("5")} << hbxRequest("73")
        << hbxHeader(P73)
        << QRegularExpression(QStringLiteral(R"(^\x020573\x1e\r\n)") + working + u'$')
        << workingLevels << TimeCheck::None;
    QTest::newRow("HBX history of 001/01 (74)")
        << QStringList{}
        << Operator{.function = 3,
                    .parameter = QStringLiteral("74"),
                    .address = QStringLiteral("5")}
        << hbxRequest("74") << hbxHeader(P74)
        << QRegularExpression(QStringLiteral(R"(^\x020574\x1e\r\n(\d\d:\d0[+-]\d{4}\.\d\x1e){6}$)"))
        << QList<double>(6, 11.0) << TimeCheck::HistoryMarks;
    QTest::newRow("HBX clock (70)")
        << QStringList{}
        << Operator{.function = 3,
                    .parameter = QStringLiteral("70"),
                    .address = QStringLiteral("5")}
        << hbxRequest("70") << hbxHeader(P70)
        << QRegularExpression(
               QStringLiteral(R"(^\x020570\x1e\r\n\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\x1e$)"))
        << QList<double>{} << TimeCheck::HbxClock;
}

void tst_ComTestWithSim::answersThatFollowTheClock()
{
    QFETCH(QStringList, simArgs);
    QFETCH(Operator, op);
    QFETCH(QString, frame);
    QFETCH(QString, header);
    QFETCH(QRegularExpression, reply);
    QFETCH(QList<double>, levels);
    QFETCH(TimeCheck, timeCheck);
    QVERIFY(reply.isValid());

    SimProcess sim;
    QVERIFY(sim.start(simArgs));
    ToolOnSim tool(sim.device());
    QVERIFY(tool.activated);
    ComTest& w = tool.window();

    tool.act(op);
    tool.clickStart();
    QTRY_COMPARE_WITH_TIMEOUT(w.transcript().entryCount(), 1, 2000);
    const QDateTime received = QDateTime::currentDateTime();
    QVERIFY(!w.Timer2->isActive());

    // Line 1: the header, the five check characters, the stamp; line 2: the
    // frame as sent and the reply.
    const QString text = w.transcript().text();
    const QString middle = kStamp + QStringLiteral("\r\n发送:") + frame + ArrowFirst;
    QVERIFY2(text.startsWith(header), qPrintable(visible(text)));
    const QString check = text.mid(header.size(), 5);
    QVERIFY2(text.mid(header.size() + 5).startsWith(middle), qPrintable(visible(text)));
    const QString shown = text.mid(header.size() + 5 + middle.size());
    QVERIFY2(reply.match(shown).hasMatch(), qPrintable(visible(shown)));

    // The check field is the character sum of the reply before it: for a read
    // the whole reply but its last six characters, for the concentrator the
    // laid-out text without the line break the layout put in.
    QString summed = shown;
    summed.remove(QStringLiteral("\r\n"));
    if (summed.endsWith(QChar(0x17)))
        summed.chop(6);
    QCOMPARE(check, characterSum(summed));

    const QList<double> values = valuesIn(shown);
    QCOMPARE(values.size(), levels.size());
    for (qsizetype i = 0; i < values.size(); ++i)
        QVERIFY2(qAbs(values[i] - levels[i]) <= 2.3 + 1e-9,
                 qPrintable(QStringLiteral("value %1 for level %2").arg(values[i]).arg(levels[i])));

    if (timeCheck == TimeCheck::HbxClock) {
        const QString clockText = shown.mid(shown.indexOf(u'\n') + 1, 19);
        const QDateTime clock =
            QDateTime::fromString(clockText, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        QVERIFY2(clock.isValid(), qPrintable(clockText));
        QVERIFY2(qAbs(clock.secsTo(received)) <= 5, qPrintable(clockText));
    }
    if (timeCheck == TimeCheck::HistoryMarks) {
        // Six ten-minute marks, newest first, the newest the last one passed.
        const QList<int> marks = historyMarks(shown);
        QCOMPARE(marks.size(), 6);
        const int sinceNewest = (minutesOfDay(received) - marks[0] + 1440) % 1440;
        const int sinceNewestBefore = (minutesOfDay(received.addSecs(-5)) - marks[0] + 1440) % 1440;
        QVERIFY2(sinceNewest < 10 || sinceNewestBefore < 10, qPrintable(visible(shown)));
        for (qsizetype i = 1; i < marks.size(); ++i)
            QCOMPARE((marks[i - 1] - marks[i] + 1440) % 1440, 10);
    }

    QTest::qWait(200);
    QCOMPARE(w.transcript().entryCount(), 1);
    const QStringList logged = sim.exchanges();
    QCOMPARE(logged.size(), 1);
    QVERIFY2(logged[0].startsWith(QStringLiteral("收 ") + visible(frame) + QStringLiteral("  答 ")),
             qPrintable(logged[0]));
    QCOMPARE(tool.boxes.texts(), QStringList());
}

void tst_ComTestWithSim::writeChangesLaterRead()
{
    SimProcess sim;
    QVERIFY(sim.start({}));
    ToolOnSim tool(sim.device());
    QVERIFY(tool.activated);
    ComTest& w = tool.window();

    tool.act(Operator{.function = 1, .parameter = QStringLiteral("12")});
    tool.clickStart();
    QTRY_COMPARE_WITH_TIMEOUT(w.transcript().entryCount(), 1, 2000);

    tool.act(Operator{
        .function = 2, .parameter = QStringLiteral("12"), .value = QStringLiteral("100.0")});
    tool.clickStart();
    QTRY_COMPARE_WITH_TIMEOUT(w.transcript().entryCount(), 2, 2000);

    tool.act(Operator{.function = 1, .parameter = QStringLiteral("12")});
    tool.clickStart();
    QTRY_COMPARE_WITH_TIMEOUT(w.transcript().entryCount(), 3, 2000);

    const QString separator = QStringLiteral("\r\n\r\n");
    QCOMPARE(w.transcript().text(), readParamEntry(P12, Read12, ArrowLater, Param12Written) +
                                        separator + writeEntry(P12, Write12, "ACK  √") + separator +
                                        readParamEntry(P12, Read12, ArrowFirst, Param12Initial));
    QTest::qWait(200);
    QCOMPARE(w.transcript().entryCount(), 3);
    QCOMPARE(sim.exchanges(), QStringList({logLine(Read12, visible(Param12Initial)),
                                           logLine(Write12, QStringLiteral("<ACK>  (已写入)")),
                                           logLine(Read12, visible(Param12Written))}));
    QCOMPARE(tool.boxes.texts(), QStringList());
}

void tst_ComTestWithSim::lineFaults_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<Operator>("op");
    QTest::addColumn<int>("noise");       // stray characters the simulator puts first
    QTest::addColumn<QString>("before");  // the entry up to the reply
    QTest::addColumn<QString>("reply");   // the reply as the entry shows it
    QTest::addColumn<int>("leastChunks"); // receive notifications at the least

    const QStringList offPieces = {QStringLiteral("--wire-time"), QStringLiteral("off")};
    const QString read11Before = readParamEntry(P11, Read11, ArrowFirst, QString());

    QTest::newRow("reply in three pieces 40 ms apart")
        << offPieces + QStringList{"--chunks", "3", "--chunk-gap", "40"} << Operator{.function = 1}
        << 0 << read11Before << Param11 << 2;
    QTest::newRow("five stray characters before the reply")
        << QStringList{"--noise", "5", "--seed", "11"} << Operator{.function = 1} << 5
        << read11Before << Param11 << 1;
    QTest::newRow("stray characters and a reply in four pieces")
        << offPieces +
               QStringList{"--noise", "4", "--chunks", "4", "--chunk-gap", "25", "--seed", "12"}
        << Operator{.function = 1} << 4 << read11Before << Param11 << 2;
    QTest::newRow("stray characters before ACK")
        << QStringList{"--noise", "3", "--seed", "13"}
        << Operator{.function = 2,
                    .parameter = QStringLiteral("12"),
                    .value = QStringLiteral("100.0")}
        << 3 << writeEntry(P12, Write12, "ACK  √") << QString() << 1;
    QTest::newRow("HBX addresses in five pieces after stray characters")
        << QStringList{"--noise", "3", "--chunks", "5", "--chunk-gap", "20", "--seed", "14"}
        << Operator{.function = 3,
                    .parameter = QStringLiteral("71"),
                    .address = QStringLiteral("5")}
        << 3 << hbxEntry(P71, QStringLiteral("02199"), hbxRequest("71"), QString())
        << kAttachedAddressesLaidOut << 2;
}

void tst_ComTestWithSim::lineFaults()
{
    QFETCH(QStringList, simArgs);
    QFETCH(Operator, op);
    QFETCH(int, noise);
    QFETCH(QString, before);
    QFETCH(QString, reply);
    QFETCH(int, leastChunks);

    SimProcess sim;
    QVERIFY(sim.start(simArgs));
    ToolOnSim tool(sim.device());
    QVERIFY(tool.activated);
    ComTest& w = tool.window();
    QSignalSpy notifications(tool.line, &SerialLine::notification);

    tool.act(op);
    tool.clickStart();
    QTRY_COMPARE_WITH_TIMEOUT(w.transcript().entryCount(), 1, 2000);
    QVERIFY(!w.Timer2->isActive());
    QTRY_COMPARE_WITH_TIMEOUT(sim.exchanges().size(), 1, 2000);
    const QString logged = sim.exchanges().constFirst();

    // The stray characters the simulator sent, as its log shows them
    // (printable characters stand for themselves there).
    const QString answered = QStringLiteral("  答 ");
    const qsizetype answer = logged.indexOf(answered);
    QVERIFY2(answer > 0, qPrintable(logged));
    const QString sent = logged.mid(answer + answered.size());
    qsizetype frameStart = -1;
    for (const QString& marker : {QStringLiteral("<STX>"), QStringLiteral("<ACK>")}) {
        const qsizetype at = sent.indexOf(marker);
        if (at >= 0 && (frameStart < 0 || at < frameStart))
            frameStart = at;
    }
    QVERIFY2(frameStart >= 0, qPrintable(logged));
    const QString stray = sent.left(frameStart);
    QCOMPARE(stray.size(), noise);

    // Stray characters that came in the same piece as the STX stay in front of
    // the reply; those in an earlier piece are dropped by the STX. Either way
    // the reply itself is whole and comes once.
    const QString text = w.transcript().text();
    QVERIFY2(text.startsWith(before), qPrintable(visible(text)));
    QVERIFY2(text.endsWith(reply), qPrintable(visible(text)));
    const QString shownStray = text.mid(before.size(), text.size() - before.size() - reply.size());
    QVERIFY2(stray.endsWith(shownStray),
             qPrintable(QStringLiteral("shown %1, sent %2").arg(shownStray, stray)));

    QVERIFY2(notifications.size() >= leastChunks,
             qPrintable(QString::number(notifications.size())));
    QTest::qWait(200);
    QCOMPARE(w.transcript().entryCount(), 1);
    QCOMPARE(tool.boxes.texts(), QStringList());
}

void tst_ComTestWithSim::absentAddressTimesOutAfterThreeSeconds()
{
    SimProcess sim;
    QVERIFY(sim.start({}));
    ToolOnSim tool(sim.device());
    QVERIFY(tool.activated);
    ComTest& w = tool.window();
    QCOMPARE(w.Timer2->interval(), 3000);

    tool.act(Operator{.address = QStringLiteral("200")});
    QElapsedTimer sinceStart;
    sinceStart.start();
    tool.clickStart();
    QTRY_COMPARE_WITH_TIMEOUT(sim.exchanges(),
                              QStringList{QStringLiteral("收 ") + visible(ReadValue20001) +
                                          QStringLiteral("  不答：地址不在总线上")},
                              2000);

    QTest::qWait(int(qMax<qint64>(0, 2900 - sinceStart.elapsed())));
    QCOMPARE(w.transcript().entryCount(), 0);
    QVERIFY(w.Timer2->isActive());

    QTRY_COMPARE_WITH_TIMEOUT(w.transcript().entryCount(), 1, 1500);
    const qint64 after = sinceStart.elapsed();
    QVERIFY2(after >= 2990, qPrintable(QStringLiteral("time-out entry after %1 ms").arg(after)));
    QCOMPARE(w.transcript().text(), QStringLiteral("▲△▲△ 读瞬时值   ") + kStamp +
                                        QStringLiteral("\r\n发送:") + ReadValue20001 +
                                        QStringLiteral(" → 接收:串口超时错误!!!"));
    QVERIFY(!w.Timer2->isActive());
    QTest::qWait(200);
    QCOMPARE(w.transcript().entryCount(), 1);
    QCOMPARE(tool.boxes.texts(), QStringList());
}

LINKBENCH_TEST_MAIN(tst_ComTestWithSim)
#include "tst_ComTestWithSim.moc"
