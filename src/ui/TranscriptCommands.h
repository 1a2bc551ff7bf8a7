#pragma once

#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "platform/PrinterAccess.h"
#include "platform/SaveFileDialog.h"

#include <QObject>
#include <QString>

class QWidget;
class Transcript;

// What the save and print commands need from the platform; tests replace
// each piece.
struct TranscriptServices
{
    SaveDialogFn saveDialog;
    Clock clock;
    MessageBoxFn messageBox;
    PrinterProvider printer;
    QString programFolder;
};

// The real dialog, clock, message box and default printer, and the folder of
// the running program.
TranscriptServices realTranscriptServices();

// "保存(&S)" and "打印(&P)": take the whole transcript out of the tool, as a
// GBK text file or on the default printer. Neither changes the transcript.
class TranscriptCommands : public QObject
{
    Q_OBJECT
public:
    TranscriptCommands(QWidget* owner, const Transcript& transcript, TranscriptServices services,
                       QObject* parent = nullptr);

public slots:
    // Proposes program folder/file/LV….txt. A cancelled dialog abandons the
    // command; a file that cannot be written is reported and left untouched.
    void save();
    void MnuSave_Click() { save(); }

    // Prints on the default printer, or says that there is none.
    void print();
    void MnuPrint_Click() { print(); }

private:
    void writeFile(const QString& path);
    void tell(QMessageBox::Icon icon, const QString& text);

    QWidget* m_owner = nullptr;
    const Transcript& m_transcript;
    TranscriptServices m_services;
};
