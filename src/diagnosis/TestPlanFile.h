#pragma once

#include "diagnosis/TestPlan.h"
#include "diagnosis/TomlReading.h"

#include <QByteArray>
#include <QString>
#include <optional>

// A test plan as a TOML file a person writes and keeps under version control:
//
//     name = "温控表调试"
//     settings = "9600,n,8,2"
//
//     [defaults]            # for every step that does not say otherwise
//     address = 1
//     channel = "01"
//     timeout = 1000        # ms
//     retries = 2           # further tries after no answer or a bad check field
//
//     [[step]]
//     name = "量程上限"
//     send = "dc2"
//     param = "13"
//     expect = "range"
//     low = 0
//     high = 1000
//
//     [[step]]
//     send = "dc3"          # expects "ack" unless told
//     param = "30"
//     value = "42.0"
//     capture = "sp"        # a write keeps the value it wrote
//
//     [[step]]
//     send = "dc2"
//     param = "30"
//     expect = "captured"
//     captured = "sp"
//
//     [[step]]
//     prompt = "接上校验仪，设定 4 mA 后确认"
//
//     [[step]]
//     wait = 500            # ms
//
//     [[step]]
//     send = "dc1"
//     addresses = "12-14"   # one step for every address
//     expect = "none"
//
// Every key is checked, so a plan with a slip in it is refused, with its line,
// before anything is sent.
namespace diagnosis {

std::optional<TestPlan> parseTestPlan(const QByteArray& text, TomlProblem* problem);

std::optional<TestPlan> loadTestPlan(const QString& path, TomlProblem* problem);

// "测试计划 FILE 第 N 行：reason".
QString planProblemText(const QString& path, const TomlProblem& problem);

} // namespace diagnosis
