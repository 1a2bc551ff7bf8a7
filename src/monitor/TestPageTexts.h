#pragma once

#include <QString>

// The 检测 page's own words; the steps' texts come from the plan's.
namespace testpage_texts {

inline const QString Title = QStringLiteral("检测");
inline const QString OpenPlan = QStringLiteral("打开计划…");
inline const QString OpenTitle = QStringLiteral("打开测试计划");
inline const QString Filter = QStringLiteral("测试计划 (*.toml);;所有文件 (*)");
inline const QString NoPlan = QStringLiteral("（未打开计划）");
inline const QString PlanLabel = QStringLiteral("计划：");
inline const QString FolderLabel = QStringLiteral("结果文件夹：");
inline const QString FolderHint =
    QStringLiteral("每天一个子文件夹，合格证和 JUnit 文件自动保存于此");
inline const QString OperatorLabel = QStringLiteral("操作员：");
inline const QString SerialLabel = QStringLiteral("序列号：");
inline const QString SerialHint = QStringLiteral("输入或扫描序列号，回车开始");
inline const QString Start = QStringLiteral("开始");
inline const QString Stop = QStringLiteral("停止");
inline const QString Confirm = QStringLiteral("完成，继续");
inline const QString Reject = QStringLiteral("不合格");
inline const QString PromptHead = QStringLiteral("请操作：%1");
inline const QString Running = QStringLiteral("检测中…");
inline const QString NeedPlan = QStringLiteral("请先打开测试计划");
inline const QString NeedSerial = QStringLiteral("请输入序列号");
inline const QString NeedFolder = QStringLiteral("请在上方填写结果文件夹");
inline const QString PortBusy = QStringLiteral("串口正在运行或扫描，请先停止");
inline const QString PortRefused = QStringLiteral("无法打开串口 %1：%2");
inline const QString Saved = QStringLiteral("已保存：%1、%2");
inline const QString CannotSave = QStringLiteral("无法保存 %1：%2");

// The table's column heads.
inline const QString ColumnStep = QStringLiteral("步骤");
inline const QString ColumnExpected = QStringLiteral("期望");
inline const QString ColumnActual = QStringLiteral("实际");
inline const QString ColumnVerdict = QStringLiteral("结论");
inline const QString ColumnReason = QStringLiteral("原因");

} // namespace testpage_texts
