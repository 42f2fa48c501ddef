#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "engine/LogMessage.h"
#include "engine/Main.h"
#include "engine/Timer.h"
#include "engine/Transition.h"
#include "platform/Calendar.h"
#include "support/TimeZoneGuard.h"

namespace {

// A root with no configuration file: configured at once, so that its frames
// count nominal frames.
class ClockRoot : public Main {
public:
    ClockRoot() : Main("Orvex") { configured = 1; }
    int readConfigEntry(DataFile&) override { return 1; }
};

// Puts the global transition mode back after a test.
class TransitionModeGuard {
public:
    explicit TransitionModeGuard(int mode) : previous_(Transition::getGlobalMode()) {
        Transition::setGlobalMode(mode);
    }
    ~TransitionModeGuard() { Transition::setGlobalMode(previous_); }

private:
    int previous_;
};

class TimerTest : public ::testing::Test {
protected:
    // TZ is fixed before the clock reads the local offset.
    explicit TimerTest(const char* zone = "UTC") : zone_(zone) {
        timer_ = std::make_unique<Timer>(&root_);
    }

    int run(const std::string& line) { return root_.interp.executeLine(line); }
    std::string query(const std::string& name) { return root_.getCommandValue(name); }
    double time() const { return timer_->getTime(); }
    // One frame of the root followed by the clock's advance, as the root runs them.
    void frame(unsigned ms) {
        root_.frame(ms);
        timer_->update(ms);
    }

    orvextest::TimeZoneGuard zone_;
    ClockRoot root_;
    std::unique_ptr<Timer> timer_;
};

class TokyoTimerTest : public TimerTest {
protected:
    TokyoTimerTest() : TimerTest("Asia/Tokyo") {}
};

class NewYorkTimerTest : public TimerTest {
protected:
    NewYorkTimerTest() : TimerTest("America/New_York") {}
};

} // namespace

TEST_F(TimerTest, RegistersItsWordsInTableOrder) {
    const Interpreter& interp = root_.interp;
    int index = -1;
    for (int i = 0; i < interp.getClassCount(); ++i)
        if (interp.getClassName(i) == "Timer")
            index = i;
    ASSERT_GE(index, 0);
    ASSERT_EQ(interp.getCommandCount(index), 41);
    EXPECT_EQ(interp.getCommandName(index, 0), "Time");
    EXPECT_EQ(interp.getCommandName(index, 14), "TimeSecondLoc");
    EXPECT_EQ(interp.getCommandName(index, 20), "TimeTo");
    EXPECT_EQ(interp.getCommandName(index, 40), "RealtimeTog");
    std::vector<std::string> hidden;
    for (int c = 0; c < 41; ++c)
        if (!interp.isCommandListed(index, c))
            hidden.push_back(interp.getCommandName(index, c));
    EXPECT_EQ(hidden, (std::vector<std::string>{"Offset", "Realtime", "RefTimeTextLoc",
                                                "RefTimeTextLocTo", "RealtimeTog"}));
}

TEST_F(TimerTest, StartsAtTheSystemTimeAndAdvancesByStepTimesSpeed) {
    EXPECT_NEAR(time(), static_cast<double>(platform::systemTimeSeconds()), 2.0);
    EXPECT_EQ(query("Timer.Step"), " 3600");
    EXPECT_EQ(query("Timer.Speed"), " 1");
    EXPECT_EQ(query("Timer.Mode"), " Local");
    EXPECT_EQ(query("Timer.Realtime"), " 0");
    ASSERT_EQ(run("Timer.Time 1000"), 1);
    timer_->update(1000);
    EXPECT_EQ(time(), 4600.0);
    // No time passed (or a negative frame rate at the root): one step times the speed.
    timer_->update(0);
    EXPECT_EQ(time(), 8200.0);
    run("Timer.Speed -2");
    timer_->update(500);
    EXPECT_EQ(time(), 8200.0 - 3600.0);
}

TEST_F(TimerTest, TimeAndTimeTextValues) {
    run("Timer.Time");
    EXPECT_EQ(time(), 0.0);
    EXPECT_EQ(query("Timer.Time"), " 0.000000");
    EXPECT_EQ(query("Timer.TimeText"), " 1970 1 1 0 0 0");
    run("Timer.TimeText 2000 1 1 12 0 0");
    EXPECT_EQ(query("Timer.Time"), " 946728000.000000");
    EXPECT_EQ(query("Timer.TimeYear"), " 2000");
    EXPECT_EQ(query("Timer.TimeHour"), " 12");
    run("Timer.Time 946728000.25");
    EXPECT_EQ(query("Timer.Time"), " 946728000.250000");
    EXPECT_EQ(query("Timer.Offset"), " 0.000000");
    EXPECT_EQ(query("Timer.TimeTo"), "Undefined");
    EXPECT_EQ(query("Timer.Nothing"), "Undefined");
    // Missing fields count as 0: day 0 is the last day of the previous month.
    run("Timer.TimeText 2000 3");
    EXPECT_EQ(query("Timer.TimeText"), " 2000 2 29 0 0 0");
}

TEST_F(TimerTest, ClampsExceptForUtcFieldSets) {
    run("Timer.Time 1e13");
    EXPECT_EQ(time(), DateTime::maxTime);
    run("Timer.RefTime 100");
    EXPECT_EQ(time(), DateTime::maxTime);
    run("Timer.Time -1e13");
    EXPECT_EQ(time(), DateTime::minTime);
    run("Timer.TimeText 20000 1 1 0 0 0");
    EXPECT_GT(time(), DateTime::maxTime);
    EXPECT_EQ(query("Timer.TimeText"), " 20000 1 1 0 0 0");
    // Nonsense numbers leave the clock alone.
    run("Timer.Time 0");
    run("Timer.Time nan");
    EXPECT_EQ(time(), 0.0);
    run("Timer.RefTimeText 2147483647 2147483647 2147483647 2147483647 2147483647 2147483647");
    EXPECT_TRUE(std::isfinite(time()));
    run("Timer.RefTimeText -2147483648 -2147483648 1 1 1 1");
    EXPECT_TRUE(std::isfinite(time()));
    // A month at the bottom of int's range, in a year the system calendar knows.
    run("Timer.TimeText 2000 -2147483648 1 0 0 0");
    EXPECT_TRUE(std::isfinite(time()));
    EXPECT_LT(time(), DateTime::minTime);
}

TEST_F(TimerTest, SpeedIsHeldToAYearPerSecond) {
    run("Timer.Step 86400");
    run("Timer.Speed 1000000");
    EXPECT_EQ(timer_->getSpeed(), 36500.0);
    run("Timer.Speed -1000000");
    EXPECT_EQ(timer_->getSpeed(), -36500.0);
    for (const char* line : {"Timer.Forward", "Timer.AccelForward", "Timer.RefSpeed 1000000"}) {
        run("Timer.Speed 36500");
        run(line);
        EXPECT_LE(std::fabs(timer_->getSpeed() * timer_->getStep()), Timer::maxRate) << line;
    }
    // A later step change does not cut the speed.
    run("Timer.Speed 36500");
    run("Timer.Step 31536000");
    EXPECT_EQ(timer_->getSpeed(), 36500.0);
    EXPECT_EQ(query("Timer.Step"), " 3.1536e+07");
    run("Timer.Speed nan");
    EXPECT_EQ(timer_->getSpeed(), 36500.0);
}

TEST_F(TimerTest, StepLadderWrapsAtBothEnds) {
    const auto next = [&](const char* from) {
        run(std::string("Timer.Step ") + from);
        run("Timer.StepNext");
        return timer_->getStep();
    };
    const auto prev = [&](const char* from) {
        run(std::string("Timer.Step ") + from);
        run("Timer.StepPrev");
        return timer_->getStep();
    };
    EXPECT_EQ(next("3600"), 86400.0);
    EXPECT_EQ(next("31536000"), 1.0);
    EXPECT_EQ(next("100"), 3600.0);
    EXPECT_EQ(next("2678400"), 31536000.0);
    EXPECT_EQ(prev("60"), 1.0);
    EXPECT_EQ(prev("1"), 31536000.0);
    EXPECT_EQ(prev("100"), 60.0);
    EXPECT_EQ(prev("0.5"), 31536000.0);
    EXPECT_EQ(prev("1e12"), 31536000.0);
}

TEST_F(TimerTest, SpeedCommands) {
    const auto after = [&](double start, const char* line) {
        timer_->setSpeed(start);
        run(line);
        return timer_->getSpeed();
    };
    EXPECT_EQ(after(-4, "Timer.AccelForward"), -2.0);
    EXPECT_EQ(after(4, "Timer.AccelBackward"), 2.0);
    EXPECT_EQ(after(0, "Timer.AccelForward"), 1.0);
    EXPECT_EQ(after(0, "Timer.AccelBackward"), -1.0);
    EXPECT_EQ(after(3, "Timer.AccelForward"), 6.0);
    EXPECT_EQ(after(-3, "Timer.AccelBackward"), -6.0);
    EXPECT_EQ(after(3, "Timer.Forward"), 4.0);
    EXPECT_EQ(after(3, "Timer.Backward"), 2.0);
    EXPECT_EQ(after(3, "Timer.RefSpeed -5"), -2.0);
    EXPECT_EQ(after(3, "Timer.Stop"), 0.0);
    EXPECT_EQ(query("Timer.Speed"), " 0");
    run("Timer.Speed 0.5");
    EXPECT_EQ(query("Timer.Speed"), " 0.5");
}

TEST_F(TimerTest, TimeToLandsExactlyOnItsTarget) {
    run("Timer.Time 1000");
    run("Timer.Speed 100");
    run("Timer.TimeTo 0 30");
    ASSERT_TRUE(timer_->isAnimating());
    double previous = time();
    for (int i = 1; i < 30; ++i) {
        frame(0); // one nominal frame
        EXPECT_LT(time(), previous) << i;
        EXPECT_GT(time(), 0.0) << i;
        previous = time();
    }
    frame(0);
    EXPECT_EQ(time(), 0.0);
    EXPECT_FALSE(timer_->isAnimating());
    // Then the clock runs by step and speed again.
    frame(0);
    EXPECT_EQ(time(), 360000.0);
}

TEST_F(TimerTest, AnimationsCountTheRootsNominalFrames) {
    // 33 ms at 30 frames per second is 0.99 of a frame.
    run("Timer.Time 0");
    run("Timer.TimeTo 990 10");
    frame(33);
    EXPECT_DOUBLE_EQ(time(), 98.01);
    for (int i = 0; i < 10; ++i)
        frame(33);
    EXPECT_EQ(time(), 990.0);
    // Without a frame count the jump takes one frame.
    run("Timer.TimeTo 5000");
    frame(40);
    EXPECT_EQ(time(), 5000.0);
}

TEST_F(TimerTest, AnimationsProgressWhateverTheFrameRateSetting) {
    for (const char* fps : {"Orvex.FPS 0", "Orvex.FPS -1"}) {
        run(fps);
        run("Timer.Time 0");
        run("Timer.TimeTo 300 3");
        // A negative rate makes the root pass no milliseconds to the clock.
        const unsigned ms = root_.getFps() < 0 ? 0 : 40;
        double previous = time();
        for (int i = 0; i < 3; ++i) {
            frame(ms);
            EXPECT_GT(time(), previous) << fps;
            previous = time();
        }
        EXPECT_EQ(time(), 300.0) << fps;
        EXPECT_FALSE(timer_->isAnimating()) << fps;
    }
}

TEST_F(TimerTest, ImmediateTransitionsJumpAtOnceAndTellTheListener) {
    std::vector<double> heard;
    timer_->setImmediateListener([&](double t) { heard.push_back(t); });
    run("Timer.Time 5"); // transitions run normally: nobody is told
    EXPECT_TRUE(heard.empty());
    TransitionModeGuard immediate(Transition::Immediate);
    run("Timer.Speed 7");
    run("Timer.TimeTo 946728000 30");
    EXPECT_EQ(time(), 946728000.0);
    EXPECT_FALSE(timer_->isAnimating());
    run("Timer.RefTimeTo 60 30");
    EXPECT_EQ(time(), 946728060.0);
    run("Timer.TimeTextTo 2000 1 1 0 0 0 30");
    EXPECT_EQ(time(), 946684800.0);
    run("Timer.RefTimeTextTo 0 0 1 0 0 0 30");
    EXPECT_EQ(time(), 946771200.0);
    EXPECT_EQ(heard, (std::vector<double>{946728000.0, 946728060.0, 946684800.0, 946771200.0}));
    EXPECT_FALSE(timer_->isAnimating());
}

TEST_F(TimerTest, RelativeAndFieldCommands) {
    run("Timer.TimeText 2000 5 10 12 0 0");
    run("Timer.TimeMonth 13");
    EXPECT_EQ(query("Timer.TimeText"), " 2001 1 10 12 0 0");
    run("Timer.TimeDay 0");
    EXPECT_EQ(query("Timer.TimeText"), " 2000 12 31 12 0 0");
    run("Timer.RefTimeText 0 0 1 -12 0 30");
    EXPECT_EQ(query("Timer.TimeText"), " 2001 1 1 0 0 30");
    run("Timer.RefTimeTextLoc 1 0 0 0 0 0");
    EXPECT_EQ(query("Timer.TimeText"), " 2002 1 1 0 0 30");
    run("Timer.RefTime -30");
    EXPECT_EQ(query("Timer.TimeText"), " 2002 1 1 0 0 0");
    run("Timer.TimeSecond 59");
    run("Timer.TimeMinute 59");
    run("Timer.TimeHour 23");
    run("Timer.TimeYear 1582");
    run("Timer.TimeMonth 10");
    run("Timer.TimeDay 4");
    EXPECT_EQ(query("Timer.TimeText"), " 1582 10 4 23 59 59");
    run("Timer.RefTime 1");
    EXPECT_EQ(query("Timer.TimeText"), " 1582 10 15 0 0 0");
    run("Timer.RefTimeTextTo 0 0 0 0 0 10 2");
    frame(0);
    EXPECT_EQ(query("Timer.TimeText"), " 1582 10 15 0 0 5");
    frame(0);
    EXPECT_EQ(query("Timer.TimeText"), " 1582 10 15 0 0 10");
}

TEST_F(TokyoTimerTest, LocalFieldsUseTheStandardOffset) {
    EXPECT_EQ(query("Timer.Offset"), " 32400.000000");
    run("Timer.TimeTextLoc 2000 1 1 9 0 0");
    EXPECT_EQ(time(), 946684800.0);
    EXPECT_EQ(query("Timer.TimeTextLoc"), " 2000 1 1 9 0 0");
    EXPECT_EQ(query("Timer.TimeText"), " 2000 1 1 0 0 0");
    EXPECT_EQ(query("Timer.TimeHourLoc"), " 9");
    EXPECT_EQ(query("Timer.TimeHour"), " 0");
    EXPECT_EQ(timer_->getTimeText(), "2000/01/01 09:00:00");
    run("Timer.TimeHourLoc 3");
    EXPECT_EQ(query("Timer.TimeText"), " 1999 12 31 18 0 0");
    run("Timer.Mode UTC");
    run("Timer.TimeTextLoc 2000 1 1 9 0 0");
    EXPECT_EQ(time(), 946717200.0);
    EXPECT_EQ(query("Timer.TimeTextLoc"), " 2000 1 1 9 0 0");
    EXPECT_EQ(timer_->getTimeText(), "2000/01/01 09:00:00");
    // The offset cannot be changed by command.
    run("Timer.Offset 0; Timer.Mode Local");
    EXPECT_EQ(query("Timer.Offset"), " 32400.000000");
    EXPECT_EQ(query("Timer.Mode"), " Local");
    // A local target of an animation.
    run("Timer.TimeTextLocTo 2000 1 2 9 0 0 1");
    frame(0);
    EXPECT_EQ(time(), 946684800.0 + 86400.0);
}

TEST_F(NewYorkTimerTest, LocalFieldsIgnoreDaylightSaving) {
    EXPECT_EQ(query("Timer.Offset"), " -18000.000000");
    run("Timer.TimeTextLoc 2000 1 1 9 0 0");
    EXPECT_EQ(query("Timer.TimeText"), " 2000 1 1 14 0 0");
    run("Timer.TimeTextLoc 2006 7 4 12 0 0");
    EXPECT_EQ(query("Timer.TimeText"), " 2006 7 4 17 0 0");
    EXPECT_EQ(query("Timer.TimeTextLoc"), " 2006 7 4 12 0 0");
}

TEST_F(TimerTest, ModeWords) {
    run("Timer.Mode UTC");
    EXPECT_EQ(query("Timer.Mode"), " UTC");
    run("Timer.Mode Summer");
    EXPECT_EQ(query("Timer.Mode"), " UTC");
    run("Timer.ModeNext");
    EXPECT_EQ(timer_->getMode(), Timer::Local);
    run("Timer.ModeNext");
    EXPECT_EQ(timer_->getMode(), Timer::Utc);
    run("Timer.ModePrev");
    EXPECT_EQ(timer_->getMode(), Timer::Local);
}

TEST_F(TimerTest, RealtimeJumpsToTheSystemTimeOnce) {
    run("Timer.Time 0");
    run("Timer.Realtime 1");
    EXPECT_EQ(query("Timer.Realtime"), " 1");
    EXPECT_EQ(time(), 0.0);
    timer_->update(1000);
    const double now = static_cast<double>(platform::systemTimeSeconds());
    EXPECT_NEAR(time(), now, 2.0);
    EXPECT_EQ(query("Timer.Realtime"), " 0");
    const double jumped = time();
    timer_->update(1000);
    EXPECT_EQ(time(), jumped + 3600.0);
    run("Timer.RealtimeTog");
    EXPECT_EQ(query("Timer.Realtime"), " 1");
    run("Timer.Speed 2"); // a speed change ends the request
    EXPECT_EQ(query("Timer.Realtime"), " 0");
    run("Timer.Time 0");
    run("Timer.SetNow");
    EXPECT_NEAR(time(), now, 2.0);
}

TEST_F(TimerTest, HoldFreezesTheClockAndItsAnimation) {
    run("Timer.Time 0");
    run("Timer.TimeTo 400 4");
    frame(0);
    EXPECT_EQ(time(), 100.0);
    timer_->hold();
    for (int i = 0; i < 10; ++i)
        frame(0);
    EXPECT_EQ(time(), 100.0);
    timer_->release();
    frame(0);
    EXPECT_EQ(time(), 200.0);
    frame(0);
    frame(0);
    EXPECT_EQ(time(), 400.0);
}

TEST_F(TimerTest, DisplayText) {
    run("Timer.Mode UTC");
    run("Timer.TimeText 2006 10 4 9 5 7");
    EXPECT_EQ(timer_->getTimeText(), "2006/10/04 09:05:07");
    run("Timer.TimeText 5 1 1 0 0 0");
    EXPECT_EQ(timer_->getTimeText(), "5/01/01 00:00:00");
    run("Timer.TimeText 2020 12 31 23 59 59");
    EXPECT_EQ(timer_->getTimeText(), "2020/12/31 23:59:59");
    // Half a second before midnight is still the old day.
    run("Timer.Time 1609459199.6");
    EXPECT_EQ(timer_->getTimeText(), "2020/12/31 23:59:59");
}

TEST_F(TimerTest, StateLinesRestoreTheClockWithoutDrift) {
    run("Timer.Speed 2; Timer.Step 60; Timer.Mode UTC; Timer.TimeText 2035 6 1 0 0 0");
    const std::string state = timer_->saveStates();
    EXPECT_EQ(state, "Timer.Speed 2\nTimer.Step 60\nTimer.Mode UTC\nTimer.TimeText 2035 6 1 0 0 0");
    const double saved = time();
    for (int cycle = 0; cycle < 5; ++cycle) {
        ClockRoot other;
        Timer restored(&other);
        std::size_t begin = 0;
        while (begin < state.size()) {
            const std::size_t end = std::min(state.find('\n', begin), state.size());
            ASSERT_EQ(other.interp.executeLine(state.substr(begin, end - begin)), 1);
            begin = end + 1;
        }
        EXPECT_EQ(restored.getTime(), saved);
        EXPECT_EQ(restored.saveStates(), state);
    }
    // A speed of more than six digits comes back to the digit.
    run("Timer.Speed 2.718281828");
    ClockRoot other;
    Timer restored(&other);
    const std::string lines = timer_->saveStates();
    ASSERT_EQ(other.interp.executeLine(lines.substr(0, lines.find('\n'))), 1);
    EXPECT_EQ(restored.getSpeed(), timer_->getSpeed());
}

TEST_F(TimerTest, TimeTextsOfAnyLengthAndSharedLines) {
    const std::string padded =
        "Timer.TimeText " + std::string(300, '0') + "2000" + std::string(400, ' ') + "1 1 12 0 0";
    ASSERT_EQ(run(padded), 1);
    EXPECT_EQ(time(), 946728000.0);
    // The text ends at ";": the next command on the line runs.
    ASSERT_EQ(run("Timer.TimeText 1999 1 1 0 0 0; Timer.Speed 5"), 1);
    EXPECT_EQ(query("Timer.TimeText"), " 1999 1 1 0 0 0");
    EXPECT_EQ(timer_->getSpeed(), 5.0);
    ASSERT_EQ(run("Timer.TimeTextTo 1998 1 1 0 0 0 2\nTimer.Step 60"), 1);
    EXPECT_EQ(timer_->getStep(), 60.0);
}

TEST_F(TimerTest, UnknownWordsFail) {
    LogCapture log;
    EXPECT_EQ(run("Timer.Rewind"), 0);
    EXPECT_TRUE(log.contains("Command Error : Timer.Rewind"));
}
