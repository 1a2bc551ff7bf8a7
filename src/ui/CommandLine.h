#pragma once

#include "platform/PortMapping.h"

#include <QString>
#include <QStringList>
#include <optional>

// What the program's arguments ask for.
struct CommandLineRequest
{
    enum class Action { OpenWindow, ListPorts, Help, Version, Refuse };
    Action action = Action::OpenWindow;
    QString text; // Help: the help text; Refuse: the message
};

// Reads the arguments (the program's name first). Qt's own window options
// (-platform, -style, ...) pass through to the window.
CommandLineRequest readCommandLine(const QStringList& arguments);

// What --list-ports prints: each real port found with its stable name,
// description, maker, vendor:product, serial number and state, then the
// device of COM1 to COM8 and where it came from.
QString portListingText(const PortMappingInput& input);

// Does what the arguments ask when that needs no window, and returns the exit
// code (0, or 2 for a refused command line); nothing when the window should open.
std::optional<int> runCommandLine(int argc, char* argv[]);
