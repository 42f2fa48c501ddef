// The landscape drawn into a 128 x 128 view with a 90-degree field, the eye at
// the place looking south along the horizon; pixels probed row by row (row 64
// is the horizon, row 120 about 41 degrees up, row 20 about 34 degrees down).
#include <gtest/gtest.h>

#include <GL/glew.h>
#include <GL/glu.h>

#include <cmath>
#include <functional>
#include <vector>

#include "graphics/Texture.h"
#include "platform/SteadyClock.h"
#include "sky/FakeLscapeServices.h"
#include "sky/Lscape.h"
#include "support/GlTestContext.h"
#include "support/ProgramGlState.h"
#include "support/TestEnv.h"
#include "support/TestRoot.h"

namespace {

constexpr int size = 128;

struct Rgb {
    int r, g, b;
};

Rgb pixel(const orvextest::GlTestContext& gl, int x, int y) {
    const unsigned p = gl.readPixel(x, y);
    return {int(p >> 16), int((p >> 8) & 0xff), int(p & 0xff)};
}

// Pixels of the rows [rowBegin, rowEnd) that match.
int countPixels(const std::function<bool(const Rgb&)>& match, int rowBegin = 0, int rowEnd = size) {
    std::vector<unsigned char> rgba(size * size * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, size, size, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    int n = 0;
    for (int y = rowBegin; y < rowEnd; ++y)
        for (int x = 0; x < size; ++x) {
            const unsigned char* p = &rgba[(y * size + x) * 4];
            n += match({p[0], p[1], p[2]}) ? 1 : 0;
        }
    return n;
}

bool white(const Rgb& p) {
    return p.r > 200 && p.g > 200 && p.b > 200;
}

bool red(const Rgb& p) {
    return p.r > 100 && p.g < 60 && p.b < 60;
}

bool bright(const Rgb& p) {
    return p.r > 40 || p.g > 40 || p.b > 40;
}

class LscapeGL : public ::testing::Test {
protected:
    LscapeGL() : gl(size, size), lscape(&root, &services) {
        previousClock = platform::setMillisecondSource([] { return 500u; });
        orvextest::useProgramGlState();
    }
    ~LscapeGL() override { platform::setMillisecondSource(previousClock); }

    void run(const char* line) { ASSERT_EQ(root.interp.executeLine(line), 1) << line; }

    // The camera's part: projection and the view of the eye at the place.
    void frame(float clearBlue = 0.5f) {
        glViewport(0, 0, size, size);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(90.0, 1.0, 0.01, 100.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDisable(GL_BLEND);
        glClearColor(0.0f, 0.0f, clearBlue, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        lscape.draw();
        glFinish();
    }

    orvextest::GlTestContext gl;
    orvextest::TestRoot root;
    FakeLscapeServices services;
    Lscape lscape;
    platform::MillisecondSource previousClock;
};

} // namespace

TEST_F(LscapeGL, HorizonBandUnderASkyGradient) {
    ASSERT_TRUE(gl.isValid());
    lscape.buildLists(1);
    run("Lscape.GroundType Horizon; Lscape.GroundColor 0 1 0 1; Lscape.HorizonColor 0 1 0 1;"
        "Lscape.Dir 0");
    frame();
    // Defaults: the sky cone is fully transparent and not drawn.
    EXPECT_EQ(pixel(gl, 64, 120).b, 128);
    EXPECT_EQ(gl.readPixel(64, 20), 0x00ff00u);
    EXPECT_EQ(gl.readPixel(64, 2), 0x00ff00u); // the band reaches 45 degrees down

    run("Lscape.TopColor 0 0 1 1; Lscape.BottomColor 1 0 0 1");
    frame();
    const Rgb nearHorizon = pixel(gl, 64, 68);
    const Rgb high = pixel(gl, 64, 120);
    EXPECT_GT(nearHorizon.r, nearHorizon.b); // the rim colour dominates low
    EXPECT_GT(high.b, nearHorizon.b + 40);   // and the apex colour grows upwards
    EXPECT_EQ(gl.readPixel(64, 20), 0x00ff00u);

    // A band higher than the horizon, and blending off: no sky.
    run("Lscape.LscapeHeight 0.5");
    services.alphaBlend = 0;
    frame();
    EXPECT_EQ(gl.readPixel(64, 80), 0x00ff00u);
    EXPECT_EQ(gl.readPixel(64, 120), 0x000080u);

    // A translucent band lets the background through while blending.
    services.alphaBlend = 1;
    run("Lscape.TopColor 0 0 0 0; Lscape.BottomColor 0 0 0 0; Lscape.GroundColor 0 1 0 0.5;"
        "Lscape.HorizonColor 0 1 0 0.5");
    frame();
    const Rgb mixed = pixel(gl, 64, 20);
    EXPECT_NEAR(mixed.g, 128, 2);
    EXPECT_NEAR(mixed.b, 64, 2);
    EXPECT_EQ(glIsEnabled(GL_BLEND), GL_FALSE);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(LscapeGL, DirectionNamesAtTheHorizon) {
    ASSERT_TRUE(gl.isValid());
    lscape.buildLists(1);
    run("Lscape.GroundType Horizon");
    frame(0.0f);
    // Looking south: the "S" stands on the horizon, anchored at its bottom left.
    const int above = countPixels(white, 64, size);
    EXPECT_GT(above, 5);
    EXPECT_EQ(countPixels(white, 0, 60), 0);

    run("Lscape.Dir 0");
    frame(0.0f);
    EXPECT_EQ(countPixels(white), 0);
    run("Lscape.DirTog");

    // At the poles there are no directions.
    for (double latitude : {90.0, -90.0}) {
        services.latitude = latitude;
        frame(0.0f);
        EXPECT_EQ(countPixels(white), 0) << latitude;
    }
    services.latitude = 89.9;
    frame(0.0f);
    EXPECT_EQ(countPixels(white), above);

    // A names file rebuilds the list at once.
    const int builds = lscape.getDirectionListBuilds();
    root.writeDataFile("data/direction.txt", "Version: 7.0\nSouth: SSSS\n");
    ASSERT_EQ(lscape.loadDirectionNames("data/direction.txt"), 1);
    EXPECT_EQ(lscape.getDirectionListBuilds(), builds + 1);
    frame(0.0f);
    EXPECT_GT(countPixels(white), 2 * above);

    // Kept visible: turned by the azimuth only, below the middle of the view.
    run("Lscape.KeepDirVisible 1");
    services.observeRot = Quaternion(Vector3(1.0, 0.0, 0.0), 0.5); // pitch is ignored
    frame(0.0f);
    EXPECT_GT(countPixels(white, 30, 62), 2 * above);
    EXPECT_EQ(countPixels(white, 62, size), 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(LscapeGL, FontAndCursorCommandsRebuildTheirLists) {
    ASSERT_TRUE(gl.isValid());
    lscape.buildLists(1);
    const int names = lscape.getDirectionListBuilds();
    const int cursors = lscape.getCursorListBuilds();
    const std::string fontText = lscape.getLabelFontSpec();
    // The font the names already have: nothing happens.
    run(("Lscape.DirFont " + fontText).c_str());
    EXPECT_EQ(lscape.getDirectionListBuilds(), names);
    run("Lscape.DirFont DejaVu_Sans 30 1");
    EXPECT_EQ(lscape.getDirectionListBuilds(), names + 1);
    EXPECT_EQ(lscape.getDirectionFont().getAlign(), 2);
    // The Detail font command changes the font and shows it.
    lscape.setLabelFont("DejaVu Sans", 14.0f, 0);
    EXPECT_EQ(lscape.getDirectionListBuilds(), names + 2);
    EXPECT_EQ(lscape.getLabelFontSpec(), "DejaVu_Sans 14 0");

    // CursorType rebuilds every time, also for the same type.
    run("Lscape.CursorType Arrow");
    run("Lscape.CursorType Arrow");
    EXPECT_EQ(lscape.getCursorListBuilds(), cursors + 2);
    // Once built, every buildLists call rebuilds.
    lscape.buildLists(0);
    EXPECT_EQ(lscape.getDirectionListBuilds(), names + 3);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(LscapeGL, PanoramaWithTransparentSky) {
    ASSERT_TRUE(gl.isValid());
    root.setDataDir(orvextest::shareDir());
    services.panorama = "panorama.png";
    run("Lscape.Dir 0");
    // The first draw builds the lists and loads the picture.
    frame();
    ASSERT_TRUE(lscape.isBuilt());
    ASSERT_TRUE(lscape.getPanoramaTexture().isLoaded());
    EXPECT_EQ(lscape.getLoadedPanorama(), "panorama.png");
    const Rgb ground = pixel(gl, 64, 52); // 10 degrees down: the dark green land
    EXPECT_GT(ground.g, 10);
    EXPECT_LT(ground.g, 60);
    EXPECT_GT(ground.g, ground.b);
    EXPECT_EQ(gl.readPixel(64, 20), 0x000000u);  // the floor closing the cylinder
    EXPECT_EQ(gl.readPixel(64, 76), 0x000080u);  // 10 degrees up: transparent sky
    EXPECT_EQ(gl.readPixel(64, 120), 0x000080u); // above the cylinder

    // Without blending the sky is cut away by the alpha test.
    services.alphaBlend = 0;
    frame();
    EXPECT_EQ(gl.readPixel(64, 76), 0x000080u);
    EXPECT_EQ(pixel(gl, 64, 52).g, ground.g);
    EXPECT_EQ(glIsEnabled(GL_ALPHA_TEST), GL_FALSE);

    // A picture that does not load is remembered, and the relief shows instead.
    services.alphaBlend = 1;
    services.panorama = "missing.png";
    frame();
    EXPECT_EQ(lscape.getLoadedPanorama(), "missing.png");
    EXPECT_FALSE(lscape.getPanoramaTexture().isLoaded());
    const Rgb wall = pixel(gl, 64, 20);
    EXPECT_LT(wall.b, 40); // the relief's inner wall, not the background
    EXPECT_EQ(gl.readPixel(64, 120), 0x000080u);

    // "None" is no picture: nothing is loaded.
    services.panorama = "None";
    frame();
    EXPECT_EQ(lscape.getLoadedPanorama(), "missing.png");
    EXPECT_LT(pixel(gl, 64, 20).b, 40);

    // The Horizon ground ignores the panorama.
    services.panorama = "panorama.png";
    run("Lscape.GroundType Horizon; Lscape.GroundColor 1 0 0 1; Lscape.HorizonColor 1 0 0 1");
    frame();
    EXPECT_EQ(gl.readPixel(64, 52), 0xff0000u);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(LscapeGL, MeshGroundIsARingOfDarkHills) {
    ASSERT_TRUE(gl.isValid());
    lscape.buildLists(1);
    run("Lscape.GroundType Mesh; Lscape.Dir 0");
    frame();
    // The hills reach a few degrees above the horizon; beneath them the
    // ground is dark, above them the sky.
    EXPECT_LT(pixel(gl, 64, 40).b, 40);
    EXPECT_LT(pixel(gl, 64, 63).b, 40);
    EXPECT_EQ(gl.readPixel(64, 90), 0x000080u);
    EXPECT_EQ(glIsEnabled(GL_LIGHTING), GL_FALSE);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(LscapeGL, CursorMarksThePlaceOutsideObserve) {
    ASSERT_TRUE(gl.isValid());
    lscape.buildLists(1);
    services.surface = Vector3(0.0, 0.0, -2.0);
    services.cameraMode = 0;
    frame(0.0f);
    EXPECT_GT(countPixels(red), 5); // the arrow's red outline
    EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_TRUE);

    services.placeIndex = -1;
    frame(0.0f);
    EXPECT_EQ(countPixels(bright), 0);
    services.placeIndex = 0;

    // Still animating into Observe: the cursor, not the landscape.
    services.cameraMode = 1;
    services.animating = 1;
    frame(0.0f);
    EXPECT_GT(countPixels(red), 5);
    services.animating = 0;
    frame(0.0f);
    EXPECT_EQ(countPixels(red), 0);

    // Annotate: a red stem and the place name in white.
    services.cameraMode = 2;
    services.nameFont.setAlign(5);
    run("Lscape.CursorType Annotate");
    frame(0.0f);
    EXPECT_GT(countPixels(red), 5);
    EXPECT_GT(countPixels(white), 5);
    EXPECT_EQ(services.nameFont.getAlign(), 5);

    // Light: the cursor picture in pulsing red, here facing the eye at full
    // strength (500 ms into the pulse).
    services.radius = 40.0;
    services.observeRot = Quaternion(Vector3(1.0, 0.0, 0.0), 1.5707963267948966);
    run("Lscape.CursorType Light");
    frame(0.0f);
    EXPECT_GT(countPixels(red), 20);
    EXPECT_EQ(countPixels([](const Rgb& p) { return p.g > 60; }), 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(LscapeGL, ShootingStarsNeedDustAndTheLastSimMode) {
    ASSERT_TRUE(gl.isValid());
    lscape.buildLists(1);
    lscape.getShootingStars().setSeed(11);
    run("Lscape.GroundType Horizon; Lscape.Dir 0; Lscape.SstarsCount 64");
    services.dust = 1;
    services.simMode = 1;
    for (int i = 0; i < 4; ++i)
        frame(0.0f);
    EXPECT_GT(countPixels(bright, 64, size), 10);
    const double life = lscape.getShootingStars().getStreak(0).life;

    // Dust off, or another sim mode: neither drawn nor moved.
    services.dust = 0;
    frame(0.0f);
    EXPECT_EQ(countPixels(bright), 0);
    services.dust = 1;
    services.simMode = 0;
    frame(0.0f);
    EXPECT_EQ(countPixels(bright), 0);
    EXPECT_EQ(lscape.getShootingStars().getStreak(0).life, life);

    services.simMode = 1;
    run("Lscape.SstarsCount 0");
    frame(0.0f);
    EXPECT_EQ(countPixels(bright), 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
