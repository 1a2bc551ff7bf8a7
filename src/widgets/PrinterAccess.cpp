#include "widgets/PrinterAccess.h"

#include <QPrinterInfo>

PrinterProvider defaultPrinterProvider()
{
    return []() -> std::unique_ptr<QPrinter> {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return nullptr;
        auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        // Positions are measured from the printable area's corner, which the
        // layout finds itself; full-page mode keeps Qt's own margins out of it.
        printer->setFullPage(true);
        return printer;
    };
}
