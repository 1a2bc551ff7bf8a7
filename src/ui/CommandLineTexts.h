#pragma once

#include <QString>

// What the program prints on its command line, in Chinese and in English: it
// is also read by whoever sets up a machine, who may not read Chinese.
namespace cli_texts {

inline const QString Description =
    QStringLiteral("QL系列仪表 RS-485 通讯测试。不带选项时打开主窗口。\n"
                   "Tests the RS-485 link of QL-series instruments. Without options it "
                   "opens the main window.");
inline const QString ListPortsOption =
    QStringLiteral("列出找到的串口和 COM1–COM8 对应的设备，然后退出。\n"
                   "List the serial ports found and the devices of COM1 to COM8, then exit.");
inline const QString HelpOption = QStringLiteral("显示本帮助。\nShow this help.");
inline const QString VersionOption = QStringLiteral("显示版本。\nShow the version.");
// %1 is Qt's own description of what was wrong.
inline const QString BadArguments = QStringLiteral(
    "命令行有误（bad command line）：%1\n--help 列出全部选项（lists all options）。");
// %1 is the argument.
inline const QString UnexpectedArgument = QStringLiteral("多余的参数 unexpected argument: %1");

} // namespace cli_texts
