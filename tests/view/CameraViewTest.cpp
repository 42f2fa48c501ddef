#include "CameraFixture.h"

#include <vector>

#include "view/CameraMath.h"
#include "view/CloudSwitch.h"
#include "view/LandscapeState.h"
#include "view/ParticleSystem.h"

using namespace cameramath;
using orvextest::CameraFixture;

namespace {

struct CloudLog : CloudSwitch {
    std::vector<int> switches;
    std::vector<std::pair<double, int>> fades;
    void setClouds(int on) override { switches.push_back(on); }
    void setCloudsOpacityTo(double opacity, int frames) override {
        fades.emplace_back(opacity, frames);
    }
};

struct Weather : LandscapeState {
    int on = 0;
    double opacity = 0.0;
    int getWeather() const override { return on; }
    double getWeatherOpacity() const override { return opacity; }
    std::string getDefaultPlaceName() const override { return "Ground"; }
};

class CameraView : public CameraFixture {
protected:
    CameraView() {
        camera.setClouds(&clouds);
        camera.setLandscape(&weather);
    }
    CloudLog clouds;
    Weather weather;
};

} // namespace

TEST_F(CameraView, ExamineLooksAtTheBodyFromItsDistance) {
    run("Camera.Rotate 0 1 0 30;Camera.Dist 6");
    frames(1);
    const Vector3 centre = world.ssystem.getTrans();
    const double radius = world.ssystem.getRadius();
    // The scene is drawn rotated, then moved by pos: the body's centre ends up
    // on the view axis, 6 radii in front of the eye.
    const Vector3 eyeSpace = camera.getViewRot().rotateVector(centre + camera.getPos());
    EXPECT_NEAR(eyeSpace.x, 0.0, 1e-12);
    EXPECT_NEAR(eyeSpace.y, 0.0, 1e-12);
    EXPECT_NEAR(eyeSpace.z, -6.0 * radius, 1e-12);
    EXPECT_DOUBLE_EQ(camera.getNearPlane(), world.ssystem.getRadiusRate());
    EXPECT_DOUBLE_EQ(camera.getFarPlane(), world.ssystem.getOrbitRate());
    EXPECT_DOUBLE_EQ(camera.getRadiusRate(), world.ssystem.getRadiusRate());
    EXPECT_DOUBLE_EQ(camera.getProjectionFovy(), 45.0);

    // Never nearer than twice the near plane, whatever Dist says.
    run("Camera.Dist 0");
    frames(1);
    EXPECT_NEAR((centre + camera.getPos()).length(), 2.0 * world.ssystem.getRadiusRate(), 1e-15);
}

TEST_F(CameraView, OperationsOfTheStateTable) {
    camera.setDist(1.5);
    EXPECT_DOUBLE_EQ(camera.getDist(), 1.5);
    camera.setDist(0.0);
    EXPECT_DOUBLE_EQ(camera.getDist(), 1.5);
    camera.setAnimLength(0);
    EXPECT_EQ(value("AnimLength"), " 60");
    camera.placeDistTo(2.0, 0);
    Transition::tickAll(1.0);
    EXPECT_DOUBLE_EQ(camera.getPlaceDist(), 2.0);
    camera.headLightTog();
    EXPECT_EQ(camera.getHeadLight(), 1);
    run("Camera.Mode Fly");
    camera.modeTog(0, 0, 0);
    EXPECT_EQ(camera.getMode(), Camera::Examine);
    run("Camera.Mode Fly");
    camera.modePrev(0, 0, 0);
    EXPECT_EQ(camera.getMode(), Camera::Examine);
}

TEST_F(CameraView, AnimatedModeChangeHoldsTheClockUntilItsEnd) {
    world.select("Earth", "Sydney");
    run("Timer.Speed 1;Timer.Step 3600");
    run("Camera.Zoom 20;Camera.Fov 40");
    const double t0 = world.timer.getTime();
    run("Camera.ModeTo Observe 10");
    EXPECT_EQ(camera.getMode(), Camera::Observe);
    EXPECT_EQ(value("Animating"), " 1");
    for (int i = 1; i < 10; ++i) {
        frames(1);
        world.timer.update(100);
        EXPECT_EQ(world.timer.getTime(), t0) << i;
        // The orbit's field of view while the change runs, and the surface's
        // near plane in its second half.
        EXPECT_DOUBLE_EQ(camera.getProjectionFovy(), 40.0) << i;
        EXPECT_DOUBLE_EQ(camera.getNearPlane(), i >= 5 ? 7.25e-05 : 0.0001) << i;
    }
    EXPECT_EQ(value("PSFilename"), "None");
    frames(1);
    world.timer.update(100);
    EXPECT_EQ(value("Animating"), " 0");
    EXPECT_DOUBLE_EQ(world.timer.getTime(), t0 + 360.0);
    EXPECT_DOUBLE_EQ(camera.getProjectionFovy(), 20.0);
    EXPECT_DOUBLE_EQ(camera.getNearPlane(), 0.0001);
    // At the place its weather shows; the eye stands at the place.
    EXPECT_EQ(value("PSFilename"), "effects/rain.dfx");
    const Vector3 observer = world.ssystem.getObserveTrans(1, -1.0);
    EXPECT_NEAR((camera.getPos() + observer).length(), 0.0, 1e-15);

    // Back to Examine: an animation of the default length.
    run("Camera.ModeTo Examine");
    EXPECT_EQ(camera.getAnimSteps(), 60);
    frames(59);
    EXPECT_EQ(value("Animating"), " 1");
    frames(1);
    EXPECT_EQ(value("Animating"), " 0");
    EXPECT_EQ(value("PSFilename"), "None");
}

TEST_F(CameraView, DescendingThroughTheAtmosphere) {
    world.select("Earth", "Tokyo");
    run("Camera.ModeTo Observe 40 1");
    EXPECT_EQ(clouds.switches, std::vector<int>{1});
    ASSERT_EQ(clouds.fades.size(), 1u);
    EXPECT_EQ(clouds.fades[0], std::make_pair(1.0, 10));
    EXPECT_EQ(value("PSFilename"), "effects/haze.dfx");
    EXPECT_FLOAT_EQ(camera.getParticles().getCenter()[2], 3.0f);
    // A second change while this one runs takes no place entry.
    frames(20);
    EXPECT_GT(camera.getParticles().getAlpha(), 0.0f);
    EXPECT_LE(camera.getParticles().getAlpha(), 1.0f);
    frames(20);
    EXPECT_EQ(value("PSFilename"), "None"); // Tokyo has no weather

    // Climbing away, the atmosphere streams the other way.
    run("Camera.ModeTo Examine 40 1");
    EXPECT_EQ(value("PSFilename"), "effects/haze.dfx");
    EXPECT_FLOAT_EQ(camera.getParticles().getCenter()[2], -3.0f);
    EXPECT_FLOAT_EQ(camera.getParticles().getVelocity()[2], -1.0f);
    EXPECT_EQ(clouds.switches.size(), 2u);
    run("Camera.ModeTo Observe 40 1"); // while it runs: no place entry
    EXPECT_EQ(clouds.switches.size(), 2u);
    frames(40);
    EXPECT_TRUE(finite(camera.getPos()));
    EXPECT_TRUE(finite(camera.getViewRot()));
}

TEST_F(CameraView, ObserveFollowsTheLandscapeWeather) {
    world.select("Earth", "Sydney");
    run("Camera.Mode Observe");
    camera.loadPlaceWeather();
    EXPECT_EQ(value("PSFilename"), "effects/rain.dfx");
    frames(1);
    EXPECT_FLOAT_EQ(camera.getParticles().getAlpha(), 0.0f);
    weather.on = 1;
    weather.opacity = 0.7;
    frames(1);
    EXPECT_FLOAT_EQ(camera.getParticles().getAlpha(), 0.7f);
    // The particles move with the frames while PSystem is on.
    EXPECT_GT(camera.getParticles().countAlive(), 0);
    run("Camera.PSystem 0;Camera.PSFilename effects/rain.dfx");
    frames(3);
    EXPECT_EQ(camera.getParticles().countAlive(), 0);
}

TEST_F(CameraView, ObserveAltitudeAndAzimuthAndTheZenith) {
    world.select("Earth", "Tokyo");
    run("Camera.Mode Observe;Camera.Orient 20 30");
    frames(1);
    double alt = 0.0, az = 0.0;
    camera.rotToAltAz(camera.getViewRot(), alt, az);
    EXPECT_NEAR(alt, 20.0, 1e-9);
    EXPECT_NEAR(std::fmod(az + 360.0, 360.0), 30.0, 1e-9);
    // Straight up has every azimuth: the one given stays, and no NaN.
    run("Camera.Orient 90 0");
    frames(1);
    az = 123.0;
    camera.rotToAltAz(camera.getViewRot(), alt, az);
    EXPECT_NEAR(alt, 90.0, 1e-6);
    EXPECT_TRUE(std::isfinite(az));
    // Looking at a sky direction from the place and following it.
    run("Camera.LookAt 100 30");
    frames(1);
    double lookAlt = 0.0, lookAz = 0.0;
    camera.lookAt(100, 30, lookAlt, lookAz);
    EXPECT_EQ(value("Orient"), CommandArgs::formatReal(lookAlt) + CommandArgs::formatReal(lookAz));
    run("Camera.TraceAt 200 -10");
    frames(1);
    camera.lookAt(200, -10, lookAlt, lookAz);
    EXPECT_EQ(value("Orient"), CommandArgs::formatReal(lookAlt) + CommandArgs::formatReal(lookAz));
}

TEST_F(CameraView, DeviceSteering) {
    // The 3D mouse turns and moves the orbit in Examine.
    device.store(InputDevice::SBStatus, 1);
    device.store(InputDevice::SBRotate1 + 1, 500); // r2 = 1: a degree per frame about Y
    frames(2);
    EXPECT_EQ(value("Rotate"), " 0 1 0 2");
    device.store(InputDevice::SBStatus, 0);

    // The stick zooms in Observe, never beyond the limits.
    world.select("Earth", "Tokyo");
    run("Camera.Mode Observe");
    device.store(InputDevice::StickStatus, 1);
    for (int axis = 0; axis < 4; ++axis)
        device.store(InputDevice::StickAxis1 + axis, 32767); // at rest
    device.store(InputDevice::StickAxis1 + 3, 65535);
    frames(20);
    EXPECT_EQ(value("Zoom"), " 45");
    device.store(InputDevice::StickAxis1 + 3, 0);
    for (int i = 0; i < 500; ++i) {
        frames(1);
        ASSERT_GE(camera.getZoom(), 5.0);
    }
    EXPECT_EQ(value("Zoom"), " 5");

    // In Fly the stick's fourth axis moves the eye forwards.
    run("Camera.Mode Fly;Camera.Rotate 0 0 1 0;Camera.Pos 0 0 0");
    device.store(InputDevice::StickAxis1 + 3, 65535);
    frames(2);
    EXPECT_LT(camera.getPos().z, 0.0);
    EXPECT_TRUE(finite(camera.getPos()));
    device.store(InputDevice::StickStatus, 0);
}

TEST_F(CameraView, ParticleFrameHasZUpAtThePlace) {
    world.select("Earth", "Tokyo");
    run("Camera.Mode Observe;Camera.Orient 0 0");
    frames(1);
    // In the particle frame z is up: with the view level, up is the screen's
    // up, so the frame's z turns into the eye's +y.
    const Vector3 up = camera.getParticleFrame().rotateVector(Vector3(0, 0, 1));
    EXPECT_NEAR(up.x, 0.0, 1e-9);
    EXPECT_NEAR(up.y, 1.0, 1e-9);
    EXPECT_NEAR(up.z, 0.0, 1e-9);
}
