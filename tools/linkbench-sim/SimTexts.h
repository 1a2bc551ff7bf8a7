#pragma once

#include <QString>

// Every text the simulator shows but those of its options and faults, which
// their rows hold (SimOptions.cpp, FaultTable.cpp): the help's head, option
// errors and the words of its exchange log. Help and errors are given in Chinese and in English, as
// the simulator also serves people who set up the test line without the tool.
namespace sim_texts {

// Why an instrument or the concentrator stays silent, or refuses a write.
inline const QString Malformed = QStringLiteral("格式不符");
inline const QString NotOnBus = QStringLiteral("地址不在总线上");
inline const QString Faulty = QStringLiteral("仪表故障");
inline const QString NoChannel = QStringLiteral("无此通道");
inline const QString NoParameter = QStringLiteral("无此参数");
inline const QString NoHbxFunction = QStringLiteral("HBX 无此功能");
inline const QString WrongChecksum = QStringLiteral("校验和错误");
inline const QString NotANumber = QStringLiteral("数值无效");
inline const QString ForcedNak = QStringLiteral("按 --nak 拒绝");
inline const QString Written = QStringLiteral("已写入");
inline const QString RefusedWrite = QStringLiteral("按 --refuse-writes 拒绝");

// Exchange log: "14:03:05.120 收 <DC1>00101<ETX>  答 <STX>...<ETB>"; a fault on
// purpose puts its own label in place of "  答 ".
inline const QString LogReceived = QStringLiteral("收 ");
inline const QString LogAnswered = QStringLiteral("  答 ");
inline const QString LogSilent = QStringLiteral("  不答：");
// The reply delay a --jitter draw gave this reply; %1 in milliseconds.
inline const QString LogJitter = QStringLiteral("  (--jitter 延时 %1 ms)");
inline const QString LogStarted =
    QStringLiteral("linkbench-sim：线路 %1，%2 bit/s，线时 %3，应答延时 %4 ms，种子 %5");
inline const QString LogTapWritten =
    QStringLiteral("linkbench-sim：监听端写入了 %1 个字节，已丢弃（the tap's reader wrote）");
// A parameter set an instrument starts with: the file, address, channel, count.
inline const QString LogPreset =
    QStringLiteral("linkbench-sim：仪表 %2/%3 以参数集 %1 的 %4 个参数开始");
inline const QString LogRefusing =
    QStringLiteral("linkbench-sim：拒绝写参数 %1（--refuse-writes）");
inline const QString LogLineError = QStringLiteral("linkbench-sim：线路错误：%1");

// Option errors; %1 is the option, %2 its value.
inline const QString MissingValue = QStringLiteral("选项 %1 缺少取值（needs a value）");
inline const QString BadValue = QStringLiteral("选项 %1 的取值“%2”无效（invalid value）");
inline const QString FaultyNotOnBus =
    QStringLiteral("--faulty 的地址须在 --bus 之内（faulty addresses must be on the bus）");
inline const QString CannotOpen = QStringLiteral("无法打开线路 %1（cannot open the line）：%2");
inline const QString NoPtyHere = QStringLiteral(
    "此系统没有伪终端，请用 --device COMn（no pseudo-terminals here, use --device COMn）");

// The help's head; each option's line follows from its row.
inline const QString HelpIntro =
    QStringLiteral("用法 Usage: linkbench-sim [选项 options]\n"
                   "\n"
                   "模拟 RS-485 总线上的仪表和 HBX 集中器，供 LinkBench 通讯测试。\n"
                   "Plays a bus of instruments and an HBX concentrator for LinkBench.\n"
                   "默认自建伪终端，第一行输出供工具打开的设备路径。\n"
                   "By default it makes its own pseudo-terminal and prints, as the first line,\n"
                   "the device path for the tool to open.\n"
                   "\n"
                   "选项 Options:\n");

} // namespace sim_texts
