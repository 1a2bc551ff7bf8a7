// Save, print, help, about and the links reached the way the operator reaches
// them: through the window's menu bar, shortcuts and link labels, after a real
// exchange has written the transcript.
#include "FakeSerialLine.h"
#include "ui/ComTest.h"
#include "ui/LinkLabel.h"
#include "ui/TextModule.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

class MenuCommandsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QDateTime m_now = QDateTime(QDate(2026, 12, 6), QTime(0, 28, 33));
    QList<MessageRequest> m_boxes;
    QList<SaveDialogRequest> m_dialogs;
    QString m_chosenPath;
    QString m_pdfPath;
    bool m_printerInstalled = true;
    QStringList m_helpPaths;
    QStringList m_urls;
    FakeSerialLine* m_line = nullptr;
    std::unique_ptr<TEXT> m_text;

    ComTest& window() { return m_text->window(); }

    // One DC1 exchange answered by the fake line, so the transcript holds a
    // known entry.
    void exchangeOnce()
    {
        window().Mnu开始->trigger();
        m_line->deliver(QByteArray("\x02"
                                   "00101+0123.400620\x17"));
    }

    QString expectedTranscript() const
    {
        return QStringLiteral("▲△▲△ 读瞬时值   校验和:00620 ◆◆  测试时间:2026-12-6 0:28:33\r\n"
                              "发送:\x11"
                              "00101\x03 → 接收:\x02"
                              "00101+0123.400620\x17");
    }

private slots:
    void init()
    {
        QVERIFY(m_root.isValid());
        m_boxes.clear();
        m_dialogs.clear();
        m_helpPaths.clear();
        m_urls.clear();
        m_chosenPath = m_root.filePath(QStringLiteral("chosen.txt"));
        m_pdfPath = m_root.filePath(QStringLiteral("printed.pdf"));
        QFile::remove(m_chosenPath);
        QFile::remove(m_pdfPath);
        m_printerInstalled = true;

        const Clock clock = [this] { return m_now; };
        const MessageBoxFn boxes = [this](QWidget*, const MessageRequest& request) {
            m_boxes << request;
            return QMessageBox::Ok;
        };
        TranscriptServices transcript;
        transcript.clock = clock;
        transcript.messageBox = boxes;
        transcript.programFolder = m_root.path();
        transcript.saveDialog = [this](QWidget*, const SaveDialogRequest& request) {
            m_dialogs << request;
            return m_chosenPath;
        };
        transcript.printer = [this]() -> std::unique_ptr<QPrinter> {
            if (!m_printerInstalled)
                return nullptr;
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(m_pdfPath);
            printer->setFullPage(true);
            return printer;
        };
        InfoServices info;
        info.messageBox = boxes;
        info.programFolder = m_root.path();
        info.openHelp = [this](QWidget*, const QString& path) { m_helpPaths << path; };
        info.openUrl = [this](QWidget*, const QString& target) { m_urls << target; };

        auto line = std::make_unique<FakeSerialLine>();
        m_line = line.get();
        m_text = std::make_unique<TEXT>(std::move(line), clock, boxes, transcript, info);
        m_text->startUp();
        QApplication::setActiveWindow(&window());
        QVERIFY(QTest::qWaitForWindowActive(&window()));
    }

    void cleanup() { m_text.reset(); }

    void saveWritesTheTranscriptInGbkWithOneClosingLineEnd()
    {
        exchangeOnce();
        QCOMPARE(window().transcript().text(), expectedTranscript());

        window().MnuSave->trigger();

        QCOMPARE(m_dialogs.size(), 1);
        QCOMPARE(m_dialogs.first().initialFolder, m_root.path() + QStringLiteral("/file"));
        QCOMPARE(m_dialogs.first().proposedName, QStringLiteral("LV-2260028.txt"));
        QFile file(m_chosenPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.endsWith("\x17\r\n"));
        // "通讯" never appears, but "读瞬时值" must be GBK: 读 is b6 c1.
        QVERIFY(bytes.contains("\xb6\xc1"));
        QStringDecoder gbk("GBK");
        QCOMPARE(QString(gbk(bytes)), expectedTranscript() + QStringLiteral("\r\n"));
        QVERIFY(m_boxes.isEmpty());
        QCOMPARE(window().transcript().text(), expectedTranscript());
    }

    void cancelledSaveWritesNothing()
    {
        exchangeOnce();
        m_chosenPath.clear();
        window().MnuSave->trigger();
        QCOMPARE(m_dialogs.size(), 1);
        QCOMPARE(QDir(m_root.path()).entryList(QDir::Files), QStringList());
        QVERIFY(m_boxes.isEmpty());
    }

    void printPutsTitleAndTranscriptOnThePage()
    {
        exchangeOnce();
        window().MnuPrint->trigger();
        QVERIFY(QFile::exists(m_pdfPath));
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {m_pdfPath, QStringLiteral("-")});
        QVERIFY(pdftotext.waitForFinished(60000));
        const QString printed = QString::fromUtf8(pdftotext.readAllStandardOutput());
        QVERIFY2(printed.contains(QStringLiteral("通讯测试")), qPrintable(printed));
        QVERIFY2(printed.contains(QStringLiteral("读瞬时值")), qPrintable(printed));
        QVERIFY(m_boxes.isEmpty());
    }

    void printWithoutAPrinterSaysSoAndPrintsNothing()
    {
        m_printerInstalled = false;
        window().MnuPrint->trigger();
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes.first().text, QStringLiteral("没有可用的打印机"));
        QCOMPARE(m_boxes.first().title, QStringLiteral("LinkBench"));
        QVERIFY(!QFile::exists(m_pdfPath));
    }

    void f1OpensTheHelpFileBelowTheProgramFolder()
    {
        QTest::keyClick(&window(), Qt::Key_F1);
        QTest::keyClick(&window(), Qt::Key_F1);
        const QString path = m_root.path() + QStringLiteral("/help/help.chm");
        QCOMPARE(m_helpPaths, QStringList({path, path}));
        QVERIFY(m_boxes.isEmpty());
    }

    void f9ShowsTheAboutBoxWhileAReplyIsAwaited()
    {
        window().Mnu开始->trigger();
        QVERIFY(window().Timer2->isActive());
        const QString frame = m_text->vars().SentFrame;
        QTest::keyClick(&window(), Qt::Key_F9);
        QCOMPARE(m_boxes.size(), 1);
        QCOMPARE(m_boxes.first().text, QStringLiteral("Lanvey 1.0"));
        QCOMPARE(m_boxes.first().title, QStringLiteral("关于..."));
        QCOMPARE(m_boxes.first().icon, QMessageBox::Information);
        QCOMPARE(m_boxes.first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(window().Timer2->isActive());
        QCOMPARE(m_text->vars().SentFrame, frame);
        QVERIFY(window().transcript().isEmpty());
    }

    void linkLabelsOpenTheirTargets()
    {
        QTest::mouseClick(window().Label14, Qt::LeftButton);
        QTest::mouseClick(window().Label15, Qt::LeftButton);
        QCOMPARE(m_urls, QStringList({QStringLiteral("https://www.lanvey.example"),
                                      QStringLiteral("mailto:support@lanvey.example")}));
        QCOMPARE(window().Label14->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(window().Label15->cursor().shape(), Qt::PointingHandCursor);
    }
};

} // namespace

QTEST_MAIN(MenuCommandsTest)
#include "tst_MenuCommands.moc"
