// A CSV left on for days: a new file at midnight and before a row that would
// pass the size limit, each file starting with the mark and the header, every
// row whole, in order, and none lost.

#include "CsvLog.h"
#include "TestMain.h"
#include "diagnosis/ExchangeCsv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_CsvRotation : public QObject
{
    Q_OBJECT

private slots:
    void rotatesAtMidnightAndAtTheLimit();
};

void tst_CsvRotation::rotatesAtMidnightAndAtTheLimit()
{
    QTemporaryDir dir;
    // A file of an earlier run where the first rotation would go is kept.
    QFile earlier(dir.filePath(QStringLiteral("run-2026-12-08-1.csv")));
    QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
    earlier.close();

    poll::CsvLog log;
    log.setMaxBytes(600);
    QString error;
    QVERIFY(log.open(dir.filePath(QStringLiteral("run.csv")), &error));
    const QDateTime evening(QDate(2026, 12, 7), QTime(23, 59, 58));
    for (int i = 0; i < 30; ++i) {
        diagnosis::ExchangeRecord r;
        r.sentAt = evening.addMSecs(i * 100);
        r.value = i;
        QVERIFY2(log.write(r, &error), qPrintable(error));
    }
    log.close();

    const QStringList files = QDir(dir.path()).entryList({"*.csv"}, QDir::Files, QDir::Name);
    QCOMPARE(files.first(), QStringLiteral("run-2026-12-07-1.csv"));
    QVERIFY(files.contains(QStringLiteral("run.csv")));
    QVERIFY(files.contains(QStringLiteral("run-2026-12-08-2.csv")));
    QCOMPARE(QFile(earlier.fileName()).size(), 7);

    // Written order: run.csv, the rest of 12-07, then 12-08 from -2 on.
    QStringList ordered{QStringLiteral("run.csv")};
    for (const QString& file : files) {
        if (file != u"run.csv" && file != u"run-2026-12-08-1.csv")
            ordered << file;
    }
    int next = 0;
    const QByteArray start = diagnosis::exchangeCsvStart();
    for (const QString& name : ordered) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY2(bytes.startsWith(start) && bytes.size() > start.size(), qPrintable(name));
        QVERIFY2(bytes.size() <= 600, qPrintable(name));
        QVERIFY(bytes.endsWith("\r\n"));
        const bool morning = name.contains(u"12-08");
        for (const QByteArray& line : bytes.sliced(start.size()).split('\n')) {
            if (line.isEmpty())
                continue;
            QVERIFY2(line.startsWith(morning ? "2026-12-08" : "2026-12-07"), line.constData());
            QCOMPARE(line.sliced(line.lastIndexOf(',') + 1).trimmed(), QByteArray::number(next));
            ++next;
        }
    }
    QCOMPARE(next, 30);
}

LINKBENCH_TEST_APPLESS_MAIN(tst_CsvRotation)
#include "tst_CsvRotation.moc"
