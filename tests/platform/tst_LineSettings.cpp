#include "TestMain.h"
#include "platform/LineSettings.h"

#include <QTest>

class tst_LineSettings : public QObject
{
    Q_OBJECT
private slots:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
};

void tst_LineSettings::accepted_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("baudRate");
    QTest::addColumn<QSerialPort::Parity>("parity");
    QTest::addColumn<QSerialPort::DataBits>("dataBits");
    QTest::addColumn<QSerialPort::StopBits>("stopBits");

    QTest::newRow("slowest listed speed") << "1200,n,8,2" << 1200 << QSerialPort::NoParity
                                          << QSerialPort::Data8 << QSerialPort::TwoStop;
    QTest::newRow("default settings") << "9600,n,8,2" << 9600 << QSerialPort::NoParity
                                      << QSerialPort::Data8 << QSerialPort::TwoStop;
    QTest::newRow("56000 is not 57600") << "56000,n,8,2" << 56000 << QSerialPort::NoParity
                                        << QSerialPort::Data8 << QSerialPort::TwoStop;
    QTest::newRow("even parity, seven bits, one stop")
        << "4800,e,7,1" << 4800 << QSerialPort::EvenParity << QSerialPort::Data7
        << QSerialPort::OneStop;
    QTest::newRow("odd parity, five bits, one and a half stop")
        << "110,o,5,1.5" << 110 << QSerialPort::OddParity << QSerialPort::Data5
        << QSerialPort::OneAndHalfStop;
    QTest::newRow("mark parity, six bits") << "115200,m,6,2" << 115200 << QSerialPort::MarkParity
                                           << QSerialPort::Data6 << QSerialPort::TwoStop;
    QTest::newRow("space parity") << "300,s,8,1" << 300 << QSerialPort::SpaceParity
                                  << QSerialPort::Data8 << QSerialPort::OneStop;
    QTest::newRow("capital parity letter") << "9600,N,8,2" << 9600 << QSerialPort::NoParity
                                           << QSerialPort::Data8 << QSerialPort::TwoStop;
    QTest::newRow("blanks around items")
        << " 19200 , e , 8 , 1 " << 19200 << QSerialPort::EvenParity << QSerialPort::Data8
        << QSerialPort::OneStop;
}

void tst_LineSettings::accepted()
{
    QFETCH(QString, text);
    QFETCH(int, baudRate);
    QFETCH(QSerialPort::Parity, parity);
    QFETCH(QSerialPort::DataBits, dataBits);
    QFETCH(QSerialPort::StopBits, stopBits);

    QString reason = QStringLiteral("untouched");
    const std::optional<LineSettings> settings = parseLineSettings(text, &reason);
    QVERIFY(settings.has_value());
    QCOMPARE(settings->baudRate, baudRate);
    QCOMPARE(settings->parity, parity);
    QCOMPARE(settings->dataBits, dataBits);
    QCOMPARE(settings->stopBits, stopBits);
    QCOMPARE(reason, QStringLiteral("untouched"));
}

void tst_LineSettings::refused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");

    const auto layout = [](const char* text) {
        return kSettingsLayoutRefused.arg(QLatin1String(text));
    };
    const auto speed = [](const char* text) {
        return kSettingsSpeedRefused.arg(QLatin1String(text));
    };

    QTest::newRow("empty text") << "" << layout("");
    QTest::newRow("speed alone") << "9600" << layout("9600");
    QTest::newRow("three items") << "9600,n,8" << layout("9600,n,8");
    QTest::newRow("five items") << "9600,n,8,2,1" << layout("9600,n,8,2,1");
    QTest::newRow("semicolons") << "9600;n;8;2" << layout("9600;n;8;2");
    QTest::newRow("speed not a number") << "abc,n,8,2" << speed("abc,n,8,2");
    QTest::newRow("speed missing") << ",n,8,2" << speed(",n,8,2");
    QTest::newRow("negative speed") << "-9600,n,8,2" << speed("-9600,n,8,2");
    QTest::newRow("signed speed") << "+9600,n,8,2" << speed("+9600,n,8,2");
    QTest::newRow("zero speed") << "0,n,8,2" << speed("0,n,8,2");
    QTest::newRow("fractional speed") << "9600.5,n,8,2" << speed("9600.5,n,8,2");
    QTest::newRow("speed beyond 32 bits") << "99999999999,n,8,2" << speed("99999999999,n,8,2");
    QTest::newRow("blank inside speed") << "96 00,n,8,2" << speed("96 00,n,8,2");
    QTest::newRow("unknown parity letter")
        << "9600,x,8,2" << kSettingsParityRefused.arg(QStringLiteral("9600,x,8,2"));
    QTest::newRow("parity spelt out")
        << "9600,none,8,2" << kSettingsParityRefused.arg(QStringLiteral("9600,none,8,2"));
    QTest::newRow("nine data bits")
        << "9600,n,9,2" << kSettingsDataBitsRefused.arg(QStringLiteral("9600,n,9,2"));
    QTest::newRow("four data bits")
        << "9600,n,4,2" << kSettingsDataBitsRefused.arg(QStringLiteral("9600,n,4,2"));
    QTest::newRow("three stop bits")
        << "9600,n,8,3" << kSettingsStopBitsRefused.arg(QStringLiteral("9600,n,8,3"));
    QTest::newRow("stop bits 1.6")
        << "9600,n,8,1.6" << kSettingsStopBitsRefused.arg(QStringLiteral("9600,n,8,1.6"));
    QTest::newRow("stop bits missing")
        << "9600,n,8," << kSettingsStopBitsRefused.arg(QStringLiteral("9600,n,8,"));
}

void tst_LineSettings::refused()
{
    QFETCH(QString, text);
    QFETCH(QString, reason);

    QString got;
    QVERIFY(!parseLineSettings(text, &got).has_value());
    QCOMPARE(got, reason);
    QVERIFY(!parseLineSettings(text).has_value()); // no reason asked for: no crash
}

LINKBENCH_TEST_GUILESS_MAIN(tst_LineSettings)
#include "tst_LineSettings.moc"
