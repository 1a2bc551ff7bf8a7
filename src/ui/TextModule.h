#pragma once

#include "protocol/ModuleVars.h"
#include "widgets/PlatformServices.h"

#include <memory>

class ComTest;
class SerialLine;

// The start-up module: owns the variables shared by the exchange, the serial
// line and the window, and brings them up in a fixed order.
class TEXT
{
public:
    TEXT(std::unique_ptr<SerialLine> line, PlatformServices services);
    ~TEXT();
    TEXT(const TEXT&) = delete;
    TEXT& operator=(const TEXT&) = delete;

    // The whole start-up: createWindow(), selectDefaults(), showWindow().
    void startUp();

    // The steps, public so that a test can look between them.
    void createWindow();
    void selectDefaults();
    void showWindow();

    ModuleVars& vars() { return m_vars; }
    SerialLine& line() { return *m_line; }
    ComTest& window() { return *m_window; }

private:
    // The control characters, LineEnd and the first address and channel
    // fields are the variables' own initial values (ModuleVars.h).
    ModuleVars m_vars;
    std::unique_ptr<SerialLine> m_line;
    PlatformServices m_services;
    std::unique_ptr<ComTest> m_window;
};
