// Drawing the celestial grid: lines in the line colour, labels in theirs,
// and a font change that rebuilds the lists only when the font changes.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include "SkyScene.h"
#include "sky/CelestialGrid.h"
#include "support/GlTestContext.h"

namespace {

const int size = 128;

int countColour(const std::vector<unsigned char>& rgb, int channel) {
    int count = 0;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        if (rgb[i + channel] > 128 && rgb[i + (channel + 1) % 3] == 0)
            ++count;
    return count;
}

} // namespace

TEST(CelestialGridGL, LinesAndLabelsInTheirColours) {
    orvextest::GlTestContext gl(size, size);
    ASSERT_TRUE(gl.isValid());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    CelestialGrid grid;
    const double red[3] = {1, 0, 0};
    const double green[3] = {0, 1, 0};
    grid.setDisp(1.0, red);
    grid.setColor(green);
    glClear(GL_COLOR_BUFFER_BIT);
    orvextest::lookAtSky(0.0, 0.0, 40.0, 1.0);
    grid.draw();
    const std::vector<unsigned char> rgb = orvextest::readFrame(size, size);
    // The 0h meridian and the equator cross in the middle.
    bool crossing = false;
    for (int y = size / 2 - 1; y <= size / 2 + 1; ++y)
        for (int x = size / 2 - 1; x <= size / 2 + 1; ++x)
            crossing = crossing || rgb[(std::size_t(y) * size + x) * 3] > 128;
    EXPECT_TRUE(crossing);
    EXPECT_GT(countColour(rgb, 0), 2 * size);
    // " 0h" and " 0" by the crossing.
    EXPECT_GT(countColour(rgb, 1), 20);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    grid.hide();
    glClear(GL_COLOR_BUFFER_BIT);
    grid.draw();
    EXPECT_EQ(orvextest::litPixels(orvextest::readFrame(size, size)), 0);
}

TEST(CelestialGridGL, BothListsGoWithTheGrid) {
    orvextest::GlTestContext gl(size, size);
    ASSERT_TRUE(gl.isValid());
    unsigned base = 0;
    {
        CelestialGrid grid;
        grid.buildLists();
        base = grid.getListBase();
        ASSERT_NE(base, 0u);
        EXPECT_TRUE(glIsList(base + 1));
    }
    EXPECT_FALSE(glIsList(base));
    EXPECT_FALSE(glIsList(base + 1));
}

TEST(CelestialGridGL, OnlyANewFontRebuildsTheLists) {
    orvextest::GlTestContext gl(size, size);
    ASSERT_TRUE(gl.isValid());
    CelestialGrid grid;
    grid.buildLists();
    EXPECT_EQ(grid.getBuildCount(), 1);
    grid.setFont("Arial", 12.0f, 0);
    EXPECT_EQ(grid.getBuildCount(), 1);
    grid.setFont("DejaVu_Sans", 12.0f, 0);
    EXPECT_EQ(grid.getBuildCount(), 2);
    grid.setFont("DejaVu_Sans", 12.0f, 1);
    EXPECT_EQ(grid.getBuildCount(), 3);
    EXPECT_EQ(grid.getFontSpec(), "DejaVu_Sans 12 1");
}
