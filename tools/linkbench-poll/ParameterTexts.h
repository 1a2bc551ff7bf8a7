#pragma once

#include <QString>

// The texts of linkbench-poll's parameter-set commands: backup, compare, restore.
namespace poll_texts {

inline const QString ParamsNeedAddress =
    QStringLiteral("%1 需要 --address（one instrument address is needed）");
inline const QString ParamsOneAddress =
    QStringLiteral("--address 的取值“%1”无效：应为 1 到 255 中的一个地址（one address 1 to 255）");
inline const QString ParamsNeedOutput =
    QStringLiteral("backup 需要 -o FILE（the file to write is needed）");
inline const QString ParamsNeedFile =
    QStringLiteral("%1 需要一个参数集文件（one parameter-set file is needed）");
inline const QString ParamsBadCodes = QStringLiteral(
    "%1 的取值“%2”无效：应为 01 到 57 的参数号，例 12,18-21（codes 01 to 57, e.g. 12,18-21）");
inline const QString ParamsNeverAddress =
    QStringLiteral("--include 不能含 28：恢复从不写地址（a restore never writes the address）");
inline const QString ParamsNotFor =
    QStringLiteral("选项 %1 不用于 %2（option not for this command）");
inline const QString OutputFolderMissing =
    QStringLiteral("无法写入参数集文件 %1：文件夹不存在（the folder does not exist）");
inline const QString ParamsBoth =
    QStringLiteral("--params 与 --all 只能选一个（give --params or --all, not both）");

// Progress and results.
inline const QString BackupLine = QStringLiteral("%1  %2  %3");
inline const QString BackupSaved = QStringLiteral("已保存 %1 个参数到 %2（saved）");
inline const QString BackupLeftOut =
    QStringLiteral("%1 个无名称参数无应答，未收入（nameless codes that did not answer）：%2");
inline const QString BackupFailed =
    QStringLiteral("以下参数未读到，未保存文件，原文件不变（not saved, any old file kept）：");
inline const QString ReadFailure = QStringLiteral("  %1  %2：%3");
inline const QString CompareHead =
    QStringLiteral("参数  名称  文件  仪表（code name file instrument）");
inline const QString CompareLine = QStringLiteral("%1  %2  %3  %4");
inline const QString CompareEqual =
    QStringLiteral("仪表 %1 与文件一致，%2 个参数（the instrument equals the file）");
inline const QString CompareDiffer = QStringLiteral("%1 个参数不同（parameters differ），共 %2 个");
inline const QString NotRead = QStringLiteral("（未读到：%1）");
inline const QString RestoreLine = QStringLiteral("%1  %2  %3 → %4  %5");
inline const QString RestorePlanned = QStringLiteral("将写入（would write）");
inline const QString RestoreSummary = QStringLiteral(
    "写入 %1，未变 %2，拒绝 %3，失败 %4，不写 %5（written, unchanged, refused, failed, skipped）");
inline const QString RestoreEqual =
    QStringLiteral("仪表与文件一致（the instrument equals the file）");
inline const QString RestoreNotEqual =
    QStringLiteral("仪表与文件不一致（the instrument does not equal the file）");
inline const QString StoppedReading =
    QStringLiteral("读取中断，未写入任何参数（interrupted while reading: nothing written）");
inline const QString StoppedWriting =
    QStringLiteral("写入中断（interrupted）：已写入 written：%1；未写入 not written：%2");
inline const QString LostReading =
    QStringLiteral("串口断开，未写入任何参数（port lost while reading: nothing written）：%1");
inline const QString LostWriting = QStringLiteral(
    "串口断开（port lost）：%1\n已写入 written：%2；未写入或不确定 not written or unknown：%3");
inline const QString RerunNote = QStringLiteral(
    "再次运行 restore 会先读取，只写其余参数（a re-run reads first and writes only the rest）");
inline const QString None = QStringLiteral("无");
inline const QString FileUnreadable = QStringLiteral("%1（nothing sent）");

inline const QString ParamsHelp = QStringLiteral(
    "用法 Usage: linkbench-poll backup --address A [--channel C] [--params LIST|--all]\n"
    "                               [--name TEXT] -o FILE [选项 options]\n"
    "       linkbench-poll compare FILE --address A [选项 options]\n"
    "       linkbench-poll restore FILE --address A [--include LIST] [--dry-run] [选项 options]\n"
    "\n"
    "备份、比较、恢复仪表参数（参数集文件为 TOML）。克隆 = 从一个地址 backup，再 restore "
    "到另一个地址。\n"
    "Backs up, compares and restores an instrument's parameters (parameter sets are\n"
    "TOML files). A clone is a backup from one address and a restore to another.\n"
    "\n"
    "选项 Options:\n"
    "  --port, --settings, --timeout, --no-check, --csv FILE, --quiet  同轮询 as for polling\n"
    "  --address A          仪表地址 the instrument's address (1..255)\n"
    "  --channel C          通道，默认 01（compare/restore 默认取文件的通道）\n"
    "                       channel (default 01; compare/restore: the file's)\n"
    "  --retries N          超时或校验错后重试次数，默认 2\n"
    "                       retries after a time-out or a bad check field (default 2)\n"
    "  --params LIST        backup：要读的参数号，默认为配置参数\n"
    "                       backup: the codes to read (default: the configuring ones)\n"
    "  --all                backup：01 到 57 中所有应答的参数\n"
    "                       backup: every code 01 to 57 that answers\n"
    "  --name TEXT          backup：仪表名称或位号，写入文件头\n"
    "                       backup: the instrument's name or tag, kept in the header\n"
    "  -o FILE              backup：要写的参数集文件\n"
    "                       backup: the parameter-set file to write\n"
    "  --include LIST       restore：也写这些读取或动作参数（如 27、30；从不写 28 地址）\n"
    "                       restore: also write these reading or acting codes (never 28)\n"
    "  --dry-run            restore：只列出要写的参数，不写\n"
    "                       restore: list what would be written, write nothing\n"
    "\n"
    "退出状态 Exit status: 0 完成且一致 done and equal; 1 不一致或未全部完成 different or not\n"
    "all done; 2 命令行或文件有误 bad command line or file; 3 无法打开串口 port refused.\n");

} // namespace poll_texts
