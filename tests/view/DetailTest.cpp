#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/LogMessage.h"
#include "platform/CurrentDirGuard.h"
#include "support/TestEnv.h"
#include "support/TestRoot.h"
#include "view/Detail.h"
#include "view/DetailListener.h"
#include "view/LabelFontOwner.h"

using orvextest::TestRoot;

namespace {

// Counts what Detail sets off in the classes the root connects.
struct ListenerLog : DetailListener {
    int rebuilds = 0;
    int mwayReloads = 0;
    std::vector<int> fadeBlend;
    void rebuildDisplayLists() override { ++rebuilds; }
    void reloadMilkyWayTexture() override { ++mwayReloads; }
    void setFadeAlphaBlend(int on) override { fadeBlend.push_back(on); }
};

struct FontOwnerLog : LabelFontOwner {
    std::string fontText = "Arial 12 0";
    int changes = 0;
    void setLabelFont(const std::string& family, float size, int style) override {
        ++changes;
        fontText = family + CommandArgs::formatReal(size) + CommandArgs::formatInt(style);
    }
    std::string getLabelFontSpec() const override { return fontText; }
};

class DetailTest : public ::testing::Test {
protected:
    DetailTest() { detail.setListener(&listener); }
    int run(const std::string& line) { return root.processScenarioLine(line); }
    std::string value(const std::string& word) { return root.getCommandValue("Detail." + word); }

    LogCapture log;
    TestRoot root;
    Detail detail{&root};
    ListenerLog listener;
};

} // namespace

TEST_F(DetailTest, RegistersThirtyWordsInTableOrder) {
    ASSERT_EQ(root.interp.getClassName(1), "Detail");
    const std::vector<std::pair<std::string, bool>> expected = {
        {"Draw", true},          {"Body", true},         {"Orbit", true},
        {"AlphaBlend", true},    {"Texture", true},      {"Filter", true},
        {"TexDir", true},        {"SsystemFont", false}, {"ConstesFont", false},
        {"GalaxiesFont", false}, {"FstarsFont", false},  {"ConsoleFont", false},
        {"LscapeFont", false},   {"FrameFont", false},   {"DrawTog", false},
        {"DrawPrev", true},      {"DrawNext", true},     {"BodyTog", false},
        {"BodyPrev", true},      {"BodyNext", true},     {"OrbitTog", false},
        {"OrbitPrev", true},     {"OrbitNext", true},    {"AlphaBlendTog", true},
        {"TextureTog", false},   {"TextureTog", true},   {"TextureTog", true},
        {"FilterTog", false},    {"FilterPrev", true},   {"FilterNext", true}};
    ASSERT_EQ(root.interp.getCommandCount(1), 30);
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(root.interp.getCommandName(1, i), expected[size_t(i)].first) << i;
        EXPECT_EQ(root.interp.isCommandListed(1, i), expected[size_t(i)].second) << i;
    }
}

TEST_F(DetailTest, DefaultsAndOptionText) {
    EXPECT_EQ(detail.getBodySlices(), 12);
    EXPECT_EQ(detail.getOrbitPoints(), 64);
    EXPECT_EQ(value("Draw"), "Solid");
    EXPECT_EQ(value("AlphaBlend"), " 1");
    EXPECT_EQ(value("DrawTog"), "Undefined");
    EXPECT_EQ(value("Nope"), "Undefined");
    EXPECT_EQ(detail.saveOptions(), "Detail.Draw Solid\nDetail.Body Low\nDetail.Orbit Low\n"
                                    "Detail.AlphaBlend 1\nDetail.Texture Selected\n"
                                    "Detail.Filter Nearest\nDetail.TexDir ./textures");
}

TEST_F(DetailTest, KeywordWordsSetAndAnswer) {
    struct Case {
        const char* word;
        const char* arg;
        const char* expected;
    };
    const Case cases[] = {{"Draw", "Wire", "Wire"},
                          {"Draw", "Adaptive", "Adaptive"},
                          {"Body", "High", "High"},
                          {"Body", "Mid", "Mid"},
                          {"Orbit", "High", "High"},
                          {"Texture", "None", "None"},
                          {"Texture", "Always", "Always"},
                          {"Filter", "Linear", "Linear"},
                          {"TexDir", "./texturesLow", "./texturesLow"}};
    for (const Case& c : cases) {
        EXPECT_EQ(run(std::string("Detail.") + c.word + " " + c.arg), 1) << c.word;
        EXPECT_EQ(value(c.word), c.expected) << c.word;
    }
    EXPECT_EQ(detail.getBodySlices(), 24);
    EXPECT_EQ(detail.getOrbitPoints(), 256);
    EXPECT_EQ(detail.getDrawMode(), Detail::Adaptive);

    // Wrong case, unknown and missing keywords are errors and change nothing.
    const int rebuilds = listener.rebuilds;
    for (const char* line : {"Detail.Draw wire", "Detail.Body Highest", "Detail.Orbit",
                             "Detail.Filter linear", "Detail.Nope"}) {
        EXPECT_EQ(run(line), 0) << line;
        EXPECT_TRUE(log.contains("Command Error : Detail.")) << line;
    }
    EXPECT_EQ(value("Draw"), "Adaptive");
    EXPECT_EQ(value("Orbit"), "High");
    EXPECT_EQ(listener.rebuilds, rebuilds);
}

TEST_F(DetailTest, RebuildsOnlyWhenABakedValueChanges) {
    run("Detail.Body Mid");
    EXPECT_EQ(listener.rebuilds, 1);
    run("Detail.Body Mid");
    EXPECT_EQ(listener.rebuilds, 1);
    run("Detail.Orbit Mid");
    run("Detail.Filter Linear");
    EXPECT_EQ(listener.rebuilds, 3);
    run("Detail.Draw Wire");
    run("Detail.Texture None");
    EXPECT_EQ(listener.rebuilds, 3);
    // TexDir always rebuilds and looks up the Milky Way again, even unchanged.
    run("Detail.TexDir ./textures");
    EXPECT_EQ(listener.rebuilds, 4);
    EXPECT_EQ(listener.mwayReloads, 1);
    run("Detail.AlphaBlend 5");
    EXPECT_EQ(value("AlphaBlend"), " 5");
    run("Detail.AlphaBlendTog");
    run("Detail.AlphaBlendTog");
    EXPECT_EQ(listener.fadeBlend, (std::vector<int>{5, 0, 1}));
}

TEST_F(DetailTest, Cycles) {
    run("Detail.BodyPrev");
    EXPECT_EQ(value("Body"), "High");
    run("Detail.BodyPrev");
    EXPECT_EQ(value("Body"), "Mid");
    run("Detail.BodyTog");
    EXPECT_EQ(value("Body"), "High");
    run("Detail.BodyNext");
    EXPECT_EQ(value("Body"), "Low");
    for (int i = 0; i < 3; ++i)
        run("Detail.OrbitNext");
    EXPECT_EQ(value("Orbit"), "Low");
    run("Detail.OrbitPrev");
    EXPECT_EQ(value("Orbit"), "High");
    EXPECT_EQ(listener.rebuilds, 8);

    run("Detail.DrawTog");
    EXPECT_EQ(value("Draw"), "Wire");
    run("Detail.DrawNext");
    EXPECT_EQ(value("Draw"), "Solid");
    run("Detail.Draw Adaptive");
    run("Detail.DrawPrev");
    EXPECT_EQ(value("Draw"), "Adaptive");

    run("Detail.TextureTog");
    EXPECT_EQ(value("Texture"), "Selected");
    run("Detail.Texture None");
    run("Detail.TextureTog");
    EXPECT_EQ(value("Texture"), "Always");
    run("Detail.TextureTog");
    EXPECT_EQ(value("Texture"), "None");

    run("Detail.FilterTog");
    EXPECT_EQ(value("Filter"), "Linear");
    run("Detail.FilterPrev");
    EXPECT_EQ(value("Filter"), "Nearest");
    run("Detail.FilterNext");
    EXPECT_EQ(value("Filter"), "Linear");
}

TEST_F(DetailTest, TextureDirectoryAndPaths) {
    run("Detail.TexDir ./texturesLow/");
    EXPECT_EQ(detail.getTexDir(), "./texturesLow");
    run("Detail.TexDir ./texturesLow//");
    EXPECT_EQ(detail.getTexDir(), "./texturesLow/");
    run("Detail.TexDir .\\low\\");
    EXPECT_EQ(detail.getTexDir(), ".\\low");

    orvextest::TempDir dir;
    platform::CurrentDirGuard inDir(dir.path());
    std::filesystem::create_directories("texturesLow");
    std::ofstream("texturesLow/astrbelt.png") << "x";
    std::ofstream("earth.jpg") << "x";
    std::filesystem::create_directories("texturesLow/moon.jpg");

    run("Detail.TexDir ./texturesLow");
    EXPECT_EQ(detail.getTexturePath("./textures/astrbelt.png"), "./texturesLow/astrbelt.png");
    EXPECT_EQ(detail.getTexturePath("astrbelt.png"), "./texturesLow/astrbelt.png");
    EXPECT_EQ(detail.getTexturePath("./textures/mars.png"), "./textures/mars.png");
    // A backslash does not split, and a directory is no texture: it is named
    // for the loader to refuse.
    EXPECT_EQ(detail.getTexturePath(".\\textures\\astrbelt.png"), ".\\textures\\astrbelt.png");
    EXPECT_EQ(detail.getTexturePath("./textures/moon.jpg"), "./texturesLow/moon.jpg");

    // No argument: the data directory itself, never the file-system root.
    run("Detail.TexDir");
    EXPECT_EQ(detail.getTexDir(), "");
    EXPECT_EQ(value("TexDir"), "");
    EXPECT_EQ(detail.getTexturePath("./textures/earth.jpg"), "./earth.jpg");
    EXPECT_EQ(detail.getTexturePath("/etc/hostname"), "/etc/hostname");
    EXPECT_NE(detail.saveOptions().find("\nDetail.TexDir "), std::string::npos);
}

TEST_F(DetailTest, AFolderWithoutTheMapFallsBackToTheShippedOneWithOneLogLine) {
    orvextest::TempDir dir;
    platform::CurrentDirGuard inDir(dir.path());
    for (const char* folder : {"textures", "texturesLow", "texturesHigh"})
        std::filesystem::create_directories(folder);
    std::ofstream("textures/earth.jpg") << "x";
    std::ofstream("textures/moon.jpg") << "x";
    std::ofstream("texturesLow/moon.jpg") << "x";

    run("Detail.TexDir ./texturesLow");
    EXPECT_EQ(detail.getTexturePath("earth.jpg"), "./textures/earth.jpg");
    EXPECT_EQ(detail.getTexturePath("./textures/earth.jpg"), "./textures/earth.jpg");
    EXPECT_EQ(detail.getTexturePath("moon.jpg"), "./texturesLow/moon.jpg");
    // Neither folder has it: the name as written.
    EXPECT_EQ(detail.getTexturePath("mars.jpg"), "mars.jpg");
    // Every rebuild asks again; the log says it once per folder choice.
    ASSERT_EQ(log.messages().size(), 1u);
    EXPECT_NE(log.messages()[0].find("earth.jpg"), std::string::npos);
    EXPECT_NE(log.messages()[0].find("./texturesLow"), std::string::npos);
    run("Detail.TexDir ./texturesHigh");
    EXPECT_EQ(detail.getTexturePath("earth.jpg"), "./textures/earth.jpg");
    EXPECT_EQ(detail.getTexturePath("moon.jpg"), "./textures/moon.jpg");
    EXPECT_EQ(log.messages().size(), 3u);
    // The shipped folder itself: nothing to fall back to, nothing logged.
    run("Detail.TexDir ./textures");
    EXPECT_EQ(detail.getTexturePath("mars.jpg"), "mars.jpg");
    EXPECT_EQ(log.messages().size(), 3u);

    // What is there but is no file is the path given to the loader, which
    // tells what it is: a map of the shipped folder is still taken first.
    ASSERT_EQ(::mkfifo("textures/venus.jpg", 0600), 0);
    ASSERT_EQ(::mkfifo("texturesLow/earth.jpg", 0600), 0);
    ASSERT_EQ(::symlink("gone.jpg", "texturesLow/mars.jpg"), 0);
    EXPECT_EQ(detail.getTexturePath("venus.jpg"), "./textures/venus.jpg");
    run("Detail.TexDir ./texturesLow");
    EXPECT_EQ(detail.getTexturePath("venus.jpg"), "./textures/venus.jpg");
    EXPECT_EQ(detail.getTexturePath("mars.jpg"), "./texturesLow/mars.jpg");
    EXPECT_EQ(detail.getTexturePath("earth.jpg"), "./textures/earth.jpg");
    // A name of a folder is no name of an entry of the texture folders.
    EXPECT_EQ(detail.getTexturePath("./nosuch/"), "./nosuch/");
}

TEST_F(DetailTest, FontRowsReachTheirOwners) {
    FontOwnerLog console;
    detail.setFontOwner(Detail::ConsoleFont, &console);
    EXPECT_EQ(value("ConsoleFont"), "Arial 12 0");
    EXPECT_EQ(run("Detail.ConsoleFont Courier_New 14.5 3"), 1);
    EXPECT_EQ(console.fontText, "Courier_New 14.5 3");
    EXPECT_EQ(value("ConsoleFont"), "Courier_New 14.5 3");
    run("Detail.ConsoleFont");
    EXPECT_EQ(console.fontText, " 0 0");
    // A font whose owner the root has not connected: runs, acts on nothing.
    EXPECT_EQ(run("Detail.FstarsFont Arial 10 0"), 1);
    EXPECT_EQ(value("FstarsFont"), "Undefined");
    EXPECT_EQ(console.changes, 2);
    // Font rows are no options of Detail: each owner saves its own font.
    EXPECT_EQ(detail.saveOptions().find("Font"), std::string::npos);
}

TEST_F(DetailTest, OptionLinesReadBack) {
    run("Detail.Draw Wire;Detail.Body High;Detail.Orbit Mid;Detail.AlphaBlend 0");
    run("Detail.Texture Always;Detail.Filter Linear;Detail.TexDir ./texturesHigh");
    const std::string options = detail.saveOptions();
    TestRoot other;
    Detail copy(&other);
    other.runScript(options, 1);
    EXPECT_EQ(copy.saveOptions(), options);
}
