#include <gtest/gtest.h>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "engine/Main.h"
#include "engine/Render.h"
#include "engine/ScreenFader.h"
#include "engine/Transition.h"

namespace {

class TestRoot : public Main {
public:
    TestRoot() : Main("Orvex") {}
    int readConfigEntry(DataFile&) override { return 1; }
};

class RenderTest : public ::testing::Test {
protected:
    void TearDown() override { Transition::setGlobalMode(0); }
    int run(const std::string& line) { return root.interp.executeLine(line); }
    std::string value(const std::string& query) { return root.getCommandValue(query); }

    TestRoot root;
    Render render{&root};
};

} // namespace

TEST_F(RenderTest, RegistersItsWordsInOrder) {
    ASSERT_EQ(root.interp.getClassName(1), "Render");
    const char* const words[] = {"FaderColor",   "Blur",    "BlurCount",
                                 "FaderColorTo", "BlurTog", "BlurCountTog"};
    ASSERT_EQ(root.interp.getCommandCount(1), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(root.interp.getCommandName(1, i), words[i]);
        EXPECT_TRUE(root.interp.isCommandListed(1, i));
    }
}

TEST_F(RenderTest, DefaultValuesAndUnknownWords) {
    EXPECT_EQ(value("Render.FaderColor"), " 0 0 0 0");
    EXPECT_EQ(value("Render.Blur"), " 1");
    EXPECT_EQ(value("Render.BlurCount"), " 0");
    EXPECT_EQ(value("Render.FaderColorTo"), "Undefined");
    EXPECT_EQ(value("Render.Fog"), "Undefined");
    LogCapture log;
    EXPECT_EQ(run("Render.Fog 1"), 0);
    EXPECT_TRUE(log.contains("Command Error : Render.Fog"));
}

TEST_F(RenderTest, BlurCountTogSwitchesBetweenOffAndSixteen) {
    // From the defaults (on, count 0) the first toggle switches off.
    EXPECT_EQ(run("Render.BlurCountTog"), 1);
    EXPECT_EQ(value("Render.Blur"), " 0");
    EXPECT_EQ(value("Render.BlurCount"), " 0");
    EXPECT_EQ(run("Render.BlurCountTog"), 1);
    EXPECT_EQ(value("Render.Blur"), " 1");
    EXPECT_EQ(value("Render.BlurCount"), " 16");
    EXPECT_EQ(render.getBlurCount(), 16);
    EXPECT_EQ(run("Render.BlurTog"), 1);
    EXPECT_EQ(value("Render.Blur"), " 0");
    EXPECT_EQ(value("Render.BlurCount"), " 16");
}

TEST_F(RenderTest, BlurCountClampsNegativeValues) {
    run("Render.BlurCount -5");
    EXPECT_EQ(value("Render.BlurCount"), " 0");
    run("Render.BlurCount 7; Render.Blur 1");
    EXPECT_EQ(value("Render.BlurCount"), " 7");
    EXPECT_EQ(render.getBlurCount(), 7);
}

// The view keeps the old picture while the count is above 0; a blur switched
// off must not count, or the picture would smear without being darkened.
TEST_F(RenderTest, SwitchedOffBlurHasNoCountInEffect) {
    run("Render.BlurCount 16");
    run("Render.Blur 0");
    EXPECT_EQ(render.getBlurCount(), 0);
    EXPECT_FALSE(render.getFader().isBlurActive());
    EXPECT_EQ(value("Render.BlurCount"), " 16");
    run("Render.Blur 2");
    EXPECT_EQ(render.getBlurCount(), 16);
}

TEST_F(RenderTest, FaderColorWithThreeValuesHasNoAlpha) {
    run("Render.FaderColor 1 0 0");
    EXPECT_EQ(value("Render.FaderColor"), " 1 0 0 0");
    run("Render.FaderColor 0.25;0.5 0.75 1");
    EXPECT_EQ(value("Render.FaderColor"), " 0.25 0.5 0.75 1");
}

TEST_F(RenderTest, FaderColorToRunsInNominalFrames) {
    run("Render.FaderColorTo 0 0 0 1 0"); // 0 frames count as one
    EXPECT_EQ(value("Render.FaderColor"), " 0 0 0 0");
    Transition::tickAll(0.5);
    EXPECT_EQ(value("Render.FaderColor"), " 0 0 0 0.5");
    Transition::tickAll(0.5);
    EXPECT_EQ(value("Render.FaderColor"), " 0 0 0 1");

    run("Render.FaderColorTo 1 0.5 0 0 10");
    Transition::tickAll(5.0);
    EXPECT_EQ(value("Render.FaderColor"), " 0.5 0.25 0 0.5");
    Transition::tickAll(5.0);
    EXPECT_EQ(value("Render.FaderColor"), " 1 0.5 0 0");
}

TEST_F(RenderTest, FaderColorToJumpsWhileAScriptRunsAtOnce) {
    Transition::setGlobalMode(2);
    run("Render.FaderColorTo 0 0 0 1 30");
    EXPECT_EQ(value("Render.FaderColor"), " 0 0 0 1");
}

TEST_F(RenderTest, StateLinesRestoreTheSettings) {
    run("Render.FaderColor 0.5 0 1 0.25; Render.BlurCount 8; Render.Blur 0");
    const std::string states = render.saveStates();
    EXPECT_EQ(states, "Render.FaderColor 0.5 0 1 0.25\nRender.Blur 0\nRender.BlurCount 8");
    EXPECT_EQ(render.saveOptions(), "");

    TestRoot other;
    Render restored(&other);
    EXPECT_EQ(other.interp.executeLine(states), 1);
    EXPECT_EQ(restored.saveStates(), states);
}

TEST(ScreenFader, StippleChosenByAlpha) {
    EXPECT_EQ(ScreenFader::stippleFor(0.1), -1);
    EXPECT_EQ(ScreenFader::stippleFor(0.125), 0);
    EXPECT_EQ(ScreenFader::stippleFor(0.3), 0);
    EXPECT_EQ(ScreenFader::stippleFor(0.5), 1);
    EXPECT_EQ(ScreenFader::stippleFor(0.8), 2);
    EXPECT_EQ(ScreenFader::stippleFor(0.9), 3);
    EXPECT_EQ(ScreenFader::stippleFor(1.0), ScreenFader::Solid);
    EXPECT_EQ(ScreenFader::stippleRow(0, 0), 0xAAAAAAAAu);
    EXPECT_EQ(ScreenFader::stippleRow(0, 31), 0u);
    EXPECT_EQ(ScreenFader::stippleRow(1, 1), 0x55555555u);
    EXPECT_EQ(ScreenFader::stippleRow(2, 2), 0xFFFFFFFFu);
    EXPECT_EQ(ScreenFader::stippleRow(3, 3), 0xFFFFFFFFu);
}
