#include "TestMain.h"
#include "platform/PortListing.h"
#include "ui/CommandLine.h"
#include "ui/CommandLineTexts.h"

#include <QProcess>
#include <QTest>

Q_DECLARE_METATYPE(CommandLineRequest::Action)

namespace {

using Action = CommandLineRequest::Action;

FoundPort adapter()
{
    FoundPort port;
    port.portName = QStringLiteral("ttyUSB0");
    port.systemLocation = QStringLiteral("/dev/ttyUSB0");
    port.stableName = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0");
    port.description = QStringLiteral("FT232R USB UART");
    port.manufacturer = QStringLiteral("FTDI");
    port.serialNumber = QStringLiteral("A10K1234");
    port.vendorId = 0x0403;
    port.productId = 0x6001;
    port.busy = true;
    port.latencyMs = 16;
    return port;
}

struct ProgramRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// The built program with `arguments`, on a display platform that does not
// exist: a run that tried to open the window would abort instead of exiting.
ProgramRun runProgram(const QStringList& arguments)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("linkbench-no-display"));
    environment.insert(QStringLiteral("LINKBENCH_COM3"), QStringLiteral("/dev/pts/77"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(LINKBENCH_BINARY_DIR "/linkbench"), arguments);
    ProgramRun run;
    if (!program.waitForFinished(10000) || program.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = program.exitCode();
    run.out = QString::fromLocal8Bit(program.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(program.readAllStandardError());
    return run;
}

} // namespace

class tst_CommandLine : public QObject
{
    Q_OBJECT
private slots:
    void readCommandLine_data();
    void readCommandLine();
    void listingNamesEveryPortAndEveryEntry();
    void program_data();
    void program();
};

void tst_CommandLine::readCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("message"); // for a refused command line

    QTest::newRow("nothing: the window") << QStringList{} << Action::OpenWindow << "";
    // Each option's own effect is checked on the program itself (program()).
    QTest::newRow("Qt's window options pass")
        << QStringList{"-platform", "offscreen", "-reverse"} << Action::OpenWindow << "";
    QTest::newRow("an unknown option after a known one")
        << QStringList{"--list-ports", "-x"} << Action::Refuse
        << "命令行有误（bad command line）：Unknown option 'x'.\n--help 列出全部选项（lists all "
           "options）。";
    QTest::newRow("an argument that is no option")
        << QStringList{"COM1"} << Action::Refuse
        << "命令行有误（bad command line）：多余的参数 unexpected argument: COM1\n--help "
           "列出全部选项（lists all options）。";
}

void tst_CommandLine::readCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(Action, action);
    QFETCH(QString, message);

    const CommandLineRequest request =
        ::readCommandLine(QStringList{QStringLiteral("linkbench")} + arguments);
    QCOMPARE(request.action, action);
    if (action == Action::Refuse)
        QCOMPARE(request.text, message);
}

void tst_CommandLine::listingNamesEveryPortAndEveryEntry()
{
    FoundPort uart;
    uart.portName = QStringLiteral("ttyS0");
    uart.systemLocation = QStringLiteral("/dev/ttyS0");
    PortMappingInput input;
    input.naming = PortNaming::Devices;
    input.found = {uart, adapter()};
    input.choices = {{2, adapter().stableName}};
    input.environment = [](int n) { return n == 4 ? QStringLiteral("/dev/pts/3") : QString(); };

    QCOMPARE(portListingText(input),
             QStringLiteral("找到的串口 Ports found:\n"
                            "  /dev/ttyS0\n"
                            "    状态 state:             空闲 free\n"
                            "  /dev/ttyUSB0\n"
                            "    固定名称 stable name:   "
                            "/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0\n"
                            "    说明 description:       FT232R USB UART\n"
                            "    制造商 maker:           FTDI\n"
                            "    厂商:产品 vendor:product: 0403:6001\n"
                            "    序列号 serial number:   A10K1234\n"
                            "    延迟 latency timer:      USB 延迟定时器 16 ms："
                            "转换器收到的字节最多滞留 16 ms 才交给电脑，"
                            "每个响应时间可能因此多出这么多。设为 1 ms：echo 1 | sudo tee "
                            "/sys/bus/usb-serial/devices/ttyUSB0/latency_timer"
                            "（拔插转换器后需重设）\n"
                            "    状态 state:             占用 busy\n"
                            "COM1–COM8:\n"
                            "  COM1 → /dev/ttyS0  [自动找到 found]\n"
                            "  COM2 → /dev/ttyUSB0  [已选择 chosen]\n"
                            "  COM3 → /dev/ttyS2  [默认 default]\n"
                            "  COM4 → /dev/pts/3  [环境变量 environment LINKBENCH_COM4]\n"
                            "  COM5 → /dev/ttyS4  [默认 default]\n"
                            "  COM6 → /dev/ttyS5  [默认 default]\n"
                            "  COM7 → /dev/ttyS6  [默认 default]\n"
                            "  COM8 → /dev/ttyS7  [默认 default]\n"));

    QCOMPARE(portListingText({}).section(u'\n', 0, 1),
             QStringLiteral("找到的串口 Ports found:\n  （无 none）"));
}

void tst_CommandLine::program_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("outLine"); // a whole line of standard output
    QTest::addColumn<QString>("err");     // all of standard error

    QTest::newRow("list ports") << QStringList{"--list-ports"} << 0
                                << "  COM3 → /dev/pts/77  [环境变量 environment LINKBENCH_COM3]"
                                << "";
    QTest::newRow("help, Chinese") << QStringList{"--help"} << 0
                                   << "  --list-ports   列出找到的串口和 COM1–COM8 "
                                      "对应的设备，然后退出。"
                                   << "";
    QTest::newRow("help, English") << QStringList{"-h"} << 0
                                   << "                 List the serial ports found and the "
                                      "devices of COM1 to COM8,"
                                   << "";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "linkbench 1.0"
                             << "";
    QTest::newRow("unknown option")
        << QStringList{"--bogus"} << 2 << ""
        << "命令行有误（bad command line）：Unknown option 'bogus'.\n--help 列出全部选项（lists "
           "all options）。\n";
}

void tst_CommandLine::program()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, outLine);
    QFETCH(QString, err);

    const ProgramRun run = runProgram(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.err, err);
    if (outLine.isEmpty())
        QCOMPARE(run.out, QString());
    else
        QVERIFY2(run.out.split(u'\n').contains(outLine), qPrintable(run.out));
}

LINKBENCH_TEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_CommandLine.moc"
