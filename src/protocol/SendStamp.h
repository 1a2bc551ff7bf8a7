#pragma once

#include <QDateTime>
#include <QString>

// The header stamp of an exchange: " ◆◆  测试时间:" and the date and time of
// sending as yyyy-M-d H:mm:ss (no leading zeros on month, day and hour).
QString sendStamp(const QDateTime& now);
