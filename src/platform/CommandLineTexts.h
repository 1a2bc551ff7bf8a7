#pragma once

#include <QString>

// What every program's command line says alike.
namespace commandline_texts {

// %1 is the option as typed.
inline const QString UnknownOption =
    QStringLiteral("未知选项 %1（unknown option）；--help 列出全部选项（lists all options）");

// What --list-ports prints, in Chinese and in English: it is also read by
// whoever sets up a machine, who may not read Chinese.
inline const QString PortsFound = QStringLiteral("找到的串口 Ports found:");
inline const QString NoPortsFound = QStringLiteral("  （无 none）");
inline const QString StableName = QStringLiteral("    固定名称 stable name:   %1");
inline const QString Description = QStringLiteral("    说明 description:       %1");
inline const QString Maker = QStringLiteral("    制造商 maker:           %1");
inline const QString UsbIds = QStringLiteral("    厂商:产品 vendor:product: %1");
inline const QString SerialNumber = QStringLiteral("    序列号 serial number:   %1");
inline const QString Free = QStringLiteral("    状态 state:             空闲 free");
inline const QString Busy = QStringLiteral("    状态 state:             占用 busy");
inline const QString Mapping = QStringLiteral("COM1–COM8:");
// "  COM1 → /dev/ttyUSB0  [自动找到 found]"
inline const QString MappingLine = QStringLiteral("  COM%1 → %2  [%3]");

// %1 is the latency timer and how to set it (LatencyTimer.h).
inline const QString Latency = QStringLiteral("    延迟 latency timer:      %1");

} // namespace commandline_texts
