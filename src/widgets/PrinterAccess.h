#pragma once

#include <QPrinter>
#include <functional>
#include <memory>

// Hands out the printer a print job goes to, or null when there is none.
using PrinterProvider = std::function<std::unique_ptr<QPrinter>()>;

// The system's default printer in full-page mode, one copy, no dialog. Null
// when no printer is installed: a default-constructed QPrinter would silently
// become a PDF writer without a file name instead.
PrinterProvider defaultPrinterProvider();
