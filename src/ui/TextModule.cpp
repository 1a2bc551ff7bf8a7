#include "ui/TextModule.h"

#include "catalogue/LineLists.h"
#include "platform/SerialLine.h"
#include "ui/ComTest.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>

TEXT::TEXT(std::unique_ptr<SerialLine> line, PlatformServices services)
    : m_line(std::move(line)), m_services(std::move(services))
{
    m_line->setObjectName(QStringLiteral("MSComm1"));
}

TEXT::~TEXT() = default;

void TEXT::startUp()
{
    createWindow();
    selectDefaults();
    showWindow();
}

void TEXT::createWindow()
{
    m_window = std::make_unique<ComTest>(m_vars, *m_line, m_services);
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
