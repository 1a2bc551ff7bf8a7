#include "platform/ConsoleOutput.h"

// Linux terminals take UTF-8 as it is.
void writeUtf8ToConsole() {}
