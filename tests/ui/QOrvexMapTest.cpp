#include <cstdlib>
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>

#include "engine/LogMessage.h"
#include "support/TestEnv.h"
#include "ui/QOrvexMap.h"

namespace {

void mouse(QOrvexMap& map, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, at, map.mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&map, &e);
}

// A one-colour image file standing in for a body texture.
std::string writeImage(const orvextest::TempDir& dir, const std::string& name, QColor colour,
                       const char* format = "PNG") {
    QImage image(64, 32, QImage::Format_RGB32);
    image.fill(colour);
    const std::string path = dir.file(name);
    EXPECT_TRUE(image.save(QString::fromStdString(path), format));
    return path;
}

QColor centreColour(const QOrvexMap& map) {
    return map.pixmap(Qt::ReturnByValue)
        .toImage()
        .pixelColor(map.width() / 2 + 10, map.height() / 2 + 10);
}

} // namespace

TEST(QOrvexMap, KeepsTwoToOneShape) {
    QOrvexMap map(nullptr, "mapLabel");
    map.resize(360, 180);
    EXPECT_EQ(map.objectName(), "mapLabel");
    EXPECT_TRUE(map.sizePolicy().hasHeightForWidth());
    EXPECT_TRUE(map.hasScaledContents());
    EXPECT_EQ(map.heightForWidth(301), 150);
    EXPECT_EQ(map.sizeHint(), QSize(360, 180));
}

TEST(QOrvexMap, ClicksAndDragsGiveLongitudeAndLatitude) {
    QOrvexMap map;
    map.resize(360, 180);
    QSignalSpy moved(&map, &QOrvexMap::locationChanged);

    mouse(map, QEvent::MouseButtonPress, QPoint(180, 90), Qt::LeftButton);
    EXPECT_FLOAT_EQ(map.longitude(), 0.0f);
    EXPECT_FLOAT_EQ(map.latitude(), 0.0f);
    mouse(map, QEvent::MouseButtonPress, QPoint(0, 0), Qt::LeftButton);
    EXPECT_FLOAT_EQ(map.longitude(), -180.0f);
    EXPECT_FLOAT_EQ(map.latitude(), 90.0f);
    mouse(map, QEvent::MouseButtonPress, QPoint(359, 179), Qt::LeftButton);
    EXPECT_FLOAT_EQ(map.longitude(), 179.0f);
    EXPECT_FLOAT_EQ(map.latitude(), -89.0f);
    EXPECT_EQ(moved.count(), 3);

    // A drag past the edge is not clamped; a move without a button does nothing.
    mouse(map, QEvent::MouseMove, QPoint(450, -18), Qt::LeftButton);
    EXPECT_FLOAT_EQ(map.longitude(), 270.0f);
    EXPECT_FLOAT_EQ(map.latitude(), 108.0f);
    mouse(map, QEvent::MouseMove, QPoint(10, 10), Qt::NoButton);
    EXPECT_FLOAT_EQ(map.longitude(), 270.0f);
    EXPECT_EQ(moved.count(), 4);
}

TEST(QOrvexMap, MarkerBoxFollowsThePosition) {
    QOrvexMap map;
    map.resize(360, 180);
    QSignalSpy moved(&map, &QOrvexMap::locationChanged);
    map.setPosition(0, 0);
    EXPECT_EQ(map.markerTopLeft(), QPoint(176, 86));
    map.setPosition(180, -90);
    EXPECT_EQ(map.markerTopLeft(), QPoint(356, 176)); // half outside the corner
    map.setPosition(-180, 90);
    EXPECT_EQ(map.markerTopLeft(), QPoint(-4, -4));
    map.resize(301, 151);
    map.setPosition(0, 0);
    EXPECT_EQ(map.markerTopLeft(), QPoint(146, 71)); // 146.5 and 71.5 cut toward zero
    map.setPosition(1e30f, -1e30f);                  // stays defined
    EXPECT_EQ(map.markerTopLeft(), QPoint(INT_MAX, INT_MAX));
    EXPECT_EQ(moved.count(), 0);
}

TEST(QOrvexMap, GridStandsInForAMissingTexture) {
    QOrvexMap map;
    map.resize(360, 180);
    map.setMap("");
    EXPECT_EQ(map.mapFile(), "");
    const QImage grid = map.pixmap(Qt::ReturnByValue).toImage();
    ASSERT_EQ(grid.size(), QSize(360, 180));
    const QColor grey(128, 128, 128);
    EXPECT_EQ(grid.pixelColor(180, 40), grey);  // centre cross, vertical
    EXPECT_EQ(grid.pixelColor(40, 90), grey);   // centre cross, horizontal
    EXPECT_EQ(grid.pixelColor(0, 5), grey);     // border
    EXPECT_EQ(grid.pixelColor(359, 179), grey); // border
    EXPECT_EQ(grid.pixelColor(45, 45), map.palette().color(QPalette::Base));

    // A style change redraws the grid in the new base colour.
    QPalette palette = map.palette();
    palette.setColor(QPalette::Base, QColor(10, 20, 30));
    map.setPalette(palette);
    map.reloadMap();
    EXPECT_EQ(map.pixmap(Qt::ReturnByValue).toImage().pixelColor(45, 45), QColor(10, 20, 30));
}

TEST(QOrvexMap, NarrowMapKeepsItsPictureWhenTheTextureIsMissing) {
    orvextest::TempDir dir;
    const std::string red = writeImage(dir, "red.png", Qt::red);
    QOrvexMap map;
    map.resize(300, 150);
    map.setMap(red);
    map.resize(150, 75);
    map.setMap(dir.file("missing.png"));
    EXPECT_EQ(map.mapFile(), red);
    EXPECT_EQ(centreColour(map), QColor(Qt::red));

    // Folded away to no width, the map shows the next texture, or the grid,
    // once it has room again: never the picture it had before.
    map.resize(300, 150);
    map.resize(0, 150);
    map.setMap(writeImage(dir, "blue.png", Qt::blue));
    map.resize(300, 150);
    map.grab();
    EXPECT_EQ(centreColour(map), QColor(Qt::blue));
    map.resize(0, 150);
    map.setMap(dir.file("missing.png"));
    map.resize(300, 150);
    map.grab();
    EXPECT_EQ(map.mapFile(), "");
    EXPECT_EQ(centreColour(map), map.palette().color(QPalette::Base));
}

TEST(QOrvexMap, TextureIsLoadedOnceAndScaledToTheMap) {
    orvextest::TempDir dir;
    // A JPEG under a .png name: the format comes from the contents.
    const std::string texture = writeImage(dir, "earth.png", Qt::blue, "JPEG");
    QOrvexMap map;
    map.resize(300, 150);
    map.setMap(texture);
    EXPECT_EQ(map.mapFile(), texture);
    EXPECT_EQ(map.pixmap(Qt::ReturnByValue).size(), QSize(300, 150));
    EXPECT_LT(centreColour(map).red(), 30);
    EXPECT_GT(centreColour(map).blue(), 220);

    // The same name again is not read again, however the file changed.
    writeImage(dir, "earth.png", Qt::green);
    map.setMap(texture);
    EXPECT_GT(centreColour(map).blue(), 220);
    // After a resize the label stretches the pixmap it has.
    map.resize(400, 200);
    map.setMap(texture);
    EXPECT_EQ(map.pixmap(Qt::ReturnByValue).size(), QSize(300, 150));
    map.reloadMap();
    EXPECT_EQ(map.mapFile(), texture);
    EXPECT_GT(centreColour(map).blue(), 220);
}

TEST(QOrvexMap, TheShownPictureIsMadeForTheSizeItIsShownAt) {
    orvextest::TempDir dir;
    // Stripes one pixel wide: a picture stretched from a smaller one blurs them.
    QImage stripes(720, 360, QImage::Format_RGB32);
    for (int x = 0; x < stripes.width(); ++x)
        for (int y = 0; y < stripes.height(); ++y)
            stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const std::string file = dir.file("stripes.png");
    ASSERT_TRUE(stripes.save(QString::fromStdString(file)));

    // Loaded while hidden and small, as a dialog's map is before its layout.
    QOrvexMap map;
    map.resize(90, 45);
    map.setMap(file);
    map.resize(720, 360);
    const QImage shown = map.grab().toImage();
    EXPECT_EQ(map.pixmap(Qt::ReturnByValue).size(), QSize(720, 360));
    int sharp = 0;
    for (int x = 100; x < 200; ++x) {
        const int a = QColor(shown.pixel(x, 100)).lightness();
        const int b = QColor(shown.pixel(x + 1, 100)).lightness();
        sharp += std::abs(a - b) > 200;
    }
    EXPECT_GT(sharp, 90);

    // What the map shows never makes it ask for more room.
    const QSize least = map.minimumSizeHint();
    map.resize(500, 250);
    map.grab();
    EXPECT_EQ(map.minimumSizeHint(), least);
    EXPECT_LT(least.height(), 250);
    map.setMap("");
    EXPECT_EQ(map.minimumSizeHint(), least);
}

TEST(QOrvexMap, UnreadableTextureShowsTheGridAndSaysWhy) {
    orvextest::TempDir dir;
    const std::string broken = dir.file("broken.jpg");
    FILE* f = std::fopen(broken.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("not an image at all", f);
    std::fclose(f);

    QOrvexMap map;
    map.resize(360, 180);
    LogCapture log;
    map.setMap(broken);
    EXPECT_TRUE(log.contains("Could not load map image"));
    EXPECT_EQ(map.mapFile(), "");
    EXPECT_EQ(map.pixmap(Qt::ReturnByValue).toImage().pixelColor(180, 40), QColor(128, 128, 128));
}

// The map agrees with the globe: the marker of a place lies on the map's
// colour of that place's quadrant (the scene tests' map, one colour per
// quadrant, north at the top and longitude -180 at the left).
TEST(QOrvexMap, MarkerOfAPlaceLiesOnItsQuadrantOfTheMap) {
    QOrvexMap map;
    map.resize(360, 180);
    map.setMap(orvextest::dataPath("scene/textures/testglobe.png"));
    const QImage picture = map.pixmap(Qt::ReturnByValue).toImage();
    const struct {
        float longitude, latitude;
        QColor colour;
    } places[] = {{139.69f, 35.69f, QColor(0, 200, 0)},     // Tokyo, north-east
                  {18.42f, -33.92f, QColor(230, 230, 0)},   // Cape Town, south-east
                  {-74.01f, 40.71f, QColor(0, 0, 230)},     // New York, north-west
                  {-43.17f, -22.91f, QColor(230, 0, 230)}}; // Rio de Janeiro, south-west
    for (const auto& place : places) {
        map.setPosition(place.longitude, place.latitude);
        const QPoint centre = map.markerTopLeft() + QPoint(4, 4);
        EXPECT_EQ(picture.pixelColor(centre), place.colour) << place.longitude;
    }
}
