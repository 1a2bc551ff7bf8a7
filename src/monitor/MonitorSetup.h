#pragma once

#include "catalogue/LineLists.h"
#include "diagnosis/ListenRun.h"
#include "diagnosis/RunPlan.h"

#include <QList>
#include <QMetaType>
#include <QPair>
#include <QString>

class QSettings;

// What the set-up panel holds: the port, the line, the targets and the
// schedule of a run. Plain data, so that it can be checked and stored apart
// from the widgets.
struct MonitorSetup
{
    QString port = catalogue::defaultPortEntry(); // "COM1".."COM8" or a device path
    QString lineSettings = catalogue::defaultLineSettings();
    int functionIndex = 0; // position in the function list
    QString addresses = QStringLiteral("1");
    QString channel = QStringLiteral("01");
    int parameterPosition = 10; // position in the parameter list
    QString value = QStringLiteral("00000.0");
    int intervalMs = 0;
    int timeoutMs = 3000;
    bool checkField = true;
    bool listen = false; // listen to another master instead of polling
    QString port2;       // listening: a second port, or empty

    bool operator==(const MonitorSetup&) const = default;
};

Q_DECLARE_METATYPE(MonitorSetup)

namespace monitor {

// 1..8 for "COM1".."COM8" (any case), 0 for anything else.
int portNumberOf(const QString& port);
// The device a port text opens: the COMn mapping of the main window, or the
// text itself when it names a device.
QString deviceOf(const QString& port);

// The set-up as it was left in the last run; defaults for what is missing or
// no longer valid (an entry outside its list).
MonitorSetup loadSetup(QSettings& settings);
void saveSetup(QSettings& settings, const MonitorSetup& setup);

} // namespace monitor

namespace monitor {

// The run the set-up asks for: one target per address, round-robin, with no
// end of its own. The set-up must be valid (SetupPanel::refusal() empty).
diagnosis::RunPlan runPlanOf(const MonitorSetup& setup);
// The listen the set-up asks for: its ports, line, time-out and check.
diagnosis::ListenPlan listenPlanOf(const MonitorSetup& setup);

// The set-up as labelled lines, for the report: ("通讯口：", "COM1"), ...
QList<QPair<QString, QString>> setupLines(const MonitorSetup& setup);

} // namespace monitor
