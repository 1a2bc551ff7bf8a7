#pragma once

#include "platform/PortMapping.h"

#include <QString>

// What --list-ports prints (the window's program and linkbench-poll): each real
// port found with its stable name, description, maker, vendor:product, serial
// number, latency timer and state, then the device of COM1 to COM8 and where
// it came from.
QString portListingText(const PortMappingInput& input);
