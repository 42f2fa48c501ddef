#include <gtest/gtest.h>

#include <QImage>
#include <QStackedWidget>

#include "app/WindowSettings.h"
#include "support/SettingsSandbox.h"
#include "ui/MediaPlayerPane.h"
#include "ui/OrvexMediaForm.h"

namespace {

struct PathCase {
    const char* dropped;
    const char* current;
    bool shown;
};

} // namespace

TEST(OrvexMediaForm, PathsAreDecodedAndOnlyKnownExtensionsShown) {
    const PathCase cases[] = {
        // Upper-case extensions the viewer knows are accepted, the file keeps its name.
        {"/home/u/Photo.JPG", "/home/u/Photo.JPG", true},
        {"/home/u/clip.MPG", "/home/u/clip.MPG", false},
        {"/home/u/clip.mpg", "/home/u/clip.mpg", true},
        {"/home/u/clip.mov", "/home/u/clip.mov", false},
        {"/home/u/clip.MOV", "/home/u/clip.MOV", false},
        {"/home/u/film.WMV", "/home/u/film.WMV", true},
        {"/home/u/a.mpeg2", "/home/u/a.mpeg2", true},
        {"/home/u/notes.txt", "/home/u/notes.txt", false},
        {"/home/u/noextension", "/home/u/noextension", false},
        // Escapes, drive-letter bars and back slashes.
        {"file:///home/u/My%20Pictures/sky.png", "file:///home/u/My Pictures/sky.png", true},
        {"file:///C%7C/Media/a.bmp", "file:///C:/Media/a.bmp", true},
        {"file:///C%7c/Media/a.gif", "file:///C:/Media/a.gif", true},
        {"C:\\Media\\Moon.JPEG", "C:/Media/Moon.JPEG", true},
        // A malformed escape stays as it is.
        {"/home/u/100%.png", "/home/u/100%.png", true},
        {"/home/u/a%zz.avi", "/home/u/a%zz.avi", true},
        {"/home/u/a%4", "/home/u/a%4", false},
    };
    for (const PathCase& c : cases) {
        const QString decoded = OrvexMediaForm::decodePath(c.dropped);
        EXPECT_EQ(decoded, QString(c.current)) << c.dropped;
        const QString probe =
            OrvexMediaForm::decodePath(OrvexMediaForm::lowerKnownExtensions(c.dropped));
        EXPECT_EQ(OrvexMediaForm::isSupported(probe), c.shown) << c.dropped;
    }
    EXPECT_EQ(OrvexMediaForm::lowerKnownExtensions("a.JPEG.JPG.MPG"), "a.jpeg.jpg.MPG");
    EXPECT_EQ(OrvexMediaForm::localPath("file:///home/u/a b.png"), "/home/u/a b.png");
    EXPECT_EQ(OrvexMediaForm::localPath("file://localhost/tmp/x.png"), "/tmp/x.png");
    EXPECT_EQ(OrvexMediaForm::localPath("/tmp/x.png"), "/tmp/x.png");
}

TEST(OrvexMediaForm, ALongPathIsTakenWhole) {
    const QString path = "/tmp/" + QString(3000, 'a') + ".png";
    EXPECT_EQ(OrvexMediaForm::decodePath(path), path);
}

TEST(OrvexMediaForm, APictureIsShownByThePlayerOnItsPage) {
    orvextest::SettingsSandbox sandbox;
    orvextest::TempDir dir;
    const QString file = QString::fromStdString(dir.file("Sky Map.PNG"));
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(file, "PNG"));

    OrvexMediaForm form;
    EXPECT_EQ(form.stack->currentIndex(), 0);
    form.setMedia("file://" + QString(file).replace(" ", "%20"));
    EXPECT_EQ(form.currentFile(), "file://" + file);
    EXPECT_EQ(form.stack->currentIndex(), 1);
    EXPECT_EQ(form.mediaPlayerAXAX->url(), file);
    EXPECT_TRUE(form.mediaPlayerAXAX->isShowingPicture());

    // An unsupported file leaves the page as it was; clear shows the black page.
    form.setMedia("/tmp/readme.txt");
    EXPECT_EQ(form.stack->currentIndex(), 1);
    form.clear();
    EXPECT_EQ(form.stack->currentIndex(), 0);
    EXPECT_EQ(form.currentFile(), "/tmp/readme.txt");
}

TEST(OrvexMediaForm, CaptionShowsSizeAndFile) {
    orvextest::SettingsSandbox sandbox;
    OrvexMediaForm form;
    form.show();
    form.resize(321, 234);
    EXPECT_EQ(form.windowTitle(), "Media Viewer [ 321 x 234 ]");
    form.setMedia("C:\\x\\a.txt");
    form.resize(300, 200);
    EXPECT_EQ(form.windowTitle(), "C:/x/a.txt - Media Viewer [ 300 x 200 ]");
}

TEST(OrvexMediaForm, GeometryIsKeptUnderItsOwnKeys) {
    orvextest::SettingsSandbox sandbox;
    {
        OrvexMediaForm form;
        EXPECT_EQ(form.geometry(), QRect(100, 100, 640, 480));
        form.show();
        form.setGeometry(110, 120, 330, 240);
    }
    auto settings = WindowSettings::open();
    EXPECT_EQ(settings->value("/Orvex/Media/geometry/x").toInt(), 110);
    EXPECT_EQ(settings->value("/Orvex/Media/geometry/y").toInt(), 120);
    EXPECT_EQ(settings->value("/Orvex/Media/geometry/w").toInt(), 330);
    EXPECT_EQ(settings->value("/Orvex/Media/geometry/h").toInt(), 240);
    EXPECT_EQ(settings->value("/Orvex/Media/maximized").toInt(), 0);
    OrvexMediaForm again;
    EXPECT_EQ(again.geometry(), QRect(110, 120, 330, 240));
}
