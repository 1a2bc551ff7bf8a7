// The pane REC1 on its own: entries go on top in the model's exact CR LF text
// and in the pane's lines, the operator can select and copy but not type.

#include "TestMain.h"
#include "WireText.h"
#include "ui/TranscriptPane.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

class tst_TranscriptPane : public QObject
{
    Q_OBJECT

private slots:
    void entriesGoOnTop_data();
    void entriesGoOnTop();
    void lineEndsBecomeLines();
    void operatorCannotType();
    void operatorCanSelectAndCopy();
    void clearEmptiesBoth();
    void manyEntries();
};

void tst_TranscriptPane::entriesGoOnTop_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("separators");
    QTest::addColumn<QString>("text");

    const QString two = QStringLiteral("\r\n\r\n");
    QTest::newRow("first entry alone") << QStringList{"a\r\nb"} << QStringList{two} << "a\r\nb";
    QTest::newRow("second above the first, one empty line between")
        << QStringList{"a\r\nb", "c\r\nd"} << QStringList{two, two} << "c\r\nd\r\n\r\na\r\nb";
    QTest::newRow("single line end separator")
        << QStringList{"a", "b", "c"} << QStringList{two, "\r\n", two} << "c\r\n\r\nb\r\na";
}

void tst_TranscriptPane::entriesGoOnTop()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, separators);
    QFETCH(QString, text);
    Transcript transcript;
    TranscriptPane pane(transcript);
    for (int i = 0; i < entries.size(); ++i)
        pane.putOnTop({entries[i], separators[i]});
    QCOMPARE(transcript.text(), text);
    QCOMPARE(pane.toPlainText(),
             QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    QVERIFY(!pane.isTranscriptEmpty());
}

void tst_TranscriptPane::lineEndsBecomeLines()
{
    Transcript transcript;
    TranscriptPane pane(transcript);
    pane.putOnTop({wireText("发送:<DC1>00101<ETX>\r\n →接收:<STX>x<ETB>")});
    pane.putOnTop({QStringLiteral("second")});
    const QTextDocument* doc = pane.document();
    QCOMPARE(doc->blockCount(), 4);
    QCOMPARE(doc->findBlockByNumber(0).text(), QStringLiteral("second"));
    QCOMPARE(doc->findBlockByNumber(1).text(), QString());
    QCOMPARE(doc->findBlockByNumber(2).text(), wireText("发送:<DC1>00101<ETX>"));
    QCOMPARE(doc->findBlockByNumber(3).text(), wireText(" →接收:<STX>x<ETB>"));
}

void tst_TranscriptPane::operatorCannotType()
{
    Transcript transcript;
    TranscriptPane pane(transcript);
    pane.putOnTop({QStringLiteral("entry")});
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    pane.setFocus();
    QTest::keyClicks(&pane, QStringLiteral("typed"));
    QTest::keyClick(&pane, Qt::Key_Backspace);
    QTest::keyClick(&pane, Qt::Key_Return);
    QCOMPARE(pane.toPlainText(), QStringLiteral("entry"));
    QCOMPARE(transcript.text(), QStringLiteral("entry"));
    QVERIFY(pane.isReadOnly());
    QCOMPARE(pane.textInteractionFlags(), Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QVERIFY(!pane.isUndoRedoEnabled());
}

void tst_TranscriptPane::operatorCanSelectAndCopy()
{
    Transcript transcript;
    TranscriptPane pane(transcript);
    pane.putOnTop({QStringLiteral("line one\r\nline two")});
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    pane.setFocus();
    QTest::keyClick(&pane, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(pane.textCursor().selectedText(), QStringLiteral("line one\u2029line two"));
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&pane, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("line one\nline two"));
}

void tst_TranscriptPane::clearEmptiesBoth()
{
    Transcript transcript;
    TranscriptPane pane(transcript);
    pane.putOnTop({QStringLiteral("a")});
    pane.putOnTop({QStringLiteral("b")});
    pane.clearTranscript();
    QVERIFY(transcript.isEmpty());
    QVERIFY(pane.isTranscriptEmpty());
    QCOMPARE(pane.toPlainText(), QString());
    pane.putOnTop({QStringLiteral("c")});
    QCOMPARE(transcript.text(), QStringLiteral("c"));
    QCOMPARE(pane.toPlainText(), QStringLiteral("c"));
}

// Correctness at size; the timing figures are in bench/bench_transcript_pane.
void tst_TranscriptPane::manyEntries()
{
    Transcript transcript;
    TranscriptPane pane(transcript);
    constexpr int kEntries = 20000;
    for (int i = 0; i < kEntries; ++i)
        pane.putOnTop({QStringLiteral("entry %1\r\nline").arg(i)});
    QCOMPARE(transcript.entryCount(), kEntries);
    QCOMPARE(pane.document()->blockCount(), kEntries * 3 - 1);
    QCOMPARE(pane.document()->firstBlock().text(), QStringLiteral("entry 19999"));
    QCOMPARE(pane.document()->lastBlock().text(), QStringLiteral("line"));
    QCOMPARE(pane.document()->findBlockByNumber(3).text(), QStringLiteral("entry 19998"));
    QCOMPARE(pane.document()->lastBlock().previous().text(), QStringLiteral("entry 0"));
    QVERIFY(transcript.text().startsWith(QStringLiteral("entry 19999\r\nline\r\n\r\nentry 19998")));
}

LINKBENCH_TEST_MAIN(tst_TranscriptPane)
#include "tst_TranscriptPane.moc"
