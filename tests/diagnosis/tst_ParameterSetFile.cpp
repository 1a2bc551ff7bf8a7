// Parameter-set files: the exact text written, a file read back as written,
// values that write back as the instrument's own digits, and every kind of
// bad file refused with its line and reason.

#include "TestMain.h"
#include "diagnosis/ParameterSetFile.h"
#include "diagnosis/ParameterSetTexts.h"

#include <QTemporaryDir>
#include <QTest>

using namespace diagnosis;

namespace {

ParameterSet sampleSet()
{
    ParameterSet set;
    set.header = {QStringLiteral("LinkBench 1.0"),
                  QDateTime(QDate(2026, 12, 8), QTime(6, 30)),
                  QStringLiteral("COM1"),
                  QStringLiteral("9600,n,8,2"),
                  7,
                  QStringLiteral("01"),
                  QStringLiteral("1号炉 \"出口\"")};
    set.entries << ParameterEntry{QStringLiteral("12"), QStringLiteral("12:量程零点"),
                                  QStringLiteral("<STX>00701<US>12<US>-012.5000643<ETB>"),
                                  QStringLiteral("-012.50"), 0};
    return set;
}

} // namespace

class tst_ParameterSetFile : public QObject
{
    Q_OBJECT

private slots:
    void writtenText();
    void savedAndLoaded();
    void digitsWriteBack_data();
    void digitsWriteBack();
    void refused_data();
    void refused();
};

void tst_ParameterSetFile::writtenText()
{
    QCOMPARE(QString::fromUtf8(parameterSetText(sampleSet())),
             QStringLiteral("# LinkBench 参数集（parameter set）\n"
                            "[header]\n"
                            "address = 7\n"
                            "channel = \"01\"\n"
                            "name = \"1号炉 \\\"出口\\\"\"\n"
                            "port = \"COM1\"\n"
                            "saved = \"2026-12-08 06:30:00\"\n"
                            "settings = \"9600,n,8,2\"\n"
                            "tool = \"LinkBench 1.0\"\n"
                            "\n"
                            "[[parameter]]\n"
                            "code = \"12\"\n"
                            "reply = \"<STX>00701<US>12<US>-012.5000643<ETB>\"\n"
                            "text = \"12:量程零点\"\n"
                            "value = \"-012.50\"\n"));
}

void tst_ParameterSetFile::savedAndLoaded()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("set.toml"));
    QString error;
    QVERIFY(saveParameterSet(path, sampleSet(), &error));
    TomlProblem problem;
    const std::optional<ParameterSet> set = loadParameterSet(path, &problem);
    QVERIFY2(set, qPrintable(problem.reason));
    QCOMPARE(set->header.name, sampleSet().header.name);
    QCOMPARE(set->header.savedAt, sampleSet().header.savedAt);
    QCOMPARE(set->header.address, 7);
    QCOMPARE(set->entries.size(), 1);
    QCOMPARE(set->entries[0].reply, sampleSet().entries[0].reply);
    QCOMPARE(set->entries[0].line, 11);
    // A folder that is not there: nothing written, and the reason given.
    QVERIFY(!saveParameterSet(dir.filePath(QStringLiteral("no/set.toml")), sampleSet(), &error));
    QVERIFY(!error.isEmpty());
}

void tst_ParameterSetFile::digitsWriteBack_data()
{
    QTest::addColumn<QString>("instrument");
    for (const char* value :
         {"00003", "0000.5", "1000.0", "-012.50", "0.1250", "12345.6", "7.", "3.14159", "+0011.0"})
        QTest::newRow(value) << QString::fromLatin1(value);
}

void tst_ParameterSetFile::digitsWriteBack()
{
    QFETCH(QString, instrument);
    // What a restore writes for a backed-up value is what the instrument keeps
    // and sends back, so that the next restore finds nothing to do.
    const QByteArray written = writeField(instrument);
    QVERIFY(sameValue(instrument, written));
    QCOMPARE(writeField(QString::fromLatin1(written)), written);
    QVERIFY(!sameValue(instrument, "00009"));
}

void tst_ParameterSetFile::refused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("reason");

    const QString header = QStringLiteral("[header]\naddress = 1\nchannel = \"01\"\n");
    const QString entry = QStringLiteral("[[parameter]]\ncode = \"12\"\nvalue = \"0000.0\"\n");
    QTest::newRow("not TOML") << header + QStringLiteral("[[parameter]]\ncode = 12 13\n") << 5
                              << QString();
    QTest::newRow("no header") << entry << 0 << paramset_texts::NoHeader;
    QTest::newRow("address out of range")
        << QStringLiteral("[header]\naddress = 256\nchannel = \"01\"\n") + entry << 2
        << paramset_texts::BadAddress;
    QTest::newRow("channel not in the list")
        << QStringLiteral("[header]\naddress = 1\nchannel = \"65\"\n") + entry << 3
        << paramset_texts::BadChannel;
    QTest::newRow("no parameters") << header << 0 << paramset_texts::NoParameters;
    QTest::newRow("HBX code") << header +
                                     QStringLiteral("[[parameter]]\ncode = \"73\"\nvalue = \"1\"\n")
                              << 5 << paramset_texts::BadCode.arg(QStringLiteral("73"));
    QTest::newRow("code given twice")
        << header + entry + entry << 8
        << paramset_texts::RepeatedCode.arg(QStringLiteral("12")).arg(5);
    QTest::newRow("value not a number")
        << header + QStringLiteral("[[parameter]]\ncode = \"12\"\nvalue = \"1,5\"\n") << 6
        << paramset_texts::BadValue.arg(QStringLiteral("12"), QStringLiteral("1,5"));
    QTest::newRow("value as a number")
        << header + QStringLiteral("[[parameter]]\ncode = \"12\"\nvalue = 1.5\n") << 6
        << paramset_texts::NotText.arg(QStringLiteral("value"));
}

void tst_ParameterSetFile::refused()
{
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(QString, reason);
    TomlProblem problem;
    QVERIFY(!parseParameterSet(text.toUtf8(), &problem));
    QCOMPARE(problem.line, line);
    if (!reason.isEmpty())
        QCOMPARE(problem.reason, reason);
    QVERIFY(!problem.reason.isEmpty());
}

LINKBENCH_TEST_APPLESS_MAIN(tst_ParameterSetFile)
#include "tst_ParameterSetFile.moc"
