#pragma once

#include <QDateTime>
#include <functional>

// Source of the current local date and time; tests inject a fixed one.
using Clock = std::function<QDateTime()>;

inline Clock systemClock()
{
    return [] { return QDateTime::currentDateTime(); };
}
