#pragma once

#include <QString>

// The diagnosis engine's own texts.
namespace diagnosis::texts {

inline const QString kNoTargets = QStringLiteral("没有要发送的命令（no target to poll）");
inline const QString kEmptyScanRange =
    QStringLiteral("扫描范围无效：起始地址大于结束地址（the scan range is empty）");

} // namespace diagnosis::texts
