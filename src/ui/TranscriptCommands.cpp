#include "ui/TranscriptCommands.h"

#include "platform/ProgramFolder.h"
#include "transcript/Transcript.h"
#include "transcript/TranscriptEncoding.h"
#include "transcript/TranscriptFileName.h"
#include "transcript/TranscriptTexts.h"
#include "widgets/TranscriptPrintLayout.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace {

// QSaveFile says "Unknown error" when it cannot create its temporary file, and
// so does a write that stopped part-way on a full disk, so the three usual
// causes are named here; any other keeps the system's words.
QString failureReason(const QString& path, const QSaveFile& file, qint64 bytesToWrite)
{
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.exists())
        return transcript_texts::FolderMissing;
    if (!folder.isDir())
        return transcript_texts::NotAFolder;
    if (QStorageInfo(folder.absoluteFilePath()).bytesAvailable() < bytesToWrite)
        return transcript_texts::DiskFull;
    return file.errorString();
}

QString failureText(const QString& path, const QString& reason)
{
    return transcript_texts::SaveFailed + QLatin1Char('\n') + QDir::toNativeSeparators(path) +
           QStringLiteral("：") + reason;
}

} // namespace

TranscriptCommands::TranscriptCommands(QWidget* owner, const Transcript& transcript,
                                       PlatformServices services, QObject* parent)
    : QObject(parent), m_owner(owner), m_transcript(transcript), m_services(std::move(services))
{
}

void TranscriptCommands::save()
{
    SaveDialogRequest request;
    request.initialFolder = programSubPath(m_services.programFolder, QStringLiteral("file"));
    request.proposedName = proposedTranscriptFileName(m_services.clock());
    request.nameFilters = nameFiltersFromFilterText(transcript_texts::SaveFilter);

    const QString path = m_services.saveDialog(m_owner, request);
    if (path.isEmpty())
        return; // cancelled: nothing is written anywhere
    writeFile(path);
}

void TranscriptCommands::writeFile(const QString& path)
{
    // Read after the dialog has closed, so the file holds the text of this moment.
    const std::optional<TranscriptFileContent> content = transcriptFileContent(m_transcript.text());
    if (!content) {
        tell(QMessageBox::Warning, failureText(path, transcript_texts::NoGbkEncoder));
        return;
    }

    // Written beside the target and renamed over it only when complete, so a
    // failed save leaves an existing file as it was. The flush is checked on its
    // own: Qt 6.4's commit() returns true when the bytes still in its buffer
    // cannot be written (a full disk), renaming a short file over the old one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content->bytes) != content->bytes.size() ||
        !file.flush() || !file.commit()) {
        const QString reason = failureReason(path, file, content->bytes.size());
        file.cancelWriting();
        tell(QMessageBox::Warning, failureText(path, reason));
        return;
    }
    if (content->substituted > 0) {
        tell(QMessageBox::Warning, transcript_texts::CharactersSubstituted.arg(content->substituted)
                                       .arg(QDir::toNativeSeparators(path)));
    }
}

void TranscriptCommands::print()
{
    const std::unique_ptr<QPrinter> printer = m_services.printer();
    if (!printer) {
        tell(QMessageBox::Warning, transcript_texts::NoPrinter);
        return;
    }
    if (!printTranscript(*printer, m_transcript.text()))
        tell(QMessageBox::Warning, transcript_texts::PrintFailed);
}

void TranscriptCommands::tell(QMessageBox::Icon icon, const QString& text)
{
    m_services.messageBox(m_owner, applicationNotice(text, icon));
}
