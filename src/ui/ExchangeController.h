#pragma once

#include "platform/Clock.h"
#include "protocol/CommandFrames.h"
#include "protocol/ModuleVars.h"
#include "protocol/TranscriptEntry.h"
#include "widgets/MessageBoxes.h"

#include <QObject>
#include <optional>

class QComboBox;
class QTimer;
class QWidget;
class SerialLine;
class TranscriptPane;

// One exchange with an instrument: sending a composed command, gathering the
// answer from the serial line, and the reply time-out. It reads the function
// and parameter lists afresh whenever an entry is written, because the
// selection current at that moment chooses the entry's layout.
class ExchangeController : public QObject
{
    Q_OBJECT
public:
    struct Parts
    {
        QWidget* window = nullptr;
        ModuleVars* vars = nullptr;
        SerialLine* line = nullptr;
        QTimer* replyTimer = nullptr; // Timer2
        TranscriptPane* pane = nullptr;
        const QComboBox* functionList = nullptr;  // Combo5
        const QComboBox* parameterList = nullptr; // Combo8
        Clock clock;
        MessageBoxFn messageBox;
    };

    explicit ExchangeController(Parts parts);

    // Composes the command from `selection`, prepares port `portNumber` with the
    // line-settings text `settings`, writes the frame, arms the reply timer and
    // stamps the exchange. When the port cannot be opened, says so in a message
    // box and returns false: nothing is sent, the timer is not armed and the
    // module variables keep describing the previous command.
    bool send(const frames::Selection& selection, int portNumber, const QString& settings);

    // The serial line's notification with its event code.
    void onNotification(int eventCode);
    // Timer2's tick: the time-out entry, then the timer is disarmed.
    void onReplyTimeout();

private:
    bool preparePort(int portNumber, const QString& settings);
    // Puts the entry a rule gave, if any, on top of the transcript.
    void show(const std::optional<TranscriptEntry>& entry);

    Parts m_parts;
};
