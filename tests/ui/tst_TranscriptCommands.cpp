// "保存(&S)" and "打印(&P)" through TranscriptCommands, with the dialog, clock,
// message box and printer injected and real files written.
#include "TestMain.h"
#include "WireText.h"
#include "transcript/Transcript.h"
#include "ui/TranscriptCommands.h"

#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

const QString kLineEnds = QStringLiteral("\r\n\r\n");

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every file below `root` with its bytes, to prove that nothing changed.
QMap<QString, QByteArray> snapshot(const QString& root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, readFile(path));
    }
    return files;
}

bool setImmutable(const QString& path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

// Makes a folder or a file really unwritable, also for root, who ignores the
// permission bits: the bits for an ordinary user, the immutable attribute for
// root. Undone when it goes out of scope, so the temporary folder can go.
class WriteProtection
{
public:
    explicit WriteProtection(const QString& path) : m_path(path)
    {
        m_permissions = QFile::permissions(path);
        QFile::setPermissions(path, m_permissions & ~(QFile::WriteOwner | QFile::WriteUser |
                                                      QFile::WriteGroup | QFile::WriteOther));
        if (::geteuid() == 0)
            m_immutable = setImmutable(path, true);
    }
    ~WriteProtection()
    {
        if (m_immutable)
            setImmutable(m_path, false);
        QFile::setPermissions(m_path, m_permissions);
    }
    bool holds() const { return ::geteuid() != 0 || m_immutable; }

private:
    QString m_path;
    QFile::Permissions m_permissions;
    bool m_immutable = false;
};

// A 64 KiB tmpfs mounted for one test and filled up, leaving `freeBytes` free
// (whole pages); unmounted when it goes out of scope. Needs root.
class FullDisk
{
public:
    FullDisk(const QString& mountPoint, qint64 freeBytes) : m_mountPoint(mountPoint)
    {
        if (::geteuid() != 0 || !QDir().mkpath(mountPoint))
            return;
        m_mounted = QProcess::execute(QStringLiteral("mount"),
                                      {QStringLiteral("-t"), QStringLiteral("tmpfs"),
                                       QStringLiteral("-o"), QStringLiteral("size=64k"),
                                       QStringLiteral("tmpfs"), mountPoint}) == 0;
        m_freeBytes = freeBytes;
    }
    ~FullDisk()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {m_mountPoint});
    }
    bool mounted() const { return m_mounted; }

    // Takes every free page, then gives `freeBytes` back.
    bool fill()
    {
        const QString filler = m_mountPoint + QStringLiteral("/filler");
        const int fd = ::open(QFile::encodeName(filler).constData(), O_WRONLY | O_CREAT, 0600);
        if (fd < 0)
            return false;
        const QByteArray page(4096, '\0');
        off_t written = 0;
        while (::write(fd, page.constData(), page.size()) == page.size())
            written += page.size();
        const bool filled = errno == ENOSPC && written >= m_freeBytes &&
                            ::ftruncate(fd, written - m_freeBytes) == 0;
        ::close(fd);
        return filled;
    }

private:
    QString m_mountPoint;
    qint64 m_freeBytes = 0;
    bool m_mounted = false;
};

struct Recorder
{
    QList<SaveDialogRequest> dialogs;
    QList<QWidget*> dialogOwners;
    QString dialogAnswer; // the path the "operator" chooses; empty cancels
    QList<MessageRequest> messages;
    QList<QWidget*> messageOwners;
    QDateTime now = QDateTime(QDate(2026, 12, 6), QTime(0, 28, 33));
    int printerRequests = 0;
    std::function<std::unique_ptr<QPrinter>()> printer = [] { return nullptr; };
};

class TranscriptCommandsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_programFolder; // <root>/program, holding file/
    QString m_saveFolder;
    QString m_currentFolder;
    QString m_previousCurrent;
    QWidget m_owner;
    Transcript m_transcript;
    Recorder m_rec;

    PlatformServices services()
    {
        PlatformServices s;
        s.saveDialog = [this](QWidget* owner, const SaveDialogRequest& request) {
            m_rec.dialogOwners.append(owner);
            m_rec.dialogs.append(request);
            return m_rec.dialogAnswer;
        };
        s.clock = [this] { return m_rec.now; };
        s.messageBox = [this](QWidget* owner, const MessageRequest& request) {
            m_rec.messageOwners.append(owner);
            m_rec.messages.append(request);
            return QMessageBox::Ok;
        };
        s.printer = [this] {
            ++m_rec.printerRequests;
            return m_rec.printer();
        };
        s.programFolder = m_programFolder;
        return s;
    }

    void save()
    {
        TranscriptCommands commands(&m_owner, m_transcript, services());
        commands.save();
    }

    void print()
    {
        TranscriptCommands commands(&m_owner, m_transcript, services());
        commands.print();
    }

    void fill(const QStringList& entriesOldestFirst)
    {
        for (const QString& entry : entriesOldestFirst)
            m_transcript.insert(entry, kLineEnds);
    }

    QString pdfText(const QString& path)
    {
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"),
                        {QStringLiteral("-layout"), path, QStringLiteral("-")});
        pdftotext.waitForFinished(60000);
        return QString::fromUtf8(pdftotext.readAllStandardOutput());
    }

    std::unique_ptr<QPrinter> pdfPrinter(const QString& path)
    {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        printer->setFullPage(true);
        return printer;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        m_programFolder = m_root.filePath(QStringLiteral("program"));
        m_saveFolder = m_programFolder + QStringLiteral("/file");
        m_currentFolder = m_root.filePath(QStringLiteral("current"));
        QVERIFY(QDir().mkpath(m_saveFolder));
        QVERIFY(QDir().mkpath(m_currentFolder));
        // The command must never fall back to a bare name in the current folder.
        m_previousCurrent = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_currentFolder));
    }

    void cleanupTestCase() { QDir::setCurrent(m_previousCurrent); }

    void init()
    {
        m_rec = Recorder();
        m_transcript.clear();
        QDir(m_saveFolder).removeRecursively();
        QDir(m_currentFolder).removeRecursively();
        QVERIFY(QDir().mkpath(m_saveFolder));
        QVERIFY(QDir().mkpath(m_currentFolder));
    }

    void dialogStartsInTheFileFolderWithTheProposal_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("proposedName");
        QTest::newRow("6 December 2026 at 00:28:33")
            << QDateTime(QDate(2026, 12, 6), QTime(0, 28, 33)) << QStringLiteral("LV-2260028.txt");
        QTest::newRow("2001 at 14:35 in March")
            << QDateTime(QDate(2001, 3, 17), QTime(14, 35, 2)) << QStringLiteral("LV-2011435.txt");
        QTest::newRow("2001 at 14:35 in October")
            << QDateTime(QDate(2001, 10, 9), QTime(14, 35, 48)) << QStringLiteral("LV-2011435.txt");
    }

    void dialogStartsInTheFileFolderWithTheProposal()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, proposedName);
        m_rec.now = now;
        save();
        QCOMPARE(m_rec.dialogs.size(), 1);
        const SaveDialogRequest& request = m_rec.dialogs.first();
        QCOMPARE(request.initialFolder, m_saveFolder);
        QCOMPARE(request.proposedName, proposedName);
        QCOMPARE(request.nameFilters, (QStringList{QStringLiteral("文本文件(*.txt)"),
                                                   QStringLiteral("所有文件 (*.*)")}));
        QCOMPARE(m_rec.dialogOwners.first(), &m_owner);
    }

    void savedBytes_data()
    {
        QTest::addColumn<QStringList>("entries"); // oldest first
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("empty transcript") << QStringList{} << QByteArray("\r\n");
        QTest::newRow("one entry")
            << QStringList{QStringLiteral("a\r\nb")} << QByteArray("a\r\nb\r\n");
        QTest::newRow("newest entry first")
            << QStringList{QStringLiteral("older"), QStringLiteral("newer")}
            << QByteArray("newer\r\n\r\nolder\r\n");
        QTest::newRow("Chinese entries in GBK")
            << QStringList{QStringLiteral("通讯测试"),
                           wireText("发送:<DC1>00101<ETX>→接收:串口超时错误!!!")}
            << QByteArray::fromHex("b7a2cbcd3a11303031303103a1fabdd3cad53ab4aebfdab3accab1b4edcef3"
                                   "212121"
                                   "0d0a0d0a"
                                   "cda8d1b6b2e2cad4"
                                   "0d0a");
    }

    void savedBytes()
    {
        QFETCH(QStringList, entries);
        QFETCH(QByteArray, bytes);
        fill(entries);
        const QString before = m_transcript.text();
        m_rec.dialogAnswer = m_saveFolder + QStringLiteral("/chosen.txt");

        save();

        QCOMPARE(readFile(m_rec.dialogAnswer).toHex(' '), bytes.toHex(' '));
        QVERIFY(m_rec.messages.isEmpty());
        QCOMPARE(m_transcript.text(), before);
        QCOMPARE(QDir(m_saveFolder).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("chosen.txt")});
    }

    void secondSaveInTheSameMinuteOfTheYearReplacesTheFirst()
    {
        m_rec.now = QDateTime(QDate(2026, 2, 3), QTime(10, 15, 1));
        fill({QStringLiteral("a much longer first transcript")});
        save();
        QCOMPARE(m_rec.dialogs.size(), 1);
        // The operator keeps the proposal: folder and name.
        const QString kept = m_rec.dialogs.first().initialFolder + QLatin1Char('/') +
                             m_rec.dialogs.first().proposedName;
        QCOMPARE(kept, m_saveFolder + QStringLiteral("/LV-2261015.txt"));
        m_rec.dialogAnswer = kept;
        m_rec.dialogs.clear();
        save();
        QCOMPARE(readFile(kept), QByteArray("a much longer first transcript\r\n"));

        m_rec.now = QDateTime(QDate(2026, 9, 30), QTime(10, 15, 59));
        m_transcript.clear();
        fill({QStringLiteral("short")});
        save();
        QCOMPARE(m_rec.dialogs.last().proposedName, QStringLiteral("LV-2261015.txt"));
        QCOMPARE(readFile(kept), QByteArray("short\r\n"));
        QCOMPARE(QDir(m_saveFolder).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("LV-2261015.txt")});
        QVERIFY(m_rec.messages.isEmpty());
    }

    void cancelWritesNothing()
    {
        fill({QStringLiteral("entry")});
        const QMap<QString, QByteArray> before = snapshot(m_root.path());
        m_rec.dialogAnswer.clear();

        save();

        QCOMPARE(m_rec.dialogs.size(), 1);
        QCOMPARE(snapshot(m_root.path()), before);
        QVERIFY(QDir(m_saveFolder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        QVERIFY(
            QDir(m_currentFolder).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        QVERIFY(!QFile::exists(m_rec.dialogs.first().proposedName));
        QVERIFY(m_rec.messages.isEmpty());
        QCOMPARE(m_transcript.text(), QStringLiteral("entry"));
    }

    void failedSaveIsReportedAndChangesNothing_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("reason"); // empty: the system's words, whatever they are
        QTest::newRow("missing folder")
            << QStringLiteral("missing") << QStringLiteral("文件夹不存在");
        QTest::newRow("folder that is a regular file")
            << QStringLiteral("file as folder") << QStringLiteral("不是文件夹");
        QTest::newRow("read-only folder holding the file")
            << QStringLiteral("read-only folder") << QString();
        QTest::newRow("protected file") << QStringLiteral("protected file") << QString();
    }

    void failedSaveIsReportedAndChangesNothing()
    {
        QFETCH(QString, situation);
        QFETCH(QString, reason);

        const QString existing = m_saveFolder + QStringLiteral("/LV-2260028.txt");
        const QByteArray existingBytes("an earlier save\r\nkept byte for byte\r\n");
        QVERIFY(writeFile(existing, existingBytes));
        const QString regularFile = m_saveFolder + QStringLiteral("/plain.txt");
        QVERIFY(writeFile(regularFile, "plain"));

        std::unique_ptr<WriteProtection> protection;
        if (situation == QStringLiteral("missing")) {
            m_rec.dialogAnswer = m_programFolder + QStringLiteral("/gone/LV-2260028.txt");
        } else if (situation == QStringLiteral("file as folder")) {
            m_rec.dialogAnswer = regularFile + QStringLiteral("/LV-2260028.txt");
        } else if (situation == QStringLiteral("read-only folder")) {
            m_rec.dialogAnswer = existing;
            protection = std::make_unique<WriteProtection>(m_saveFolder);
        } else {
            m_rec.dialogAnswer = existing;
            protection = std::make_unique<WriteProtection>(existing);
        }
        if (protection && !protection->holds())
            QSKIP("this file system cannot make a path unwritable for root");

        fill({QStringLiteral("older"), QStringLiteral("newer 通讯")});
        const QString transcriptBefore = m_transcript.text();
        const QMap<QString, QByteArray> before = snapshot(m_root.path());

        save();

        QCOMPARE(m_rec.messages.size(), 1);
        const MessageRequest& box = m_rec.messages.first();
        QCOMPARE(box.title, QStringLiteral("LinkBench"));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(m_rec.messageOwners.first(), &m_owner);
        const QStringList lines = box.text.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.at(0), QStringLiteral("保存文件失败"));
        const QString fileAndSeparator = m_rec.dialogAnswer + QStringLiteral("：");
        QVERIFY2(lines.at(1).startsWith(fileAndSeparator), qPrintable(lines.at(1)));
        const QString shownReason = lines.at(1).mid(fileAndSeparator.size());
        if (reason.isEmpty())
            QVERIFY2(!shownReason.trimmed().isEmpty(), "no reason given");
        else
            QCOMPARE(shownReason, reason);

        protection.reset();
        QCOMPARE(snapshot(m_root.path()), before);
        QCOMPARE(readFile(existing), existingBytes);
        QCOMPARE(m_transcript.text(), transcriptBefore);
    }

    void saveOnAFullDiskIsReportedAndKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("freeBytes");
        QTest::addColumn<int>("characters");
        QTest::newRow("no free page, transcript inside the write buffer") << 0 << 1000;
        QTest::newRow("one free page, 6000 characters") << 4096 << 6000;
        QTest::newRow("no free page, transcript beyond the write buffer") << 0 << 40000;
    }

    void saveOnAFullDiskIsReportedAndKeepsTheOldFile()
    {
        QFETCH(int, freeBytes);
        QFETCH(int, characters);

        const QString disk = m_root.filePath(QStringLiteral("disk"));
        FullDisk fullDisk(disk, freeBytes);
        if (!fullDisk.mounted())
            QSKIP("mounting a small tmpfs needs root");
        const QString existing = disk + QStringLiteral("/LV-2260028.txt");
        const QByteArray existingBytes("an earlier save\r\nkept byte for byte\r\n");
        QVERIFY(writeFile(existing, existingBytes));
        QVERIFY(fullDisk.fill());

        fill({QString(characters, u'x')});
        m_rec.dialogAnswer = existing;
        save();

        QCOMPARE(m_rec.messages.size(), 1);
        QCOMPARE(m_rec.messages.first().icon, QMessageBox::Warning);
        QCOMPARE(m_rec.messages.first().text,
                 QStringLiteral("保存文件失败\n") + existing + QStringLiteral("：磁盘已满"));
        QCOMPARE(readFile(existing), existingBytes);
        QCOMPARE(QDir(disk).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase),
                 QStringList({QStringLiteral("filler"), QStringLiteral("LV-2260028.txt")}));
    }

    void charactersGbkLacksAreSavedAsQuestionMarksAndReported()
    {
        // A noisy line can deliver bytes such as 0xC0, shown as U+00C0.
        fill({wireText("接收:<STX>") + QChar(0xC0) + QChar(0xFE) + wireText("<ETB>")});
        m_rec.dialogAnswer = m_saveFolder + QStringLiteral("/noisy.txt");

        save();

        QCOMPARE(readFile(m_rec.dialogAnswer).toHex(' '),
                 QByteArray::fromHex("bdd3cad53a 02 3f 3f 17 0d0a").toHex(' '));
        QCOMPARE(m_rec.messages.size(), 1);
        QCOMPARE(m_rec.messages.first().title, QStringLiteral("LinkBench"));
        QCOMPARE(m_rec.messages.first().text,
                 QStringLiteral("文件已保存，但有2个字符无法用GBK编码，已写成“?”：\n") +
                     m_rec.dialogAnswer);
    }

    void printWithoutPrinterOnlySaysSo()
    {
        fill({QStringLiteral("entry")});
        const QMap<QString, QByteArray> before = snapshot(m_root.path());

        print();

        QCOMPARE(m_rec.printerRequests, 1);
        QCOMPARE(m_rec.messages.size(), 1);
        const MessageRequest& box = m_rec.messages.first();
        QCOMPARE(box.text, QStringLiteral("没有可用的打印机"));
        QCOMPARE(box.title, QStringLiteral("LinkBench"));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(snapshot(m_root.path()), before);
        QCOMPARE(m_transcript.text(), QStringLiteral("entry"));
    }

    void printedText_data()
    {
        QTest::addColumn<QStringList>("entries"); // oldest first
        QTest::addColumn<QStringList>("printedLines");

        QTest::newRow("empty transcript prints only the title")
            << QStringList{} << QStringList{QStringLiteral("通讯测试")};
        QTest::newRow("entries under the title, newest first")
            << QStringList{QStringLiteral("older entry"),
                           QStringLiteral("newer entry\r\nits second line")}
            << QStringList{QStringLiteral("通讯测试"), QStringLiteral("newer entry"),
                           QStringLiteral("its second line"), QString(),
                           QStringLiteral("older entry")};
    }

    void printedText()
    {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, printedLines);
        fill(entries);
        const QString before = m_transcript.text();
        const QString pdf = m_root.filePath(QStringLiteral("printed.pdf"));
        QFile::remove(pdf);
        m_rec.printer = [this, pdf] { return pdfPrinter(pdf); };

        print();

        QVERIFY(m_rec.messages.isEmpty());
        QStringList lines;
        for (const QString& line : pdfText(pdf).split(QLatin1Char('\n')))
            lines.append(line.trimmed());
        while (!lines.isEmpty() && (lines.last().isEmpty() || lines.last() == QChar(0x0C)))
            lines.removeLast();
        // pdftotext's layout mode keeps the empty line between the title and
        // the text (the text starts well below the title); drop those.
        lines.removeAll(QString());
        printedLines.removeAll(QString());
        QCOMPARE(lines, printedLines);
        QCOMPARE(m_transcript.text(), before);
    }

    void printerThatCannotPrintIsReported()
    {
        fill({QStringLiteral("entry")});
        m_rec.printer = [this] {
            return pdfPrinter(m_root.filePath(QStringLiteral("no/such/x.pdf")));
        };

        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        print();

        QCOMPARE(m_rec.messages.size(), 1);
        QCOMPARE(m_rec.messages.first().text, QStringLiteral("打印失败"));
        QCOMPARE(m_rec.messages.first().title, QStringLiteral("LinkBench"));
        QCOMPARE(m_transcript.text(), QStringLiteral("entry"));
    }
};

} // namespace

LINKBENCH_TEST_MAIN(TranscriptCommandsTest)
#include "tst_TranscriptCommands.moc"
