#include "ui/FileChooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// "png" for "Png Files (*.png)"; empty for a filter without an extension.
QString firstExtension(const QString& filter) {
    static const QRegularExpression extension(QStringLiteral("\\*\\.(\\w+)"));
    return extension.match(filter).captured(1);
}

} // namespace

FileChoice askWithDialog(QWidget* parent, const FileQuestion& question) {
    QFileDialog dialog(parent, question.caption, question.directory, question.filter);
    if (!question.objectName.isEmpty())
        dialog.setObjectName(question.objectName);
    const bool open = question.mode == FileQuestion::Mode::Open;
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    if (!open) {
        const auto followFilter = [&dialog](const QString& filter) {
            dialog.setDefaultSuffix(firstExtension(filter));
        };
        followFilter(dialog.selectedNameFilter());
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().first(), dialog.selectedNameFilter()};
}

QString withFilterExtension(const QString& file, const QString& filter) {
    if (file.isEmpty() || QFileInfo(file).fileName().contains(QLatin1Char('.')))
        return file;
    const QString extension = firstExtension(filter);
    return extension.isEmpty() ? file : file + QLatin1Char('.') + extension;
}
