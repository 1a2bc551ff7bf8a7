#pragma once

#include <QString>

// The diagnosis engine's own texts.
namespace diagnosis_texts {

inline const QString NoTargets = QStringLiteral("没有要发送的命令（no target to poll）");
inline const QString EmptyScanRange =
    QStringLiteral("扫描范围无效：起始地址大于结束地址（the scan range is empty）");

} // namespace diagnosis_texts
