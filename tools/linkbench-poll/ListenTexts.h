#pragma once

#include <QString>

// The texts of `linkbench-poll listen` and of the alarm of long runs (both
// modes), in Chinese and English as the rest of the program's.
namespace listen_texts {

inline const QString SamePorts =
    QStringLiteral("--port 和 --port2 是同一个串口 %1（the two ports are the same）");
inline const QString Listening =
    QStringLiteral("监听 %1，只读，不发送（listening read-only, sending nothing）");
inline const QString Interrupted =
    QStringLiteral("收到中断，等待中的命令结束后停止（interrupted: stopping once the waiting "
                   "command ends）");

// Status line: commands, rate, outcome tallies (as polling), then these.
inline const QString StatusHead = QStringLiteral("监听 %1 条命令  %2/s");
inline const QString StatusTail = QStringLiteral("未配对 %1  末次 %2");

// A target's success over the alarm's window: %1 target, %2 window, %3 %, %4 threshold.
inline const QString AlarmRaised =
    QStringLiteral("报警（alarm）：%1 最近 %2 条命令成功 %3%，低于 %4%");
inline const QString AlarmCleared = QStringLiteral("解除（cleared）：%1 最近 %2 条命令成功 %3%");
inline const QString StatusAlarms = QStringLiteral("报警 %1");
inline const QString AlarmLogCannotOpen =
    QStringLiteral("无法写入报警记录 %1（cannot write the alarm log）：%2");

inline const QString SummaryTitle =
    QStringLiteral("监听汇总（listen summary）：%1 条命令，%2 s，%3，%4 bit/s");
inline const QString RhythmTitle =
    QStringLiteral("轮询间隔（poll interval, ms）：主站多久询问一次各目标");
inline const QString RhythmHead = QStringLiteral("target  commands  median  max  bad-sum");
inline const QString Cycle =
    QStringLiteral("主站周期（master's cycle, ms）：中位 median %1，最大 max %2");
inline const QString NoCycle = QStringLiteral("主站周期（master's cycle）：-");
inline const QString Unpaired = QStringLiteral(
    "未配对应答（replies that followed no command of their own）：%1；其中迟到 late %2");
inline const QString UnknownPlaces =
    QStringLiteral("命令未询问过的地址的应答（replies from places no command named）：%1 %2");
inline const QString Noise = QStringLiteral("杂散字符（bytes that belong to no frame）：%1");
inline const QString Resolution = QStringLiteral(
    "响应时间：从读到命令最后一个字节到读到应答最后一个字节，精度受读取分块限制\n"
    "response time: from the read that brought the command's last byte to the read\n"
    "that brought the reply's last byte. It is no finer than the reads: a USB adapter\n"
    "hands over what it received when its latency timer runs out (often 1 to 16 ms),\n"
    "so the figures below carry that much uncertainty. The smallest gap seen between\n"
    "two reads here: %1 ms.");

inline const QString Help = QStringLiteral(
    "用法 Usage: linkbench-poll listen --port DEV [--port2 DEV] [--settings S]\n"
    "                             [--duration S] [--csv FILE] [--timeout MS] [--quiet]\n"
    "\n"
    "监听另一主站（HBX、PLC、上位机）在总线上的通讯，不发送任何字节：把每条命令和\n"
    "仪表的应答配对，统计结果、响应时间、轮询间隔和主站周期。串口以只读方式打开。\n"
    "Listens to another master (an HBX, a PLC, a SCADA PC) polling the bus and sends\n"
    "nothing: pairs each command with the instrument's reply and counts outcomes,\n"
    "response times, poll intervals and the master's cycle. Ports open read-only.\n"
    "\n"
    "选项 Options:\n"
    "  --port COMn|PATH     串口，COM1 到 COM8 或设备路径，默认 COM1\n"
    "                       serial port, COM1..COM8 or a device path (default COM1)\n"
    "  --port2 COMn|PATH    第二个串口（四线总线，或每个方向一个只收适配器）\n"
    "                       a second port (four-wire bus, or one adapter a direction)\n"
    "  --settings TEXT      线路设置，默认 9600,n,8,2\n"
    "                       line settings from the tool's list (default 9600,n,8,2)\n"
    "  --timeout MS         命令之后多久无应答算超时，默认 3000\n"
    "                       a command unanswered this long is a time-out (default 3000)\n"
    "  --duration S         监听秒数，0 为不限，默认 0\n"
    "                       seconds to listen, 0 for no limit (default 0)\n"
    "  --no-check           不检查应答的校验和\n"
    "                       do not check the replies' check field\n"
    "  --csv FILE           每条命令或未配对应答写一行 CSV（列同轮询）\n"
    "                       one CSV line per command or unpaired reply (as polling's)\n"
    "  --csv-max-mb N       CSV 超过 N MB 时另起新文件（午夜总是另起），默认不限\n"
    "                       start a new CSV file past N MB (always at midnight)\n"
    "  --alarm-window N     报警看各目标最近 N 条命令，0 为关闭，默认 50\n"
    "                       the alarm looks at each target's last N commands (0: off)\n"
    "  --alarm-below P      成功率低于 P% 时报警，恢复到一半余量时解除，默认 90\n"
    "                       alarm below P % success, cleared halfway back to 100 %\n"
    "                       (default 90); each raise and clear is one line, also in\n"
    "                       FILE.alarms.log beside the CSV\n"
    "  --quiet              不显示实时状态行\n"
    "                       no live status line\n"
    "  --help, -h           显示本帮助\n"
    "                       show this help\n"
    "\n"
    "结果 Outcomes: ok、timeout（下一条命令或超时之前无应答）、nak、check、malformed；\n"
    "unpaired：不属于任何等待中命令的应答（中途开始监听、迟到应答、两个主站）。\n"
    "ok, timeout (no reply before the next command or the time-out), nak, check,\n"
    "malformed; unpaired: a reply that follows no command of its own.\n"
    "\n"
    "Ctrl+C 在等待中的命令结束后停止并输出汇总；再按一次立即停止。\n"
    "Ctrl+C stops once the waiting command ends and prints the summary; a second\n"
    "Ctrl+C stops at once.\n"
    "\n"
    "退出状态 Exit status: 0 每条命令都 ok every command ok; 1 有失败 some were not;\n"
    "2 命令行有误 bad usage; 3 无法打开串口 a port cannot be opened.\n");

} // namespace listen_texts
