#include "CameraFixture.h"

#include <GL/gl.h>
#include <vector>

#include "support/GlTestContext.h"
#include "view/LandscapeState.h"
#include "view/ParticleSystem.h"

using orvextest::CameraFixture;

namespace {

class CameraGL : public CameraFixture {};

// A point through a GL matrix (column-major), divided by w.
Vector3 apply(const double m[16], const Vector3& p) {
    const double w = m[3] * p.x + m[7] * p.y + m[11] * p.z + m[15];
    return Vector3((m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12]) / w,
                   (m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13]) / w,
                   (m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]) / w);
}

} // namespace

TEST_F(CameraGL, UpdateViewLoadsTheProjectionAndModelViewOfThePose) {
    orvextest::GlTestContext gl(200, 100);
    ASSERT_TRUE(gl.isValid());
    world.root.setSize(200, 100);
    world.root.setAspect(2.0);
    run("Camera.Rotate 0 1 0 90;Camera.Dist 4;Camera.Fov 30");

    for (double eye : {0.0, 0.25}) {
        camera.updateView(eye);
        double projection[16], modelView[16];
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_MODELVIEW);

        // gluPerspective(30, 2, near, far).
        const double n = world.ssystem.getRadiusRate();
        const double f = world.ssystem.getOrbitRate();
        const double cot = 1.0 / std::tan(15.0 * M_PI / 180.0);
        const double expected[16] = {cot / 2.0,
                                     0,
                                     0,
                                     0,
                                     0,
                                     cot,
                                     0,
                                     0,
                                     0,
                                     0,
                                     (f + n) / (n - f),
                                     -1,
                                     0,
                                     0,
                                     2.0 * f * n / (n - f),
                                     0};
        for (int i = 0; i < 16; ++i)
            EXPECT_NEAR(projection[i], expected[i], 1e-6 * std::max(1.0, std::fabs(expected[i])))
                << i;

        // Model-view: the stereo eye's turn, the view rotation, then pos
        // (GL keeps single precision, about 1e-7 of the Earth's 1 AU).
        const double turn = std::atan2(eye, 4.0);
        const Quaternion eyeTurn(Vector3(0, -1, 0), turn);
        for (const Vector3& p : {Vector3(0, 0, 0), Vector3(1, 0, 0), Vector3(0, 2, 0),
                                 Vector3(0, 0, 3), world.ssystem.getTrans() * -1.0}) {
            const Vector3 want =
                eyeTurn.rotateVector(camera.getViewRot().rotateVector(p + camera.getPos()));
            const Vector3 got = apply(modelView, p);
            EXPECT_NEAR(got.x, want.x, 2e-6);
            EXPECT_NEAR(got.y, want.y, 2e-6);
            EXPECT_NEAR(got.z, want.z, 2e-6);
        }
        // The body's centre lies on the view axis at 4 radii (mono eye).
        if (eye == 0.0) {
            const Vector3 centre = apply(modelView, world.ssystem.getTrans());
            EXPECT_NEAR(centre.x, 0.0, 2e-6);
            EXPECT_NEAR(centre.y, 0.0, 2e-6);
            EXPECT_NEAR(centre.z, -4.0 * world.ssystem.getRadius(), 2e-6);
        }
    }
}

TEST_F(CameraGL, TheParticlePassDrawsTheWeather) {
    orvextest::GlTestContext gl(160, 120);
    ASSERT_TRUE(gl.isValid());
    struct On : LandscapeState {
        int getWeather() const override { return 1; }
        double getWeatherOpacity() const override { return 1.0; }
        std::string getDefaultPlaceName() const override { return "Surface"; }
    } weather;
    camera.setLandscape(&weather);
    world.root.setSize(160, 120);
    world.root.setAspect(160.0 / 120.0);
    world.select("Earth", "Sydney");
    run("Camera.Mode Observe");
    camera.loadPlaceWeather();
    // Frames as the root draws them: the particles spawn in front of the
    // eye once the pass has given them the view's axes.
    glClearColor(0, 0, 0, 1);
    for (int i = 0; i < 10; ++i) {
        glClear(GL_COLOR_BUFFER_BIT);
        camera.updateView(0.0);
        camera.drawParticles();
    }
    std::vector<unsigned char> rgb(160 * 120 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 160, 120, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    int lit = 0;
    for (size_t i = 0; i < rgb.size(); i += 3)
        lit += (rgb[i] | rgb[i + 1] | rgb[i + 2]) != 0;
    EXPECT_GT(lit, 20);
    // The pass leaves the matrices as it found them.
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}
