#pragma once

#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "protocol/ModuleVars.h"
#include "ui/InfoCommands.h"
#include "ui/TranscriptCommands.h"

#include <memory>

class ComTest;
class SerialLine;

// The start-up module: owns the variables shared by the exchange, the serial
// line and the window, and brings them up in a fixed order.
class TEXT
{
public:
    TEXT(std::unique_ptr<SerialLine> line, Clock clock, MessageBoxFn messageBox);
    // With the save, print, help, about and link services given (tests replace them).
    TEXT(std::unique_ptr<SerialLine> line, Clock clock, MessageBoxFn messageBox,
         TranscriptServices transcriptServices, InfoServices infoServices);
    ~TEXT();
    TEXT(const TEXT&) = delete;
    TEXT& operator=(const TEXT&) = delete;

    // The whole start-up: setDefaults(), createWindow(), selectDefaults(), showWindow().
    void startUp();

    // The steps, public so that a test can look between them.
    void setDefaults();
    void createWindow();
    void selectDefaults();
    void showWindow();

    ModuleVars& vars() { return m_vars; }
    SerialLine& line() { return *m_line; }
    ComTest& window() { return *m_window; }
    TranscriptCommands& transcriptCommands() { return *m_transcriptCommands; }
    InfoCommands& infoCommands() { return *m_infoCommands; }

private:
    // Save, print, help, about and the links, connected to the window's menu and labels.
    void wireCommands();

    ModuleVars m_vars;
    std::unique_ptr<SerialLine> m_line;
    Clock m_clock;
    MessageBoxFn m_messageBox;
    TranscriptServices m_transcriptServices;
    InfoServices m_infoServices;
    std::unique_ptr<ComTest> m_window;
    std::unique_ptr<TranscriptCommands> m_transcriptCommands;
    std::unique_ptr<InfoCommands> m_infoCommands;
};
