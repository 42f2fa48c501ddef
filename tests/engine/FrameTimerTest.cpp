#include <gtest/gtest.h>

#include "engine/FrameTimer.h"
#include "platform/SteadyClock.h"

namespace {

// Puts a hand-driven clock in place of the steady clock for one test.
class ManualClock {
public:
    explicit ManualClock(uint32_t start) : now(start) {
        previous_ = platform::setMillisecondSource([this] { return now; });
    }
    ~ManualClock() { platform::setMillisecondSource(previous_); }
    uint32_t now;

private:
    platform::MillisecondSource previous_;
};

} // namespace

TEST(FrameTimer, MeasuresElapsedTimeAndFrameRate) {
    ManualClock clock(1000);
    FrameTimer timer;
    EXPECT_EQ(timer.elapsedMs(), 0u);
    clock.now += 33;
    EXPECT_EQ(timer.elapsedMs(), 33u);
    EXPECT_EQ(timer.elapsedMs(), 0u);

    // The measuring window started with the timer, 33 ms ago.
    for (int i = 0; i < 14; ++i) {
        clock.now += 33;
        EXPECT_EQ(timer.tick(), 33u);
    }
    EXPECT_EQ(timer.getFps(), 0.0f); // 495 ms: the window is not over yet
    clock.now += 33;
    timer.tick(); // 15 frames in 528 ms
    EXPECT_NEAR(timer.getFps(), 15.0f / 528.0f * 1000.0f, 1e-3);
}

TEST(FrameTimer, SurvivesTheClockWrapping) {
    ManualClock clock(0xFFFFFFF0u);
    FrameTimer timer;
    clock.now += 0x20; // wraps to 0x10
    EXPECT_EQ(timer.elapsedMs(), 0x20u);
    clock.now += 600;
    timer.tick();
    EXPECT_NEAR(timer.getFps(), 1.0f / 632.0f * 1000.0f, 1e-3);
}
