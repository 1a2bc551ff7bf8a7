#include "platform/ConsoleOutput.h"

#include <windows.h>

void writeUtf8ToConsole()
{
    // Fails harmlessly when the program has no console (its output redirected).
    SetConsoleOutputCP(CP_UTF8);
}
