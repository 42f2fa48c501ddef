// What the landscape hands its neighbours: the weather switch and opacity to
// the camera's particles in Observe mode, the default place name to the
// solar-system model's view services, and its font to the Detail command.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/Transition.h"
#include "graphics/LabelFont.h"
#include "model/DsAstrBody.h"
#include "model/DsPlace.h"
#include "model/Ssystem.h"
#include "platform/CurrentDirGuard.h"
#include "sky/Lscape.h"
#include "view/Camera.h"
#include "view/Detail.h"
#include "view/ParticleSystem.h"
#include "view/ViewWorld.h"

TEST(LscapeNeighbours, WeatherCommandsReachTheCameraParticles) {
    orvextest::ViewWorld world;
    Camera camera(&world.root);
    camera.setSsystem(&world.ssystem);
    camera.setTimer(&world.timer);
    Lscape lscape(&world.root);
    camera.setLandscape(&lscape);
    world.select("Earth", "Sydney");
    ASSERT_EQ(world.root.processScenarioLine("Camera.Mode Observe"), 1);
    camera.stepView();
    EXPECT_FLOAT_EQ(camera.getParticles().getAlpha(), 0.0f); // Weather 0

    ASSERT_EQ(world.root.processScenarioLine("Lscape.WeatherTog;Lscape.WeatherOpacityTo 0.5 2"), 1);
    Transition::tickAll(1.0);
    camera.stepView();
    EXPECT_FLOAT_EQ(camera.getParticles().getAlpha(), 0.75f);
    Transition::tickAll(1.0);
    camera.stepView();
    EXPECT_FLOAT_EQ(camera.getParticles().getAlpha(), 0.5f);

    ASSERT_EQ(world.root.processScenarioLine("Lscape.WeatherTog"), 1);
    camera.stepView();
    EXPECT_FLOAT_EQ(camera.getParticles().getAlpha(), 0.0f);
}

TEST(LscapeNeighbours, DetailFontCommandSetsTheDirectionFont) {
    orvextest::TestRoot root;
    Lscape lscape(&root);
    Detail detail(&root);
    detail.setFontOwner(Detail::LscapeFont, &lscape);
    ASSERT_EQ(root.processScenarioLine("Detail.LscapeFont Courier_New 16 2"), 1);
    EXPECT_EQ(root.getCommandValue("Lscape.DirFont"), "Courier_New 16 2");
    EXPECT_EQ(root.getCommandValue("Detail.LscapeFont"), "Courier_New 16 2");
    // Unlike DirFont, the Detail command leaves the anchor as it is.
    EXPECT_EQ(lscape.getDirectionFont().getAlign(), 1);
}

TEST(LscapeNeighbours, ShippedLandscapePlacesNameTheirPictureAndWeather) {
    orvextest::TestRoot root;
    root.setDataDir(orvextest::shareDir());
    platform::CurrentDirGuard inData(root.getDataDir());
    Ssystem ssystem(&root);
    ASSERT_EQ(ssystem.readData("./data/ssystem.def"), 1);
    ASSERT_TRUE(ssystem.loadPlaceList("./data/places.dpl"));
    DsAstrBody* earth = ssystem.findBody("Earth");
    ASSERT_NE(earth, nullptr);
    for (const char* place : {"Zermatt", "Calton_Hill"}) {
        earth->selectPlace(place);
        const DsPlace* selected = earth->getPlace(earth->getPlaceIndex());
        ASSERT_NE(selected, nullptr) << place;
        EXPECT_EQ(selected->getName(), place);
        EXPECT_TRUE(std::filesystem::exists("./textures/" + selected->getPanorama())) << place;
        EXPECT_TRUE(std::filesystem::exists(selected->getWeather())) << place;
    }
}
