// Saving and printing a picture of the view: the format by the last
// extension, failures reported and old files kept, one printed page.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>

#include "app/ImageOutput.h"
#include "support/TestEnv.h"

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
        {"view.gif", "GIF"},
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
}

TEST(ImageOutput, ANameWithoutExtensionGetsTheChosenFormats) {
    const char* const png = "Png Files (*.png)";
    const char* const jpeg = "Jpeg Files (*.jpg *.jpeg)";
    EXPECT_EQ(ImageOutput::withFilterExtension("/tmp/a.b/view", png), "/tmp/a.b/view.png");
    EXPECT_EQ(ImageOutput::withFilterExtension("view", jpeg), "view.jpg");
    EXPECT_EQ(ImageOutput::formatForFile(ImageOutput::withFilterExtension("view", jpeg)), "JPEG");
    // A name the user gave an extension keeps it, even a wrong one.
    EXPECT_EQ(ImageOutput::withFilterExtension("view.bmp", png), "view.bmp");
    EXPECT_EQ(ImageOutput::withFilterExtension("view.txt", png), "view.txt");
    EXPECT_EQ(ImageOutput::withFilterExtension("view.", png), "view.");
    // No filter chosen, or a cancelled dialog: nothing to add.
    EXPECT_EQ(ImageOutput::withFilterExtension("view", ""), "view");
    EXPECT_EQ(ImageOutput::withFilterExtension("", png), "");
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

    // The toolkit writes no GIF: the old file stays as it was.
    {
        QFile old(QString::fromStdString(dir.file("keep.gif")));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old picture");
    }
    error.clear();
    EXPECT_FALSE(
        ImageOutput::save(picture(), QString::fromStdString(dir.file("keep.gif")), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(contents(dir.file("keep.gif")), QByteArray("old picture"));

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
