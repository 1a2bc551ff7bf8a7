#pragma once

#include <QString>

// What linkbench-poll plan shows: its help, its errors, a line per step and
// the summary. The steps' own texts come from the plan's (TestPlanTexts.h).
namespace plan_poll_texts {

inline const QString Help = QStringLiteral(
    "用法 Usage: linkbench-poll plan FILE [选项 options]\n"
    "\n"
    "按测试计划（TOML）逐步测试一台仪表，给出每步结论和总结论。\n"
    "Runs a test plan (TOML) on one unit: each step's verdict, then the overall one.\n"
    "\n"
    "  --port PORT          串口，默认取计划中的 port 或 COM1（serial port）\n"
    "  --settings S         线路设置，默认取计划中的 settings（line settings）\n"
    "  --unit SERIAL        被测产品序列号（the unit's serial）\n"
    "  --operator NAME      操作员（operator）\n"
    "  --junit FILE.xml     写 JUnit XML 结果（write a JUnit XML file）\n"
    "  --report FILE.pdf    写 PDF 合格证（write the PDF certificate）\n"
    "  --csv FILE           每次通讯一行的 CSV 文件（per-exchange CSV）\n"
    "  --yes                操作提示自动确认，无人值守（answer prompts, unattended）\n"
    "  --quiet              不显示每一步（no line per step）\n"
    "\n"
    "退出码 Exit status: 0 全部合格 all passed, 1 有不合格 a step failed,\n"
    "  2 计划或命令行有误 bad plan or command line, 3 串口无法打开 port refused\n");

inline const QString NeedFile =
    QStringLiteral("plan 需要一个测试计划文件（plan needs one plan file）");
inline const QString NothingSent = QStringLiteral("%1（nothing sent）");

// "[2/8] 量程上限：期望 数值 0 到 1000，实际 数值 1000 —— 合格"
inline const QString StepLine = QStringLiteral("[%1/%2] %3：期望 %4，实际 %5 —— %6");
inline const QString StepReason = QStringLiteral("      原因（reason）：%1");
inline const QString Prompt = QStringLiteral("[%1/%2] 请操作（operator）：%3");
inline const QString PromptHow =
    QStringLiteral("      回车确认，输入 n 回车判为不合格（Enter: done, n Enter: failed）");
inline const QString PromptAnswered = QStringLiteral("      已由 --yes 确认（answered by --yes）");
inline const QString Summary =
    QStringLiteral("%1：%2 步，合格 %3，不合格 %4，未执行 %5 —— %6（%7）");
inline const QString PortRefused = QStringLiteral("无法打开串口 %1（cannot open the port）：%2");
inline const QString FolderMissing =
    QStringLiteral("无法写入 %1：文件夹不存在（the folder does not exist）");
inline const QString CannotWrite = QStringLiteral("无法写入 %1（cannot write）：%2");
inline const QString NoCertificateProgram =
    QStringLiteral("找不到 linkbench-certificate，未写合格证（linkbench-certificate not found）");
inline const QString Written = QStringLiteral("已写入（written）：%1");

} // namespace plan_poll_texts
