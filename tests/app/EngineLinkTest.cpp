#include <gtest/gtest.h>

#include <QSignalSpy>
#include <thread>

#include "app/EngineSave.h"
#include "engine/LogMessage.h"
#include "support/FakeEngine.h"

using orvextest::FakeEngine;
using orvextest::FakeRoot;

TEST(EngineLink, AViewWithoutEngineDoesNothing) {
    FakeEngine engine(false);
    FakeRoot& root = engine.recorded;
    EXPECT_FALSE(engine.hasRoot());
    EXPECT_EQ(engine.processScenarioLine("Timer.Speed 2"), 0);
    EXPECT_EQ(engine.getCommandValue("Timer.Speed"), "");
    engine.runScript("Timer.SetNow", 1);
    EXPECT_EQ(engine.openScenario("demo.scn", 0), 0);
    engine.setRecording(1);
    engine.addPlace("Home 1 2");
    EXPECT_EQ(engine.getClassCount(), 0);
    EXPECT_TRUE(root.lines.empty());
    EXPECT_TRUE(root.queries.empty());
    EXPECT_TRUE(root.scripts.empty());
    EXPECT_TRUE(root.scenarios.empty());
    EXPECT_EQ(root.recording, 0);
    EXPECT_TRUE(root.places.empty());
    // A plain link is a view whose engine has not started.
    EngineLink plain;
    EXPECT_FALSE(plain.hasRoot());
    EXPECT_EQ(plain.getStateText(), "");
    EXPECT_TRUE(plain.grabFrame().isNull());
}

TEST(EngineLink, OnceStartedEveryOperationReachesTheRoot) {
    FakeEngine engine;
    FakeRoot& root = engine.recorded;
    root.answers["Timer.Speed"] = " 2";
    EXPECT_EQ(engine.processScenarioLine("Timer.Speed 2"), 1);
    EXPECT_EQ(engine.getCommandValue("Timer.Speed"), " 2");
    EXPECT_EQ(engine.getCommandValue("Nothing.Here"), "Undefined");
    engine.runScript("Timer.SetNow", 1);
    EXPECT_EQ(engine.openScenario("demo.scn", 0), 1);
    engine.startScenario();
    EXPECT_EQ(engine.getPlaying(), 1);
    engine.setRecording(1);
    EXPECT_EQ(engine.isRecording(), 1);
    EXPECT_EQ(engine.getOrbitDir(EngineLink::ASatelliteOrbits), "./data/orbits/asatellites/");
    ASSERT_EQ(root.lines.size(), 1u);
    EXPECT_EQ(root.lines[0], "Timer.Speed 2");
    ASSERT_EQ(root.scripts.size(), 1u);
    EXPECT_EQ(root.scripts[0].runAll, 1);
    ASSERT_EQ(root.scenarios.size(), 1u);
    EXPECT_EQ(root.scenarios[0].text, "demo.scn");
}

TEST(EngineLink, PlaceOperationsNeedASelectedBody) {
    FakeEngine engine;
    FakeRoot& root = engine.recorded;
    root.selectedBody = false;
    engine.addPlace("Home 1 2");
    engine.ensureDefaultPlace();
    EXPECT_TRUE(root.places.empty());
    root.selectedBody = true;
    engine.addPlace("Home 1 2");
    engine.ensureDefaultPlace();
    EXPECT_EQ(engine.formatPlace(0), "Home 1 2");
    EXPECT_EQ(engine.formatPlace(1), "Surface 0 0");
    EXPECT_EQ(engine.formatPlace(2), "");
    engine.clearPlaces();
    EXPECT_TRUE(root.places.empty());
}

TEST(EngineLink, TextCrossesInTheLocalEncoding) {
    const QString text = QString::fromUtf8("Caf\xc3\xa9 42");
    EXPECT_EQ(EngineLink::fromEngineText(EngineLink::toEngineText(text)), text);
    EXPECT_EQ(EngineLink::toEngineText("Ssystem.AstrNameTo Earth"), "Ssystem.AstrNameTo Earth");
}

namespace {

// A save the engine refuses, while a thread reading ahead logs.
class RefusedSave : public FakeRoot {
public:
    int processScenarioLine(const std::string& line) override {
        FakeRoot::processScenarioLine(line);
        std::thread([] {
            logMessage("Could not read orbit file ./x.orb: Permission denied.");
        }).join();
        logMessage("Could not save comet list file. ./data/comets.dcl: Is a directory\n");
        logMessage("Command Error : Ssystem.SaveCometList");
        return 0;
    }
};

struct RefusingEngine : FakeEngine {
    EngineLink::Root* root() const override { return &refusing; }
    mutable RefusedSave refusing;
};

} // namespace

TEST(EngineLink, ASaveSaysWhyItFailedInItsOwnMessagesAlone) {
    LogCapture log;
    RefusingEngine engine;
    EXPECT_EQ(runEngineSave(&engine, "Ssystem.SaveCometList Default").toStdString(),
              "Could not save comet list file. ./data/comets.dcl: Is a directory");
    // Every message still reaches the log.
    EXPECT_EQ(log.messages().size(), 3u);
    EXPECT_TRUE(log.contains("Permission denied."));
    FakeEngine working;
    EXPECT_TRUE(runEngineSave(&working, "Ssystem.SaveCometList Default").isEmpty());
}
