#include "ui/InfoCommands.h"

#include "platform/ProgramFolder.h"

InfoServices realInfoServices()
{
    InfoServices services;
    services.openHelp = realHelpOpener();
    services.openUrl = realUrlOpener();
    services.messageBox = realMessageBox();
    services.programFolder = programFolder();
    return services;
}

InfoCommands::InfoCommands(QWidget* owner, InfoServices services, QObject* parent)
    : QObject(parent), m_owner(owner), m_services(std::move(services))
{
}

void InfoCommands::help()
{
    m_services.openHelp(m_owner, programSubPath(m_services.programFolder, info_texts::kHelpFile));
}

void InfoCommands::about()
{
    MessageRequest request;
    request.icon = QMessageBox::Information;
    request.title = info_texts::kAboutTitle;
    request.text = info_texts::kAboutText;
    request.buttons = QMessageBox::Ok;
    m_services.messageBox(m_owner, request);
}

void InfoCommands::openWebLink()
{
    m_services.openUrl(m_owner, m_services.webAddress);
}

void InfoCommands::openMailLink()
{
    m_services.openUrl(m_owner, info_texts::kMailScheme + m_services.mailAddress);
}
