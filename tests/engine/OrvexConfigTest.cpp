// The main configuration reader, run through Main's start-up without a display.
#include <gtest/gtest.h>

#include <filesystem>
#include <pwd.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "engine/KeyMap.h"
#include "engine/LogMessage.h"
#include "engine/Orvex.h"
#include "graphics/LabelFont.h"
#include "model/DsAstrBody.h"
#include "model/Ssystem.h"
#include "sky/Lscape.h"
#include "support/RootDataSet.h"

namespace {

class OrvexConfig : public ::testing::Test {
protected:
    void TearDown() override { setDefaultFontFamily("Arial"); }

    // Reads the data set with the given configuration file.
    Orvex& configure(const std::string& config) {
        data.write("data/config.def", config);
        root.setDataDir(data.path());
        root.Main::init();
        return root;
    }
    std::vector<std::string> registry() const {
        std::vector<std::string> names;
        for (int i = 0; i < root.interp.getClassCount(); ++i)
            names.push_back(root.interp.getClassName(i));
        return names;
    }

    orvextest::RootDataSet data;
    Orvex root;
};

// Construction order of the command classes.
const std::vector<std::string> commandClasses = {
    "Orvex",    "Timer",  "Console", "Ssystem", "Camera", "Space", "Constes",
    "Galaxies", "Fstars", "Lscape",  "Markers", "Render", "Detail"};

} // namespace

TEST_F(OrvexConfig, CommentsOnlyStillConstructEveryCommandObject) {
    configure("# nothing but comments\n#Ssystem: ./data/ssystem.def\n");
    EXPECT_TRUE(root.isConfigured());
    EXPECT_EQ(registry(), commandClasses);
    EXPECT_TRUE(root.getSsystem()->getAllBodies().empty());
    EXPECT_EQ(root.getListSettings().defaultList, "./data/defaults.ddl");
    EXPECT_EQ(root.getCodecName(), "Shift-JIS");
    EXPECT_EQ(root.getLocale(), "en_us");
}

TEST_F(OrvexConfig, KeywordsHandTheirFilesToTheirObjects) {
    configure("Ssystem: ./data/ssystem.def KeyMap: ./data/keymap.def\n"
              "Direction: ./data/direction.txt\n");
    EXPECT_NE(root.getSsystem()->findBody("Moon"), nullptr);
    EXPECT_EQ(root.getKeyMap().size(), 3u);
    EXPECT_EQ(root.getLscape()->getDirectionNames().west, "Ouest");
    EXPECT_EQ(registry(), commandClasses);
}

TEST_F(OrvexConfig, ACommentEndsItsLineAnywhere) {
    configure("Locale: de_de # Locale: fr_fr\nCodecName: UTF-8 #\nLocale: # ja_jp\n");
    EXPECT_EQ(root.getCodecName(), "UTF-8");
    // "Locale:" takes the next word, even a comment sign; that sign then
    // starts no comment, and "ja_jp" is skipped as a word of no keyword.
    EXPECT_EQ(root.getLocale(), "#");
}

TEST_F(OrvexConfig, TheLastOfRepeatedKeywordsHolds) {
    configure("Locale: de_de\nCometList: ./a.dcl\nLocale: ja_jp CometList: ./b.dcl\n");
    EXPECT_EQ(root.getLocale(), "ja_jp");
    EXPECT_EQ(root.getListSettings().cometList, "./b.dcl");
}

TEST_F(OrvexConfig, EveryListAndDirectoryKeywordReplacesItsPath) {
    configure("PlaceList: p DefaultList: d CometDir: cd/ CometList: cl AsteroidDir: ad/\n"
              "AsteroidList: al SpacecraftDir: sd/ SpacecraftList: sl ASatelliteDir: asd/\n"
              "ASatelliteList: asl\n");
    const ListSettings paths = root.getListSettings();
    EXPECT_EQ(paths.placeList, "p");
    EXPECT_EQ(paths.defaultList, "d");
    EXPECT_EQ(paths.cometDir, "cd/");
    EXPECT_EQ(paths.cometList, "cl");
    EXPECT_EQ(paths.asteroidDir, "ad/");
    EXPECT_EQ(paths.asteroidList, "al");
    EXPECT_EQ(paths.spacecraftDir, "sd/");
    EXPECT_EQ(paths.spacecraftList, "sl");
    EXPECT_EQ(paths.aSatelliteDir, "asd/");
    EXPECT_EQ(paths.aSatelliteList, "asl");
}

TEST_F(OrvexConfig, ConfiguredStartFilesAreReadAtStartAndSavedToAlike) {
    // Paths of the configuration are data-directory paths; the files read
    // at start are the ones saved later.
    data.write("scenarios/my.scn", "Orvex.FPS 12\n");
    data.write("scenarios/start.scn", "Timer.Speed 7\n");
    configure("InitStates: ./scenarios/start.scn Options: ./scenarios/my.scn\n");
    EXPECT_EQ(root.getInitStatesFile(), "./scenarios/start.scn");
    EXPECT_EQ(root.getOptionsFile(), "./scenarios/my.scn");
    EXPECT_EQ(root.getFps(), 12.0);
    EXPECT_EQ(root.getCommandValue("Timer.Speed"), " 7");
    ASSERT_EQ(root.processScenarioLine("Orvex.FPS 20; Orvex.SaveOptions Default"), 1);
    EXPECT_NE(data.read("scenarios/my.scn").find("Orvex.FPS 20"), std::string::npos);
    EXPECT_EQ(data.read("scenarios/options.scn").find("Orvex.FPS 20"), std::string::npos);
}

TEST_F(OrvexConfig, AScenarioDirectoryHoldsNamedScenariosAndKeepsTheStartFiles) {
    configure("ScenarioDir: ./scenarios/\n");
    EXPECT_TRUE(root.isConfigured()); // ./scenarios/init.scn, not ./scenarios/scenarios/init.scn
    EXPECT_EQ(root.getScenarioDir(), "./scenarios/");
    ASSERT_EQ(root.processScenarioLine("Orvex.FPS 25; Orvex.SaveOptions Default"), 1);
    EXPECT_NE(data.read("scenarios/options.scn").find("Orvex.FPS 25"), std::string::npos);
    // Other names are the scenario directory's.
    ASSERT_EQ(root.saveStateFile("saved.scn"), 1);
    EXPECT_NE(data.read("scenarios/saved.scn").find("Timer."), std::string::npos);
    EXPECT_EQ(root.processScenarioLine("Orvex.LoadScenario fade.scn"), 1);
    EXPECT_EQ(root.processScenarioLine("Orvex.LoadOptions Default"), 1);
}

TEST_F(OrvexConfig, StartClearsWhatKilledSavesLeftInTheFoldersItWrites) {
    namespace fs = std::filesystem;
    fs::create_directories(data.path() + "/lists");
    fs::create_directories(data.path() + "/data/orbits/asatellites");
    fs::create_directories(data.path() + "/data/orbits/comets");
    // Writers that are gone (pid numbers stop well below these) and writers
    // that run: this test, its parent and init.
    const std::vector<std::string> stale = {
        ".bookmarks.xml.orvex-99999991-abcdef.tmp",
        "scenarios/.options.scn.orvex-99999992-abcdef.tmp",
        "lists/.comets.dcl.orvex-99999993-abcdef.tmp", "data/.places.dpl.orvex-99999994-abcdef.tmp",
        "data/orbits/asatellites/.weather.tle.orvex-99999995-abcdef.tmp"};
    const std::vector<std::string> kept = {
        "scenarios/.init.scn.orvex-" + std::to_string(::getpid()) + "-abcdef.tmp",
        "lists/.asteroids.dal.orvex-" + std::to_string(::getppid()) + "-abcdef.tmp",
        "data/.places.dpl.orvex-1-abcdef.tmp", "data/orbits/.notes.orvex-99999996-abcdef.tmp",
        "scenarios/trip.tmp",
        // The user's own files, whose names merely look like temporaries.
        "scenarios/thesis.2024-draft1.tmp", "data/my.12345-ABCDEF.tmp",
        "data/orbits/comets/mycomet.orb.31337-backup.tmp", "bookmarks.xml.99999991-abcdef.tmp"};
    for (const std::string& name : stale)
        data.write(name, "x");
    for (const std::string& name : kept)
        data.write(name, "x");
    // A folder and a link with a temporary's name are no temporaries either.
    const std::string folder = data.path() + "/scenarios/.a.scn.orvex-99999997-abcdef.tmp";
    const std::string link = data.path() + "/data/.b.dpl.orvex-99999998-abcdef.tmp";
    fs::create_directory(folder);
    fs::create_symlink("my.12345-ABCDEF.tmp", link);
    // Another user's, whose writer may still be at work.
    const std::string others = "data/.c.dpl.orvex-99999990-abcdef.tmp";
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() == 0 && nobody) {
        data.write(others, "x");
        ASSERT_EQ(::chown((data.path() + "/" + others).c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    }
    configure("CometList: ./lists/comets.dcl ASatelliteDir: ./data/orbits/asatellites/\n");
    for (const std::string& name : stale)
        EXPECT_FALSE(fs::exists(data.path() + "/" + name)) << name;
    for (const std::string& name : kept)
        EXPECT_EQ(data.read(name), "x") << name;
    EXPECT_TRUE(fs::is_directory(fs::symlink_status(folder)));
    EXPECT_TRUE(fs::is_symlink(link));
    if (::geteuid() == 0 && nobody) {
        EXPECT_EQ(data.read(others), "x");
    }
}

TEST_F(OrvexConfig, AnEmptyOrDamagedConfigurationIsReported) {
    LogCapture log;
    configure("\x01\x02 garbage\n");
    EXPECT_TRUE(root.isConfigured());
    EXPECT_TRUE(log.contains("Config file ./data/config.def names no data files: it is empty or "
                             "damaged."));
}

TEST_F(OrvexConfig, OtherWordsAreSkippedOneByOne) {
    // "Unknown" and its neighbours are skipped; "Locale:" still takes its word.
    configure("Unknown: 1 2 Locale: pt_br Stereo: 1\nFixedStars: ./data/none.txt\n");
    EXPECT_TRUE(root.isConfigured());
    EXPECT_EQ(root.getLocale(), "pt_br");
}

TEST_F(OrvexConfig, TheNamesFilesReachTheSkyAndTheCameraFindsThem) {
    data.write("data/stars.txt", "FixedStarNames: 1 { Name: Vega 18 36.9 38 47 }");
    data.write("data/galaxies.txt", "GalaxyNames: 1 { Name: M31 0 42.7 41 16 }");
    configure("FixedStars: ./data/stars.txt Galaxies: ./data/galaxies.txt\n");
    EXPECT_EQ(root.getCommandValue("Fstars.FstarNames"), "Vega ");
    EXPECT_EQ(root.getCommandValue("Galaxies.GalaxyNames"), "M31 ");
    ASSERT_EQ(root.processScenarioLine("Camera.Trace M31"), 1);
    EXPECT_EQ(root.getCommandValue("Camera.TargetName"), "M31");
    ASSERT_EQ(root.processScenarioLine("Markers.Add Here;Markers.SetPos3 Here 1 0 0;"
                                       "Camera.Trace Here"),
              1);
    EXPECT_EQ(root.getCommandValue("Camera.TargetName"), "Here");
    // The detail font commands reach the name labels.
    ASSERT_EQ(root.processScenarioLine("Detail.FstarsFont Serif 9 1;Detail.GalaxiesFont Serif 8 2"),
              1);
    EXPECT_EQ(root.getCommandValue("Fstars.NameFont"), "Serif 9 1");
    EXPECT_EQ(root.getCommandValue("Galaxies.NameFont"), "Serif 8 2");
    EXPECT_EQ(root.getCommandValue("Detail.FstarsFont"), "Serif 9 1");
}

TEST_F(OrvexConfig, AKeywordAtTheEndWithoutItsWordChangesNothing) {
    configure("Locale: ja_jp\nPlaceList:");
    EXPECT_EQ(root.getLocale(), "ja_jp");
    EXPECT_EQ(root.getListSettings().placeList, "./data/places.dpl");
}

TEST_F(OrvexConfig, DefaultFontIsTheFamilyOfEveryLabelFont) {
    // At the end of the file, as the shipped one has it: the objects are
    // built by then, and their fonts must still take the family.
    configure("Ssystem: ./data/ssystem.def\nDefaultFont: DejaVu_Sans\n");
    EXPECT_EQ(getDefaultFontFamily(), "DejaVu_Sans");
    for (const char* font :
         {"Ssystem.NameFont", "Galaxies.NameFont", "Fstars.NameFont", "Constes.NameFont",
          "Space.FrameFont", "Lscape.DirFont", "Detail.ConsoleFont"})
        EXPECT_EQ(root.getCommandValue(font).rfind("DejaVu_Sans ", 0), 0u)
            << font << ": " << root.getCommandValue(font);
}

TEST_F(OrvexConfig, EveryDetailFontRowSetsItsClassesFont) {
    configure("Ssystem: ./data/ssystem.def\n");
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"SsystemFont", "Ssystem.NameFont"},   {"ConstesFont", "Constes.NameFont"},
        {"GalaxiesFont", "Galaxies.NameFont"}, {"FstarsFont", "Fstars.NameFont"},
        {"ConsoleFont", "Detail.ConsoleFont"}, {"LscapeFont", "Lscape.DirFont"},
        {"FrameFont", "Space.FrameFont"}};
    int points = 7;
    for (const auto& [row, owner] : rows) {
        const std::string fontText = "Serif " + std::to_string(points++) + " 2";
        ASSERT_EQ(root.processScenarioLine("Detail." + row + " " + fontText), 1) << row;
        EXPECT_EQ(root.getCommandValue("Detail." + row), fontText) << row;
        EXPECT_EQ(root.getCommandValue(owner), fontText) << row;
    }
}

TEST_F(OrvexConfig, MissingLoaderFilesAreReportedAndTheReaderGoesOn) {
    LogCapture log;
    configure("Ssystem: ./data/none.def KeyMap: ./data/none.map Locale: fr_fr\n");
    EXPECT_TRUE(root.isConfigured());
    EXPECT_EQ(root.getLocale(), "fr_fr");
    EXPECT_TRUE(log.contains("Can't open key map file."));
    EXPECT_TRUE(root.getSsystem()->getAllBodies().empty());
}

// A file that never ends (a /proc file reports size 0) named for data files
// is read only up to the longest line a file may have; the start goes on.
TEST_F(OrvexConfig, AnEndlessDataFileIsRefusedAndTheStartGoesOn) {
    LogCapture log;
    configure("Ssystem: /proc/self/pagemap Ssystem: ./data/ssystem.def\n"
              "KeyMap: /proc/self/pagemap FixedStars: /proc/self/pagemap\n"
              "CometList: /proc/self/pagemap PlaceList: /proc/self/pagemap Locale: fr_fr\n");
    EXPECT_TRUE(root.isConfigured());
    EXPECT_EQ(root.getLocale(), "fr_fr");
    EXPECT_NE(root.getSsystem()->findBody("Moon"), nullptr);
    int refused = 0;
    for (const std::string& message : log.messages())
        refused += message == "File /proc/self/pagemap: a word or line is longer than 65535 "
                              "bytes; the rest of the file is not read.";
    EXPECT_EQ(refused, 5); // the body data, key map, star names, comet and place lists
}

TEST_F(OrvexConfig, AMissingConfigurationFileConstructsNothing) {
    data.write("data/config.def", "");
    std::filesystem::remove(data.path() + "/data/config.def");
    root.setDataDir(data.path());
    root.Main::init();
    EXPECT_FALSE(root.isConfigured());
    EXPECT_EQ(root.getTimer(), nullptr);
    EXPECT_EQ(registry(), std::vector<std::string>{"Orvex"});
}

TEST_F(OrvexConfig, TheStartFileThatCouldNotBeReadIsKeptForTheWindow) {
    std::filesystem::remove(data.path() + "/scenarios/options.scn");
    configure("Ssystem: ./data/ssystem.def\n");
    EXPECT_FALSE(root.isConfigured());
    EXPECT_EQ(root.getStartFailure(), "./scenarios/options.scn");
    EXPECT_EQ(root.getStartFailureReason(), "No such file or directory");

    Orvex second;
    std::filesystem::remove(data.path() + "/data/config.def");
    data.write("scenarios/options.scn", "Orvex.FPS 30\n");
    second.setDataDir(data.path());
    second.Main::init();
    EXPECT_FALSE(second.isConfigured());
    EXPECT_EQ(second.getStartFailure(), "./data/config.def");
    EXPECT_EQ(second.getStartFailureReason(), "No such file or directory");
}

TEST_F(OrvexConfig, TheKeptCrashInputsRunHarmlessly) {
    // Lines that once crashed, hung or ate gigabytes, kept for the fuzzing
    // harnesses; each runs or is refused, and the engine stays sound.
    configure("Ssystem: ./data/ssystem.def\n");
    ASSERT_TRUE(root.isConfigured());
    LogCapture log;
    const std::filesystem::path dir = orvextest::dataPath("fuzz-regressions/scenario_line");
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string relative = "scenarios/" + entry.path().filename().string();
        std::filesystem::copy_file(entry.path(), data.path() + "/" + relative);
        root.processScenarioLine("Orvex.RunScenario " + relative);
        ++files;
    }
    EXPECT_GE(files, 7);
    EXPECT_EQ(root.getCommandValue("Console.TextFont"), "DejaVu_Sans 500 0");
    EXPECT_EQ(root.getCommandValue("Console.Pos"), " 0 0");
    EXPECT_EQ(root.getCommandValue("Space.Mway"), " 0");
    EXPECT_EQ(root.processScenarioLine("Orvex.FPS 30"), 1);
}
