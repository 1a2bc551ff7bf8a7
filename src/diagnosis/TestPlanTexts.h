#pragma once

#include <QString>

// The texts of test plans: why a plan file is refused, what a step expects,
// and the verdicts and reasons of a run. The command line and the monitor
// show them as they are; certificates and JUnit files carry them.
namespace plan_texts {

// A plan file that cannot be read; %1 the file, %2 the line, %3 the reason.
inline const QString FileProblem = QStringLiteral("测试计划 %1 无法读取：%2");
inline const QString LineProblem = QStringLiteral("测试计划 %1 第 %2 行：%3");

// Why a TOML document is not a plan.
inline const QString NoName = QStringLiteral("缺少计划名称 name（plan name missing）");
inline const QString NoSteps = QStringLiteral("缺少 [[step]] 项（no [[step]] entries）");
inline const QString NotTable = QStringLiteral("%1 应为表（%1 must be a table）");
inline const QString NotText = QStringLiteral("%1 应为文本（%1 must be a string）");
inline const QString NotNumber = QStringLiteral("%1 应为数值（%1 must be a number）");
inline const QString BadInteger =
    QStringLiteral("%1 应为 %2 到 %3 的整数（%1 must be an integer %2 to %3）");
inline const QString KeyNotFor =
    QStringLiteral("%1 不适用于此步骤（%1 does not belong to this step）");
inline const QString UnknownKey = QStringLiteral("未知的键 %1（unknown key）");
inline const QString BadSettings =
    QStringLiteral("settings“%1”不在线路设置列表中（not one of the line settings）");
inline const QString BadChannel =
    QStringLiteral("channel“%1”应为 00 到 64 或 90（channel must be 00 to 64 or 90）");
inline const QString StepKind = QStringLiteral(
    "每一步应有 send、wait 或 prompt 之一（each step needs one of send, wait, prompt）");
inline const QString BadFunction =
    QStringLiteral("send“%1”应为 dc1、dc2、dc3 或 dc4（send must be dc1 to dc4）");
inline const QString BadParameter =
    QStringLiteral("param“%1”不在参数表中（not in the parameter list）");
inline const QString NeedsParameter = QStringLiteral("%1 需要 param（%1 needs param）");
inline const QString NeedsValue = QStringLiteral("dc3 需要数值文本 value（dc3 needs a value）");
inline const QString BadValue = QStringLiteral("value“%1”不是数值（value is not a number）");
inline const QString BadAddresses =
    QStringLiteral("addresses“%1”应为 1 到 255 的地址，例如 1-11,15（addresses 1 to 255）");
inline const QString BothAddresses =
    QStringLiteral("address 与 addresses 只能有一个（address or addresses, not both）");
inline const QString BadExpect = QStringLiteral(
    "expect“%1”应为 reply、place、range、equal、captured、ack、nak 或 none（unknown expectation）");
inline const QString ExpectNotFor =
    QStringLiteral("expect = \"%1\" 不适用于 %2（cannot be expected of %2）");
inline const QString NeedsKey = QStringLiteral("expect = \"%1\" 需要 %2（needs %2）");
inline const QString EmptyRange = QStringLiteral("low 大于 high（low is above high）");
inline const QString NotCaptured =
    QStringLiteral("“%1”未在前面的步骤中记录（capture = \"%1\" must come in an earlier step）");
inline const QString NothingToCapture =
    QStringLiteral("capture 需要带数值的步骤（capture needs a step that yields a value）");

// What a step expects.
inline const QString ExpectReply = QStringLiteral("应答，校验正确");
inline const QString ExpectPlace = QStringLiteral("应答，指明本地址");
inline const QString ExpectRange = QStringLiteral("数值 %1 到 %2");
inline const QString ExpectEqual = QStringLiteral("数值 = %1");
inline const QString ExpectCaptured = QStringLiteral("数值 = 记录值 %1");
inline const QString ExpectAck = QStringLiteral("ACK");
inline const QString ExpectNak = QStringLiteral("NAK");
inline const QString ExpectSilence = QStringLiteral("无应答");
inline const QString ExpectWait = QStringLiteral("等待 %1 ms");
inline const QString ExpectConfirm = QStringLiteral("操作员确认");

// What a step got, and why it failed.
inline const QString GotValue = QStringLiteral("数值 %1");
inline const QString GotReply = QStringLiteral("应答");
inline const QString GotNothing = QStringLiteral("无应答");
inline const QString GotOtherPlace = QStringLiteral("应答指向别处");
inline const QString GotNoValue = QStringLiteral("应答中没有数值");
inline const QString Waited = QStringLiteral("已等待");
inline const QString Confirmed = QStringLiteral("已确认");
inline const QString NotConfirmed = QStringLiteral("操作员未确认");
inline const QString OutOfRange = QStringLiteral("数值 %1 不在 %2 到 %3 之内");
inline const QString NotEqual = QStringLiteral("数值 %1 不等于 %2");
inline const QString Unexpected = QStringLiteral("期望 %1，实为 %2");
inline const QString NoCapturedValue = QStringLiteral("没有记录值 %1（其步骤未通过）");
inline const QString PortLost = QStringLiteral("串口断开：%1");
inline const QString NotRun = QStringLiteral("未执行");

// Verdicts.
inline const QString Pass = QStringLiteral("合格");
inline const QString Fail = QStringLiteral("不合格");
inline const QString Skipped = QStringLiteral("未执行");

// The name a step gets when the file gives it none: "DC2 001/01 P13".
inline const QString ForAddress = QStringLiteral("%1（地址 %2）");

} // namespace plan_texts
