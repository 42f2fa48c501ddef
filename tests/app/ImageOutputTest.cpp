// Saving and printing a picture of the view: the format by the last
// extension, failures reported and old files kept, one printed page.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QStringList>

#include "app/ImageOutput.h"
#include "support/TestEnv.h"
#include "ui/FileChooser.h"

namespace {

QImage picture() {
    QImage image(32, 24, QImage::Format_RGB32);
    image.fill(qRgb(200, 40, 10));
    image.setPixel(3, 4, qRgb(0, 255, 0));
    return image;
}

QByteArray contents(const std::string& file) {
    QFile f(QString::fromStdString(file));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(ImageOutput, TheLastExtensionChoosesTheFormatInAnyCase) {
    const std::pair<const char*, const char*> table[] = {
        {"view.jpg", "JPEG"},
        {"view.jpeg", "JPEG"},
        {"VIEW.JPG", "JPEG"},
        {"view.bmp", "BMP"},
        {"view.png", "PNG"},
        {"view.PNG", "PNG"},
        {"/tmp/a.b/view.Bmp", "BMP"},
        // Only the last extension counts, and only the file's own.
        {"view.jpg.bmp", "BMP"},
        {"view.png.txt", ""},
        {"view", ""},
        {"shots.png/view", ""},
        {"view.", ""},
        {"view.tiff", ""}};
    for (const auto& [file, format] : table)
        EXPECT_EQ(ImageOutput::formatForFile(file), QByteArray(format)) << file;
    // GIF only where the image writer has a plug-in for it.
    const bool gif = QImageWriter::supportedImageFormats().contains("gif");
    EXPECT_EQ(ImageOutput::formatForFile("view.gif"), gif ? QByteArray("GIF") : QByteArray());
}

TEST(ImageOutput, TheSaveFilterOffersWhatTheWriterWrites) {
    const QString filter = ImageOutput::saveFilter();
    const QStringList offered = filter.split(";;");
    ASSERT_FALSE(offered.isEmpty());
    // Every format the dialog offers can be written, in every extension it names.
    static const QRegularExpression pattern("\\*\\.(\\w+)");
    int extensions = 0;
    for (auto it = pattern.globalMatch(filter); it.hasNext(); ++extensions) {
        const QString suffix = it.next().captured(1);
        const QByteArray format = ImageOutput::formatForFile("view." + suffix);
        EXPECT_FALSE(format.isEmpty()) << suffix.toStdString();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, format);
        EXPECT_TRUE(writer.write(picture()))
            << suffix.toStdString() << ": " << writer.errorString().toStdString();
    }
    EXPECT_EQ(extensions, filter.count("*."));
    // The usual formats stay, in their order.
    EXPECT_TRUE(filter.startsWith("Jpeg Files (*.jpg *.jpeg);;")) << filter.toStdString();
    EXPECT_TRUE(filter.endsWith(";;Bmp Files (*.bmp);;Png Files (*.png)")) << filter.toStdString();
    EXPECT_EQ(filter.contains("Gif Files (*.gif)"),
              QImageWriter::supportedImageFormats().contains("gif"));
}

TEST(ImageOutput, ANameWithoutExtensionGetsTheChosenFormats) {
    const char* const png = "Png Files (*.png)";
    const char* const jpeg = "Jpeg Files (*.jpg *.jpeg)";
    EXPECT_EQ(withFilterExtension("/tmp/a.b/view", png), "/tmp/a.b/view.png");
    EXPECT_EQ(withFilterExtension("view", jpeg), "view.jpg");
    EXPECT_EQ(ImageOutput::formatForFile(withFilterExtension("view", jpeg)), "JPEG");
    // A name the user gave an extension keeps it, even a wrong one.
    EXPECT_EQ(withFilterExtension("view.bmp", png), "view.bmp");
    EXPECT_EQ(withFilterExtension("view.txt", png), "view.txt");
    EXPECT_EQ(withFilterExtension("view.", png), "view.");
    // No filter chosen, or a cancelled dialog: nothing to add.
    EXPECT_EQ(withFilterExtension("view", ""), "view");
    EXPECT_EQ(withFilterExtension("", png), "");
}

TEST(ImageOutput, APngComesBackPixelForPixel) {
    orvextest::TempDir dir;
    const QString file = QString::fromStdString(dir.file("view.PNG"));
    QString error;
    ASSERT_TRUE(ImageOutput::save(picture(), file, &error)) << error.toStdString();
    QImage back(file, "PNG");
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), picture());

    const QString jpeg = QString::fromStdString(dir.file("view.png.jpg"));
    ASSERT_TRUE(ImageOutput::save(picture(), jpeg, &error));
    EXPECT_TRUE(contents(dir.file("view.png.jpg")).startsWith("\xff\xd8"));
}

TEST(ImageOutput, FailuresAreReportedAndLeaveOldFilesAlone) {
    orvextest::TempDir dir;
    QString error;
    // No image extension: nothing written.
    EXPECT_FALSE(
        ImageOutput::save(picture(), QString::fromStdString(dir.file("view.txt")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(dir.file("view.txt"))));

    // A format the toolkit does not write (here no GIF writer, and never
    // TIFF): the old file stays as it was, and the report names what can be.
    const char* kept =
        QImageWriter::supportedImageFormats().contains("gif") ? "keep.tiff" : "keep.gif";
    {
        QFile old(QString::fromStdString(dir.file(kept)));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old picture");
    }
    error.clear();
    EXPECT_FALSE(ImageOutput::save(picture(), QString::fromStdString(dir.file(kept)), &error));
    EXPECT_TRUE(error.startsWith("The name has none of the extensions .jpg, .jpeg, "))
        << error.toStdString();
    EXPECT_TRUE(error.endsWith(".bmp or .png.")) << error.toStdString();
    EXPECT_EQ(error.contains(".gif"), QImageWriter::supportedImageFormats().contains("gif"));
    EXPECT_EQ(contents(dir.file(kept)), QByteArray("old picture"));

    // A directory that is not there, and no picture at all.
    error.clear();
    EXPECT_FALSE(
        ImageOutput::save(picture(), QString::fromStdString(dir.file("none/view.png")), &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(ImageOutput::save(QImage(), QString::fromStdString(dir.file("v.png")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(dir.file("v.png"))));
}

TEST(ImageOutput, PrintingToAPdfGivesOnePage) {
    orvextest::TempDir dir;
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir.file("view.pdf")));
    ASSERT_TRUE(ImageOutput::print(picture(), printer));
    const QByteArray pdf = contents(dir.file("view.pdf"));
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 1);
    EXPECT_EQ(pdf.count("/Subtype /Image"), 1);
}
