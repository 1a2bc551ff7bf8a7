// The command line of backup, compare and restore: what a good one sets, and
// which option each kind of bad one names.

#include "ParameterOptions.h"
#include "TestMain.h"

#include <QTest>

using namespace poll;

class tst_ParameterOptions : public QObject
{
    Q_OBJECT

private slots:
    void taken();
    void refused_data();
    void refused();
};

void tst_ParameterOptions::taken()
{
    ParsedParameters backup = parseParameterOptions(
        {"backup", "--address", "7", "--params", "12,31-33", "-o", "a.toml", "--retries", "0"});
    QCOMPARE(backup.error, QString());
    QCOMPARE(backup.options.codes, QStringList({"12", "31", "32", "33"}));
    QCOMPARE(backup.options.plan.address, 7);
    QCOMPARE(backup.options.plan.retries, 0);
    QCOMPARE(backup.options.file, QStringLiteral("a.toml"));

    ParsedParameters restore = parseParameterOptions(
        {"restore", "a.toml", "--address", "2", "--include", "27,30", "--dry-run"});
    QCOMPARE(restore.error, QString());
    QCOMPARE(restore.options.command, ParameterCommand::Restore);
    QCOMPARE(restore.options.include, QStringList({"27", "30"}));
    QVERIFY(restore.options.dryRun);
    QVERIFY(!restore.options.channelGiven);
}

void tst_ParameterOptions::refused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named"); // what the message must name

    QTest::newRow("no address") << QStringList{"compare", "a.toml"} << "--address";
    QTest::newRow("two addresses") << QStringList{"compare", "a.toml", "--address", "1-2"} << "1-2";
    QTest::newRow("backup without a file") << QStringList{"backup", "--address", "1"} << "-o";
    QTest::newRow("restore without a file")
        << QStringList{"restore", "--address", "1"} << "restore";
    QTest::newRow("the address included")
        << QStringList{"restore", "a.toml", "--address", "1", "--include", "28"} << "28";
    QTest::newRow("an HBX code") << QStringList{"backup", "--address", "1",     "--params",
                                                "73",     "-o",        "a.toml"}
                                 << "73";
    QTest::newRow("include on a backup")
        << QStringList{"backup", "--address", "1", "-o", "a", "--include", "30"} << "--include";
    QTest::newRow("params and all")
        << QStringList{"backup", "--address", "1", "-o", "a", "--params", "12", "--all"} << "--all";
}

void tst_ParameterOptions::refused()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);
    const QString error = parseParameterOptions(arguments).error;
    QVERIFY2(error.contains(named), qPrintable(error));
}

LINKBENCH_TEST_APPLESS_MAIN(tst_ParameterOptions)
#include "tst_ParameterOptions.moc"
