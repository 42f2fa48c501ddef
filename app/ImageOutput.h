// Where a picture of the simulation goes: an image file, in the format its
// name's last extension names, or a printer's first page.
#pragma once

#include <QByteArray>
#include <QString>

class QImage;
class QPrinter;

namespace ImageOutput {

// The writer's format for the file's last extension, in any case: "JPEG" for
// .jpg and .jpeg, "GIF", "BMP" and "PNG"; empty for any other name, and for a
// format the image writer cannot write.
QByteArray formatForFile(const QString& file);

// The save dialog's filter: "Jpeg Files (*.jpg *.jpeg);;Gif Files (*.gif);;
// Bmp Files (*.bmp);;Png Files (*.png)", less the formats the image writer
// cannot write.
QString saveFilter();

// Writes the image in the format its name asks for. An existing file is
// replaced only once the new one is complete. On failure answers false with
// the reason in error (an unknown extension, or why the write failed).
bool save(const QImage& image, const QString& file, QString* error);

// Paints the image unscaled at the top left of the printer's first page; the
// job ends when this returns. False when the printer cannot be started.
bool print(const QImage& image, QPrinter& printer);

} // namespace ImageOutput
