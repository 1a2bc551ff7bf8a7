#pragma once

#include <QString>
#include <QStringList>

// Every text the monitor window shows of its own.
namespace monitor_texts {

inline const QString Caption = QStringLiteral("QL系列仪表链路监测");

// Set-up panel.
inline const QString SetupTitle = QStringLiteral("设置");
inline const QString PortLabel = QStringLiteral("通讯口：");
// Polling the targets, or listening to another master polling them.
inline const QString ModeLabel = QStringLiteral("方式：");
inline const QStringList Modes = {QStringLiteral("轮询"), QStringLiteral("监听")};
inline const QString ListenOption = QStringLiteral("以监听方式打开（start in the listening mode）");
inline const QString Port2Label = QStringLiteral("第二通讯口：");
inline const QString Port2Hint = QStringLiteral("可不填（四线总线或每方向一个适配器）");
inline const QString SettingsLabel = QStringLiteral("波特率：");
inline const QString FunctionLabel = QStringLiteral("功能：");
inline const QString AddressesLabel = QStringLiteral("仪表地址：");
inline const QString ChannelLabel = QStringLiteral("仪表通道：");
inline const QString ParameterLabel = QStringLiteral("参数号：");
inline const QString ValueLabel = QStringLiteral("参数值：");
inline const QString IntervalLabel = QStringLiteral("间隔：");
inline const QString TimeoutLabel = QStringLiteral("超时：");
inline const QString CheckLabel = QStringLiteral("校验应答的校验字段");
inline const QString Yes = QStringLiteral("是");
inline const QString No = QStringLiteral("否");
inline const QString MsSuffix = QStringLiteral(" ms");
inline const QString AddressesHint = QStringLiteral("例如 1-11,15");
inline const QString PortHint = QStringLiteral("COM1–COM8 或设备路径，例如 /dev/ttyUSB0");

inline const QString Start = QStringLiteral("开始");
inline const QString Stop = QStringLiteral("停止");
inline const QString Scan = QStringLiteral("扫描");

// Refusals: the first two are the main window's own.
inline const QString BadPort = QStringLiteral("请选择COM1-COM8或输入设备路径");

// Pages.
inline const QString PageStatistics = QStringLiteral("统计");
inline const QString PageResponse = QStringLiteral("响应时间");
inline const QString PageTrend = QStringLiteral("趋势");
inline const QString PageScan = QStringLiteral("扫描");
inline const QString PageFrames = QStringLiteral("报文");

// Statistics table.
inline const QString TotalRow = QStringLiteral("合计");
// The heads before and after the outcomes' columns, which take the outcomes' labels.
inline const QStringList StatisticsHeadersBefore = {QStringLiteral("目标"), QStringLiteral("发送")};
inline const QStringList StatisticsHeadersAfter = {
    QStringLiteral("迟到"),
    QStringLiteral("成功率 %"),
    QStringLiteral("最小 ms"),
    QStringLiteral("中位 ms"),
    QStringLiteral("P95 ms"),
    QStringLiteral("P99 ms"),
    QStringLiteral("最大 ms"),
    QStringLiteral("最后应答"),
    // Listening: how often the master polls the target (the total row: its cycle).
    QStringLiteral("轮询间隔 ms"),
    QStringLiteral("最长间隔 ms"),
};

// Response-time page.
inline const QString AllTargets = QStringLiteral("全部目标");
inline const QString ResponseAxis = QStringLiteral("响应时间 (ms)");
inline const QString CountAxis = QStringLiteral("次数");
inline const QString TimeoutMark = QStringLiteral("超时 %1 ms");
inline const QString ShowLabel = QStringLiteral("显示：");

// Trend page.
inline const QString TrendSpanLabel = QStringLiteral("时间范围：");
inline const QString TrendTimeAxis = QStringLiteral("时间");
inline const QString TrendValueAxis = QStringLiteral("数值");
inline const QString TrendTimeouts = QStringLiteral("超时");
inline const QStringList TrendSpans = {QStringLiteral("1 分钟"), QStringLiteral("10 分钟"),
                                       QStringLiteral("1 小时")};

// Scan page.
inline const QStringList ScanHeaders = {QStringLiteral("地址"), QStringLiteral("应答"),
                                        QStringLiteral("响应 ms"), QStringLiteral("数值")};
inline const QString ScanFromLabel = QStringLiteral("地址从：");
inline const QString ScanToLabel = QStringLiteral("到：");
inline const QString AddToTargets = QStringLiteral("加入目标");
inline const QString ScanFound = QStringLiteral("已找到 %1 个地址");

// Frames page.
inline const QStringList FramesHeaders = {QStringLiteral("时间"), QStringLiteral("目标"),
                                          QStringLiteral("发送"), QStringLiteral("应答"),
                                          QStringLiteral("结果"), QStringLiteral("响应 ms"),
                                          QStringLiteral("数值")};
inline const QString FramesPortLost = QStringLiteral("串口已断开：%1");
inline const QString FramesPortBack = QStringLiteral("串口已重新打开");
inline const QString FramesUnpaired = QStringLiteral("未配对应答：%1");
// A target's alarm: %1 target, %2 window, %3 success %, %4 threshold.
inline const QString AlarmRaised = QStringLiteral("报警：%1 最近 %2 条命令成功 %3%，低于 %4%");
inline const QString AlarmCleared = QStringLiteral("解除报警：%1 最近 %2 条命令成功 %3%");
inline const QString AlarmsStanding = QStringLiteral("报警 %1");

// Menus and actions.
inline const QString MenuFile = QStringLiteral("文件(&F)");
inline const QString MenuRun = QStringLiteral("运行(&R)");
inline const QString MenuView = QStringLiteral("视图(&V)");
inline const QString ExportCsv = QStringLiteral("导出 CSV(&C)...");
inline const QString ExportPdf = QStringLiteral("导出报告 PDF(&P)...");
inline const QString Quit = QStringLiteral("退出(&Q)");
inline const QString CsvFilter = QStringLiteral("CSV 文件 (*.csv)");
inline const QString PdfFilter = QStringLiteral("PDF 文件 (*.pdf)");
inline const QString ExportFailed = QStringLiteral("无法写入文件 %1：%2");
inline const QString FolderMissing = QStringLiteral("文件夹不存在");
inline const QString FileReadOnly = QStringLiteral("文件只读");
inline const QString CannotWrite = QStringLiteral("无法写入");

// Status bar.
inline const QString PortClosed = QStringLiteral("串口未打开");
inline const QString PortOpen = QStringLiteral("已打开 %1");
inline const QString PortLost = QStringLiteral("已断开");
inline const QString PortReopened = QStringLiteral("已重新打开 %1");
inline const QString RunTime = QStringLiteral("运行 %1");
inline const QString Rate = QStringLiteral("%1 次/秒");

// Report.
inline const QString ReportTitle = QStringLiteral("链路监测报告");
inline const QString ReportMade = QStringLiteral("生成时间：%1");
inline const QString ReportSetup = QStringLiteral("设置");
inline const QString ReportSummary = QStringLiteral("统计");
inline const QString ReportHistogram = QStringLiteral("响应时间分布");
inline const QString ReportTrend = QStringLiteral("数值趋势");

} // namespace monitor_texts
