#pragma once

#include <QString>

// Every text the simulator shows: its help, its option errors and the words of
// its exchange log. Help and errors are given in Chinese and in English, as the
// simulator also serves people who set up the test line without the tool.
namespace sim::texts {

// Why an instrument or the concentrator stays silent, or refuses a write.
inline const QString kMalformed = QStringLiteral("格式不符");
inline const QString kNotOnBus = QStringLiteral("地址不在总线上");
inline const QString kFaulty = QStringLiteral("仪表故障");
inline const QString kNoChannel = QStringLiteral("无此通道");
inline const QString kNoParameter = QStringLiteral("无此参数");
inline const QString kNoHbxFunction = QStringLiteral("HBX 无此功能");
inline const QString kWrongChecksum = QStringLiteral("校验和错误");
inline const QString kNotANumber = QStringLiteral("数值无效");
inline const QString kForcedNak = QStringLiteral("按 --nak 拒绝");
inline const QString kWritten = QStringLiteral("已写入");

// Exchange log: "14:03:05.120 收 <DC1>00101<ETX>  答 <STX>...<ETB>".
inline const QString kLogReceived = QStringLiteral("收 ");
inline const QString kLogAnswered = QStringLiteral("  答 ");
inline const QString kLogSilent = QStringLiteral("  不答：");
inline const QString kLogDropped = QStringLiteral("  应答丢弃（--drop）：");
inline const QString kLogLate = QStringLiteral("  迟答（--late）：");
inline const QString kLogBadCheck = QStringLiteral("  错校验答（--bad-check）：");
// The reply delay a --jitter draw gave this reply; %1 in milliseconds.
inline const QString kLogJitter = QStringLiteral("  (--jitter 延时 %1 ms)");
inline const QString kLogStarted =
    QStringLiteral("linkbench-sim：线路 %1，%2 bit/s，线时 %3，应答延时 %4 ms，种子 %5");
inline const QString kLogLineError = QStringLiteral("linkbench-sim：线路错误：%1");

// Option errors; %1 is the option, %2 its value.
inline const QString kUnknownOption =
    QStringLiteral("未知选项 %1（unknown option）；--help 列出全部选项（lists all options）");
inline const QString kMissingValue = QStringLiteral("选项 %1 缺少取值（needs a value）");
inline const QString kBadValue = QStringLiteral("选项 %1 的取值“%2”无效（invalid value）");
inline const QString kFaultyNotOnBus =
    QStringLiteral("--faulty 的地址须在 --bus 之内（faulty addresses must be on the bus）");
inline const QString kCannotOpen = QStringLiteral("无法打开线路 %1（cannot open the line）：%2");
inline const QString kNoPtyHere = QStringLiteral(
    "此系统没有伪终端，请用 --device COMn（no pseudo-terminals here, use --device COMn）");

inline const QString kHelp = QStringLiteral(
    "用法 Usage: linkbench-sim [选项 options]\n"
    "\n"
    "模拟 RS-485 总线上的仪表和 HBX 集中器，供 LinkBench 通讯测试。\n"
    "Plays a bus of instruments and an HBX concentrator for LinkBench.\n"
    "默认自建伪终端，第一行输出供工具打开的设备路径。\n"
    "By default it makes its own pseudo-terminal and prints, as the first line,\n"
    "the device path for the tool to open.\n"
    "\n"
    "选项 Options:\n"
    "  --device PATH        连接真实串口而不建伪终端\n"
    "                       attach to a real serial port instead of a pty\n"
    "  --settings TEXT      线路设置，默认 9600,n,8,2\n"
    "                       line settings as in the tool's list (default 9600,n,8,2)\n"
    "  --baud N             伪终端上计算线时的速率，默认取自 --settings\n"
    "                       speed for the wire time on a pty (default from --settings)\n"
    "  --wire-time on|off   伪终端上按每字符 11 位的线时发送，默认 on\n"
    "                       pace every character at 11 bits on a pty (default on)\n"
    "  --reply-delay MS     命令结束到应答开始的延时，默认 20\n"
    "                       delay from the command's end to the reply (default 20)\n"
    "  --chunks N           应答分 N 段发送，默认 1\n"
    "                       send each reply in N pieces (default 1)\n"
    "  --chunk-gap MS       分段之间的间隔，默认 20\n"
    "                       pause between the pieces (default 20)\n"
    "  --noise N            在应答前加 N 个杂散可打印字符，默认 0\n"
    "                       N stray printable characters before each reply (default 0)\n"
    "  --drop PERCENT       丢弃该比例的应答，默认 0\n"
    "                       drop that share of the replies (default 0)\n"
    "  --nak PERCENT        对该比例的正确写命令回 NAK，默认 0\n"
    "                       answer NAK to that share of correct writes (default 0)\n"
    "  --bad-check PERCENT  该比例的应答校验和错误，默认 0\n"
    "                       spoil the check field of that share of the replies (default 0)\n"
    "  --late PERCENT       该比例的应答迟发（在 --late-by 之后），默认 0\n"
    "                       send that share of the replies late (default 0)\n"
    "  --late-by MS         迟发应答在命令结束后多久开始，默认 3500\n"
    "                       when a late reply starts after the command (default 3500)\n"
    "  --jitter MS          应答延时在 0 到 MS 之间均匀变化，默认 0\n"
    "                       vary the reply delay uniformly by up to MS (default 0)\n"
    "  --seed N             随机种子，可重复运行；默认随机并写入日志\n"
    "                       seed for repeatable runs (default: random, logged)\n"
    "  --bus LIST           总线上的仪表地址，默认 001-011（例 001-005,009）\n"
    "                       instrument addresses on the bus (default 001-011)\n"
    "  --faulty LIST        挂接但故障（不应答）的仪表，默认无\n"
    "                       attached but faulty (silent) instruments (default none)\n"
    "  --hbx N              HBX 集中器地址，默认 05\n"
    "                       address of the HBX concentrator (default 05)\n"
    "  --quiet              不在标准错误输出记录每次通讯\n"
    "                       do not log each exchange on standard error\n"
    "  --help, -h           显示本帮助\n"
    "                       show this help\n");

} // namespace sim::texts
