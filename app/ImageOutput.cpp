#include "app/ImageOutput.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>

#include "app/AtomicSave.h"

namespace ImageOutput {

QByteArray formatForFile(const QString& file) {
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return "JPEG";
    if (suffix == QLatin1String("gif"))
        return "GIF";
    if (suffix == QLatin1String("bmp"))
        return "BMP";
    if (suffix == QLatin1String("png"))
        return "PNG";
    return QByteArray();
}

QString withFilterExtension(const QString& file, const QString& filter) {
    if (file.isEmpty() || QFileInfo(file).fileName().contains(QLatin1Char('.')))
        return file;
    static const QRegularExpression firstExtension(QStringLiteral("\\*(\\.\\w+)"));
    const QRegularExpressionMatch match = firstExtension.match(filter);
    return match.hasMatch() ? file + match.captured(1) : file;
}

bool save(const QImage& image, const QString& file, QString* error) {
    const QByteArray format = formatForFile(file);
    if (format.isEmpty()) {
        *error = QCoreApplication::translate(
            "ImageOutput", "The name has none of the extensions .jpg, .jpeg, .gif, .bmp or .png.");
        return false;
    }
    if (image.isNull()) {
        *error = QCoreApplication::translate("ImageOutput", "There is no picture to save.");
        return false;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image)) {
        *error = writer.errorString();
        return false;
    }
    return saveAtomically(file, bytes, error);
}

bool print(const QImage& image, QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.drawImage(0, 0, image);
    return painter.end();
}

} // namespace ImageOutput
