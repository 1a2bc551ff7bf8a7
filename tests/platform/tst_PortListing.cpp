#include "TestMain.h"
#include "platform/PortListing.h"

#include <QTest>

namespace {

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

} // namespace

class tst_PortListing : public QObject
{
    Q_OBJECT
private slots:
    void listingNamesEveryPortAndEveryEntry();
};

void tst_PortListing::listingNamesEveryPortAndEveryEntry()
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
             QStringLiteral(
                 "找到的串口 Ports found:\n"
                 "  /dev/ttyS0\n"
                 "    状态 state:             空闲 free\n"
                 "  /dev/ttyUSB0\n"
                 "    固定名称 stable name:   "
                 "/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0\n"
                 "    说明 description:       FT232R USB UART\n"
                 "    制造商 maker:           FTDI\n"
                 "    厂商:产品 vendor:product: 0403:6001\n"
                 "    序列号 serial number:   A10K1234\n"
                 "    延迟 latency timer:      USB 延迟定时器 16 ms：转换器收到的字节最多滞留 "
                 "16 ms 才交给电脑，每个响应时间可能因此多出这么多。设为 1 ms：echo 1 | "
                 "sudo tee /sys/bus/usb-serial/devices/ttyUSB0/latency_timer"
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

LINKBENCH_TEST_APPLESS_MAIN(tst_PortListing)
#include "tst_PortListing.moc"
