#include "widgets/SaveFileDialog.h"

#include <QFileDialog>

SaveDialogFn realSaveDialog()
{
    return [](QWidget* owner, const SaveDialogRequest& request) {
        QFileDialog dialog(owner);
        // The widget dialog looks the same everywhere, speaks Chinese through the
        // Qt translator loaded at start-up, and can be driven by tests.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        if (!request.title.isEmpty())
            dialog.setWindowTitle(request.title);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDirectory(request.initialFolder);
        dialog.setNameFilters(request.nameFilters);
        if (!request.nameFilters.isEmpty())
            dialog.selectNameFilter(request.nameFilters.first());
        dialog.selectFile(request.proposedName);
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        return dialog.selectedFiles().value(0);
    };
}
