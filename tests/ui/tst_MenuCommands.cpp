// Save, print, help, about and the links reached the way the operator reaches
// them: through the window's menu bar, shortcuts and link labels, after a real
// exchange has written the transcript.
#include "ProgramHarness.h"
#include "TestMain.h"
#include "WireText.h"
#include "ui/LinkLabel.h"

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
    QString m_chosenPath;
    QString m_pdfPath;
    std::unique_ptr<ProgramHarness> m_h;

    ComTest& window() { return m_h->window(); }

    // One DC1 exchange answered by the fake line, so the transcript holds a
    // known entry.
    void exchangeOnce()
    {
        window().Mnu开始->trigger();
        m_h->fake->deliver(onWire("<STX>00101+0123.400620<ETB>"));
    }

    QString expectedTranscript() const
    {
        return wireText("▲△▲△ 读瞬时值   校验和:00620 ◆◆  测试时间:2026-12-6 "
                        "0:28:33\r\n发送:<DC1>00101<ETX> → 接收:<STX>00101+0123.400620<ETB>");
    }

private slots:
    void init()
    {
        QVERIFY(m_root.isValid());
        m_chosenPath = m_root.filePath(QStringLiteral("chosen.txt"));
        m_pdfPath = m_root.filePath(QStringLiteral("printed.pdf"));
        QFile::remove(m_chosenPath);
        QFile::remove(m_pdfPath);

        m_h =
            std::make_unique<ProgramHarness>(ProgramHarness::Setup{.programFolder = m_root.path()});
        m_h->now = QDateTime(QDate(2026, 12, 6), QTime(0, 28, 33));
        m_h->saveAnswer = m_chosenPath;
        m_h->printer = [this] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(m_pdfPath);
            printer->setFullPage(true);
            return printer;
        };
        QVERIFY(m_h->activated);
    }

    void cleanup() { m_h.reset(); }

    void saveWritesTheTranscriptInGbkWithOneClosingLineEnd()
    {
        exchangeOnce();
        QCOMPARE(window().transcript().text(), expectedTranscript());

        window().MnuSave->trigger();

        QCOMPARE(m_h->saveDialogs.size(), 1);
        QCOMPARE(m_h->saveDialogs.first().initialFolder, m_root.path() + QStringLiteral("/file"));
        QCOMPARE(m_h->saveDialogs.first().proposedName, QStringLiteral("LV-2260028.txt"));
        QFile file(m_chosenPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.endsWith(onWire("<ETB>\r\n")));
        // "通讯" never appears, but "读瞬时值" must be GBK: 读 is b6 c1.
        QVERIFY(bytes.contains("\xb6\xc1"));
        QStringDecoder gbk("GBK");
        QCOMPARE(QString(gbk(bytes)), expectedTranscript() + QStringLiteral("\r\n"));
        QVERIFY(m_h->boxes.requests.isEmpty());
        QCOMPARE(window().transcript().text(), expectedTranscript());
    }

    void cancelledSaveWritesNothing()
    {
        exchangeOnce();
        m_h->saveAnswer.clear();
        window().MnuSave->trigger();
        QCOMPARE(m_h->saveDialogs.size(), 1);
        QCOMPARE(QDir(m_root.path()).entryList(QDir::Files), QStringList());
        QVERIFY(m_h->boxes.requests.isEmpty());
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
        QVERIFY(m_h->boxes.requests.isEmpty());
    }

    void printWithoutAPrinterSaysSoAndPrintsNothing()
    {
        m_h->printer = [] { return nullptr; };
        window().MnuPrint->trigger();
        QCOMPARE(m_h->boxes.requests.size(), 1);
        QCOMPARE(m_h->boxes.requests.first().text, QStringLiteral("没有可用的打印机"));
        QCOMPARE(m_h->boxes.requests.first().title, QStringLiteral("LinkBench"));
        QVERIFY(!QFile::exists(m_pdfPath));
    }

    void f1OpensTheHelpFileBelowTheProgramFolder()
    {
        QTest::keyClick(&window(), Qt::Key_F1);
        QTest::keyClick(&window(), Qt::Key_F1);
        const QString path = m_root.path() + QStringLiteral("/help/help.chm");
        QCOMPARE(m_h->opened, QStringList({path, path}));
        QVERIFY(m_h->boxes.requests.isEmpty());
    }

    void f9ShowsTheAboutBoxWhileAReplyIsAwaited()
    {
        window().Mnu开始->trigger();
        QVERIFY(window().Timer2->isActive());
        const QString frame = m_h->vars().SentFrame;
        QTest::keyClick(&window(), Qt::Key_F9);
        QCOMPARE(m_h->boxes.requests.size(), 1);
        QCOMPARE(m_h->boxes.requests.first().text, QStringLiteral("Lanvey 1.0"));
        QCOMPARE(m_h->boxes.requests.first().title, QStringLiteral("关于..."));
        QCOMPARE(m_h->boxes.requests.first().icon, QMessageBox::Information);
        QCOMPARE(m_h->boxes.requests.first().buttons,
                 QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(window().Timer2->isActive());
        QCOMPARE(m_h->vars().SentFrame, frame);
        QVERIFY(window().transcript().isEmpty());
    }

    void linkLabelsOpenTheirTargets()
    {
        QTest::mouseClick(window().Label14, Qt::LeftButton);
        QTest::mouseClick(window().Label15, Qt::LeftButton);
        QCOMPARE(m_h->opened, QStringList({QStringLiteral("https://www.lanvey.example"),
                                           QStringLiteral("mailto:support@lanvey.example")}));
        QCOMPARE(window().Label14->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(window().Label15->cursor().shape(), Qt::PointingHandCursor);
    }
};

} // namespace

LINKBENCH_TEST_MAIN(MenuCommandsTest)
#include "tst_MenuCommands.moc"
