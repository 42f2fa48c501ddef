#include "app/ImageOutput.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPrinter>
#include <QStringList>

#include "app/AtomicSave.h"

namespace ImageOutput {

namespace {

// The formats a picture may be saved in, in the order the dialog offers them.
struct SaveFormat {
    const char* filterName;
    const char* format;
    const char* suffixes[2];
};

const SaveFormat saveFormats[] = {{"Jpeg Files", "JPEG", {"jpg", "jpeg"}},
                                  {"Gif Files", "GIF", {"gif", nullptr}},
                                  {"Bmp Files", "BMP", {"bmp", nullptr}},
                                  {"Png Files", "PNG", {"png", nullptr}}};

// The image writer's plug-ins decide what can be written: a toolkit built
// without a GIF writer reads GIF files but cannot save them.
bool writable(const SaveFormat& f) {
    return QImageWriter::supportedImageFormats().contains(QByteArray(f.format).toLower());
}

} // namespace

QByteArray formatForFile(const QString& file) {
    const QString suffix = QFileInfo(file).suffix().toLower();
    for (const SaveFormat& f : saveFormats)
        for (const char* s : f.suffixes)
            if (s && suffix == QLatin1String(s))
                return writable(f) ? QByteArray(f.format) : QByteArray();
    return QByteArray();
}

QString saveFilter() {
    QStringList filters;
    for (const SaveFormat& f : saveFormats) {
        if (!writable(f))
            continue;
        QStringList patterns;
        for (const char* s : f.suffixes)
            if (s)
                patterns << QStringLiteral("*.") + QLatin1String(s);
        filters << QStringLiteral("%1 (%2)").arg(QLatin1String(f.filterName), patterns.join(' '));
    }
    return filters.join(QStringLiteral(";;"));
}

namespace {

// ".jpg, .jpeg, .bmp or .png": the extensions a picture can be saved under.
QString writableSuffixes() {
    QStringList suffixes;
    for (const SaveFormat& f : saveFormats)
        if (writable(f))
            for (const char* s : f.suffixes)
                if (s)
                    suffixes << QStringLiteral(".") + QLatin1String(s);
    const QString last = suffixes.isEmpty() ? QString() : suffixes.takeLast();
    return suffixes.isEmpty() ? last
                              : QCoreApplication::translate("ImageOutput", "%1 or %2")
                                    .arg(suffixes.join(QStringLiteral(", ")), last);
}

} // namespace

bool save(const QImage& image, const QString& file, QString* error) {
    const QByteArray format = formatForFile(file);
    if (format.isEmpty()) {
        *error =
            QCoreApplication::translate("ImageOutput", "The name has none of the extensions %1.")
                .arg(writableSuffixes());
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
