// "帮助" (F1), "关于" (F9) and the two link labels through InfoCommands, with
// the help viewer, the shell and the message box injected.
#include "TestMain.h"
#include "ui/InfoCommands.h"

#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace {

const QString kWeb = QStringLiteral("https://www.lanvey.example");
const QString kMail = QStringLiteral("support@lanvey.example");

struct Call
{
    QWidget* owner = nullptr;
    QString argument;
    bool operator==(const Call& other) const = default;
};

class InfoCommandsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QWidget m_owner;
    QList<Call> m_helpCalls;
    QList<Call> m_urlCalls;
    QList<MessageRequest> m_messages;
    QList<QWidget*> m_messageOwners;

    PlatformServices services(const QString& programFolder)
    {
        PlatformServices s;
        s.openHelp = [this](QWidget* owner, const QString& path) {
            m_helpCalls.append({owner, path});
        };
        s.openUrl = [this](QWidget* owner, const QString& target) {
            m_urlCalls.append({owner, target});
        };
        s.messageBox = [this](QWidget* owner, const MessageRequest& request) {
            m_messageOwners.append(owner);
            m_messages.append(request);
            return QMessageBox::Ok;
        };
        s.programFolder = programFolder;
        return s;
    }

private slots:
    void init()
    {
        m_helpCalls.clear();
        m_urlCalls.clear();
        m_messages.clear();
        m_messageOwners.clear();
    }

    void helpAsksTheViewerForTheProgramsHelpFile_data()
    {
        QTest::addColumn<bool>("helpFolderExists");
        QTest::newRow("help folder in place") << true;
        QTest::newRow("help folder missing") << false;
    }

    void helpAsksTheViewerForTheProgramsHelpFile()
    {
        QFETCH(bool, helpFolderExists);
        QVERIFY(m_root.isValid());
        const QString program = m_root.filePath(helpFolderExists ? QStringLiteral("with-help")
                                                                 : QStringLiteral("without-help"));
        QVERIFY(QDir().mkpath(program));
        if (helpFolderExists) {
            QVERIFY(QDir().mkpath(program + QStringLiteral("/help")));
            QFile chm(program + QStringLiteral("/help/help.chm"));
            QVERIFY(chm.open(QIODevice::WriteOnly));
        }
        InfoCommands commands(&m_owner, services(program), kWeb, kMail);

        commands.help();
        commands.help(); // each press asks again; nothing is kept between presses

        const Call expected{&m_owner, program + QStringLiteral("/help/help.chm")};
        QCOMPARE(m_helpCalls, (QList<Call>{expected, expected}));
        QVERIFY(m_messages.isEmpty());
        QVERIFY(m_urlCalls.isEmpty());
        QCOMPARE(QDir(program).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 helpFolderExists ? QStringList{QStringLiteral("help")} : QStringList{});
    }

    void aboutShowsTheBoxAndNothingElse()
    {
        InfoCommands commands(&m_owner, services(QStringLiteral("/opt/lb")), kWeb, kMail);

        commands.about();

        QCOMPARE(m_messages.size(), 1);
        const MessageRequest& box = m_messages.first();
        QCOMPARE(box.text, QStringLiteral("Lanvey 1.0"));
        QCOMPARE(box.title, QStringLiteral("关于..."));
        QCOMPARE(box.icon, QMessageBox::Information);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(m_messageOwners.first(), &m_owner);
        QVERIFY(m_helpCalls.isEmpty());
        QVERIFY(m_urlCalls.isEmpty());
    }

    void linksOpenTheirTargets_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("webCaption");
        QTest::addColumn<QString>("mailCaption");
        QTest::addColumn<QString>("target");

        const QString web = QStringLiteral("https://www.lanvey.example");
        const QString mail = QStringLiteral("support@lanvey.example");
        QTest::newRow("web label opens its caption") << QStringLiteral("web") << web << mail << web;
        QTest::newRow("mail label opens a new message")
            << QStringLiteral("mail") << web << mail
            << QStringLiteral("mailto:support@lanvey.example");
        QTest::newRow("web target follows the caption shown")
            << QStringLiteral("web") << QStringLiteral("http://other.example/path?q=1") << mail
            << QStringLiteral("http://other.example/path?q=1");
        QTest::newRow("mail target follows the caption shown")
            << QStringLiteral("mail") << web << QStringLiteral("help@other.example")
            << QStringLiteral("mailto:help@other.example");
    }

    void linksOpenTheirTargets()
    {
        QFETCH(QString, link);
        QFETCH(QString, webCaption);
        QFETCH(QString, mailCaption);
        QFETCH(QString, target);
        InfoCommands commands(&m_owner, services(QStringLiteral("/opt/lb")), webCaption,
                              mailCaption);

        if (link == QStringLiteral("web"))
            commands.openWebLink();
        else
            commands.openMailLink();

        QCOMPARE(m_urlCalls, (QList<Call>{{&m_owner, target}}));
        QVERIFY(m_helpCalls.isEmpty());
        QVERIFY(m_messages.isEmpty());
    }
};

} // namespace

LINKBENCH_TEST_MAIN(InfoCommandsTest)
#include "tst_InfoCommands.moc"
