#include "ui/InfoCommands.h"

#include "platform/ProgramFolder.h"

InfoCommands::InfoCommands(QWidget* owner, PlatformServices services, QString webAddress,
                           QString mailAddress, QObject* parent)
    : QObject(parent), m_owner(owner), m_services(std::move(services)),
      m_webAddress(std::move(webAddress)), m_mailAddress(std::move(mailAddress))
{
}

void InfoCommands::help()
{
    m_services.openHelp(m_owner, programSubPath(m_services.programFolder, info_texts::HelpFile));
}

void InfoCommands::about()
{
    MessageRequest request;
    request.icon = QMessageBox::Information;
    request.title = info_texts::AboutTitle;
    request.text = info_texts::AboutText;
    request.buttons = QMessageBox::Ok;
    m_services.messageBox(m_owner, request);
}

void InfoCommands::openWebLink()
{
    m_services.openUrl(m_owner, m_webAddress);
}

void InfoCommands::openMailLink()
{
    m_services.openUrl(m_owner, info_texts::MailScheme + m_mailAddress);
}
