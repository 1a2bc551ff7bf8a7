#pragma once

#include "platform/ProgramFolder.h"

#include <QString>
#include <memory>

class QSettings;

// The file whose presence in the programs' folder makes that folder portable:
// every LinkBench program then keeps its settings in it rather than in the
// user's registry hive or ~/.config, for a technician who runs the programs
// from a USB stick on a machine where he may not install anything.
inline const QString kPortableSettingsFile = QStringLiteral("linkbench-portable.ini");

// The settings of `application`: the portable file when `folder` holds one,
// otherwise the user's own, as Qt keeps them for the organisation "LinkBench".
// The port choices are "linkbench"'s, whichever program reads them, so that
// COMn means the same device in every program.
std::unique_ptr<QSettings> openSettings(const QString& application = QStringLiteral("linkbench"),
                                        const QString& folder = programFolder());
