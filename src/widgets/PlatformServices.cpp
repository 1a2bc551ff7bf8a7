#include "widgets/PlatformServices.h"

#include "platform/ProgramFolder.h"

PlatformServices realPlatformServices()
{
    return {systemClock(),    realMessageBox(), realSaveDialog(), defaultPrinterProvider(),
            realHelpOpener(), realUrlOpener(),  programFolder()};
}
