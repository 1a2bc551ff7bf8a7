// The real save dialog, driven like an operator would from a polling timer:
// where it starts, what it proposes, and what it hands back.
#include "TestMain.h"
#include "widgets/SaveFileDialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

struct Seen
{
    QString directory;
    QStringList nameFilters;
    QString selectedNameFilter;
    QString typedName;
    bool saveMode = false;
    QWidget* parent = nullptr;
    bool confirmationAsked = false;
};

class DesktopSaveDialogTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QWidget m_owner;

    // Answers the dialog as `action` says ("accept", "cancel", or a name to
    // type and accept), and a replace question with Yes.
    QString runDialog(const SaveDialogRequest& request, const QString& action, Seen& seen)
    {
        bool answered = false;
        int ticks = 0;
        QTimer poll;
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, this, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (++ticks > 500) { // 10 s without the expected dialog: never hang
                if (auto* dialog = qobject_cast<QDialog*>(modal))
                    dialog->reject();
                return;
            }
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                seen.confirmationAsked = true;
                box->button(QMessageBox::Yes)->click();
                return;
            }
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            if (!dialog || answered)
                return;
            answered = true;
            seen.directory = dialog->directory().absolutePath();
            seen.nameFilters = dialog->nameFilters();
            seen.selectedNameFilter = dialog->selectedNameFilter();
            seen.saveMode = dialog->acceptMode() == QFileDialog::AcceptSave;
            seen.parent = dialog->parentWidget();
            auto* nameEdit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            seen.typedName = nameEdit ? nameEdit->text() : QString();
            if (action == QStringLiteral("cancel")) {
                dialog->reject();
                return;
            }
            if (action != QStringLiteral("accept") && nameEdit)
                nameEdit->setText(action);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        poll.start();
        const QString chosen = realSaveDialog()(&m_owner, request);
        poll.stop();
        return chosen;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        QVERIFY(QDir().mkpath(m_root.filePath(QStringLiteral("program/file"))));
    }

    void dialogProposesAndReturnsTheChoice_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("existingFile");
        QTest::addColumn<QString>("chosenName"); // empty: cancelled
        QTest::addColumn<bool>("confirmationAsked");

        QTest::newRow("proposal kept")
            << QStringLiteral("accept") << QString() << QStringLiteral("LV-2260028.txt") << false;
        QTest::newRow("other name typed")
            << QStringLiteral("mine.txt") << QString() << QStringLiteral("mine.txt") << false;
        QTest::newRow("cancelled") << QStringLiteral("cancel") << QString() << QString() << false;
        QTest::newRow("replacing an earlier save asks first")
            << QStringLiteral("accept") << QStringLiteral("LV-2260028.txt")
            << QStringLiteral("LV-2260028.txt") << true;
    }

    void dialogProposesAndReturnsTheChoice()
    {
        QFETCH(QString, action);
        QFETCH(QString, existingFile);
        QFETCH(QString, chosenName);
        QFETCH(bool, confirmationAsked);

        const QString folder = m_root.filePath(QStringLiteral("program/file"));
        for (const QString& name : QDir(folder).entryList(QDir::Files))
            QFile::remove(folder + QLatin1Char('/') + name);
        if (!existingFile.isEmpty()) {
            QFile file(folder + QLatin1Char('/') + existingFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QStringList filters{QStringLiteral("文本文件(*.txt)"),
                                  QStringLiteral("所有文件 (*.*)")};
        Seen seen;

        const QString chosen =
            runDialog({folder, QStringLiteral("LV-2260028.txt"), filters}, action, seen);

        QCOMPARE(seen.directory, folder);
        QCOMPARE(seen.typedName, QStringLiteral("LV-2260028.txt"));
        QCOMPARE(seen.nameFilters, filters);
        QCOMPARE(seen.selectedNameFilter, filters.first());
        QVERIFY(seen.saveMode);
        QCOMPARE(seen.parent, &m_owner);
        QCOMPARE(seen.confirmationAsked, confirmationAsked);
        QCOMPARE(chosen, chosenName.isEmpty() ? QString() : folder + QLatin1Char('/') + chosenName);
        // The dialog only chooses; it writes nothing itself.
        QCOMPARE(QDir(folder).entryList(QDir::Files),
                 existingFile.isEmpty() ? QStringList{} : QStringList{existingFile});
    }
};

} // namespace

LINKBENCH_TEST_MAIN(DesktopSaveDialogTest)
#include "tst_DesktopSaveDialog.moc"
