#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#include "CommandProbe.h"

#include "engine/KeyMap.h"
#include "engine/LogMessage.h"
#include "engine/Main.h"
#include "engine/Transition.h"
#include "platform/InputState.h"
#include "support/TestRoot.h"

using orvextest::TestRoot;

namespace {

class MainScenarioTest : public ::testing::Test {
protected:
    void SetUp() override { root.configure(); }
    // Runs frames of 33 ms; returns how many reported the scenario's end.
    int frames(int n) {
        int ended = 0;
        for (int i = 0; i < n; ++i)
            ended += root.frame(33) != 0;
        return ended;
    }

    TestRoot root;
    CommandProbe probe{&root};
    LogCapture log;
};

} // namespace

TEST_F(MainScenarioTest, AfterStartUpTheFirstFrameEndsAnInitialStateWithoutWaits) {
    EXPECT_EQ(root.getPlaying(), 1);
    EXPECT_EQ(root.frame(33), 1);
    EXPECT_EQ(root.getPlaying(), 0);
    EXPECT_EQ(root.frame(33), 0);
}

TEST_F(MainScenarioTest, WaitsCountNominalFrames) {
    frames(1);
    root.writeDataFile("speed.scn", "Probe.Set 10\nOrvex.Wait 30\nProbe.Set 1\n");
    EXPECT_EQ(root.processScenarioLine("Orvex.LoadScenario speed.scn"), 1);
    EXPECT_EQ(probe.value, 10.0); // the first lines run at once
    EXPECT_EQ(root.getCommandValue("Orvex.Frame"), " 0");
    // The loading step counted one frame (0.99); 30 frames need 30 more steps.
    int ended = frames(30);
    EXPECT_EQ(probe.value, 10.0);
    EXPECT_EQ(ended, 0);
    EXPECT_EQ(root.getCommandValue("Orvex.Frame"), " 30");
    ended = frames(1);
    EXPECT_EQ(probe.value, 1.0);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(root.getPlaying(), 0);
    EXPECT_EQ(root.getLog(), ""); // a scenario that runs out clears the log
}

TEST_F(MainScenarioTest, WhileRecordingAScenarioThatRunsOutKeepsItsLinesInTheLog) {
    frames(1);
    root.setRecording(1);
    root.clearLog();
    root.runScript("Probe.Set 10;Orvex.Wait 2;Probe.Set 1", 0);
    frames(1);
    EXPECT_EQ(root.getLog(), "Probe.Set 10\nOrvex.Wait 2\n");
    root.clearLog();         // taken into the recording after the frame
    EXPECT_EQ(frames(3), 1); // 2 nominal frames of 0.99
    EXPECT_EQ(root.getLog(), "Probe.Set 1\n");
}

TEST_F(MainScenarioTest, WaitNextHoldsUntilNext) {
    frames(1);
    root.runScript("Probe.Count\nOrvex.WaitNext\nProbe.Count\nOrvex.WaitNext\n", 0);
    EXPECT_EQ(probe.count, 0); // a script's first lines run at the next frame
    frames(5);
    EXPECT_EQ(probe.count, 1);
    EXPECT_EQ(root.getCommandValue("Orvex.Frame"), " 0"); // holding does not count
    root.processScenarioLine("Orvex.Next");
    EXPECT_EQ(frames(1), 1); // a WaitNext at the very end does not hold
    EXPECT_EQ(probe.count, 2);
}

TEST_F(MainScenarioTest, StopsAndRestarts) {
    frames(1);
    root.runScript("Probe.Count\nOrvex.Wait 5\nProbe.Count\n", 0);
    frames(2);
    root.stopScenario();
    EXPECT_EQ(frames(1), 0); // a stop between frames is not reported
    EXPECT_EQ(probe.count, 1);
    root.processScenarioLine("Orvex.Playing 1"); // from the top again
    frames(1);
    EXPECT_EQ(probe.count, 2);

    root.runScript("Probe.Count\nOrvex.Playing 0\nProbe.Count\n", 0);
    EXPECT_EQ(frames(1), 1); // stopped by its own line, within the frame
    EXPECT_EQ(probe.count, 3);
    EXPECT_NE(root.getLog(), ""); // a stop keeps the log

    root.runScript("", 0);
    EXPECT_EQ(root.getPlaying(), 1);
    EXPECT_EQ(frames(1), 1); // an empty scenario ends at the next step
}

TEST_F(MainScenarioTest, ItemsAreSeparatedByLineEndsAndSemicolons) {
    frames(1);
    root.clearLog();
    root.runScript("  Probe.Count;Probe.Set 60\r\n\n#Probe.Count ; Probe.Count\n#see other.scn\n"
                   "Orvex.Wait 3",
                   0);
    frames(1);
    EXPECT_EQ(probe.count, 2); // the comment ends at ";"
    EXPECT_EQ(probe.value, 60.0);
    EXPECT_EQ(root.getLog(), "Probe.Count\nProbe.Set 60\nProbe.Count\nOrvex.Wait 3\n");
    EXPECT_FALSE(log.contains("other.scn"));
}

TEST_F(MainScenarioTest, FileNameLinesOpenScenarios) {
    // An editor's byte-order mark costs a file no line.
    root.writeDataFile("mark.scn", "\xef\xbb\xbfProbe.Set 8\r\nProbe.Count\r\n");
    EXPECT_EQ(root.processScenarioLine("Orvex.RunScenario mark.scn"), 1);
    EXPECT_EQ(probe.value, 8.0);
    EXPECT_EQ(probe.count, 1);
    EXPECT_TRUE(log.messages().empty());
    root.writeDataFile("next.scn", "Probe.Set 5\n");
    EXPECT_EQ(root.processScenarioLine("next.scn"), 1);
    EXPECT_TRUE(log.contains("Undefined Class : next"));
    EXPECT_EQ(probe.value, 5.0);
    EXPECT_EQ(root.processScenarioLine("gone.scn"), 0);
    EXPECT_TRUE(log.contains("Could not open scenario file gone.scn"));
    EXPECT_EQ(root.processScenarioLine("Nobody.Here"), 0);
}

TEST_F(MainScenarioTest, EmptyScenarioFilesLeaveTheRunningOneRunning) {
    frames(1);
    root.runScript("Probe.Count\nOrvex.Wait 5\nProbe.Count\n", 0);
    frames(1);
    root.writeDataFile("empty.scn", "");
    EXPECT_EQ(root.processScenarioLine("Orvex.LoadScenario empty.scn"), 1);
    EXPECT_EQ(root.getPlaying(), 1);
    frames(6);
    EXPECT_EQ(probe.count, 2);
}

TEST_F(MainScenarioTest, ConditionLinesChooseABranch) {
    root.processScenarioLine("Probe.Set 12");
    EXPECT_EQ(root.processScenarioLine("  ?Probe.Value>=10?Orvex.FPS 60:Orvex.FPS 10\n"), 1);
    EXPECT_EQ(root.getFps(), 60.0);
    root.processScenarioLine("?Probe.Value<10?Orvex.FPS 1:Orvex.FPS 2");
    EXPECT_EQ(root.getFps(), 2.0);
    root.processScenarioLine("?Probe.Value=12?Orvex.FPS 3:Orvex.FPS 4");
    EXPECT_EQ(root.getFps(), 3.0); // " 12" trimmed equals "12"
    root.processScenarioLine("?Probe.Value= 12?Orvex.FPS 5:Orvex.FPS 6");
    EXPECT_EQ(root.getFps(), 6.0);
    root.processScenarioLine("?Probe.Name!=Earth?Orvex.FPS 7:Orvex.FPS 8");
    EXPECT_EQ(root.getFps(), 8.0);
    root.processScenarioLine("?Probe.Value>2e1?Orvex.FPS 9:Orvex.FPS 11");
    EXPECT_EQ(root.getFps(), 11.0);
    root.processScenarioLine("?Probe.Value<=12?Orvex.FPS 13:");
    EXPECT_EQ(root.getFps(), 13.0);
    EXPECT_EQ(root.processScenarioLine("?Probe.Value<=1?Orvex.FPS 14:"), 1); // empty branch
    EXPECT_EQ(root.getFps(), 13.0);
    // A second branch may be a condition itself (a first one ends at its ":").
    root.processScenarioLine("?Probe.Value<1?x:?Probe.Value<100?Orvex.FPS 15:y");
    EXPECT_EQ(root.getFps(), 15.0);

    EXPECT_EQ(root.processScenarioLine("?Probe.Value>1 Orvex.FPS 1:Orvex.FPS 2"), 0);
    EXPECT_EQ(root.processScenarioLine("?Probe.Value?Orvex.FPS 1:Orvex.FPS 2"), 0);
    EXPECT_EQ(root.processScenarioLine("?Probe.Value>1?Orvex.FPS 1"), 0);
    EXPECT_EQ(root.getFps(), 15.0);
    EXPECT_EQ(root.processScenarioLine("?Probe.Value>1?Nobody.X:"), 0);
}

TEST_F(MainScenarioTest, ALongChainOfConditionsRunsInPlace) {
    // Each level used to recurse and copy the rest of the line: this chain
    // overflowed the stack after gigabytes of copies.
    std::string chain;
    for (int i = 0; i < 20000; ++i)
        chain += "?Orvex.FPS<0?x:";
    EXPECT_EQ(root.processScenarioLine(chain + "Probe.Set 7"), 1);
    EXPECT_EQ(probe.value, 7.0);
    // A failing command at the chain's end fails the line.
    EXPECT_EQ(root.processScenarioLine(chain + "Nobody.X"), 0);
    // A chosen branch holding ".scn" is a file name as a whole, wherever the
    // mark stands in it.
    log.clear();
    EXPECT_EQ(root.processScenarioLine(chain + "end.scn \n"), 0);
    EXPECT_TRUE(log.contains("Could not open scenario file ?Orvex.FPS<0?x:?Orvex.FPS<0?x:"));
    EXPECT_EQ(root.processScenarioLine("?Orvex.FPS>0?a.scn:" + chain + "Probe.Set 9"), 0);
    EXPECT_EQ(root.processScenarioLine("?Orvex.FPS<0?a.scn:" + chain + "Probe.Set 9"), 1);
    EXPECT_EQ(probe.value, 9.0);
}

TEST_F(MainScenarioTest, ANamedPipeIsNoScenarioFile) {
    root.writeDataFile("pipe.scn", "");
    const std::string pipe = root.getDataDir() + "/pipe.scn";
    std::remove(pipe.c_str());
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(root.processScenarioLine("Orvex.LoadScenario pipe.scn"), 0);
    EXPECT_TRUE(log.contains("Could not open scenario file pipe.scn"));

    // Option files that are no files or cannot be read whole (a read that
    // fails, as on a failing disk): one message each, with the reason.
    const std::string dir = root.getDataDir() + "/";
    ASSERT_EQ(::symlink("/dev/zero", (dir + "zero.scn").c_str()), 0);
    ASSERT_EQ(::symlink("/proc/self/mem", (dir + "failing.scn").c_str()), 0);
    root.writeDataFile("sparse.scn", "Probe.Set 6\n");
    ASSERT_EQ(::truncate((dir + "sparse.scn").c_str(), 6LL << 30), 0);
    const std::pair<std::string, std::string> refused[] = {
        {"pipe.scn", "Not a regular file (a named pipe)"},
        {"zero.scn", "Not a regular file (a character device)"},
        {"sparse.scn", "it is longer than 67108864 bytes"},
        {"failing.scn", "Input/output error"},
        {"gone.scn", "No such file or directory"}};
    for (const auto& [file, reason] : refused) {
        log.clear();
        EXPECT_EQ(root.processScenarioLine("Orvex.LoadOptions " + file), 0);
        EXPECT_EQ(log.messages().front(),
                  "Could not open scenario file " + file + "\n. " + dir + file + ": " + reason);
    }
    // A text ends at a NUL byte: told when more follows (an endless file of
    // zeros ends at its first byte).
    ASSERT_EQ(::symlink("/proc/self/pagemap", (dir + "endless.scn").c_str()), 0);
    root.writeDataFile("nul.scn", std::string("Probe.Set 8\n\0Probe.Set 9\n", 25));
    root.writeDataFile("marked.scn", std::string("\xef\xbb\xbfProbe.Set 8\n\0Probe.Set 9\n", 28));
    root.writeDataFile("end.scn", std::string("Probe.Set 10\n\0", 14));
    log.clear();
    for (const char* file : {"endless.scn", "nul.scn", "marked.scn", "end.scn"})
        EXPECT_EQ(root.processScenarioLine("Orvex.LoadOptions " + std::string(file)), 1);
    EXPECT_EQ(probe.value, 10.0);
    EXPECT_EQ(log.messages().size(), 3u);
    EXPECT_TRUE(log.contains("endless.scn: a NUL byte at byte 0 ends its text; the rest is not "));
    EXPECT_TRUE(log.contains("nul.scn: a NUL byte at byte 12 ends its text; the rest is not "));
    EXPECT_TRUE(log.contains("marked.scn: a NUL byte at byte 15 ends its text; the rest is not "));
}

// A scenario file is refused whole, before any line runs, when one of its
// lines is longer than any real one or the file longer than any real
// scenario; a long line of short items is no long line.
TEST_F(MainScenarioTest, ScenarioFilesWithOverlongLinesAreRefused) {
    std::string items;
    for (int i = 0; i < 30000; ++i)
        items += "Probe.Count;";
    root.writeDataFile("items.scn", items + "\n");
    EXPECT_EQ(root.processScenarioLine("Orvex.RunScenario items.scn"), 1);
    EXPECT_EQ(probe.count, 30000);

    root.writeDataFile("long.scn", "Probe.Set 3\nProbe.Set " + std::string(70000, '4') + "\n");
    EXPECT_EQ(root.processScenarioLine("Orvex.RunScenario long.scn"), 0);
    EXPECT_EQ(root.processScenarioLine("Orvex.LoadScenario long.scn"), 0);
    EXPECT_NE(probe.value, 3.0);
    EXPECT_TRUE(log.contains("long.scn: a line is longer than 65535 bytes"));

    log.clear();
    root.writeDataFile("big.scn", std::string((64 << 20) + 1, '\n'));
    EXPECT_EQ(root.processScenarioLine("Orvex.RunScenario big.scn"), 0);
    EXPECT_TRUE(log.contains("big.scn: it is longer than 67108864 bytes"));
}

TEST_F(MainScenarioTest, ConditionBranchesOpenScenarioFiles) {
    frames(1);
    root.writeDataFile("fast.scn", "Probe.Set 100\nOrvex.Wait 2\nProbe.Count\n");
    root.writeDataFile("slow.scn", "Probe.Set 1\n");
    root.processScenarioLine("Probe.Set 10");
    EXPECT_EQ(root.processScenarioLine("?Probe.Value>=10?fast.scn:slow.scn"), 1);
    EXPECT_EQ(probe.value, 100.0);
    EXPECT_EQ(root.getPlaying(), 1); // stepped, not run at once
    frames(3);
    EXPECT_EQ(probe.count, 1);
    root.processScenarioLine("?Probe.Value>=1000?fast.scn:slow.scn");
    EXPECT_EQ(probe.value, 1.0);
}

TEST_F(MainScenarioTest, ConditionInAScenarioFile) {
    frames(1);
    root.writeDataFile("c.scn", "?Orvex.FPS>=30?Orvex.FPS 60:Orvex.FPS 10");
    EXPECT_EQ(root.openScenario("c.scn", 0), 1);
    EXPECT_EQ(root.getFps(), 60.0);
}

TEST_F(MainScenarioTest, RunAllMakesTransitionsImmediateAndDropsTheSteppedScenario) {
    frames(1);
    root.runScript("Orvex.Wait 3\nProbe.Count\n", 0);
    frames(1);
    root.runScript("Probe.Set 2", 1);
    EXPECT_EQ(probe.lastMode(), Transition::Immediate);
    EXPECT_EQ(Transition::getGlobalMode(), Transition::Run);
    frames(5);
    EXPECT_EQ(probe.count, 0); // the stepped scenario was cleared
    root.processScenarioLine("Probe.Set 3");
    EXPECT_EQ(probe.lastMode(), Transition::Run);
}

TEST_F(MainScenarioTest, RunScenarioInsideALineLetsTheRestOfTheLineRun) {
    root.writeDataFile("a.scn", "Probe.Set 8\n");
    EXPECT_EQ(root.processScenarioLine("Orvex.RunScenario a.scn; Orvex.FPS 60"), 1);
    EXPECT_EQ(probe.value, 8.0);
    EXPECT_EQ(root.getFps(), 60.0);
}

TEST_F(MainScenarioTest, RunScenarioInASteppedScenarioEndsItInTheSameStep) {
    frames(1);
    root.writeDataFile("a.scn", "Probe.Set 8\n");
    root.runScript("Orvex.RunScenario a.scn\nProbe.Count\n", 0);
    EXPECT_EQ(frames(1), 1);
    EXPECT_EQ(probe.value, 8.0);
    EXPECT_EQ(probe.count, 0);
}

TEST_F(MainScenarioTest, ScenariosThatOpenThemselvesStop) {
    root.writeDataFile("self.scn", "Probe.Count\nOrvex.RunScenario self.scn\n");
    EXPECT_EQ(root.processScenarioLine("Orvex.RunScenario self.scn"), 1);
    EXPECT_EQ(probe.count, 32);
    EXPECT_TRUE(log.contains("nested more than 32 deep"));

    root.writeDataFile("a.scn", "Probe.Count\nb.scn\n");
    root.writeDataFile("b.scn", "Probe.Count\n?Orvex.FPS>0?a.scn:b.scn\n");
    probe.count = 0;
    root.processScenarioLine("Orvex.LoadScenario a.scn");
    EXPECT_EQ(probe.count, 32);
    frames(2);
}

TEST_F(MainScenarioTest, AScenarioRestartingItselfWithoutAWaitIsStopped) {
    frames(1);
    root.runScript("Probe.Count\nOrvex.Playing 1\n", 0);
    frames(1);
    EXPECT_EQ(root.getPlaying(), 0);
    EXPECT_TRUE(log.contains("restarts itself without a wait"));

    // With a wait it loops, a pass every few frames.
    probe.count = 0;
    root.runScript("Probe.Count\nOrvex.Wait 2\nOrvex.Playing 1\n", 0);
    frames(9);
    EXPECT_EQ(probe.count, 3);
    EXPECT_EQ(root.getPlaying(), 1);
}

TEST_F(MainScenarioTest, ANestedLoadCountsTheFrameOnce) {
    frames(1);
    root.writeDataFile("w.scn", "Orvex.Wait 3\nProbe.Count\n");
    root.runScript("w.scn\n", 0);
    frames(1); // loads w.scn: its wait starts and counts this frame once
    EXPECT_EQ(root.getCommandValue("Orvex.Frame"), " 0");
    EXPECT_NEAR(root.getWait(), 3 - 0.99, 1e-9);
    frames(3);
    EXPECT_EQ(probe.count, 0);
    frames(1);
    EXPECT_EQ(probe.count, 1);
}

TEST_F(MainScenarioTest, KeyBindingsRunAsScenarioLinesAndNotifyTheNextFrame) {
    frames(1);
    root.writeDataFile("keys.def", "KEY_F1 0 0 Probe.Count\nKEY_A 0 0 ?Probe.Value=0?Probe.Set 5:\n"
                                   "KEY_A 1 1 Probe.Set 33\nKEY_A 1 0 Probe.Set 16\n"
                                   "KEY_A 0 1 Probe.Set 17\n");
    ASSERT_TRUE(root.getKeyMap().load(root.getDataDir() + "/keys.def"));
    int notified = 0;
    root.setNotifyCallback([&] { ++notified; });
    root.keyPress(0x70);
    root.keyPress(0x41);
    root.keyPress(0x42); // unbound
    EXPECT_EQ(probe.count, 1);
    EXPECT_EQ(probe.value, 5.0);

    const struct {
        Qt::KeyboardModifiers modifiers;
        double value;
    } held[] = {{Qt::ShiftModifier | Qt::ControlModifier, 33.0},
                {Qt::ShiftModifier, 16.0},
                {Qt::ControlModifier, 17.0}};
    for (const auto& h : held) {
        platform::setKeyboardModifiers(h.modifiers);
        root.keyPress(0x41);
        EXPECT_EQ(probe.value, h.value);
    }
    platform::setKeyboardModifiers(Qt::NoModifier);
    frames(2);
    EXPECT_EQ(notified, 1); // once, in the next frame

    root.processScenarioLine("Orvex.Input 0");
    root.keyPress(0x70);
    EXPECT_EQ(probe.count, 1);
    frames(1);
    EXPECT_EQ(notified, 1);
}
