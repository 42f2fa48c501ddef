#include <gtest/gtest.h>

#include "CommandProbe.h"

#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "engine/KeyMap.h"
#include "engine/LogMessage.h"
#include "engine/Main.h"
#include "engine/Transition.h"
#include "support/ChildProcess.h"
#include "support/TestRoot.h"

using orvextest::TestRoot;

namespace {

class MainTest : public ::testing::Test {
protected:
    TestRoot root;
    CommandProbe probe{&root};
    LogCapture log;
};

} // namespace

TEST_F(MainTest, RegistersItsTwelveWordsFirst) {
    ASSERT_EQ(root.interp.getClassCount(), 2);
    EXPECT_EQ(root.interp.getClassName(0), "Orvex");
    EXPECT_EQ(root.interp.getClassName(1), "Probe");
    const char* words[] = {"Frame", "Playing",  "Input", "FPS",      "RunScenario", "LoadScenario",
                           "Wait",  "WaitNext", "Next",  "InputTog", "LoadOptions", "SaveOptions"};
    ASSERT_EQ(root.interp.getCommandCount(0), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(root.interp.getCommandName(0, i), words[i]);
        EXPECT_TRUE(root.interp.isCommandListed(0, i));
    }
    EXPECT_STREQ(root.getName(), "Orvex");
    EXPECT_STREQ(root.getVersion(), "1.0");
}

TEST_F(MainTest, WordsAndQueries) {
    EXPECT_EQ(root.getCommandValue("Orvex.Frame"), " 0");
    EXPECT_EQ(root.processScenarioLine("Orvex.Frame 5"), 0);
    EXPECT_TRUE(log.contains("Command Error : Orvex.Frame"));

    EXPECT_EQ(root.getCommandValue("Orvex.FPS"), " 30");
    root.processScenarioLine("Orvex.FPS 59.94");
    EXPECT_EQ(root.getCommandValue("Orvex.FPS"), " 59.94");

    EXPECT_EQ(root.getCommandValue("Orvex.Input"), " 1");
    root.processScenarioLine("Orvex.Input 0");
    EXPECT_EQ(root.getCommandValue("Orvex.Input"), " 0");
    root.processScenarioLine("Orvex.InputTog");
    EXPECT_EQ(root.getInput(), 1);
    root.processScenarioLine("Orvex.InputTog;Orvex.InputTog");
    EXPECT_EQ(root.getInput(), 1);

    root.processScenarioLine("Orvex.Wait 12.5");
    EXPECT_EQ(root.getWait(), 12.5);
    root.processScenarioLine("Orvex.Wait nan");
    EXPECT_EQ(root.getWait(), 0.0);
    root.processScenarioLine("Orvex.WaitNext");
    EXPECT_EQ(root.getWait(), -1.0);
    root.processScenarioLine("Orvex.Next");
    EXPECT_EQ(root.getWait(), 0.0);

    EXPECT_EQ(root.getCommandValue("Orvex.Playing"), " 0");
    root.processScenarioLine("Orvex.Playing 1");
    EXPECT_EQ(root.getCommandValue("Orvex.Playing"), " 1");
    root.processScenarioLine("Orvex.Playing 0");
    EXPECT_EQ(root.getPlaying(), 0);

    for (const char* word : {"Wait", "WaitNext", "Next", "InputTog", "RunScenario", "LoadScenario",
                             "LoadOptions", "SaveOptions", "Nope"})
        EXPECT_EQ(root.getCommandValue(std::string("Orvex.") + word), "Undefined") << word;
    EXPECT_EQ(root.processScenarioLine("Orvex.Nope"), 0);
    EXPECT_EQ(root.saveOptions(), "Orvex.FPS 59.94");
    EXPECT_EQ(root.saveStates(), "");
}

TEST_F(MainTest, FramesCountInNominalFrames) {
    EXPECT_EQ(root.frame(33), 0); // nothing until configured
    EXPECT_EQ(root.getFrameStep(), 0.0);
    root.configure();
    ASSERT_TRUE(root.isConfigured());
    root.frame(33);
    EXPECT_DOUBLE_EQ(root.getFrameStep(), 0.99);
    root.frame(0);
    EXPECT_EQ(root.getFrameStep(), 1.0);
    root.processScenarioLine("Orvex.FPS 60");
    root.frame(50);
    EXPECT_DOUBLE_EQ(root.getFrameStep(), 3.0);
    root.processScenarioLine("Orvex.FPS 0");
    root.frame(1000);
    EXPECT_EQ(root.getFrameStep(), 1.0);
    root.processScenarioLine("Orvex.FPS -5");
    root.frame(1000);
    EXPECT_EQ(root.getFrameStep(), 1.0);
}

TEST_F(MainTest, InitReadsTheStartFilesAndTheConfiguration) {
    root.writeDataFile("data/argshelp.def", "Orvex.FPS Frames per second\n#Probe.Count hidden\n");
    root.configure("Probe.Set 4\nOrvex.Wait 10\nProbe.Count", "Probe.Set 2\nOrvex.FPS 25\n");
    EXPECT_EQ(root.configReads, 1);
    EXPECT_TRUE(root.isConfigured());
    EXPECT_EQ(root.getFps(), 25.0);
    // Options run at once with immediate transitions, the initial state is stepped.
    EXPECT_EQ(probe.modes, (std::vector<int>{Transition::Immediate, Transition::Run}));
    EXPECT_EQ(probe.value, 4.0);
    EXPECT_EQ(probe.count, 0);
    EXPECT_EQ(root.getPlaying(), 1);
    EXPECT_EQ(root.getLog(), "Probe.Set 2\nOrvex.FPS 25\nProbe.Set 4\nOrvex.Wait 10\n");
    EXPECT_EQ(root.interp.getCommandHelp(0, 3), "Frames per second");
    EXPECT_FALSE(root.interp.isCommandListed(1, 1));
    EXPECT_EQ(Transition::getGlobalMode(), Transition::Run);

    root.init(); // once only
    EXPECT_EQ(root.configReads, 1);
}

TEST_F(MainTest, MissingStartFilesLeaveTheRootUnconfigured) {
    root.writeDataFile("data/config.def", "");
    root.init();
    EXPECT_TRUE(log.contains("Could not open initialStates file ./scenarios/init.scn\n. "
                             "./scenarios/init.scn: No such file or directory"));
    root.writeDataFile("scenarios/init.scn", "");
    // An options file that is a pipe is named with the reason, once.
    const std::string options = root.getDataDir() + "/scenarios/options.scn";
    ASSERT_EQ(::mkfifo(options.c_str(), 0600), 0);
    log.clear();
    root.init();
    EXPECT_EQ(log.messages(),
              std::vector<std::string>{"Could not open options file ./scenarios/options.scn\n. "
                                       "./scenarios/options.scn: Not a regular file (a named "
                                       "pipe)"});
    EXPECT_FALSE(root.isConfigured());
    std::remove(options.c_str());
    root.writeDataFile("scenarios/options.scn", "");
    root.setConfigFile("./data/none.def");
    root.init();
    EXPECT_TRUE(
        log.contains("Could not open config file ./data/none.def: No such file or directory"));
    EXPECT_FALSE(root.isConfigured());
    EXPECT_EQ(root.configReads, 0);
    EXPECT_EQ(root.saveOptionsFile("Default"), 0);
    EXPECT_EQ(root.getStateText(), "");
}

TEST_F(MainTest, StartFilesAreReadWhole) {
    std::string options;
    for (int i = 0; i < 20000; ++i)
        options += "Probe.Count\n"; // 240000 bytes
    options += "Probe.Set 7\n";
    root.configure("", options);
    EXPECT_EQ(probe.count, 20000);
    EXPECT_EQ(probe.value, 7.0);
}

TEST_F(MainTest, WritesOptionAndStateFiles) {
    EXPECT_EQ(root.processScenarioLine("Orvex.SaveOptions Default"), 0); // not configured
    EXPECT_TRUE(root.readDataFile("scenarios/options.scn").empty());
    root.configure();
    EXPECT_EQ(root.getOptionsText(), "Orvex.FPS 30\n");
    EXPECT_EQ(root.processScenarioLine("Orvex.SaveOptions Default"), 1);
    EXPECT_EQ(root.readDataFile("scenarios/options.scn"), "Orvex.FPS 30\n ");
    root.processScenarioLine("Orvex.FPS 12");
    EXPECT_EQ(root.processScenarioLine("Orvex.SaveOptions"), 1);
    EXPECT_EQ(root.readDataFile("scenarios/options.scn"), "Orvex.FPS 12\n ");
    EXPECT_EQ(root.processScenarioLine("Orvex.SaveOptions mine.scn"), 1);
    EXPECT_EQ(root.readDataFile("mine.scn"), "Orvex.FPS 12\n ");

    probe.value = 1.5;
    EXPECT_EQ(root.getStateText(), "Probe.Set 1.5\n");
    EXPECT_EQ(root.saveStateFile(""), 1);
    EXPECT_EQ(root.readDataFile("scenarios/init.scn"), "Probe.Set 1.5\n ");

    // The saved lines are scenario lines again.
    probe.value = 0;
    root.processScenarioLine("Orvex.FPS 30");
    EXPECT_EQ(root.processScenarioLine("Orvex.LoadOptions mine.scn"), 1);
    EXPECT_EQ(root.getFps(), 12.0);
    EXPECT_EQ(root.openScenario("./scenarios/init.scn", 1), 1);
    EXPECT_EQ(probe.value, 1.5);

    EXPECT_EQ(root.saveOptionsFile("no/such/dir/x.scn"), 0);
    EXPECT_TRUE(log.contains("Could not save scenario file no/such/dir/x.scn"));
    // A file without write permission stays as it is, and the message says
    // which file and why after its own text.
    root.writeDataFile("o.scn", "kept\n");
    const std::string readOnly = root.getDataDir() + "/o.scn";
    ::chmod(readOnly.c_str(), 0444);
    EXPECT_EQ(root.saveOptionsFile("o.scn"), 0);
    EXPECT_TRUE(
        log.contains("Could not save scenario file o.scn\n. " + readOnly + ": Permission denied"));
    EXPECT_EQ(root.readDataFile("o.scn"), "kept\n");
    EXPECT_EQ(root.processScenarioLine("Orvex.LoadOptions missing.scn"), 0);
    EXPECT_TRUE(log.contains("Could not open scenario file missing.scn"));
}

// Options, states and scenarios are written whole or not at all: a full disk
// fails the save with its message, and a kill at any moment of a save leaves
// the old or the new file.
TEST_F(MainTest, SavesAreWholeOnAFullDiskAndWhenKilled) {
    root.configure();
    ASSERT_EQ(root.saveOptionsFile("Default"), 1);
    const std::string before = root.readDataFile("scenarios/options.scn");
    ASSERT_EQ(before, "Orvex.FPS 30\n ");
    std::string many;
    for (int i = 0; i < 2000; ++i)
        many += "Probe.Count\n";
    root.runScript(many, 0);
    EXPECT_EQ(orvextest::runInChild(
                  [&] {
                      root.processScenarioLine("Orvex.FPS 12");
                      return root.saveOptionsFile("Default") == 0 &&
                             root.saveScenario("./scenarios/options.scn") == 0 &&
                             log.contains("Could not save scenario file ./scenarios/options.scn");
                  },
                  10),
              1);
    EXPECT_EQ(root.readDataFile("scenarios/options.scn"), before);

    // A big scenario text and the small options text, saved by turns.
    const std::string big = many + " ";
    const std::string small = "Orvex.FPS 30\n ";
    std::mt19937 random(5);
    std::uniform_int_distribution<int> delayUs(0, 30000);
    for (int kill = 0; kill < 30; ++kill) {
        orvextest::killChildAfter(
            [&] {
                for (int i = 0;; ++i) {
                    if (i % 2)
                        root.saveScenario("./scenarios/options.scn");
                    else
                        root.saveOptionsFile("Default");
                }
            },
            std::chrono::microseconds(delayUs(random)));
        const std::string now = root.readDataFile("scenarios/options.scn");
        ASSERT_TRUE(now == small || now == big) << "kill " << kill << ": " << now.size();
    }
}

// An options, initial-state or scenario file that a load did not read whole
// (a NUL byte, a text too long, a failed read) is saved over by no writer,
// since the lines after the part read would be lost, until a load reads it
// whole.
TEST_F(MainTest, AnOptionsFileReadInPartIsNotSavedOverUntilALoadReadsItWhole) {
    const std::string withNul("Orvex.FPS 20\n\0Probe.Set 9\n", 26);
    const std::string initWithNul("Probe.Set 3\n\0Probe.Set 9\n", 25);
    root.configure(initWithNul, withNul);
    ASSERT_TRUE(root.isConfigured());
    EXPECT_EQ(root.getFps(), 20.0);
    const std::string refused = "Could not save scenario file ./scenarios/options.scn\n. "
                                "./scenarios/options.scn: it was not read whole (a NUL byte at "
                                "byte 13 ends its text); it is left as it is until a load reads "
                                "it whole";
    for (int save = 0; save < 2; ++save) {
        log.clear();
        EXPECT_EQ(root.processScenarioLine("Orvex.SaveOptions Default"), 0);
        EXPECT_EQ(log.messages(),
                  (std::vector<std::string>{refused, "Command Error : Orvex.SaveOptions"}));
    }
    EXPECT_EQ(root.saveStateFile("./scenarios/options.scn"), 0);
    EXPECT_EQ(root.processScenarioLine("Orvex.LoadOptions Default"), 1);
    EXPECT_EQ(root.saveOptionsFile("Default"), 0);
    EXPECT_EQ(root.readDataFile("scenarios/options.scn"), withNul);
    EXPECT_EQ(root.saveOptionsFile("mine.scn"), 1);

    // The initial-state file and any scenario the same way, whichever writer.
    EXPECT_EQ(root.saveStateFile("Default"), 0);
    EXPECT_EQ(root.saveScenario("Default"), 0);
    EXPECT_EQ(root.saveOptionsFile("./scenarios/init.scn"), 0);
    EXPECT_EQ(root.readDataFile("scenarios/init.scn"), initWithNul);
    root.writeDataFile("part.scn", withNul);
    EXPECT_EQ(root.processScenarioLine("Orvex.RunScenario part.scn"), 1);
    EXPECT_EQ(root.saveOptionsFile("part.scn"), 0);
    EXPECT_EQ(root.readDataFile("part.scn"), withNul);
    root.writeDataFile("scenarios/init.scn", "Probe.Set 3\n");
    EXPECT_EQ(root.processScenarioLine("Orvex.LoadScenario scenarios/init.scn"), 1);
    for (int save = 0; save < 2; ++save)
        EXPECT_EQ(root.saveStateFile("Default"), 1);

    // Mended and loaded, it is saved at every save.
    root.writeDataFile("scenarios/options.scn", "Orvex.FPS 20\nProbe.Set 9\n");
    EXPECT_EQ(root.processScenarioLine("Orvex.LoadOptions Default"), 1);
    for (int fps : {10, 11, 12}) {
        root.processScenarioLine("Orvex.FPS " + std::to_string(fps));
        EXPECT_EQ(root.processScenarioLine("Orvex.SaveOptions Default"), 1);
        EXPECT_EQ(root.readDataFile("scenarios/options.scn"),
                  "Orvex.FPS " + std::to_string(fps) + "\n ");
    }

    // A text too long (6 GB, sparse) and a failed read (/proc/self/mem fails
    // at address 0) the same way.
    root.writeDataFile("big.scn", "Orvex.FPS 5\n");
    const std::string big = root.getDataDir() + "/big.scn";
    ASSERT_EQ(::truncate(big.c_str(), 6LL << 30), 0);
    const std::pair<std::string, std::string> cut[] = {
        {"big.scn", "it is longer than 67108864 bytes"}, {"/proc/self/mem", "Input/output error"}};
    for (const auto& [file, reason] : cut) {
        EXPECT_EQ(root.processScenarioLine("Orvex.LoadOptions " + file), 0);
        log.clear();
        EXPECT_EQ(root.saveOptionsFile(file), 0);
        EXPECT_TRUE(log.contains(": it was not read whole (" + reason + ")")) << file;
    }
    struct stat kept {};
    ASSERT_EQ(::stat(big.c_str(), &kept), 0);
    EXPECT_EQ(kept.st_size, 6LL << 30);
}

TEST_F(MainTest, SavesTheLoadedScenarioText) {
    root.configure();
    root.writeDataFile("a.scn", "Probe.Count\nOrvex.Wait 5\n");
    root.openScenario("a.scn", 0);
    EXPECT_EQ(root.saveScenario("copy.scn"), 1);
    EXPECT_EQ(root.readDataFile("copy.scn"), "Probe.Count\nOrvex.Wait 5\n ");
    root.runScript("\n", 0);
    EXPECT_EQ(root.saveScenario("copy.scn"), 1);
    EXPECT_EQ(root.readDataFile("copy.scn"), "\n");
}

TEST_F(MainTest, LongDataDirectoriesWork) {
    root.configure();
    std::string deep = "scenarios";
    for (int i = 0; i < 12; ++i)
        deep += "/a-rather-long-folder-name-" + std::to_string(i);
    root.writeDataFile(deep + "/long.scn", "Probe.Set 3\n");
    ASSERT_GT(deep.size(), 300u);
    EXPECT_EQ(root.openScenario(deep + "/long.scn", 1), 1);
    EXPECT_EQ(probe.value, 3.0);
    EXPECT_EQ(root.saveOptionsFile(deep + "/o.scn"), 1);
    EXPECT_EQ(root.readDataFile(deep + "/o.scn"), "Orvex.FPS 30\n ");
}

TEST_F(MainTest, LogEndsWithALineFeed) {
    EXPECT_EQ(root.getLog(), "");
    root.processScenarioLine("Probe.Count");
    EXPECT_EQ(root.getLog(), "Probe.Count\n");
    root.clearLog();
    EXPECT_EQ(root.getLog(), "");
    root.setRecording(1);
    EXPECT_EQ(root.isRecording(), 1);
}

TEST_F(MainTest, SizeAndAspectKeepOnlyPositiveValues) {
    root.setSize(800, 600);
    root.setSize(0, 300);
    root.setSize(300, -1);
    EXPECT_EQ(root.getWidth(), 800);
    EXPECT_EQ(root.getHeight(), 600);
    root.setAspect(2.0);
    root.setAspect(0.0);
    EXPECT_EQ(root.getAspect(), 2.0);
}
