#pragma once

#include "widgets/PlatformServices.h"

#include <QObject>
#include <QString>

class QWidget;

// Texts of the help, about and link commands.
namespace info_texts {
inline const QString AboutText = QStringLiteral("Lanvey 1.0");
inline const QString AboutTitle = QStringLiteral("关于...");
inline const QString MailScheme = QStringLiteral("mailto:");
inline const QString HelpFile = QStringLiteral("help/help.chm"); // below the program's folder
} // namespace info_texts

// "帮助" (F1), "关于" (F9) and the two link labels. None of them touches the
// serial line, the selections or the transcript, and none reports whether the
// viewer or the shell did what was asked.
class InfoCommands : public QObject
{
    Q_OBJECT
public:
    // `webAddress` and `mailAddress` are the link labels' captions, so that
    // each target is exactly what its label shows.
    InfoCommands(QWidget* owner, PlatformServices services, QString webAddress, QString mailAddress,
                 QObject* parent = nullptr);

public slots:
    // Opens program folder/help/help.chm at its default topic. The path is
    // built afresh at each press and nothing is kept between presses.
    void help();
    void about();
    void openWebLink();
    void openMailLink();

private:
    QWidget* m_owner = nullptr;
    PlatformServices m_services;
    QString m_webAddress;
    QString m_mailAddress;
};
