#include "ui/FileChooser.h"

#include <QFileDialog>

FileChoice askWithDialog(QWidget* parent, const FileQuestion& question) {
    QFileDialog dialog(parent, question.caption, question.directory, question.filter);
    if (!question.objectName.isEmpty())
        dialog.setObjectName(question.objectName);
    const bool open = question.mode == FileQuestion::Mode::Open;
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().first(), dialog.selectedNameFilter()};
}
