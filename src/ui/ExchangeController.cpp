#include "ui/ExchangeController.h"

#include "platform/PortTexts.h"
#include "platform/SerialLine.h"
#include "protocol/ReplyDecoding.h"
#include "protocol/ReplyReception.h"
#include "protocol/SendStamp.h"
#include "protocol/TimeoutEntry.h"
#include "ui/TranscriptPane.h"
#include "ui/WindowTexts.h"
#include "wire/ControlChars.h"

#include <QComboBox>
#include <QTimer>

ExchangeController::ExchangeController(Parts parts)
    : QObject(parts.window), m_parts(std::move(parts))
{
}

bool ExchangeController::send(const frames::Selection& selection, int portNumber,
                              const QString& settings)
{
    // The fields are composed before the port is touched, but they become the
    // description of the command last sent only once the port has opened.
    ModuleVars composed = *m_parts.vars;
    frames::compose(composed, selection);
    if (!preparePort(portNumber, settings))
        return false;
    *m_parts.vars = std::move(composed);

    // Frames hold ASCII and control characters only: one byte per character.
    m_parts.line->write(m_parts.vars->SentFrame.toLatin1());
    m_parts.replyTimer->start(); // a second send counts the time afresh
    m_parts.vars->StampText = sendStamp(m_parts.clock());
    return true;
}

bool ExchangeController::preparePort(int portNumber, const QString& settings)
{
    SerialLine& line = *m_parts.line;
    if (line.isOpen())
        line.close();
    QString reason;
    if (!line.open(portNumber, settings, &reason)) {
        m_parts.messageBox(m_parts.window,
                           applicationNotice(port_texts::CannotOpen.arg(
                                                 QStringLiteral("COM%1").arg(portNumber), reason),
                                             QMessageBox::Warning));
        return false;
    }
    line.clearBuffers();
    return true;
}

void ExchangeController::onNotification(int eventCode)
{
    ModuleVars& vars = *m_parts.vars;
    if (!reception::wantsChunk(vars, eventCode))
        return;
    // Each received byte becomes one character.
    const QString chunk = QString::fromLatin1(m_parts.line->readAll());
    const reception::Outcome outcome = reception::takeChunk(vars, chunk);
    const QString parameterText = m_parts.parameterList->currentText();
    if (outcome.decode) {
        show(JieXi(vars, m_parts.functionList->currentIndex(), parameterText,
                   m_parts.pane->isTranscriptEmpty()));
    }
    for (const reception::Verdict verdict : outcome.verdicts)
        show(acknowledgementEntry(vars, parameterText, verdict));
    if (outcome.timerOff)
        m_parts.replyTimer->stop();
}

void ExchangeController::onReplyTimeout()
{
    show(timeoutEntry(*m_parts.vars, m_parts.functionList->currentIndex(),
                      m_parts.parameterList->currentText()));
    m_parts.replyTimer->stop();
}

void ExchangeController::show(const std::optional<TranscriptEntry>& entry)
{
    if (entry)
        m_parts.pane->putOnTop(*entry);
}
