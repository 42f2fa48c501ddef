#include "sky/Fstars.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/LogMessage.h"
#include "graphics/LabelFont.h"
#include "sky/Galaxies.h"
#include "sky/SkyPosition.h"
#include "support/TestRoot.h"

namespace {

// Fstars and Galaxies share their five words but for the names query.
struct NamesClass {
    const char* word;
    const char* namesWord;
    const char* fixture; // under tests/data
    const char* names;   // the names query's answer
};
const NamesClass classes[] = {
    {"Fstars", "FstarNames", "names/fixedstars.txt", "Sirius Mintaka Vega Polaris "},
    {"Galaxies", "GalaxyNames", "names/galaxies.txt", "M31 M77 Alpha "},
};

// A root with one of the two classes.
struct Sky {
    explicit Sky(const std::string& word) {
        root.setDataDir(orvextest::dataPath(""));
        if (word == "Fstars") {
            auto f = std::make_unique<Fstars>(&root);
            load = [p = f.get()](const std::string& path) { return p->loadNames(path); };
            labels = std::move(f);
        } else {
            auto g = std::make_unique<Galaxies>(&root);
            load = [p = g.get()](const std::string& path) { return p->loadNames(path); };
            labels = std::move(g);
        }
    }
    int run(const std::string& line) { return root.interp.executeLine(line); }
    std::string value(const std::string& query) { return root.getCommandValue(query); }

    orvextest::TestRoot root;
    std::unique_ptr<SkyNameLabels> labels;
    std::function<int(const std::string&)> load;
};

// One command line and the value text it leaves ("%s" stands for the class word).
struct Step {
    const char* line;
    const char* query;
    const char* value;
};
const Step steps[] = {
    {"%s.Show 1", "%s.Show", " 1"},
    {"%s.Show", "%s.Show", " 0"}, // no argument reads as 0
    {"%s.Show 7", "%s.Show", " 1"},
    {"%s.ShowTog", "%s.Show", " 0"},
    {"%s.ShowTog", "%s.Show", " 1"},
    {"%s.ShowTog", "%s.ShowTog", "Undefined"},
    {"%s.NameColor 1 0.5 0", "%s.NameColor", " 1 0.5 0"},
    {"%s.NameColor 0.25", "%s.NameColor", " 0.25 0 0"},
    {"%s.NameFont Times_New_Roman 10 3", "%s.NameFont", "Times_New_Roman 10 3"},
    {"%s.NameFont", "%s.NameFont", " 0 0"},
};

std::string withWord(const char* pattern, const std::string& word) {
    std::string text = pattern;
    for (size_t at; (at = text.find("%s")) != std::string::npos;)
        text.replace(at, 2, word);
    return text;
}

} // namespace

TEST(SkyNameLabelsTest, RegisterTheirFiveWordsInTableOrder) {
    for (const NamesClass& c : classes) {
        Sky sky(c.word);
        const int index = sky.root.interp.getClassCount() - 1;
        ASSERT_EQ(sky.root.interp.getClassName(index), c.word);
        const std::string words[] = {"Show", "NameColor", "NameFont", c.namesWord, "ShowTog"};
        ASSERT_EQ(sky.root.interp.getCommandCount(index), 5);
        for (int j = 0; j < 5; ++j) {
            EXPECT_EQ(sky.root.interp.getCommandName(index, j), words[j]);
            EXPECT_TRUE(sky.root.interp.isCommandListed(index, j));
        }
        EXPECT_EQ(sky.labels->getName(), std::string(c.word));
    }
}

TEST(SkyNameLabelsTest, CommandsAndTheirValueTexts) {
    for (const NamesClass& c : classes) {
        Sky sky(c.word);
        LogCapture log;
        for (const Step& step : steps) {
            const std::string line = withWord(step.line, c.word);
            EXPECT_EQ(sky.run(line), 1) << line;
            const std::string answer = sky.value(withWord(step.query, c.word));
            // The family of a font command without one is the empty text,
            // and its missing size the smallest (reported).
            if (std::string(step.value) == " 0 0")
                EXPECT_EQ(answer, sky.labels->getFont().getFontSpec()) << line;
            else
                EXPECT_EQ(answer, step.value) << line;
        }
        EXPECT_EQ(log.messages(),
                  std::vector<std::string>{"Font size 0 is out of range; 1 is used."})
            << c.word;
    }
}

TEST(SkyNameLabelsTest, TheNamesWordOnlyAnswersQueries) {
    for (const NamesClass& c : classes) {
        Sky sky(c.word);
        const std::string query = std::string(c.word) + "." + c.namesWord;
        EXPECT_EQ(sky.value(query), ""); // nothing loaded
        ASSERT_EQ(sky.load(c.fixture), 1);
        EXPECT_EQ(sky.value(query), c.names);
        LogCapture log;
        EXPECT_EQ(sky.run(query), 0);
        EXPECT_TRUE(log.contains("Command Error : " + query));
        EXPECT_EQ(sky.run(std::string(c.word) + ".show 1"), 0);
        EXPECT_EQ(sky.labels->isShown(), 0);
        EXPECT_EQ(sky.value(std::string(c.word) + ".Bogus"), "Undefined");
    }
}

TEST(SkyNameLabelsTest, StateAndOptionLines) {
    for (const NamesClass& c : classes) {
        Sky sky(c.word);
        const std::string w = c.word;
        EXPECT_EQ(sky.labels->saveStates(), w + ".Show 0");
        EXPECT_EQ(sky.labels->saveOptions(),
                  w + ".NameColor 1 1 1\n" + w + ".NameFont " + getDefaultFontFamily() + " 12 0");
        sky.run(w + ".Show 1;" + w + ".NameColor 0.5 0.25 1;" + w + ".NameFont Serif 9 2");
        const std::string state = sky.labels->saveStates();
        const std::string options = sky.labels->saveOptions();
        EXPECT_EQ(state, w + ".Show 1");
        EXPECT_EQ(options, w + ".NameColor 0.5 0.25 1\n" + w + ".NameFont Serif 9 2");
        // Read back into a fresh object, the lines restore it.
        Sky again(c.word);
        again.root.runScript(options + "\n" + state, 1);
        EXPECT_EQ(again.labels->saveStates(), state);
        EXPECT_EQ(again.labels->saveOptions(), options);
    }
}

TEST(SkyNameLabelsTest, LookTargetsByExactName) {
    for (const NamesClass& c : classes) {
        Sky sky(c.word);
        ASSERT_EQ(sky.load(c.fixture), 1);
        const SkyNameLabels& labels = *sky.labels;
        // The star sphere is drawn tilted by -23.4 degrees about x; the look
        // rotation brings the named place onto the view axis, north up.
        const Quaternion sphere(Vector3(1, 0, 0), -0.4084070383087704);
        for (const StarName& n : labels.getNames()) {
            ASSERT_TRUE(labels.hasLookTarget(n.name));
            const Quaternion look = labels.getLookRot(n.name);
            const Vector3 seen = look.rotateVector(sphere.rotateVector(skyDirection(n.ra, n.decl)));
            EXPECT_NEAR(seen.x, 0.0, 1e-9) << n.name;
            EXPECT_NEAR(seen.y, 0.0, 1e-9) << n.name;
            EXPECT_NEAR(seen.z, -1.0, 1e-9) << n.name;
            const Vector3 pole = look.rotateVector(sphere.rotateVector(Vector3(0, 0, 1)));
            EXPECT_GE(pole.y, -1e-9) << n.name; // north is up
        }
        const std::string first = labels.getNames().front().name;
        for (const std::string& other :
             {std::string(), first.substr(0, first.size() - 1), first + " ", first + "x"}) {
            EXPECT_FALSE(labels.hasLookTarget(other)) << other;
            EXPECT_EQ(labels.getLookRot(other), Quaternion()) << other;
        }
    }
}

TEST(SkyNameLabelsTest, FixedStarsAreNotLookTargets) {
    Sky sky("Fstars");
    orvextest::TestRoot& root = sky.root;
    root.writeDataFile("stars.txt", "FixedStarNames: 1 { Star: 0 0 0 10 0 0 1 1 0 0 "
                                    "Name: sirius 6 45 -16 43 }");
    ASSERT_EQ(sky.load("stars.txt"), 1);
    EXPECT_FALSE(sky.labels->hasLookTarget("Sirius")); // case counts
    EXPECT_TRUE(sky.labels->hasLookTarget("sirius"));
}

TEST(SkyNameLabelsTest, LoadsAppendAndAMissingFileIsReported) {
    for (const NamesClass& c : classes) {
        Sky sky(c.word);
        LogCapture log;
        EXPECT_EQ(sky.load("names/none.txt"), 0);
        EXPECT_TRUE(log.contains(c.word == std::string("Fstars")
                                     ? "Can't open fixed star names file."
                                     : "Could not open galaxy names file."));
        EXPECT_EQ(sky.labels->getNamesPath(), "names/none.txt");
        ASSERT_EQ(sky.load(c.fixture), 1);
        const size_t once = sky.labels->getNames().size();
        ASSERT_EQ(sky.load(c.fixture), 1);
        EXPECT_EQ(sky.labels->getNames().size(), 2 * once);
        EXPECT_EQ(sky.labels->getNamesPath(), c.fixture);
    }
}

TEST(SkyNameLabelsTest, NamesFilesOfAnyPathLength) {
    Sky sky("Galaxies");
    // Far beyond the 255 characters old readers kept.
    std::string path;
    for (int i = 0; i < 12; ++i)
        path += "a-directory-of-thirty-chars-" + std::to_string(10 + i) + "/";
    path += "galaxies.txt";
    ASSERT_GT(path.size(), 300u);
    sky.root.writeDataFile(path, "GalaxyNames: 1 { Name: M31 0 42 41 16 }");
    ASSERT_EQ(sky.load(path), 1);
    EXPECT_EQ(sky.labels->getNamesPath(), path);
    EXPECT_TRUE(sky.labels->hasLookTarget("M31"));
}

TEST(SkyNameLabelsTest, FixedStarRecordsOfTheFixture) {
    orvextest::TestRoot root;
    root.setDataDir(orvextest::dataPath(""));
    Fstars fstars(&root);
    LogCapture log;
    ASSERT_EQ(fstars.loadNames("names/fixedstars.txt"), 1);
    EXPECT_TRUE(log.messages().empty());
    ASSERT_EQ(fstars.getFixedStars().size(), 3u);
    EXPECT_EQ(fstars.getFixedStars()[0].color[0], 1.0f);
    EXPECT_EQ(fstars.getFixedStars()[1].extra, -1.46f);
    EXPECT_EQ(fstars.getFixedStars()[2].color[2], 0.8f);
    EXPECT_NEAR(fstars.getNames()[1].decl, -0.5, 1e-12); // Mintaka's "-0 30"
    EXPECT_EQ(fstars.getPointsList(), 0u);
    fstars.buildLists(0); // not built before: nothing happens, no GL needed
    EXPECT_EQ(fstars.getPointsList(), 0u);
}
