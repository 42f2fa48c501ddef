#include "CameraFixture.h"

#include "view/CameraMath.h"

using namespace cameramath;
using orvextest::CameraFixture;

namespace {

class CameraMouse : public CameraFixture {
protected:
    void hold(Qt::MouseButtons buttons) { platform::setMouseButtons(buttons); }
    // A press, moves through the points, and a release at the last one.
    void drag(int code, Qt::MouseButtons buttons, std::initializer_list<std::pair<int, int>> path) {
        hold(buttons);
        auto point = path.begin();
        camera.mouseButton(code, 1, point->first, point->second);
        for (++point; point != path.end(); ++point)
            camera.mouseMove(point->first, point->second);
        hold(Qt::NoButton);
        const auto last = *(path.end() - 1);
        camera.mouseButton(code, 0, last.first, last.second);
    }
};

} // namespace

TEST_F(CameraMouse, ExamineRotateDragShowsAndCommits) {
    hold(Qt::LeftButton);
    camera.mouseButton(Camera::LeftButton, 1, 320, 240);
    EXPECT_EQ(camera.getMouseState(), Camera::ExamineRotate);
    camera.mouseMove(384, 240); // a tenth of the width to the right
    frames(1);
    EXPECT_EQ(value("Rotate"), " 0 1 0 12");
    hold(Qt::NoButton);
    camera.mouseButton(Camera::LeftButton, 0, 384, 240);
    EXPECT_EQ(camera.getMouseState(), Camera::Idle);
    frames(3); // committed, and too slow to keep turning
    EXPECT_EQ(value("Rotate"), " 0 1 0 12");

    // The middle button restarts the drag at the pointer, about the view axis.
    hold(Qt::LeftButton);
    camera.mouseButton(Camera::LeftButton, 1, 100, 100);
    hold(Qt::LeftButton | Qt::MiddleButton);
    camera.mouseMove(100, 100);
    camera.mouseMove(164, 100);
    frames(1);
    const Quaternion expected = R(axisY, 12.0 * pi / 180.0) * R(axisZ, 24.0 * pi / 180.0);
    EXPECT_LT(angleBetween(camera.getViewRot(), expected), 1e-9);
    hold(Qt::NoButton);
}

TEST_F(CameraMouse, AFastDragKeepsTurningAfterRelease) {
    run("Camera.AnimSense 1");
    drag(Camera::LeftButton, Qt::LeftButton, {{320, 240}, {330, 240}, {340, 240}});
    frames(1);
    const Quaternion first = camera.getViewRot();
    frames(1);
    // 1.875 degrees per move, kept per frame.
    EXPECT_NEAR(angleBetween(camera.getViewRot(), first), 1.875, 1e-9);

    run("Camera.AnimSense 360;Camera.Rotate 0 0 1 0");
    drag(Camera::LeftButton, Qt::LeftButton, {{320, 240}, {330, 240}, {340, 240}});
    frames(1);
    const Quaternion stopped = camera.getViewRot();
    frames(2);
    EXPECT_LT(angleBetween(camera.getViewRot(), stopped), 1e-12);
}

TEST_F(CameraMouse, DistanceDragStaysWithinItsLimits) {
    drag(Camera::RightButton, Qt::RightButton, {{320, 240}, {320, 120}});
    frames(1);
    EXPECT_NEAR(camera.getDist(), std::pow(std::pow(5.0, 0.25) - 0.25, 4.0), 1e-12);

    // Never below 1.5 radii.
    drag(Camera::RightButton, Qt::RightButton, {{320, 240}, {320, -3000}});
    frames(1);
    EXPECT_DOUBLE_EQ(camera.getDist(), 1.5);
    // Never beyond half the far plane.
    const double radius = world.ssystem.getRadius();
    drag(Camera::RightButton, Qt::RightButton, {{320, 240}, {320, 5000}});
    frames(1);
    EXPECT_NEAR(camera.getDist() * radius, 0.5 * world.ssystem.getOrbitRate(), 1e-9);
    // Never inside twice the near plane (the second sim mode's is large).
    world.ssystem.simMode(1);
    world.select("Earth");
    const double nearRadius = world.ssystem.getRadius();
    ASSERT_GT(2.0 * world.ssystem.getRadiusRate() / nearRadius, 1.5);
    drag(Camera::RightButton, Qt::RightButton, {{320, 240}, {320, -3000}});
    frames(1);
    EXPECT_NEAR(camera.getDist() * nearRadius, 2.0 * world.ssystem.getRadiusRate(), 1e-12);
    // With the middle button held too, the distance moves by the acceleration rate.
    run("Camera.Dist 5;Camera.AccelDistRate 1 0.01");
    hold(Qt::RightButton | Qt::MiddleButton);
    camera.mouseButton(Camera::RightButton, 1, 320, 240);
    camera.mouseMove(320, 192); // a tenth of the height up
    frames(1);
    EXPECT_NEAR(camera.getDist(), 5.0 - 0.1, 1e-12);
    hold(Qt::NoButton);
}

TEST_F(CameraMouse, ObserveAnglesAndZoomStayWithinLimits) {
    world.select("Earth", "Tokyo");
    run("Camera.Mode Observe;Camera.Orient 30 0");
    drag(Camera::LeftButton, Qt::LeftButton, {{320, 240}, {320, -3000}});
    frames(1);
    EXPECT_EQ(value("Orient"), " 90 0");
    drag(Camera::LeftButton, Qt::LeftButton, {{320, 240}, {320, 5000}});
    frames(1);
    EXPECT_EQ(value("Orient"), " 0 0");
    run("Camera.UnderLimit -20");
    drag(Camera::LeftButton, Qt::LeftButton, {{320, 240}, {256, 288}});
    frames(1);
    EXPECT_EQ(value("Orient"), " -6 6"); // 60 degrees per view
    run("Camera.InvertMouse 1");
    drag(Camera::LeftButton, Qt::LeftButton, {{320, 240}, {256, 288}});
    frames(1);
    EXPECT_EQ(value("Orient"), " 0 0");

    drag(Camera::RightButton, Qt::RightButton, {{320, 240}, {320, 5000}});
    frames(1);
    EXPECT_EQ(value("Zoom"), " 45");
    drag(Camera::RightButton, Qt::RightButton, {{320, 240}, {320, -5000}});
    frames(1);
    EXPECT_EQ(value("Zoom"), " 5");
}

TEST_F(CameraMouse, FlyTurnsAThirdAsFast) {
    run("Camera.Mode Fly");
    hold(Qt::LeftButton);
    camera.mouseButton(Camera::LeftButton, 1, 320, 240);
    EXPECT_EQ(camera.getMouseState(), Camera::FlyRotate);
    camera.mouseMove(384, 240);
    frames(1);
    EXPECT_EQ(value("Rotate"), " 0 1 0 4");
    hold(Qt::NoButton);
    // The right button does nothing in Fly.
    camera.mouseButton(Camera::RightButton, 1, 320, 240);
    EXPECT_EQ(camera.getMouseState(), Camera::Idle);
}

TEST_F(CameraMouse, APressDropsTheTargetUnlessAScenarioPlays) {
    run("Camera.Trace Mars");
    world.root.clearLog();
    hold(Qt::LeftButton);
    camera.mouseButton(Camera::LeftButton, 1, 10, 10);
    EXPECT_EQ(camera.getTargetKind(), Camera::NoTarget);
    EXPECT_EQ(world.root.getLog(), "Camera.Look None\n");
    camera.mouseButton(Camera::LeftButton, 0, 10, 10);

    run("Camera.Trace Mars;Orvex.Playing 1");
    world.root.clearLog();
    camera.mouseButton(Camera::LeftButton, 1, 10, 10);
    EXPECT_EQ(camera.getTargetKind(), Camera::BodyTarget);
    EXPECT_EQ(world.root.getLog(), "");
    hold(Qt::NoButton);
}

TEST_F(CameraMouse, SelectModeSteersAtTheEdges) {
    run("Camera.SelectMode 1");
    hold(Qt::LeftButton);
    camera.mouseButton(Camera::LeftButton, 1, 320, 240);
    EXPECT_EQ(camera.getMouseState(), Camera::Idle);
    hold(Qt::NoButton);
    camera.mouseMove(320, 240); // the middle: nothing
    frames(1);
    EXPECT_EQ(value("Rotate"), " 0 0 1 0");
    camera.mouseMove(0, 240); // the left edge: a degree per move
    frames(1);
    EXPECT_EQ(value("Rotate"), " 0 -1 0 1");
    camera.mouseMove(-50, 240); // outside the view: nothing
    frames(1);
    EXPECT_EQ(value("Rotate"), " 0 -1 0 1");
}

TEST_F(CameraMouse, MouseLookMovesAtOnceAndIgnoresClicks) {
    camera.setMouseMode(1);
    camera.mouseButton(Camera::LeftButton, 1, 0, 0);
    EXPECT_EQ(camera.getMouseState(), Camera::Idle);
    camera.mouseMove(64, 0); // the pointer's offset from the centre
    frames(1);
    EXPECT_EQ(value("Rotate"), " 0 1 0 6");
    hold(Qt::RightButton);
    camera.mouseMove(0, -48);
    frames(1);
    EXPECT_DOUBLE_EQ(camera.getDist(), 1.5); // 10 radii nearer, bounded by 1.5
    hold(Qt::NoButton);

    world.select("Earth", "Tokyo");
    run("Camera.Mode Observe");
    camera.mouseMove(64, 48);
    frames(1);
    EXPECT_EQ(value("Orient"), " 3 3");
    hold(Qt::RightButton);
    camera.mouseMove(0, 48);
    frames(1);
    EXPECT_EQ(value("Zoom"), " 45"); // at the top already
    camera.mouseMove(0, -48);
    frames(1);
    EXPECT_EQ(value("Zoom"), " 35");
    hold(Qt::NoButton);
}
