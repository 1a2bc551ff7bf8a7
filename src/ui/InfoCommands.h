#pragma once

#include "platform/DesktopServices.h"
#include "platform/MessageBoxes.h"
#include "ui/WindowTexts.h"

#include <QObject>
#include <QString>

class QWidget;

// Texts of the help, about and link commands.
namespace info_texts {
inline const QString kAboutText = QStringLiteral("Lanvey 1.0");
inline const QString kAboutTitle = QStringLiteral("关于...");
inline const QString kMailScheme = QStringLiteral("mailto:");
inline const QString kHelpFile = QStringLiteral("help/help.chm"); // below the program's folder
} // namespace info_texts

// What the help, about and link commands need from the platform.
struct InfoServices
{
    HelpOpenerFn openHelp;
    UrlOpenerFn openUrl;
    MessageBoxFn messageBox;
    QString programFolder;
    // The link labels' captions, read from the labels when the window wires
    // the commands, so that each target is exactly what the label shows.
    QString webAddress = windowtexts::WebAddress;
    QString mailAddress = windowtexts::MailAddress;
};

// The real help viewer, shell, message box and program folder.
InfoServices realInfoServices();

// "帮助" (F1), "关于" (F9) and the two link labels. None of them touches the
// serial line, the selections or the transcript, and none reports whether the
// viewer or the shell did what was asked.
class InfoCommands : public QObject
{
    Q_OBJECT
public:
    InfoCommands(QWidget* owner, InfoServices services, QObject* parent = nullptr);

public slots:
    // Opens program folder/help/help.chm at its default topic. The path is
    // built afresh at each press and nothing is kept between presses.
    void help();
    void about();
    void openWebLink();
    void openMailLink();

private:
    QWidget* m_owner = nullptr;
    InfoServices m_services;
};
