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

// Does what the arguments ask when that needs no window, and returns the exit
// code (0, or 2 for a refused command line); nothing when the window should open.
std::optional<int> runCommandLine(int argc, char* argv[]);
