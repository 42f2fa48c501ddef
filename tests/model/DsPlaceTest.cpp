#include "model/DsPlace.h"

#include <cmath>
#include <fstream>

#include <gtest/gtest.h>

#include "engine/DataFile.h"
#include "support/TestEnv.h"

TEST(DsPlace, FormatsTheOneLineForm) {
    DsPlace place("Tokyo");
    EXPECT_EQ(place.format(), "Tokyo 0 0");
    // The coordinates take the digits that read back the same value.
    place.setLatitude(35.65812);
    place.setLongitude(139.7414);
    place.setWeather("Rain");
    EXPECT_EQ(place.format(), "Tokyo 35.65812 139.7414 -weather Rain");
    place.setPanorama("");
    place.setLatitude(0.00001);
    place.setLongitude(-0.5);
    EXPECT_EQ(place.format(), "Tokyo 1e-05 -0.5 -weather Rain");
    place.setPanorama("city.png");
    place.setWeather("None");
    place.setLongitude(1.0 / 3.0);
    EXPECT_EQ(place.format(), "Tokyo 1e-05 0.3333333333333333 -panorama city.png");
    DsPlace copy("x");
    copy.parse(place.format());
    EXPECT_EQ(copy.getLongitude(), 1.0 / 3.0);
}

TEST(DsPlace, ParsesOptionsInAnyOrder) {
    DsPlace place("New");
    place.parse("Kyoto  35.0 135.75 Weather Snow -panorama temple.png -weather Fog");
    EXPECT_EQ(place.getName(), "Kyoto");
    EXPECT_DOUBLE_EQ(place.getLatitude(), 35.0);
    EXPECT_DOUBLE_EQ(place.getLongitude(), 135.75);
    EXPECT_EQ(place.getPanorama(), "temple.png");
    EXPECT_EQ(place.getWeather(), "Fog");
    // An option word at the end of the line has no value: it is skipped.
    place.parse("Kyoto 1 2 -weather");
    EXPECT_EQ(place.getWeather(), "Fog");
    // Fewer tokens keep what is not given.
    place.parse("Nara 34.7");
    EXPECT_EQ(place.getName(), "Nara");
    EXPECT_DOUBLE_EQ(place.getLatitude(), 34.7);
    EXPECT_DOUBLE_EQ(place.getLongitude(), 2.0);
    place.parse("   ");
    EXPECT_EQ(place.getName(), "Nara");
    // Tabs part the words as blanks do.
    place.parse("Tab\t-1e2\t+.5\r");
    EXPECT_EQ(place.format(), "Tab -100 0.5 -panorama temple.png -weather Fog");
    // Round trip.
    DsPlace copy("x");
    copy.parse(place.format());
    EXPECT_EQ(copy.format(), place.format());
}

TEST(DsPlace, ReadsABlockAndStopsAtTheEndOfTheFile) {
    orvextest::TempDir dir;
    std::ofstream(dir.file("p.txt")) << "Latitude: 10.5 # a note Longitude: 99\n"
                                        "Longitude: -20 Panorama: pano.png Weather: Rain Other: x\n"
                                        "}\nLatitude: 5\n";
    DataFile file(dir.file("p.txt"));
    DsPlace place("P");
    EXPECT_EQ(place.readDefinition(file), 1);
    EXPECT_DOUBLE_EQ(place.getLatitude(), 10.5);
    EXPECT_DOUBLE_EQ(place.getLongitude(), -20.0);
    EXPECT_EQ(place.getPanorama(), "pano.png");
    EXPECT_EQ(place.getWeather(), "Rain");
    // The rest of the file is a block cut off before its "}".
    DsPlace cut("Q");
    EXPECT_EQ(cut.readDefinition(file), 0);
    EXPECT_DOUBLE_EQ(cut.getLatitude(), 5.0);
}

TEST(DsPlace, RotationOfLatitudeAndLongitudeZeroIsAHalfTurnAboutZ) {
    DsPlace place("P");
    const Quaternion q = place.getRotation();
    EXPECT_NEAR(q.x, 0.0, 1e-15);
    EXPECT_NEAR(q.y, 0.0, 1e-15);
    EXPECT_NEAR(std::fabs(q.z), 1.0, 1e-15);
    EXPECT_NEAR(q.w, 0.0, 1e-15);
}

TEST(DsPlace, TransitionsMoveTheCoordinates) {
    DsPlace place("P");
    place.setLatitudeTo(10.0, 10);
    EXPECT_DOUBLE_EQ(place.getLatitude(), 0.0);
    place.setLatitude(3.0);
    EXPECT_DOUBLE_EQ(place.getLatitude(), 3.0);
}
