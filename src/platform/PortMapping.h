#pragma once

#include <QString>

// The device that port entry COMn opens: the value of LINKBENCH_COMn when that
// variable is set and not empty, otherwise "COMn" on Windows and /dev/ttyS(n-1)
// elsewhere. The window shows it in the port list's tooltip.
QString deviceForPort(int portNumber);
