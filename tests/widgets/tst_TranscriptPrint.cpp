// The printed page, checked on a PDF through pdftotext's word boxes.
#include "TestMain.h"
#include "widgets/TranscriptPrintLayout.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct Word
{
    int page = 0; // from 1
    QRectF box;   // points, from the paper's top-left corner
    QString text;
};

struct PrintedPdf
{
    bool printed = false;
    QList<QSizeF> pages;
    QList<Word> words;
};

QList<Word> wordsOn(const QList<Word>& words, int page)
{
    QList<Word> result;
    for (const Word& word : words) {
        if (word.page == page)
            result.append(word);
    }
    return result;
}

const Word* findWord(const QList<Word>& words, const QString& text)
{
    for (const Word& word : words) {
        if (word.text == text)
            return &word;
    }
    return nullptr;
}

class TranscriptPrintTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_count = 0;

    // Prints `text` into a fresh PDF (A4 unless told) and reads its words back.
    PrintedPdf print(const QString& text, const QMarginsF& minimumMargins = {})
    {
        PrintedPdf result;
        const QString path = m_dir.filePath(QStringLiteral("print%1.pdf").arg(++m_count));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(), QPageLayout::Point, minimumMargins));
        printer.setFullPage(true);
        result.printed = printTranscript(printer, text);
        if (!result.printed)
            return result;

        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"),
                        {QStringLiteral("-bbox"), path, QStringLiteral("-")});
        if (!pdftotext.waitForFinished(60000))
            return result;
        QXmlStreamReader xml(pdftotext.readAllStandardOutput());
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QXmlStreamAttributes a = xml.attributes();
            auto number = [&a](const char* name) {
                return a.value(QLatin1String(name)).toDouble();
            };
            if (xml.name() == QLatin1String("page")) {
                result.pages.append(QSizeF(number("width"), number("height")));
            } else if (xml.name() == QLatin1String("word")) {
                Word word;
                word.page = int(result.pages.size());
                word.box = QRectF(QPointF(number("xMin"), number("yMin")),
                                  QPointF(number("xMax"), number("yMax")));
                word.text = xml.readElementText();
                result.words.append(word);
            }
        }
        return result;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY2(QProcess::execute(QStringLiteral("pdftotext"), {QStringLiteral("-v")}) == 0,
                 "pdftotext (poppler-utils) is needed");
    }

    // Where a word's box starts, in points from the paper's corner.
    void wordPositions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QMarginsF>("minimumMargins");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("page");
        QTest::addColumn<QPointF>("topLeft");

        const QString twoEntries = QStringLiteral("newest entry\r\nsecond line\r\n\r\nolder entry");
        QTest::newRow("title over an empty transcript")
            << QString() << QMarginsF() << QStringLiteral("通讯测试") << 1 << QPointF(230, 5);
        QTest::newRow("title over a transcript")
            << twoEntries << QMarginsF() << QStringLiteral("通讯测试") << 1 << QPointF(230, 5);
        QTest::newRow("newest line of the text")
            << twoEntries << QMarginsF() << QStringLiteral("newest") << 1 << QPointF(55, 70);
        QTest::newRow("second line at the same left edge")
            << twoEntries << QMarginsF() << QStringLiteral("second") << 1 << QPointF(55, -1);
        QTest::newRow("line after an empty line at the same left edge")
            << twoEntries << QMarginsF() << QStringLiteral("older") << 1 << QPointF(55, -1);
        QTest::newRow("title from the corner of a smaller printable area")
            << twoEntries << QMarginsF(36, 18, 36, 18) << QStringLiteral("通讯测试") << 1
            << QPointF(266, 23);
        QTest::newRow("text from the corner of a smaller printable area")
            << twoEntries << QMarginsF(36, 18, 36, 18) << QStringLiteral("newest") << 1
            << QPointF(91, 88);
    }

    void wordPositions()
    {
        QFETCH(QString, text);
        QFETCH(QMarginsF, minimumMargins);
        QFETCH(QString, word);
        QFETCH(int, page);
        QFETCH(QPointF, topLeft);

        const PrintedPdf pdf = print(text, minimumMargins);
        QVERIFY(pdf.printed);
        const Word* found = findWord(pdf.words, word);
        QStringList seen;
        for (const Word& w : pdf.words)
            seen.append(w.text);
        QVERIFY2(found, qPrintable(word + QStringLiteral(" not among: ") + seen.join(u'|')));
        QCOMPARE(found->page, page);
        QVERIFY2(qAbs(found->box.left() - topLeft.x()) <= 1.0,
                 qPrintable(QString::number(found->box.left())));
        if (topLeft.y() >= 0) {
            QVERIFY2(qAbs(found->box.top() - topLeft.y()) <= 1.0,
                     qPrintable(QString::number(found->box.top())));
        }
    }

    void linesStandInOrderOneBelowTheOther()
    {
        const PrintedPdf pdf = print(QStringLiteral("alpha\r\nbravo\r\n\r\ncharlie"));
        QVERIFY(pdf.printed);
        const Word* alpha = findWord(pdf.words, QStringLiteral("alpha"));
        const Word* bravo = findWord(pdf.words, QStringLiteral("bravo"));
        const Word* charlie = findWord(pdf.words, QStringLiteral("charlie"));
        QVERIFY(alpha && bravo && charlie);
        const qreal step = bravo->box.top() - alpha->box.top();
        // 10 pt text: one line is a little more than 10 pt; the empty line
        // between bravo and charlie takes one more step.
        QVERIFY2(step > 10.0 && step < 16.0, qPrintable(QString::number(step)));
        QVERIFY(qAbs(charlie->box.top() - bravo->box.top() - 2 * step) <= 0.5);
    }

    void emptyTranscriptPrintsOnlyTheTitle()
    {
        const PrintedPdf pdf = print(QString());
        QVERIFY(pdf.printed);
        QCOMPARE(pdf.pages.size(), 1);
        QCOMPARE(pdf.words.size(), 1);
        QCOMPARE(pdf.words.first().text, QStringLiteral("通讯测试"));
    }

    void overlongLineWrapsAtTheLeftEdge()
    {
        QStringList words;
        for (int i = 0; i < 80; ++i)
            words.append(QStringLiteral("w%1").arg(i, 3, 10, QLatin1Char('0')));
        const PrintedPdf pdf = print(words.join(QLatin1Char(' ')) + QStringLiteral("\r\nnext"));
        QVERIFY(pdf.printed);

        QList<qreal> rowTops;
        for (const Word& word : pdf.words) {
            if (!word.text.startsWith(QLatin1Char('w')))
                continue;
            QVERIFY2(word.box.right() <= pdf.pages.first().width() + 0.5, qPrintable(word.text));
            if (rowTops.isEmpty() || word.box.top() > rowTops.last() + 1.0) {
                // Each row of the wrapped line starts at the text's left edge.
                QVERIFY2(qAbs(word.box.left() - 55) <= 1.0, qPrintable(word.text));
                rowTops.append(word.box.top());
            }
        }
        QVERIFY2(rowTops.size() >= 2, "the line did not wrap");
        const Word* next = findWord(pdf.words, QStringLiteral("next"));
        QVERIFY(next);
        QVERIFY(next->box.top() > rowTops.last() + 5.0);
        // All 80 words made it onto the page, in order.
        QStringList printed;
        for (const Word& word : pdf.words) {
            if (word.text.startsWith(QLatin1Char('w')))
                printed.append(word.text);
        }
        QCOMPARE(printed, words);
    }

    void unbrokenRunWiderThanThePageWraps()
    {
        const QString run = QString(300, QLatin1Char('x'));
        const PrintedPdf pdf = print(run);
        QVERIFY(pdf.printed);
        QString printed;
        for (const Word& word : pdf.words) {
            if (word.text != QStringLiteral("通讯测试")) {
                QVERIFY(qAbs(word.box.left() - 55) <= 1.0);
                QVERIFY(word.box.right() <= pdf.pages.first().width() + 0.5);
                printed += word.text;
            }
        }
        QCOMPARE(printed, run);
    }

    void longTranscriptContinuesOnFurtherPages()
    {
        QStringList lines;
        for (int i = 0; i < 200; ++i)
            lines.append(QStringLiteral("line%1").arg(i, 4, 10, QLatin1Char('0')));
        const PrintedPdf pdf = print(lines.join(QStringLiteral("\r\n")));
        QVERIFY(pdf.printed);
        QVERIFY2(pdf.pages.size() >= 3, qPrintable(QString::number(pdf.pages.size())));

        QStringList printed;
        for (int page = 1; page <= pdf.pages.size(); ++page) {
            const QList<Word> words = wordsOn(pdf.words, page);
            QVERIFY(!words.isEmpty());
            const qreal pageHeight = pdf.pages.at(page - 1).height();
            qreal previousTop = 0;
            for (const Word& word : words) {
                if (word.text == QStringLiteral("通讯测试")) {
                    QCOMPARE(page, 1); // the title heads the first page only
                    continue;
                }
                QVERIFY(qAbs(word.box.left() - 55) <= 1.0);
                QVERIFY(word.box.top() > previousTop);
                QVERIFY2(word.box.bottom() <= pageHeight, qPrintable(word.text));
                previousTop = word.box.top();
                printed.append(word.text);
            }
            // Every page's text starts at the top margin.
            const Word& first = page == 1 ? words.at(1) : words.first();
            QVERIFY2(qAbs(first.box.top() - 70) <= 1.0, qPrintable(QString::number(page)));
        }
        QCOMPARE(printed, lines);
    }

    void deviceThatCannotBePaintedOnFails()
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_dir.filePath(QStringLiteral("missing/folder/out.pdf")));
        printer.setFullPage(true);
        QVERIFY(!printTranscript(printer, QStringLiteral("text")));
    }
};

} // namespace

LINKBENCH_TEST_MAIN(TranscriptPrintTest)
#include "tst_TranscriptPrint.moc"
