#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// What the save command hands to the file-save dialog.
struct SaveDialogRequest
{
    QString initialFolder;
    QString proposedName;    // a bare file name, without a folder
    QStringList nameFilters; // in Qt's form, the first one preselected
    QString title = {};      // empty: Qt's own caption
};

// Shows a modal save dialog owned by `owner` and returns the full path the
// operator chose, or an empty text when the dialog was cancelled.
using SaveDialogFn = std::function<QString(QWidget* owner, const SaveDialogRequest&)>;

// Qt's own (non-native) file dialog in save mode. It asks before replacing an
// existing file; a missing initial folder makes it start in the current one.
SaveDialogFn realSaveDialog();
