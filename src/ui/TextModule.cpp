#include "ui/TextModule.h"

#include "catalogue/LineLists.h"
#include "platform/SerialLine.h"
#include "ui/ComTest.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>

TEXT::TEXT(std::unique_ptr<SerialLine> line, Clock clock, MessageBoxFn messageBox)
    : m_line(std::move(line)), m_clock(std::move(clock)), m_messageBox(std::move(messageBox))
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
