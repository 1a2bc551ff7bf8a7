#pragma once

#include <QString>

// What the program says about serial ports: why one cannot be opened, where an
// entry's device came from, and the port list's own words.
namespace port_texts {

// Why a port cannot be opened. Each follows "device: ".
// %1 is the device's group, %2 the user's login name.
inline const QString PermissionRefused =
    QStringLiteral("没有使用该设备的权限。设备属于用户组“%1”，请运行"
                   " sudo usermod -aG %1 %2 加入该组，然后注销并重新登录。");
// %1 is the process number, %2 the program's name.
inline const QString BusyWithHolder =
    QStringLiteral("设备正被另一个程序占用（进程 %1，%2），请先关闭该程序。");
inline const QString Busy = QStringLiteral("设备正被另一个程序占用，请先关闭该程序。");
// %1 lists the ports found now.
inline const QString MissingWithPorts =
    QStringLiteral("设备不存在（转换器是否已拔出？）。现在找到的串口：%1");
inline const QString MissingNoPorts =
    QStringLiteral("设备不存在（转换器是否已拔出？）。现在找不到任何串口。");
inline const QString FoundPortSeparator = QStringLiteral("、");
// %1 names the setting, %2 its value.
inline const QString SettingRefused = QStringLiteral("串口不接受%1 %2。");
inline const QString SettingSpeed = QStringLiteral("速率");
inline const QString SettingParity = QStringLiteral("校验位");
inline const QString SettingDataBits = QStringLiteral("数据位");
inline const QString SettingStopBits = QStringLiteral("停止位");

// The box, the monitor's warning and linkbench-poll's refusal when a port
// cannot be opened: %1 the port ("COM1" or a device path), %2 the reason.
inline const QString CannotOpen = QStringLiteral("无法打开串口%1\n%2");

// Where the device of an entry came from; the command line adds the English word.
inline const QString SourceEnvironment = QStringLiteral("环境变量");
inline const QString SourceChosen = QStringLiteral("已选择");
inline const QString SourceFound = QStringLiteral("自动找到");
inline const QString SourceDefault = QStringLiteral("默认");
inline const QString SourceEnvironmentEnglish = QStringLiteral("environment");
inline const QString SourceChosenEnglish = QStringLiteral("chosen");
inline const QString SourceFoundEnglish = QStringLiteral("found");
inline const QString SourceDefaultEnglish = QStringLiteral("default");

// The port list: "COM1 → /dev/ttyUSB0 (FT232R USB UART, FTDI, 0403:6001)".
inline const QString EntryArrow = QStringLiteral(" → ");
inline const QString SourceLine = QStringLiteral("来源：%1");
inline const QString StableNameLine = QStringLiteral("固定名称：%1");
inline const QString Lost = QStringLiteral("已断开");

// An FTDI-type adapter's latency timer, on the port tooltip, in --list-ports,
// the poll summary and the monitor's report: "USB 延迟定时器 16 ms：...".
inline const QString LatencyTimer = QStringLiteral("USB 延迟定时器 %1 ms");
// %1 is the timer in ms; the way to set it follows.
inline const QString LatencyLonger =
    QStringLiteral("：转换器收到的字节最多滞留 %1 ms 才交给电脑，每个响应时间可能因此多出这么多。");
// %1 is the port's folder in sysfs, /sys/bus/usb-serial/devices/ttyUSB0.
inline const QString LatencyAdviceLinux =
    QStringLiteral("设为 1 ms：echo 1 | sudo tee %1/latency_timer（拔插转换器后需重设）");
// %1 is the port, "COM3".
inline const QString LatencyAdviceWindows =
    QStringLiteral("设为 1 ms：设备管理器 → 端口 (COM 和 LPT) → %1 → 属性 → 端口设置 → 高级 → "
                   "延迟计时器(毫秒) 选 1，确定后重新打开串口");
inline const QString MenuAutomatic = QStringLiteral("自动");
inline const QString MenuOther = QStringLiteral("其他设备…");
inline const QString MenuNoPorts = QStringLiteral("（没有找到串口）");
inline const QString OtherDeviceTitle = QStringLiteral("其他设备");
// %1 is the entry, "COM1".
inline const QString OtherDevicePrompt = QStringLiteral("%1 使用的设备路径：");

} // namespace port_texts
