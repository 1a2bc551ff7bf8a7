#include "CommandStream.h"
#include "TestMain.h"
#include "WireText.h"

#include <QTest>

using sim::CommandStream;

namespace {

QByteArrayList feed(CommandStream& stream, const QByteArray& bytes)
{
    QByteArrayList frames;
    for (const char byte : bytes) {
        if (auto frame = stream.push(byte))
            frames << *frame;
    }
    return frames;
}

} // namespace

class tst_SimCommandStream : public QObject
{
    Q_OBJECT

private slots:
    void framesFromStream_data();
    void framesFromStream();
    void frameSplitAcrossChunksIsTheSame();
    void overlongFrameIsDroppedAndTheNextOneKept();
};

void tst_SimCommandStream::framesFromStream_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QByteArrayList>("frames");
    QTest::addColumn<qint64>("dropped");

    QTest::newRow("one read-value command")
        << onWire("<DC1>00101<ETX>") << QByteArrayList{onWire("<DC1>00101<ETX>")} << qint64(0);
    QTest::newRow("stray characters before the command")
        << onWire("xy<ETB><DC1>00101<ETX>") << QByteArrayList{onWire("<DC1>00101<ETX>")}
        << qint64(3);
    QTest::newRow("two commands back to back")
        << onWire("<DC2>00101<US>11<ETX><DC1>00201<ETX>")
        << QByteArrayList{onWire("<DC2>00101<US>11<ETX>"), onWire("<DC1>00201<ETX>")} << qint64(0);
    QTest::newRow("cut-off command restarted by the next function character")
        << onWire("<DC1>001<DC3>00101<US>12<US>0100.0<US>00740<ETX>")
        << QByteArrayList{onWire("<DC3>00101<US>12<US>0100.0<US>00740<ETX>")} << qint64(4);
    QTest::newRow("concentrator command keeps its inner DC2")
        << onWire("<DC4>05<DC2>00101<US>73<ETX>")
        << QByteArrayList{onWire("<DC4>05<DC2>00101<US>73<ETX>")} << qint64(0);
    QTest::newRow("concentrator command with a three-digit address")
        << onWire("<DC4>120<DC2>00101<US>71<ETX>")
        << QByteArrayList{onWire("<DC4>120<DC2>00101<US>71<ETX>")} << qint64(0);
    QTest::newRow("second DC2 in a concentrator command starts a read")
        << onWire("<DC4>05<DC2>001<DC2>00101<US>11<ETX>")
        << QByteArrayList{onWire("<DC2>00101<US>11<ETX>")} << qint64(7);
    QTest::newRow("DC2 after a letter in the concentrator address starts a read")
        << onWire("<DC4>0x<DC2>00101<US>11<ETX>") << QByteArrayList{onWire("<DC2>00101<US>11<ETX>")}
        << qint64(3);
    QTest::newRow("ETX outside a frame is dropped")
        << onWire("<ETX><DC1>00101<ETX><ETX>") << QByteArrayList{onWire("<DC1>00101<ETX>")}
        << qint64(2);
    QTest::newRow("acknowledgement characters are no commands")
        << onWire("<ACK><NAK>") << QByteArrayList{} << qint64(2);
}

void tst_SimCommandStream::framesFromStream()
{
    QFETCH(QByteArray, stream);
    QFETCH(QByteArrayList, frames);
    QFETCH(qint64, dropped);
    CommandStream commands;
    QCOMPARE(feed(commands, stream), frames);
    QCOMPARE(commands.droppedBytes(), dropped);
}

void tst_SimCommandStream::frameSplitAcrossChunksIsTheSame()
{
    // The stream keeps its partial frame between pushes, whatever the chunking.
    const QByteArray command = onWire("<DC4>05<DC2>00101<US>74<ETX>");
    for (qsizetype cut = 1; cut < command.size(); ++cut) {
        CommandStream commands;
        QVERIFY(feed(commands, command.first(cut)).isEmpty());
        QCOMPARE(feed(commands, command.sliced(cut)), QByteArrayList{command});
    }
}

void tst_SimCommandStream::overlongFrameIsDroppedAndTheNextOneKept()
{
    CommandStream commands;
    const QByteArray overlong = onWire("<DC3>00101<US>12<US>") + QByteArray(400, '9');
    QVERIFY(feed(commands, overlong + onWire("<US>12345<ETX>")).isEmpty());
    QCOMPARE(feed(commands, onWire("<DC1>00101<ETX>")), QByteArrayList{onWire("<DC1>00101<ETX>")});
}

LINKBENCH_TEST_APPLESS_MAIN(tst_SimCommandStream)
#include "tst_SimCommandStream.moc"
