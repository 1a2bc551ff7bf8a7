#include "ui/TextModule.h"

#include "catalogue/LineLists.h"
#include "platform/SerialLine.h"
#include "ui/ComTest.h"
#include "ui/LinkLabel.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>

namespace {

TranscriptServices transcriptServicesWith(const Clock& clock, const MessageBoxFn& messageBox)
{
    TranscriptServices services = realTranscriptServices();
    services.clock = clock;
    services.messageBox = messageBox;
    return services;
}

InfoServices infoServicesWith(const MessageBoxFn& messageBox)
{
    InfoServices services = realInfoServices();
    services.messageBox = messageBox;
    return services;
}

} // namespace

TEXT::TEXT(std::unique_ptr<SerialLine> line, Clock clock, MessageBoxFn messageBox)
    : TEXT(std::move(line), clock, messageBox, transcriptServicesWith(clock, messageBox),
           infoServicesWith(messageBox))
{
}

TEXT::TEXT(std::unique_ptr<SerialLine> line, Clock clock, MessageBoxFn messageBox,
           TranscriptServices transcriptServices, InfoServices infoServices)
    : m_line(std::move(line)), m_clock(std::move(clock)), m_messageBox(std::move(messageBox)),
      m_transcriptServices(std::move(transcriptServices)), m_infoServices(std::move(infoServices))
{
    m_line->setObjectName(QStringLiteral("MSComm1"));
}

TEXT::~TEXT() = default;

void TEXT::startUp()
{
    setDefaults();
    createWindow();
    selectDefaults();
    showWindow();
}

void TEXT::setDefaults()
{
    // The control characters and LineEnd are compile-time constants
    // (protocol/ControlChars.h), so they are set before anything runs.
    m_vars.InstrAddr = QStringLiteral("001");
    m_vars.ChannelNo = QStringLiteral("01");
}

void TEXT::createWindow()
{
    m_window = std::make_unique<ComTest>(m_vars, *m_line, m_clock, m_messageBox);
    wireCommands();
}

void TEXT::wireCommands()
{
    ComTest& w = *m_window;
    m_transcriptCommands =
        std::make_unique<TranscriptCommands>(&w, w.transcript(), m_transcriptServices);
    QObject::connect(w.MnuSave, &QAction::triggered, m_transcriptCommands.get(),
                     &TranscriptCommands::save);
    QObject::connect(w.MnuPrint, &QAction::triggered, m_transcriptCommands.get(),
                     &TranscriptCommands::print);

    // Each link's target is built from what its label shows.
    InfoServices info = m_infoServices;
    info.webAddress = w.Label14->text();
    info.mailAddress = w.Label15->text();
    m_infoCommands = std::make_unique<InfoCommands>(&w, info);
    QObject::connect(w.MnuHelp, &QAction::triggered, m_infoCommands.get(), &InfoCommands::help);
    QObject::connect(w.MnuAbout, &QAction::triggered, m_infoCommands.get(), &InfoCommands::about);
    QObject::connect(w.Label14, &LinkLabel::clicked, m_infoCommands.get(),
                     &InfoCommands::openWebLink);
    QObject::connect(w.Label15, &LinkLabel::clicked, m_infoCommands.get(),
                     &InfoCommands::openMailLink);
}

void TEXT::selectDefaults()
{
    // One list after the other in this order; selecting the function raises
    // its handler as if the operator had picked the entry.
    ComTest& w = *m_window;
    w.Combo2->setCurrentIndex(catalogue::kDefaultPortPosition);
    w.Combo3->setCurrentIndex(catalogue::kDefaultLineSettingPosition);
    w.Combo7->setCurrentIndex(catalogue::kDefaultChannelPosition);
    w.Combo6->setCurrentIndex(catalogue::kDefaultAddressPosition);
    w.Combo5->setCurrentIndex(0);
}

void TEXT::showWindow()
{
    ComTest& w = *m_window;
    w.Combo5->setFocus();
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        w.show();
        return;
    }
    const QPoint centre = screen->availableGeometry().center();
    // The frame's size is known only once the window is shown: place the
    // client area first, then correct by the frame the system has added.
    w.move(centre - w.rect().center());
    w.show();
    w.move(w.pos() + centre - w.frameGeometry().center());
}
