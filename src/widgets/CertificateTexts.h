#pragma once

#include <QString>

// The certificate's own words; the steps' texts come from the plan's.
namespace certificate_texts {

inline const QString Title = QStringLiteral("检测证书 — %1");
inline const QString Plan = QStringLiteral("测试计划");
inline const QString PlanHash = QStringLiteral("计划文件 SHA-256");
inline const QString Tool = QStringLiteral("工具版本");
inline const QString Started = QStringLiteral("日期时间");
inline const QString Operator = QStringLiteral("操作员");
inline const QString Unit = QStringLiteral("产品序列号");
inline const QString Port = QStringLiteral("串口");
inline const QString Settings = QStringLiteral("线路设置");
inline const QString Step = QStringLiteral("步骤");
inline const QString Expected = QStringLiteral("期望");
inline const QString Actual = QStringLiteral("实际");
inline const QString Verdict = QStringLiteral("结论");
inline const QString Overall = QStringLiteral("总结论");
inline const QString Frames = QStringLiteral("原始报文");
inline const QString CannotWrite = QStringLiteral("无法写入合格证 %1：%2");
inline const QString FolderMissing = QStringLiteral("文件夹不存在");

} // namespace certificate_texts
