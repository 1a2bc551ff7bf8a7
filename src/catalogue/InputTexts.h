#pragma once

#include <QString>

// The refusals of typed input, the same in the main window and the monitor's
// set-up panel.
namespace input_texts {

inline const QString BadAddress = QStringLiteral("请输入001-255之间的数字");
inline const QString BadValue = QStringLiteral("输入错误！");

} // namespace input_texts
