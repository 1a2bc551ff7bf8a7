#pragma once

#include "widgets/PlatformServices.h"

#include <QObject>
#include <QString>

class QWidget;
class Transcript;

// "保存(&S)" and "打印(&P)": take the whole transcript out of the tool, as a
// GBK text file or on the default printer. Neither changes the transcript.
class TranscriptCommands : public QObject
{
    Q_OBJECT
public:
    TranscriptCommands(QWidget* owner, const Transcript& transcript, PlatformServices services,
                       QObject* parent = nullptr);

public slots:
    // Proposes program folder/file/LV….txt. A cancelled dialog abandons the
    // command; a file that cannot be written is reported and left untouched.
    void save();

    // Prints on the default printer, or says that there is none.
    void print();

private:
    void writeFile(const QString& path);
    void tell(QMessageBox::Icon icon, const QString& text);

    QWidget* m_owner = nullptr;
    const Transcript& m_transcript;
    PlatformServices m_services;
};
