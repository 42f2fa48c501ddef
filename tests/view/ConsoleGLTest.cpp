#include <gtest/gtest.h>

#include <GL/gl.h>
#include <vector>

#include "ViewWorld.h"
#include "graphics/LabelFont.h"
#include "support/GlTestContext.h"
#include "view/Console.h"

namespace {

// Lit pixels in rows [y0, y1) of the back buffer (y from the bottom).
int litPixels(int width, int y0, int y1) {
    std::vector<unsigned char> rgb(size_t(width) * size_t(y1 - y0) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, y0, width, y1 - y0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    int lit = 0;
    for (size_t i = 0; i < rgb.size(); i += 3)
        lit += (rgb[i] | rgb[i + 1] | rgb[i + 2]) != 0;
    return lit;
}

} // namespace

TEST(ConsoleGLTest, DrawsTheChosenLinesFromTheBottomLeft) {
    orvextest::GlTestContext gl(320, 120);
    ASSERT_TRUE(gl.isValid());
    orvextest::ViewWorld world;
    world.root.setSize(320, 120);
    world.select("Earth", "Tokyo");
    Console console(&world.root);
    console.setSsystem(&world.ssystem);
    console.setTimer(&world.timer);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const int h = console.getFont().getTextHeight("Earth");
    ASSERT_GT(h, 4);

    // Hidden: nothing drawn, no state touched.
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    console.draw(0);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
    EXPECT_EQ(litPixels(320, 0, 120), 0);

    // TimeOnly: only the bottom line.
    world.root.processScenarioLine("Console.Show 1;Console.Mode TimeOnly");
    glClear(GL_COLOR_BUFFER_BIT);
    console.draw(0);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_GT(litPixels(320, 0, h), 0);
    EXPECT_EQ(litPixels(320, h + h / 2, 120), 0);

    // NamesOnly: the place line one line up, nothing at the bottom.
    world.root.processScenarioLine("Console.Mode NamesOnly");
    glClear(GL_COLOR_BUFFER_BIT);
    console.draw(0);
    EXPECT_EQ(litPixels(320, 0, h / 2 - 1), 0);
    EXPECT_GT(litPixels(320, h / 2, 2 * h), 0);

    // The frame-rate line in the top-left corner, in the text colour.
    world.root.processScenarioLine("Console.Mode TimeOnly;Console.FPS 1;"
                                   "Console.TextColor 1 0 0 1");
    glClear(GL_COLOR_BUFFER_BIT);
    console.draw(0);
    EXPECT_GT(litPixels(320, 120 - 2 * h, 120), 0);
    bool red = false;
    for (int y = 0; y < h && !red; ++y)
        for (int x = 0; x < 320 && !red; ++x)
            red = gl.readPixel(x, y) == 0xFF0000u;
    EXPECT_TRUE(red);
}
