// The real help, link, printer and program-folder adapters. The desktop's URL
// handling is intercepted with QDesktopServices::setUrlHandler, so the test
// sees exactly what would go to the viewer, browser or mail program.
#include "TestMain.h"
#include "platform/ProgramFolder.h"
#include "widgets/DesktopServices.h"
#include "widgets/PrinterAccess.h"

#include <QApplication>
#include <QDesktopServices>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWidget>

#include <cstdio>

namespace {

class DesktopServicesTest : public QObject
{
    Q_OBJECT

    QList<QUrl> m_opened;
    QWidget m_owner;

public slots:
    void handleUrl(const QUrl& url) { m_opened.append(url); }

private slots:
    void initTestCase()
    {
        for (const char* scheme : {"file", "https", "http", "mailto"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "handleUrl");
    }

    void cleanupTestCase()
    {
        for (const char* scheme : {"file", "https", "http", "mailto"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    void init() { m_opened.clear(); }

    void helpOpenerHandsTheFileToTheDesktop_data()
    {
        QTest::addColumn<bool>("present");
        QTest::newRow("help file present") << true;
        QTest::newRow("help folder missing") << false;
    }

    void helpOpenerHandsTheFileToTheDesktop()
    {
        QFETCH(bool, present);
        QTemporaryDir program;
        QVERIFY(program.isValid());
        const QString path = program.filePath(QStringLiteral("help/help.chm"));
        if (present) {
            QVERIFY(QDir().mkpath(program.filePath(QStringLiteral("help"))));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }

        realHelpOpener()(&m_owner, path);
        realHelpOpener()(nullptr, path);

        QCOMPARE(m_opened, (QList<QUrl>{QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)}));
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(QDir(program.path()).exists(QStringLiteral("help")), present);
    }

    void urlOpenerHandsTheTargetToTheDesktop_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("web address") << QStringLiteral("https://www.lanvey.example");
        QTest::newRow("mail link") << QStringLiteral("mailto:support@lanvey.example");
        QTest::newRow("address with path and query")
            << QStringLiteral("http://www.lanvey.example/a/b?c=d");
    }

    void urlOpenerHandsTheTargetToTheDesktop()
    {
        QFETCH(QString, target);
        realUrlOpener()(&m_owner, target);
        QCOMPARE(m_opened.size(), 1);
        QCOMPARE(m_opened.first().toString(), target);
    }

    void programFolderIsTheRunningProgramsFolder()
    {
        QCOMPARE(programFolder(), QCoreApplication::applicationDirPath());
        const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        QVERIFY(QFileInfo::exists(programFolder() + u'/' + program));
    }

    // The installed bin/linkbench is a link to lib/linkbench/linkbench: started
    // through a link, the program must still see the folder it really lives in.
    void programFolderThroughALink()
    {
        if (qEnvironmentVariableIsSet("LINKBENCH_PRINT_PROGRAM_FOLDER")) {
            std::fputs(qPrintable(programFolder() + QLatin1Char('\n')), stdout);
            return;
        }
        QTemporaryDir bin;
        QVERIFY(bin.isValid());
        const QString link = bin.filePath(QStringLiteral("linkbench"));
        QVERIFY(QFile::link(QCoreApplication::applicationFilePath(), link));

        QProcess run;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LINKBENCH_PRINT_PROGRAM_FOLDER"), QStringLiteral("1"));
        run.setProcessEnvironment(environment);
        // The folder's test program runs this file's tests when named first.
        run.start(link, {QStringLiteral("tst_DesktopServices"), QStringLiteral("-silent"),
                         QStringLiteral("programFolderThroughALink")});
        QVERIFY(run.waitForFinished(60000));
        QCOMPARE(run.exitCode(), 0);
        const QStringList printed =
            QString::fromLocal8Bit(run.readAllStandardOutput()).split(QLatin1Char('\n'));
        QVERIFY2(printed.contains(QCoreApplication::applicationDirPath()),
                 qPrintable(printed.join(QLatin1Char('|'))));
        QVERIFY(!printed.contains(bin.path()));
    }

    void subPathsBelowTheProgramFolder_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("path");
        QTest::newRow("save folder") << QStringLiteral("/opt/linkbench") << QStringLiteral("file")
                                     << QStringLiteral("/opt/linkbench/file");
        QTest::newRow("help file")
            << QStringLiteral("/opt/linkbench") << QStringLiteral("help/help.chm")
            << QStringLiteral("/opt/linkbench/help/help.chm");
        QTest::newRow("folder given with a trailing separator")
            << QStringLiteral("/opt/linkbench/") << QStringLiteral("file")
            << QStringLiteral("/opt/linkbench/file");
        QTest::newRow("program in the root folder")
            << QStringLiteral("/") << QStringLiteral("file") << QStringLiteral("/file");
    }

    void subPathsBelowTheProgramFolder()
    {
        QFETCH(QString, folder);
        QFETCH(QString, relative);
        QFETCH(QString, path);
        QCOMPARE(programSubPath(folder, relative), path);
    }

    void printerProviderGivesTheDefaultPrinterOrNothing()
    {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        const std::unique_ptr<QPrinter> printer = defaultPrinterProvider()();
        if (info.isNull()) {
            // A QPrinter here would quietly be a PDF writer without a file.
            QVERIFY(!printer);
            return;
        }
        QVERIFY(printer);
        QCOMPARE(printer->printerName(), info.printerName());
        QVERIFY(printer->fullPage());
        QCOMPARE(printer->outputFormat(), QPrinter::NativeFormat);
    }
};

} // namespace

LINKBENCH_TEST_MAIN(DesktopServicesTest)
#include "tst_DesktopServices.moc"
