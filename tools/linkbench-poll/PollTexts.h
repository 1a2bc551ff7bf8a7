#pragma once

#include <QString>

// Every text linkbench-poll shows. Help and errors are in Chinese and in
// English, as for the simulator: the people commissioning a bus are not
// always the tool's operators.
namespace poll_texts {

// Usage errors (exit status 2); %1 is the option or the text refused.
inline const QString Usage = QStringLiteral("命令行有误（bad command line）：%1");
inline const QString UnknownCommand =
    QStringLiteral("未知命令 %1（unknown command）；命令有（the commands are）scan、listen、"
                   "backup、compare、restore、plan");
inline const QString BadNumber =
    QStringLiteral("选项 %1 的取值“%2”无效：应为 %3 到 %4 的整数（an integer from %3 to %4）");
inline const QString BadFunction =
    QStringLiteral("--function 的取值“%1”无效：应为 dc1、dc2、dc3 或 dc4（dc1 to dc4）");
inline const QString BadAddress = QStringLiteral(
    "--address 的取值“%1”无效：地址为 1 到 255，例如 1-11,15（addresses 1 to 255, e.g. 1-11,15）");
inline const QString BadChannel =
    QStringLiteral("--channel 的取值“%1”无效：通道为 00 到 64 或 90（channels 00 to 64 and 90）");
inline const QString BadParameter = QStringLiteral(
    "--param 的取值“%1”不在参数表中：01 到 57、70 到 74（not in the parameter list）");
inline const QString BadValue = QStringLiteral("--value 的取值“%1”不是数值（not a number）");
inline const QString BadSettings = QStringLiteral(
    "--settings 的取值“%1”不在线路设置列表中：%2（not one of the tool's line settings）");
inline const QString ScanRange =
    QStringLiteral("--from 大于 --to，扫描范围为空（the scan range is empty）");
inline const QString CsvFolderMissing =
    QStringLiteral("无法写入 CSV 文件 %1：文件夹不存在（the folder does not exist）");
inline const QString CsvCannotOpen =
    QStringLiteral("无法写入 CSV 文件 %1（cannot write the CSV file）：%2");
inline const QString CsvWriteFailed =
    QStringLiteral("写 CSV 文件 %1 失败，运行停止（writing the CSV file failed, run stopped）：%2");

inline const QString PortLost =
    QStringLiteral("串口断开，每秒重试（port lost, retrying every second）：%1");
inline const QString PortBack = QStringLiteral("串口已恢复，继续（port back, going on）");
inline const QString Interrupted =
    QStringLiteral("收到中断，本次通讯结束后停止（interrupted: stopping after this exchange）");

// Live status line: exchanges, rate, outcome counts, last response time.
// The status line: the head, each outcome's tally word and count, the tail,
// two blanks apart.
inline const QString StatusHead = QStringLiteral("%1 次  %2/s");
inline const QString StatusTail = QStringLiteral("迟到 %1  末次 %2");
inline const QString ScanStatus = QStringLiteral("扫描 %1/%2  已应答 %3");

// Summary.
inline const QString SummaryTitle =
    QStringLiteral("汇总（summary）：%1 次通讯，%2 s，%3，%4 bit/s");
inline const QString Overall = QStringLiteral("overall");
inline const QString ResponseNote = QStringLiteral(
    "响应时间：从命令写入串口并刷新到读到应答最后一个字节，含命令和应答在线上的时间（11 位/字符）\n"
    "response time: from the flushed write of the command to the read of the reply's last byte;\n"
    "it includes both frames' wire time (11 bits a character), so the instrument's own\n"
    "turnaround is the response time less the two wire times below.");
inline const QString WireTimes =
    QStringLiteral("  %1  线上时间（wire time）：命令 command %2 ms，应答 reply %3 ms");
inline const QString HistogramTitle = QStringLiteral("响应时间分布（response times, ms）：");
inline const QString NoResponses = QStringLiteral("（无应答 no replies）");
inline const QString ScanTitle =
    QStringLiteral("扫描 %1 到 %2（scan）：%3 个地址应答（addresses answered）");

inline const QString Help = QStringLiteral(
    "用法 Usage: linkbench-poll [选项 options]\n"
    "       linkbench-poll scan [--from N --to N] [--timeout MS] [--hbx] [选项 options]\n"
    "       linkbench-poll backup|compare|restore ...（参数集 parameter sets: backup --help）\n"
    "       linkbench-poll listen --port DEV ...（只听不发 listen only: listen --help）\n"
    "       linkbench-poll plan FILE ...（测试计划 test plans: plan --help）\n"
    "\n"
    "长时间轮询 RS-485 总线上的仪表，分类统计每种失败并测量响应时间；scan 查找总线上应答的地址。\n"
    "Polls instruments on an RS-485 bus for as long as asked, counts each kind of\n"
    "failure and measures response times; scan finds the addresses that answer.\n"
    "\n"
    "选项 Options:\n"
    "  --list-ports         列出找到的串口和 COM1 到 COM8 对应的设备，然后退出\n"
    "                       list the ports found and the devices of COM1..COM8, then exit\n"
    "  --port COMn|PATH     串口，COM1 到 COM8 或设备路径，默认 COM1\n"
    "                       serial port, COM1..COM8 or a device path (default COM1)\n"
    "  --settings TEXT      线路设置，默认 9600,n,8,2\n"
    "                       line settings from the tool's list (default 9600,n,8,2)\n"
    "  --function dc1|dc2|dc3|dc4\n"
    "                       读瞬时值、读参数、写参数、HBX，默认 dc1\n"
    "                       read value, read parameter, write parameter, HBX (default dc1)\n"
    "  --address LIST       仪表（或 HBX）地址，例 1-11,15，默认 1\n"
    "                       instrument (or HBX) addresses, e.g. 1-11,15 (default 1)\n"
    "  --channel NN         通道 00 到 64 或 90，默认 01\n"
    "                       channel 00 to 64 or 90 (default 01)\n"
    "  --param NN           参数号，默认 11（HBX 为 73）\n"
    "                       parameter number (default 11; 73 for HBX)\n"
    "  --value NUMBER       dc3 写入的数值，默认 0\n"
    "                       the number dc3 writes (default 0)\n"
    "  --interval MS        两次发送之间的间隔，0 为紧接，默认 0\n"
    "                       from send to send, 0 for back to back (default 0)\n"
    "  --timeout MS         超时，默认 3000（scan 为 300）\n"
    "                       time-out (default 3000; 300 for scan)\n"
    "  --gap MS             一次通讯后到下次发送的静默时间，默认 3 个字符时间\n"
    "                       quiet time after an exchange (default 3 character times)\n"
    "  --count N            通讯次数，0 为不限，默认 0\n"
    "                       number of exchanges, 0 for no limit (default 0)\n"
    "  --duration S         运行秒数，0 为不限，默认 0\n"
    "                       seconds to run, 0 for no limit (default 0)\n"
    "  --no-check           不检查应答的校验和\n"
    "                       do not check the replies' check field\n"
    "  --csv FILE           每次通讯写一行 CSV（UTF-8 带 BOM）\n"
    "                       one CSV line per exchange (UTF-8 with a byte-order mark)\n"
    "  --csv-max-mb N       CSV 超过 N MB 时另起新文件（午夜总是另起），默认不限\n"
    "                       start a new CSV file past N MB (always at midnight)\n"
    "  --alarm-window N     报警看各目标最近 N 次通讯，0 为关闭，默认 50\n"
    "  --alarm-below P      成功率低于 P% 时报警，恢复到一半余量时解除，默认 90\n"
    "                       alarm when a target's success over its last N exchanges\n"
    "                       falls below P % (cleared halfway back to 100 %); one line\n"
    "                       each, also in FILE.alarms.log beside the CSV\n"
    "  --quiet              不显示实时状态行和串口状态提示\n"
    "                       no live status line and no port-state notes\n"
    "  --help, -h           显示本帮助\n"
    "                       show this help\n"
    "\n"
    "scan 选项 scan options:\n"
    "  --from N, --to N     扫描的地址范围，默认 1 到 255\n"
    "                       address range to try (default 1 to 255)\n"
    "  --hbx                查找 HBX 集中器（读时钟 70）而非仪表（读通道 01 瞬时值）\n"
    "                       look for HBX concentrators (clock, 70) instead of instruments\n"
    "                       (process value of channel 01)\n"
    "\n"
    "Ctrl+C 在本次通讯结束后停止并输出汇总；再按一次立即停止。\n"
    "Ctrl+C stops after the exchange in progress and prints the summary; a second\n"
    "Ctrl+C stops at once.\n"
    "\n"
    "退出状态 Exit status: 0 全部 ok（scan：有地址应答） all ok (scan: some address\n"
    "answered); 1 有失败 some were not; 2 命令行有误 bad usage; 3 无法打开串口 the port\n"
    "cannot be opened.\n");

} // namespace poll_texts
