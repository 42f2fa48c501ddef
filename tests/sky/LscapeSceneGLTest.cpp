// Whole landscape scenes at a place: four 90-degree views side by side, facing
// north, east, south and west, so that every direction name shows once. With
// ORVEX_SHOT_DIR set the pictures are also saved there as PNG files, to be
// looked at.
#include <gtest/gtest.h>

#include <GL/glew.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include <QImage>

#include "graphics/Texture.h"
#include "platform/CurrentDirGuard.h"
#include "sky/FakeLscapeServices.h"
#include "sky/Lscape.h"
#include "support/GlTestContext.h"
#include "support/ProgramGlState.h"
#include "support/TestEnv.h"
#include "support/TestRoot.h"
#include "view/ParticleSystem.h"

namespace {

constexpr int panel = 256;
constexpr double pi = 3.141592653589793;

class LscapeScene : public ::testing::Test {
protected:
    LscapeScene() : gl(4 * panel, panel), lscape(&root, &services) {
        root.setDataDir(orvextest::shareDir());
        orvextest::useProgramGlState();
    }

    void run(const std::string& line) { ASSERT_EQ(root.interp.executeLine(line), 1) << line; }

    // A few hundred faint stars, so the sky reads as a night sky.
    static void drawStars() {
        glPushAttrib(GL_CURRENT_BIT | GL_POINT_BIT);
        glPointSize(2.0f);
        glBegin(GL_POINTS);
        unsigned seed = 12345;
        for (int i = 0; i < 600; ++i) {
            seed = seed * 1103515245u + 12345u;
            const double a = (seed >> 8) % 3600 * pi / 1800.0;
            seed = seed * 1103515245u + 12345u;
            const double z = ((seed >> 8) % 2000) / 1000.0 - 1.0;
            const double r = std::sqrt(1.0 - z * z);
            const double b = 0.4 + ((seed >> 4) % 60) / 100.0;
            glColor3d(b, b, b);
            glVertex3d(50.0 * r * std::cos(a), 50.0 * z, 50.0 * r * std::sin(a));
        }
        glEnd();
        glPopAttrib();
    }

    // Heading 0 looks north (+z), 90 east (-x); the camera looks along -z.
    void drawPanel(int index, double headingDegrees, double pitchDegrees, bool stars = true) {
        glViewport(index * panel, 0, panel, panel);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(90.0, 1.0, 0.01, 100.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glRotated(-pitchDegrees, 1.0, 0.0, 0.0);
        glRotated(180.0 + headingDegrees, 0.0, 1.0, 0.0);
        services.viewRot =
            Quaternion(Vector3(0.0, 1.0, 0.0), (180.0 + headingDegrees) * pi / 180.0) *
            Quaternion(Vector3(1.0, 0.0, 0.0), -pitchDegrees * pi / 180.0);
        if (stars)
            drawStars();
        lscape.draw();
    }

    void drawPanorama(double pitchDegrees = 0.0) {
        glViewport(0, 0, 4 * panel, panel);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        for (int i = 0; i < 4; ++i)
            drawPanel(i, 90.0 * i, pitchDegrees);
        glFinish();
    }

    QImage grab() const {
        QImage image(4 * panel, panel, QImage::Format_RGBA8888);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 4 * panel, panel, GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
        return image.mirrored();
    }

    void save(const QImage& image, const char* name) const {
        const char* dir = std::getenv("ORVEX_SHOT_DIR");
        if (dir && *dir)
            image.save(QString::fromStdString(std::string(dir) + "/" + name + ".png"));
    }

    // White pixels of one panel.
    static int whiteIn(const QImage& image, int index) {
        int n = 0;
        for (int y = 0; y < panel; ++y)
            for (int x = index * panel; x < (index + 1) * panel; ++x) {
                const QColor c = image.pixelColor(x, y);
                n += c.red() > 220 && c.green() > 220 && c.blue() > 220 ? 1 : 0;
            }
        return n;
    }

    orvextest::GlTestContext gl;
    orvextest::TestRoot root;
    FakeLscapeServices services;
    Lscape lscape;
};

} // namespace

TEST_F(LscapeScene, HorizonBandSkyGradientAndDirectionNames) {
    ASSERT_TRUE(gl.isValid());
    ASSERT_EQ(lscape.loadDirectionNames("./data/direction.txt"), 1);
    run("Lscape.DirFont DejaVu_Sans 22 1; Lscape.GroundType Horizon;"
        "Lscape.GroundColor 0.05 0.12 0.05 1; Lscape.HorizonColor 0.2 0.3 0.15 1;"
        "Lscape.LscapeHeight 0.02; Lscape.TopColor 0 0.02 0.12 0.9;"
        "Lscape.BottomColor 0.25 0.3 0.55 0.9; Lscape.DirColor 1 1 1");
    drawPanorama(10.0);
    const QImage image = grab();
    save(image, "lscape-horizon");
    for (int i = 0; i < 4; ++i)
        EXPECT_GT(whiteIn(image, i), 20) << "panel " << i;
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(LscapeScene, PanoramaPicture) {
    ASSERT_TRUE(gl.isValid());
    services.panorama = "panorama.png";
    run("Lscape.DirFont DejaVu_Sans 22 1; Lscape.DirColor 1 0.9 0.5;"
        "Lscape.TopColor 0 0.01 0.08 0.9; Lscape.BottomColor 0.1 0.15 0.35 0.9");
    drawPanorama(5.0);
    ASSERT_TRUE(lscape.getPanoramaTexture().isLoaded());
    const QImage image = grab();
    save(image, "lscape-panorama");
    // Land below the horizon in every panel.
    for (int i = 0; i < 4; ++i) {
        const QColor land = image.pixelColor(i * panel + panel / 2, panel * 3 / 4);
        EXPECT_GT(land.green(), land.blue()) << "panel " << i;
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(LscapeScene, ShootingStarsOverTheMesh) {
    ASSERT_TRUE(gl.isValid());
    services.dust = 1;
    services.simMode = 1;
    lscape.getShootingStars().setSeed(99);
    run("Lscape.GroundType Mesh; Lscape.SstarsCount 64; Lscape.DirFont DejaVu_Sans 18 0");
    // Let the shower run a while, then keep one frame.
    for (int i = 0; i < 6; ++i)
        drawPanorama(30.0);
    const QImage image = grab();
    save(image, "lscape-shooting-stars");
    int streak = 0;
    for (int y = 0; y < panel / 2; ++y)
        for (int x = 0; x < 4 * panel; ++x) {
            const QColor c = image.pixelColor(x, y);
            streak += c.red() > 150 && c.red() == c.blue() ? 1 : 0;
        }
    EXPECT_GT(streak, 20);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(LscapeScene, SnowFallingAtAPlace) {
    ASSERT_TRUE(gl.isValid());
    // The place's weather, as the camera loads it with the data directory
    // current, and the landscape's switch and opacity as the camera hands
    // them to the particles.
    ParticleSystem snow;
    snow.setSeed(4);
    {
        platform::CurrentDirGuard inData(root.getDataDir());
        ASSERT_EQ(snow.load("./effects/snow.dfx"), 1);
    }
    run("Lscape.Weather 1; Lscape.WeatherOpacity 0.8; Lscape.GroundType Horizon;"
        "Lscape.GroundColor 0.35 0.37 0.4 1; Lscape.HorizonColor 0.62 0.64 0.68 1;"
        "Lscape.TopColor 0.05 0.06 0.1 1; Lscape.BottomColor 0.3 0.32 0.38 1;"
        "Lscape.DirFont DejaVu_Sans 22 1; Lscape.DirColor 0.1 0.1 0.2");
    snow.setAlpha(lscape.getWeather() ? float(lscape.getWeatherOpacity()) : 0.0f);
    for (int i = 0; i < 30; ++i)
        snow.update();

    glViewport(0, 0, 4 * panel, panel);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (int i = 0; i < 4; ++i) {
        drawPanel(i, 90.0 * i, 10.0, false);
        // The camera's particle pass: the place's horizon frame with z up,
        // seen along the view.
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(90.0, 1.0, 0.0001, 100.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const Quaternion q =
            Quaternion(Vector3(1.0, 0.0, 0.0), -pi / 2.0) * services.observeRot * services.viewRot;
        const Quaternion back = q.inverse();
        snow.setViewAxes(back.rotateVector(Vector3(1.0, 0.0, 0.0)),
                         back.rotateVector(Vector3(0.0, -1.0, 0.0)));
        q.glRotate();
        snow.draw();
    }
    glFinish();
    const QImage image = grab();
    save(image, "lscape-snow");
    // Flakes: bright specks over the dark sky.
    int flakes = 0;
    for (int y = 0; y < panel / 3; ++y)
        for (int x = 0; x < 4 * panel; ++x)
            flakes += image.pixelColor(x, y).lightness() > 150 ? 1 : 0;
    EXPECT_GT(flakes, 50);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
