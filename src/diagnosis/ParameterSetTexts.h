#pragma once

#include <QString>

// The texts of parameter sets and their files: why a file is refused, and
// what becomes of each parameter in a backup, a compare or a restore. The
// command line adds an English gloss; the monitor shows them as they are.
namespace paramset_texts {

// A file that cannot be read as a parameter set; %1 the file, %2 the line.
inline const QString FileProblem = QStringLiteral("参数集文件 %1 无法读取：%2");
inline const QString LineProblem = QStringLiteral("参数集文件 %1 第 %2 行：%3");

// Why a TOML document is not a parameter set.
inline const QString NoHeader = QStringLiteral("缺少 [header] 表（no [header] table）");
inline const QString NoParameters =
    QStringLiteral("缺少 [[parameter]] 项（no [[parameter]] entries）");
inline const QString BadAddress =
    QStringLiteral("address 应为 1 到 255 的整数（address must be an integer 1 to 255）");
inline const QString BadChannel =
    QStringLiteral("channel 应为 00 到 64 或 90（channel must be 00 to 64 or 90）");
inline const QString NotText = QStringLiteral("%1 应为文本（%1 must be a string）");
inline const QString NotTable =
    QStringLiteral("[[parameter]] 的每一项应为表（each parameter must be a table）");
inline const QString BadCode = QStringLiteral("参数号“%1”不是 01 到 57（code must be 01 to 57）");
inline const QString RepeatedCode =
    QStringLiteral("参数号 %1 重复，第一次在第 %2 行（code repeated）");
inline const QString BadValue = QStringLiteral("参数 %1 的值“%2”不是数值（value is not a number）");
inline const QString MissingKey = QStringLiteral("缺少 %1（%1 missing）");

// Saving.
inline const QString CannotSave = QStringLiteral("无法保存参数集 %1：%2");
inline const QString FileComment = QStringLiteral("# LinkBench 参数集（parameter set）\n");

// What became of a parameter.
inline const QString Read = QStringLiteral("已读");
inline const QString Written = QStringLiteral("已写入");
inline const QString WrittenUnchecked = QStringLiteral("已写入，未回读");
inline const QString Unchanged = QStringLiteral("未变");
inline const QString Refused = QStringLiteral("拒绝（NAK）");
inline const QString Failed = QStringLiteral("失败");
inline const QString NotSent = QStringLiteral("未写");
inline const QString NotAnswered = QStringLiteral("无应答");
inline const QString ReadBackDiffers = QStringLiteral("回读值 %1 与写入值不符");
inline const QString NoValue = QStringLiteral("应答中没有数值");
inline const QString PortLostDuring = QStringLiteral("串口断开：%1");
inline const QString Skipped = QStringLiteral("不写（读取或动作参数，需 --include）");

// Each outcome of a failed exchange, as the result column says it.
inline const QString Interrupted = QStringLiteral("已中断");

} // namespace paramset_texts
