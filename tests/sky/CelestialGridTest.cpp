// The grid's label places and texts, and its settings.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "sky/CelestialGrid.h"

TEST(CelestialGrid, HourLabelsRunFrom0hTo23hAlongTheEquator) {
    const std::vector<GridLabel> labels = CelestialGrid::labels();
    ASSERT_EQ(labels.size(), 24u + 4u * 17u + 2u);
    for (int h = 0; h < 24; ++h) {
        const GridLabel& label = labels[h];
        EXPECT_EQ(label.text, " " + std::to_string(h) + "h");
        EXPECT_EQ(label.anchor, 1);
        const double a = h * 15.0 * 3.141592653589793 / 180.0;
        EXPECT_NEAR(label.position.x, std::cos(a), 1e-12);
        EXPECT_NEAR(label.position.y, std::sin(a), 1e-12);
        EXPECT_DOUBLE_EQ(label.position.z, 0.01);
    }
}

TEST(CelestialGrid, EachPoleIsLabelledOnceAndEveryOtherDeclinationFourTimes) {
    std::map<std::string, int> count;
    for (const GridLabel& label : CelestialGrid::labels())
        if (label.anchor == 7)
            ++count[label.text];
    EXPECT_EQ(count.size(), 19u);
    EXPECT_EQ(count[" -90"], 1);
    EXPECT_EQ(count[" 90"], 1);
    EXPECT_EQ(count[" 0"], 4);
    EXPECT_EQ(count[" -40"], 4);
    // The north pole's label sits just below the pole on the 0h meridian.
    const std::vector<GridLabel> labels = CelestialGrid::labels();
    const GridLabel& north = labels[24 + 18];
    EXPECT_EQ(north.text, " 90");
    EXPECT_NEAR(north.position.z, 1.0 - 0.01, 1e-8);
}

TEST(CelestialGrid, DisplaySettings) {
    CelestialGrid grid;
    EXPECT_EQ(grid.getDispText(), "1 0.15 0.15 0.15");
    const double red[3] = {1.0, 0.0, 0.0};
    grid.setDisp(0.0, red);
    EXPECT_EQ(grid.getDispText(), "1 1 0 0");
    grid.setDisp(2.0, red);
    EXPECT_DOUBLE_EQ(grid.getLineWidth(), 2.0);
    grid.setColor(red);
    EXPECT_DOUBLE_EQ(grid.getColor()[0], 1.0);
    EXPECT_EQ(grid.getFontSpec(), "Arial 12 0");
    grid.setFont("Liberation_Sans", 10.0f, 2);
    EXPECT_EQ(grid.getFontSpec(), "Liberation_Sans 10 2");
    grid.toggle();
    EXPECT_EQ(grid.isShown(), 0);
}
