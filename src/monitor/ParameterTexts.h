#pragma once

#include <QString>

// The texts of the monitor's 参数 page.
namespace monitor_texts {

inline const QString PageParameters = QStringLiteral("参数");
inline const QString ParamHeaderCode = QStringLiteral("参数号");
inline const QString ParamHeaderName = QStringLiteral("名称");
inline const QString ParamHeaderValue = QStringLiteral("仪表值");
inline const QString ParamHeaderReply = QStringLiteral("应答");
inline const QString ParamHeaderFile = QStringLiteral("文件值");
inline const QString ParamHeaderCompare = QStringLiteral("比较");
inline const QString ParamHeaderResult = QStringLiteral("结果");
inline const QString ParamDiffers = QStringLiteral("≠ 不同");
inline const QString ParamEqual = QStringLiteral("= 相同");
inline const QString ParamNotInFile = QStringLiteral("文件中无");

inline const QString ParamAddressLabel = QStringLiteral("仪表地址：");
inline const QString ParamNameLabel = QStringLiteral("名称/位号：");
inline const QString ParamRead = QStringLiteral("读取(&R)");
inline const QString ParamCancel = QStringLiteral("取消");
inline const QString ParamSave = QStringLiteral("保存(&A)…");
inline const QString ParamOpen = QStringLiteral("打开并比较(&O)…");
inline const QString ParamWrite = QStringLiteral("写入差异(&W)…");
inline const QString ParamFilter = QStringLiteral("参数集 (*.toml)");
inline const QString ParamSaveTitle = QStringLiteral("保存参数集");
inline const QString ParamOpenTitle = QStringLiteral("打开参数集");

// The status line under the table: where refusals and results are shown.
inline const QString ParamReading = QStringLiteral("正在读取仪表 %1 的参数…");
inline const QString ParamReadDone = QStringLiteral("已读取 %1 个参数，%2 个未读到");
inline const QString ParamPortBusy = QStringLiteral("串口正用于轮询或扫描，请先停止");
inline const QString ParamCancelled = QStringLiteral("已取消");
inline const QString ParamPortLost = QStringLiteral("串口断开：%1");
inline const QString ParamCannotOpen = QStringLiteral("无法打开串口%1：%2");
inline const QString ParamSaved = QStringLiteral("已保存到 %1");
inline const QString ParamNotAllRead = QStringLiteral("有参数未读到，不能保存");
inline const QString ParamCompared = QStringLiteral("与 %1 比较：%2 个参数不同");
inline const QString ParamNothingToWrite = QStringLiteral("没有可写入的差异");
inline const QString ParamConfirm = QStringLiteral("向仪表 %1 写入以下 %2 个参数？\n\n%3");
inline const QString ParamConfirmLine = QStringLiteral("%1 %2：%3 → %4");
inline const QString ParamWriting = QStringLiteral("正在写入 %1 个参数…");
inline const QString ParamWritten =
    QStringLiteral("写入 %1，拒绝 %2，失败 %3；中断时未写的参数可再次写入");

} // namespace monitor_texts
