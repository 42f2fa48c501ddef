#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QStackedWidget>
#include <functional>

#include "engine/LogMessage.h"
#include "support/LocalHttpServer.h"

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

// Runs the event loop until done() holds or the time is up.
bool waitFor(const std::function<bool()>& done, int ms = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

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

// A picture on a web server (the local test server) is fetched and shown; an
// error answer, a file that is no picture and one over the size cap leave a
// message on the black page and in the log.
TEST(OrvexMediaForm, ARemotePictureIsFetchedAndShown) {
    orvextest::SettingsSandbox sandbox;
    orvextest::LocalHttpServer server;
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&png, "PNG"));
    server.answers["/sky/red.png?size=big"] = {200, png.data()};
    server.answers["/sky/red.png"] = {200, png.data()};
    server.answers["/sky/text.jpg"] = {200, "<html>no picture</html>"};
    server.answers["/sky/huge.png"] = {200, "x", MediaPlayerPane::maxRemotePicture + 1};

    OrvexMediaForm form;
    MediaPlayerPane* pane = form.mediaPlayerAXAX;
    auto* label = pane->findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    LogCapture log;
    form.setMedia(server.url("/sky/red.png?size=big"));
    EXPECT_EQ(form.stack->currentIndex(), 1);
    ASSERT_TRUE(waitFor([&] { return pane->isShowingPicture(); }))
        << pane->message().toStdString() << server.requested.join(",").toStdString();
    EXPECT_EQ(server.requested, QStringList{"/sky/red.png?size=big"});
    ASSERT_NE(label->pixmap(), nullptr);
    const QImage shown = label->pixmap()->toImage();
    EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::red));
    EXPECT_TRUE(pane->message().isEmpty());

    for (const char* path : {"/sky/missing.png", "/sky/text.jpg", "/sky/huge.png"}) {
        log.clear();
        form.setMedia(server.url(path));
        ASSERT_TRUE(waitFor([&] { return !pane->message().isEmpty(); })) << path;
        EXPECT_FALSE(pane->isShowingPicture()) << path;
        EXPECT_TRUE(pane->message().contains(server.url(path))) << path;
        EXPECT_EQ(label->text(), pane->message());
        EXPECT_TRUE(log.contains("Could not show " + server.url(path).toStdString())) << path;
    }
    EXPECT_TRUE(pane->message().contains("larger than"));
    // A newer medium abandons the picture on its way.
    form.setMedia(server.url("/sky/red.png"));
    form.setMedia("/tmp/no-such-picture.png");
    waitFor([] { return false; }, 300);
    EXPECT_FALSE(pane->isShowingPicture());
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
