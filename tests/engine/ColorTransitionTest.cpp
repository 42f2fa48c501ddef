#include <gtest/gtest.h>

#include "engine/ColorTransition.h"

namespace {

class ColorTransitionTest : public ::testing::Test {
protected:
    void SetUp() override { Transition::setGlobalMode(Transition::Run); }
};

void expectColor(const double* c, double r, double g, double b, double a) {
    EXPECT_DOUBLE_EQ(c[0], r);
    EXPECT_DOUBLE_EQ(c[1], g);
    EXPECT_DOUBLE_EQ(c[2], b);
    EXPECT_DOUBLE_EQ(c[3], a);
}

} // namespace

TEST_F(ColorTransitionTest, FadesEachChannel) {
    ColorTransition c;
    expectColor(c.getValue(), 0, 0, 0, 0);
    c.set(1.0, 0.5, 0.0, 1.0);
    const double target[4] = {0.0, 0.5, 1.0, 0.0};
    c.startTo(target, 4);
    Transition::tickAll(1.0);
    expectColor(c.getValue(), 0.75, 0.5, 0.25, 0.75);
    Transition::tickAll(3.0);
    expectColor(c.getValue(), 0.0, 0.5, 1.0, 0.0);
    EXPECT_FALSE(c.isRunning());

    const double same[4] = {0.0, 0.5, 1.0, 0.0};
    c.startTo(same, 4);
    EXPECT_FALSE(c.isRunning()) << "already there";
    const double rgba[4] = {0.1, 0.2, 0.3, 0.4};
    c.set(rgba);
    expectColor(c.getValue(), 0.1, 0.2, 0.3, 0.4);
}

TEST_F(ColorTransitionTest, TwoRunningColoursReadTogetherKeepTheirValues) {
    ColorTransition top, bottom;
    const double white[4] = {1, 1, 1, 1};
    const double red[4] = {1, 0, 0, 1};
    top.startTo(white, 2);
    bottom.startTo(red, 2);
    Transition::tickAll(1.0);
    const double* t = top.getValue();
    const double* b = bottom.getValue();
    expectColor(t, 0.5, 0.5, 0.5, 0.5);
    expectColor(b, 0.5, 0.0, 0.0, 0.5);
}

TEST_F(ColorTransitionTest, ImmediateModeSetsAtOnce) {
    ColorTransition c;
    c.setMode(Transition::Immediate);
    const double blue[4] = {0, 0, 1, 1};
    c.startTo(blue, 30);
    EXPECT_FALSE(c.isRunning());
    expectColor(c.getValue(), 0, 0, 1, 1);
}
