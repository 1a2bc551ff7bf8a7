#pragma once

#include <QString>

namespace diagnosis {

// The device a port text names: "COM1".."COM8" by the tool's port mapping,
// anything else taken as a device path. Every diagnosis run opens its line
// on the device named here.
QString deviceForPortText(const QString& portText);

} // namespace diagnosis
