#pragma once

#include "diagnosis/ExchangeOutcome.h"

#include <QString>

namespace monitor {

// "成功", "超时", "NAK", "校验错", "格式错": an outcome as the pages show it.
QString outcomeText(diagnosis::Outcome outcome);

} // namespace monitor
