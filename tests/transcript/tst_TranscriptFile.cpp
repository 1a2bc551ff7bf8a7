// The pure rules of a saved transcript: the proposed name, the dialog's
// filters and the file's bytes.
#include "TestMain.h"
#include "platform/GbkCodePage.h"
#include "transcript/TranscriptEncoding.h"
#include "transcript/TranscriptFileName.h"
#include "transcript/TranscriptTexts.h"

#include <QTest>

namespace {

QByteArray hex(const char* spaced)
{
    return QByteArray::fromHex(QByteArray(spaced).replace(' ', ""));
}

class TranscriptFileTest : public QObject
{
    Q_OBJECT

private slots:
    void proposedName_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("name");

        auto at = [](int y, int mo, int d, int h, int mi, int s) {
            return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
        };
        QTest::newRow("6 December 2026 at 00:28:33")
            << at(2026, 12, 6, 0, 28, 33) << QStringLiteral("LV-2260028.txt");
        QTest::newRow("2001 at 14:35, January")
            << at(2001, 1, 1, 14, 35, 0) << QStringLiteral("LV-2011435.txt");
        QTest::newRow("2001 at 14:35, August the 20th")
            << at(2001, 8, 20, 14, 35, 59) << QStringLiteral("LV-2011435.txt");
        QTest::newRow("2001 at 14:35, New Year's Eve")
            << at(2001, 12, 31, 14, 35, 7) << QStringLiteral("LV-2011435.txt");
        QTest::newRow("last minute of 1999")
            << at(1999, 12, 31, 23, 59, 59) << QStringLiteral("LV-1992359.txt");
        QTest::newRow("midnight, leap day 2024")
            << at(2024, 2, 29, 0, 0, 0) << QStringLiteral("LV-2240000.txt");
        QTest::newRow("afternoon hours on the 24-hour clock")
            << at(2026, 6, 9, 21, 5, 0) << QStringLiteral("LV-2262105.txt");
    }

    void proposedName()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, name);
        QCOMPARE(proposedTranscriptFileName(now), name);
    }

    void sameHourAndMinuteOfOneYearGiveOneName()
    {
        const QString march =
            proposedTranscriptFileName(QDateTime(QDate(2026, 3, 2), QTime(9, 7, 1)));
        const QString november =
            proposedTranscriptFileName(QDateTime(QDate(2026, 11, 28), QTime(9, 7, 58)));
        QCOMPARE(march, QStringLiteral("LV-2260907.txt"));
        QCOMPARE(november, march);
    }

    void nameFilters_data()
    {
        QTest::addColumn<QString>("filterText");
        QTest::addColumn<QStringList>("filters");

        QTest::newRow("the save dialog's filter, text files first")
            << transcript_texts::SaveFilter
            << QStringList{QStringLiteral("文本文件(*.txt)"), QStringLiteral("所有文件 (*.*)")};
        QTest::newRow("description without its pattern")
            << QStringLiteral("Logs|*.log") << QStringList{QStringLiteral("Logs (*.log)")};
        QTest::newRow("dangling description") << QStringLiteral("Text(*.txt)|*.txt|Other")
                                              << QStringList{QStringLiteral("Text(*.txt)")};
        QTest::newRow("empty") << QString() << QStringList{};
    }

    void nameFilters()
    {
        QFETCH(QString, filterText);
        QFETCH(QStringList, filters);
        QCOMPARE(nameFiltersFromFilterText(filterText), filters);
    }

    void fileBytes_data()
    {
        QTest::addColumn<QString>("transcript");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("substituted");

        QTest::newRow("empty transcript") << QString() << hex("0d 0a") << 0;
        QTest::newRow("title words")
            << QStringLiteral("通讯测试") << hex("cd a8 d1 b6 b2 e2 ca d4 0d 0a") << 0;
        QTest::newRow("two entries, newest first, one empty line between")
            << QStringLiteral("new\r\n\r\nold") << QByteArray("new\r\n\r\nold\r\n") << 0;
        QTest::newRow("entry markers and arrows")
            << QStringLiteral("▲△ ◆→√×") << hex("a1 f8 a1 f7 20 a1 f4 a1 fa a1 cc a1 c1 0d 0a")
            << 0;
        QTest::newRow("control characters of a frame stay single bytes")
            << (QStringLiteral("发送:") + QChar(0x11) + QStringLiteral("00101") + QChar(0x03))
            << hex("b7 a2 cb cd 3a 11 30 30 31 30 31 03 0d 0a") << 0;
        QTest::newRow("time-out entry ending")
            << QStringLiteral("接收:串口超时错误!!!")
            << hex("bd d3 ca d5 3a b4 ae bf da b3 ac ca b1 b4 ed ce f3 21 21 21 0d 0a") << 0;
        QTest::newRow("received byte GBK lacks becomes a question mark")
            << (QStringLiteral("a?") + QChar(0xC0) + QStringLiteral("b")) << QByteArray("a??b\r\n")
            << 1;
        QTest::newRow("character outside the basic plane becomes one question mark")
            << QStringLiteral("x😀y") << QByteArray("x?y\r\n") << 1;
        QTest::newRow("lone surrogate becomes a question mark")
            << (QStringLiteral("x") + QChar(0xD800) + QChar(0xC0)) << QByteArray("x??\r\n") << 2;
        QTest::newRow("received byte AD, a soft hyphen, is not dropped")
            << (QStringLiteral("A") + QChar(0xAD) + QStringLiteral("B")) << QByteArray("A?B\r\n")
            << 1;
        QTest::newRow("zero-width space and byte-order mark are not dropped")
            << (QChar(0x200B) + QStringLiteral("通") + QChar(0xFEFF)) << hex("3f cd a8 3f 0d 0a")
            << 2;
    }

    void fileBytes()
    {
        QFETCH(QString, transcript);
        QFETCH(QByteArray, bytes);
        QFETCH(int, substituted);

        const std::optional<TranscriptFileContent> content = transcriptFileContent(transcript);
        QVERIFY(content.has_value());
        QCOMPARE(content->bytes.toHex(' '), bytes.toHex(' '));
        QCOMPARE(content->substituted, qsizetype(substituted));
    }

    // Each received byte 80..FF is a character U+0080..U+00FF in the transcript:
    // each is kept as its GBK bytes or written as one counted "?", never lost.
    void everyReceivedHighByteLeavesATrace()
    {
        for (char16_t code = 0x80; code <= 0xFF; ++code) {
            const QString text = QStringLiteral("x") + QChar(code) + QStringLiteral("y");
            const std::optional<TranscriptFileContent> content = transcriptFileContent(text);
            QVERIFY(content.has_value());
            const QByteArray middle = content->bytes.mid(1, content->bytes.size() - 4);
            QVERIFY2(content->bytes.startsWith('x') && content->bytes.endsWith("y\r\n"),
                     qPrintable(content->bytes.toHex(' ')));
            if (content->substituted == 1) {
                QCOMPARE(middle, QByteArray("?"));
            } else {
                QCOMPARE(content->substituted, qsizetype(0));
                QCOMPARE(gbkText(middle), QString(QChar(code)));
            }
        }
    }
};

} // namespace

LINKBENCH_TEST_GUILESS_MAIN(TranscriptFileTest)
#include "tst_TranscriptFile.moc"
