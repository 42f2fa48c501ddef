// Small globes drawn with the coarse unit sphere against the same globes
// drawn with the full one, in the program's GL state, lit from the side,
// plain and with a map: the pictures must agree within rasterisation
// differences (covered pixels and mean colour), and the map must stand
// north-up on both.
#include "model/UnitSpheres.h"

#include <GL/glew.h>

#include <GL/glu.h>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "model/OrbitMath.h"
#include "support/GlScreen.h"

namespace {

constexpr int width = 200;
constexpr int height = 160;
constexpr double fovy = 40.0;
constexpr int fullSlices = 24;

// What a picture of globes shows: the pixels they cover (depth written),
// the sum of their colour, and the colour of their upper and lower halves.
struct Picture {
    int covered = 0;
    double rgb[3] = {0, 0, 0};
    // Red less blue over the upper and the lower halves of the globes.
    double northRed = 0.0;
    double southRed = 0.0;
    double mean(int c) const { return covered ? rgb[c] / covered : 0.0; }
};

class SmallGlobes : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.isValid());
        orvextest::applyProgramGlState();
        orvextest::perspectiveView(gl, fovy);
        // Sunlight from the right and a little towards the eye: the left of
        // each globe is in the dark.
        const GLfloat sun[4] = {1.0f, 0.0f, 0.35f, 0.0f};
        glLightfv(GL_LIGHT0, GL_POSITION, sun);
        makeMap();
    }
    void TearDown() override {
        glDeleteTextures(1, &map);
        spheres.release();
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }

    // A map with a red north and a blue south, and a brighter band of
    // longitudes, so that upside-down or shifted maps show.
    void makeMap() {
        const int w = 64, h = 32;
        std::vector<unsigned char> texels;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const bool north = y < h / 2; // the first row is the top
                const unsigned char band = x < w / 4 ? 90 : 0;
                texels.push_back(north ? 230 : 40);
                texels.push_back(band);
                texels.push_back(north ? 40 : 230);
            }
        }
        glGenTextures(1, &map);
        glBindTexture(GL_TEXTURE_2D, map);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, w, h, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
        glBindTexture(GL_TEXTURE_2D, 0);
    }

    // A grid of globes of the given diameter in pixels, at assorted
    // sub-pixel places and turns, their poles up as a body's are; each is
    // the unit sphere with that many slices, scaled.
    Picture draw(double diameter, int slices, bool textured) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const double distance = 10.0;
        const double focal = 0.5 * height / std::tan(fovy * kDegToRad / 2.0);
        const double r = 0.5 * diameter * distance / focal;
        const double pixel = distance / focal;
        const int columns = 8, rows = 6;
        centres.clear();
        const unsigned list = spheres.list(slices);
        glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_TEXTURE_BIT);
        glEnable(GL_LIGHTING);
        glEnable(GL_NORMALIZE);
        glDisable(GL_COLOR_MATERIAL);
        const GLfloat ambient[4] = {0.08f, 0.08f, 0.08f, 1.0f};
        const GLfloat plain[4] = {0.9f, 0.7f, 0.4f, 1.0f};
        const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, textured ? white : plain);
        if (textured) {
            glBindTexture(GL_TEXTURE_2D, map);
            glEnable(GL_TEXTURE_2D);
        }
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < columns; ++column) {
                const int k = row * columns + column;
                const double x = (column - (columns - 1) / 2.0) * width / columns * pixel;
                const double y = (row - (rows - 1) / 2.0) * height / rows * pixel;
                glPushMatrix();
                glTranslated(x + 0.37 * k * pixel, y + 0.61 * k * pixel, -distance);
                glRotated(-90.0, 1.0, 0.0, 0.0);
                glRotated(k * 37.0, 0.0, 0.0, 1.0);
                centres.push_back(orvextest::windowOf(Vector3(0, 0, 0)));
                glScaled(r, r, r);
                glCallList(list);
                glPopMatrix();
            }
        }
        glPopAttrib();
        return read();
    }

    Picture read() const {
        glFinish();
        std::vector<unsigned char> rgb(size_t(width * height * 3));
        std::vector<float> depth(size_t(width * height));
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        glReadPixels(0, 0, width, height, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
        Picture p;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const size_t i = size_t(y * width + x);
                if (depth[i] >= 1.0f)
                    continue;
                ++p.covered;
                for (int c = 0; c < 3; ++c)
                    p.rgb[c] += rgb[3 * i + size_t(c)];
                // The half of the nearest globe the pixel lies in.
                const Vector3* nearest = nullptr;
                double best = 1e30;
                for (const Vector3& c : centres) {
                    const double d = std::hypot(x + 0.5 - c.x, y + 0.5 - c.y);
                    if (d < best) {
                        best = d;
                        nearest = &c;
                    }
                }
                const double redness = double(rgb[3 * i]) - rgb[3 * i + 2];
                if (nearest && y + 0.5 > nearest->y)
                    p.northRed += redness;
                else if (nearest && y + 0.5 < nearest->y)
                    p.southRed += redness;
            }
        }
        return p;
    }

    orvextest::GlTestContext gl{width, height};
    UnitSpheres spheres;
    GLuint map = 0;
    std::vector<Vector3> centres;
};

} // namespace

TEST_F(SmallGlobes, CoarseSphereShowsWhatTheFullOneShows) {
    for (double diameter : {1.5, 3.0, 6.0, 12.0, 24.0}) {
        const int slices = UnitSpheres::slicesFor(diameter, fullSlices);
        ASSERT_LT(slices, fullSlices) << diameter;
        for (bool textured : {false, true}) {
            SCOPED_TRACE(testing::Message() << diameter << " px, " << slices << " slices, "
                                            << (textured ? "map" : "plain"));
            const Picture full = draw(diameter, fullSlices, textured);
            const Picture coarse = draw(diameter, slices, textured);
            // The outlines differ by under a quarter pixel, the coarse one
            // inside: the covered pixels by less than that band around each
            // of the 48 globes (about half of it, the polygon's mean depth).
            ASSERT_GT(full.covered, 0);
            const double band = 48 * kPi * diameter * UnitSpheres::maxOutlineError;
            EXPECT_LE(coarse.covered, full.covered + 8);
            EXPECT_GE(coarse.covered, full.covered - 0.5 * band - 8);
            // The same light and the same map on them: the mean colour
            // within a few levels.
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(coarse.mean(c), full.mean(c), 6.0) << "channel " << c;
            // Lit from the side, not all dark nor all bright.
            EXPECT_GT(full.mean(0) + full.mean(1) + full.mean(2), 30.0);
            if (textured && diameter >= 3.0) {
                // North up on both: red above, blue below.
                EXPECT_GT(full.northRed, 0.0);
                EXPECT_LT(full.southRed, 0.0);
                EXPECT_GT(coarse.northRed, 0.0);
                EXPECT_LT(coarse.southRed, 0.0);
            }
        }
    }
}

TEST_F(SmallGlobes, SpheresAreCompiledOncePerDetail) {
    const unsigned coarse = spheres.list(6);
    const unsigned full = spheres.list(fullSlices);
    EXPECT_NE(coarse, 0u);
    EXPECT_NE(full, 0u);
    EXPECT_NE(coarse, full);
    EXPECT_EQ(spheres.list(6), coarse);
    EXPECT_EQ(spheres.list(fullSlices), full);
    EXPECT_TRUE(glIsList(coarse));
    spheres.release();
    EXPECT_FALSE(glIsList(coarse));
    EXPECT_FALSE(glIsList(full));
}
