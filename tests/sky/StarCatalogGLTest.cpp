// Drawing the star catalogue: square and sprite sizes, when the list is
// rebuilt, and the square fallback without point sprites.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include "SkyScene.h"
#include "StarFileTestSupport.h"
#include "sky/StarCatalog.h"
#include "support/GlTestContext.h"
#include "support/TestEnv.h"

using orvextest::BinaryFile;

namespace {

const int size = 512;

class StarCatalogGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.isValid());
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, 1.0, 1.0, 1000.0);
        glMatrixMode(GL_MODELVIEW);
    }

    // A catalogue with one star of magnitude m that the catalogue's frame
    // puts straight ahead at distance 100.
    void loadStarAhead(float m) {
        double f[16];
        glLoadIdentity();
        StarCatalog::applyFrame();
        glGetDoublev(GL_MODELVIEW_MATRIX, f);
        glLoadIdentity();
        // The frame is a rotation: its inverse is its transpose.
        const double ahead[3] = {0.0, 0.0, -100.0};
        float p[3];
        for (int c = 0; c < 3; ++c)
            p[c] = float(f[c * 4] * ahead[0] + f[c * 4 + 1] * ahead[1] + f[c * 4 + 2] * ahead[2]);
        BinaryFile file;
        file.i32(2).i32(0).i32(1).xyz(p[0], p[1], p[2]).f32(m);
        ASSERT_EQ(catalog.loadStars(orvextest::writeBytes(dir.file("one.dsc"), file.bytes())), 1);
    }

    // Lit pixels along the middle row after one draw.
    int widthDrawn(float s) {
        glClear(GL_COLOR_BUFFER_BIT);
        catalog.draw(s);
        const std::vector<unsigned char> rgb = orvextest::readFrame(size, size);
        int lit = 0;
        for (int x = 0; x < size; ++x)
            if (rgb[(std::size_t(size / 2) * size + x) * 3] > 0)
                ++lit;
        return lit;
    }

    orvextest::GlTestContext gl{size, size};
    orvextest::TempDir dir;
    StarCatalog catalog;
};

} // namespace

TEST_F(StarCatalogGLTest, SquareFollowsTheViewAndSpriteKeepsItsPixels) {
    loadStarAhead(1.5f);
    // Half-side 0.7 at distance 100 under a 45-degree view on 512 pixels.
    const double half = 0.7 / 100.0 / std::tan(22.5 * 3.141592653589793 / 180.0) * size / 2;
    EXPECT_NEAR(widthDrawn(1.0f), 2 * half, 1.5);
    EXPECT_NEAR(widthDrawn(2.0f), 4 * half, 1.5);

    catalog.setPointSprites(1);
    EXPECT_NEAR(widthDrawn(1.0f), 14, 1);
    EXPECT_NEAR(widthDrawn(0.5f), 14, 1);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(StarCatalogGLTest, SquaresRebuildOnZoomAndSpritesDoNot) {
    loadStarAhead(3.0f);
    catalog.draw(1.0f);
    catalog.draw(1.0f);
    EXPECT_EQ(catalog.getBuildCount(), 1);
    catalog.draw(0.8f);
    EXPECT_EQ(catalog.getBuildCount(), 2);

    catalog.setPointSprites(1);
    catalog.draw(0.8f);
    EXPECT_EQ(catalog.getBuildCount(), 3); // the style change drops the list once
    catalog.draw(0.5f);
    catalog.draw(0.3f);
    EXPECT_EQ(catalog.getBuildCount(), 3);
}

TEST_F(StarCatalogGLTest, WithoutPointSpritesTheSquaresAreDrawn) {
    loadStarAhead(1.5f);
    const int square = widthDrawn(1.0f);
    catalog.setSpriteSupport(0);
    catalog.setPointSprites(1);
    EXPECT_EQ(widthDrawn(1.0f), square);
    const int builds = catalog.getBuildCount();
    widthDrawn(2.0f);
    EXPECT_EQ(catalog.getBuildCount(), builds + 1);
}

TEST_F(StarCatalogGLTest, TexturedGlowAndEmptyCatalogues) {
    // No stars: the list only sets and restores state.
    catalog.draw(1.0f);
    EXPECT_EQ(orvextest::litPixels(orvextest::readFrame(size, size)), 0);

    loadStarAhead(-1.5f);
    ASSERT_EQ(catalog.loadTexture(orvextest::shareDir() + "/textures/star.png"), 1);
    for (int sprites : {0, 1}) {
        catalog.setPointSprites(sprites);
        glClear(GL_COLOR_BUFFER_BIT);
        catalog.draw(1.0f);
        const std::vector<unsigned char> rgb = orvextest::readFrame(size, size);
        // The glow is brightest in its middle and fades outward.
        const unsigned char middle = rgb[(std::size_t(size / 2) * size + size / 2) * 3];
        const unsigned char side = rgb[(std::size_t(size / 2) * size + size / 2 + 10) * 3];
        EXPECT_GT(middle, 200) << sprites;
        EXPECT_LT(side, middle) << sprites;
        GLboolean blend = GL_TRUE;
        glGetBooleanv(GL_BLEND, &blend);
        EXPECT_EQ(blend, GL_FALSE); // the attributes come back
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(StarCatalogGLTest, StarsFainterThanTheFormulaStillDrawWithoutGLErrors) {
    loadStarAhead(25.0f);
    catalog.setPointSprites(1);
    widthDrawn(1.0f);
    catalog.setPointSprites(0);
    widthDrawn(1.0f);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
