#include "CameraFixture.h"

#include "view/Detail.h"
#include "view/LandscapeState.h"
#include "view/ViewModelServices.h"

using orvextest::CameraFixture;

namespace {

struct Ground : LandscapeState {
    int getWeather() const override { return 0; }
    double getWeatherOpacity() const override { return 0.0; }
    std::string getDefaultPlaceName() const override { return "Ground"; }
};

class ViewModelServicesTest : public CameraFixture {
protected:
    ViewModelServicesTest() { world.ssystem.setServices(&services); }
    ~ViewModelServicesTest() override { world.ssystem.setServices(nullptr); }

    Detail detail{&world.root};
    ViewModelServices services{&world.root, &camera, &detail};
};

} // namespace

TEST_F(ViewModelServicesTest, TheModelSeesTheCameraAndTheDetail) {
    EXPECT_EQ(services.getCameraMode(), ModelServices::Examine);
    run("Camera.Mode Fly;Camera.Pos 1 2 3;Camera.PlaceDist 1.5");
    EXPECT_EQ(world.ssystem.getCameraMode(), ModelServices::Fly);
    EXPECT_EQ(world.ssystem.getCameraPos(), Vector3(1, 2, 3));
    EXPECT_DOUBLE_EQ(world.ssystem.getCameraPlaceDist(), 1.5);
    run("Detail.Orbit High");
    EXPECT_EQ(world.ssystem.getOrbitPoints(), 256);
    EXPECT_EQ(world.ssystem.getDefaultPlaceName(), "Surface");
    Ground ground;
    services.setLandscape(&ground);
    EXPECT_EQ(world.ssystem.getDefaultPlaceName(), "Ground");

    ViewModelServices none(nullptr, nullptr, nullptr);
    EXPECT_EQ(none.getCameraMode(), ModelServices::Examine);
    EXPECT_EQ(none.getOrbitPoints(), 64);
    none.setCameraMode(1, 1, 10, 0); // nothing to change
}

TEST_F(ViewModelServicesTest, TheModelsModeChangesStayOutOfTheRecording) {
    world.root.setRecording(1);
    run("Camera.Mode Observe"); // the Earth's first place
    ASSERT_EQ(camera.getMode(), Camera::Observe);
    // A new sim mode sends the camera back to Examine at once.
    world.ssystem.simMode(1);
    EXPECT_EQ(camera.getMode(), Camera::Examine);
    EXPECT_EQ(value("Animating"), " 0");
    EXPECT_EQ(world.root.isRecording(), 1);
    // Selecting a body with animation moves the camera over the steps given.
    world.ssystem.select(2, 1, 15);
    EXPECT_EQ(value("Animating"), " 1");
    EXPECT_EQ(camera.getAnimSteps(), 15);
    EXPECT_EQ(world.root.isRecording(), 1);
}

TEST_F(ViewModelServicesTest, TheModelsCommandsSetTheCamerasAnimationAndDistance) {
    run("Ssystem.SelectTo 0 45");
    EXPECT_EQ(value("AnimLength"), " 45");
    world.select("Earth");
    const DsAstrBody& earth = *world.ssystem.getSelectedBody();
    const double ratio = earth.getRadiusAtRate1() / earth.getRadiusAtRate2();
    run("Camera.Dist 3");
    const double dist = camera.getDist();
    run("Ssystem.ScaleTo Real 10");
    EXPECT_NEAR(camera.getDist(), dist * ratio, 1e-9 * dist * ratio);
    EXPECT_DOUBLE_EQ(services.getCameraDist(), camera.getDist());
}
