// The shipped star files pushed back through the program's own drawing
// turns land on the J2000 places of known stars.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <cmath>
#include <functional>

#include "sky/Space.h"
#include "sky/StarCatalog.h"
#include "sky/StarFileReader.h"
#include "support/GlTestContext.h"
#include "support/TestEnv.h"

namespace {

struct KnownStar {
    const char* name;
    double raDeg, decDeg, magnitude; // J2000 place and V (SIMBAD)
};

const KnownStar knownStars[] = {
    {"Sirius", 101.28715533, -16.71611586, -1.46},
    {"Betelgeuse", 88.79293899, 7.40706399, 0.42},
    {"Polaris", 37.95456067, 89.26410897, 1.98},
};

const double degree = 3.141592653589793 / 180.0;

// The model-view that the turns make from the identity.
void turnsOf(const std::function<void()>& turns, double* m) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    turns();
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
}

// Angle in degrees between the turned position and a sky place.
double angleTo(const double* m, const float* p, const KnownStar& star) {
    double e[3];
    for (int r = 0; r < 3; ++r)
        e[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2];
    const double a = star.raDeg * degree;
    const double d = star.decDeg * degree;
    const double t[3] = {std::cos(a) * std::cos(d), std::sin(a) * std::cos(d), std::sin(d)};
    const double length = std::sqrt(e[0] * e[0] + e[1] * e[1] + e[2] * e[2]);
    const double c = (e[0] * t[0] + e[1] * t[1] + e[2] * t[2]) / length;
    const double s = std::sqrt((e[1] * t[2] - e[2] * t[1]) * (e[1] * t[2] - e[2] * t[1]) +
                               (e[2] * t[0] - e[0] * t[2]) * (e[2] * t[0] - e[0] * t[2]) +
                               (e[0] * t[1] - e[1] * t[0]) * (e[0] * t[1] - e[1] * t[0])) /
                     length;
    return std::atan2(s, c) / degree;
}

} // namespace

TEST(StarFrameGL, CatalogueStarsComeBackToTheirJ2000Places) {
    orvextest::GlTestContext gl;
    ASSERT_TRUE(gl.isValid());
    StarCatalog catalog;
    ASSERT_EQ(catalog.loadStars(orvextest::shareDir() + "/data/stars/catalog.dsc"), 1);
    double m[16];
    turnsOf(StarCatalog::applyFrame, m);

    for (const KnownStar& star : knownStars) {
        double best = 180.0;
        for (int k = 0; k < StarCatalog::GroupCount; ++k) {
            const CatalogGroup& g = catalog.getGroup(k);
            for (int i = 0; i < g.count(); ++i)
                if (std::fabs(g.magnitudes[i] - star.magnitude) < 0.25)
                    best = std::min(best, angleTo(m, &g.positions[i * 3], star));
        }
        EXPECT_LT(best, 0.01) << star.name;
    }
}

TEST(StarFrameGL, MagnitudeClassStarsComeBackToTheirJ2000Places) {
    orvextest::GlTestContext gl;
    ASSERT_TRUE(gl.isValid());
    double m[16];
    turnsOf(
        [] {
            Space::applyPointsFrame();
            Space::applyHipparcosGroupFrame();
        },
        m);
    const std::string path = orvextest::shareDir() + "/data/stars/hipparcos.dhb";
    int groups = 0;
    ASSERT_EQ(StarFileReader::readHipparcosGroupCount(path, groups), 1);
    double best[3] = {180.0, 180.0, 180.0};
    // The three stars are in the classes 0 to 2.
    ASSERT_EQ(StarFileReader::readHipparcosGroups(
                  path, 2.0f, groups, [](int) { return true; },
                  [&](int, std::vector<float>& xyz) {
                      for (std::size_t i = 0; i < xyz.size(); i += 3)
                          for (int s = 0; s < 3; ++s)
                              best[s] = std::min(best[s], angleTo(m, &xyz[i], knownStars[s]));
                  }),
              1);
    for (int s = 0; s < 3; ++s)
        EXPECT_LT(best[s], 0.01) << knownStars[s].name;
}
