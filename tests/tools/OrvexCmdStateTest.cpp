// The saved state restores the same state: random settings of every word the
// state lines hold, saved with -s, opened with -f in a fresh driver and saved
// again, give the same lines.
#include <gtest/gtest.h>

#include <QProcessEnvironment>
#include <QStringList>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "OrvexCmdRun.h"
#include "support/TestEnv.h"

namespace {

using orvextest::CmdResult;

// Each state word with the values the test gives it: "i<lo>:<hi>" an
// integer, "r<lo>:<hi>" a real with three decimals, "w<a>|<b>|..." a word.
const struct {
    const char* word;
    const char* values;
} stateWords[] = {
    {"Timer.Speed", "i-10:10"},
    {"Timer.Step", "w1|60|3600|86400"},
    {"Timer.Mode", "wLocal|UTC"},
    {"Timer.TimeText", "i1950:2050 i1:12 i1:28 i0:23 i0:59 i0:59"},
    {"Console.Show", "i0:1"},
    {"Ssystem.SimModeName", "wSolarSystem|EarthMoon"},
    {"Ssystem.AstrName", "wEarth|Mars|Moon|Jupiter|Io|Saturn"},
    {"Ssystem.PlaceName", "wSurface|Olympus_Mons|Tokyo|None"},
    {"Ssystem.PlaceLat", "r-90:90"},
    {"Ssystem.PlaceLon", "r-360:360"},
    {"Ssystem.Name", "i0:1"},
    {"Ssystem.Axis", "i0:1"},
    {"Ssystem.Orbit", "i0:1"},
    {"Ssystem.Angular", "i0:1"},
    {"Ssystem.Scale", "wModel|Real"},
    {"Ssystem.FullShadow", "i0:1"},
    {"Ssystem.HalfShadow", "i0:1"},
    {"Ssystem.Dust", "i0:1"},
    {"Ssystem.AstrBelt", "i0:1"},
    {"Ssystem.Clouds", "i0:1"},
    {"Ssystem.CloudsOpacity", "r0:1"},
    {"Camera.Rotate", "r-1:1 r-1:1 r-1:1 r-360:360"},
    {"Camera.Dist", "r1:50"},
    {"Camera.Fov", "r10:90"},
    {"Camera.Orient", "r-90:90 r-180:180"},
    {"Camera.Zoom", "r10:90"},
    {"Camera.Mode", "wExamine|Observe|Fly"},
    {"Camera.HeadLight", "i0:1"},
    {"Camera.PSystem", "i0:1"},
    {"Space.Stars", "i0:1"},
    {"Space.Mway", "i0:1"},
    {"Space.Frame", "i0:1"},
    {"Constes.Show", "i0:1"},
    {"Galaxies.Show", "i0:1"},
    {"Fstars.Show", "i0:1"},
    {"Lscape.Show", "i0:1"},
    {"Lscape.Dir", "i0:1"},
    {"Lscape.SstarsCenter", "r-180:180 r-90:90"},
    {"Lscape.SstarsRandom", "i0:1"},
    {"Lscape.SstarsCount", "i0:64"},
    {"Lscape.TopColor", "r0:1 r0:1 r0:1 r0:1"},
    {"Lscape.BottomColor", "r0:1 r0:1 r0:1 r0:1"},
    {"Lscape.Weather", "i0:1"},
    {"Lscape.WeatherOpacity", "r0:1"},
    {"Markers.Show", "i0:1"},
    {"Render.FaderColor", "r0:1 r0:1 r0:1 r0:1"},
    {"Render.Blur", "i0:1"},
    {"Render.BlurCount", "i0:64"},
};

std::string randomValue(const std::string& kind, std::mt19937& random) {
    const std::string range = kind.substr(1);
    if (kind[0] == 'w') {
        std::vector<std::string> words;
        std::stringstream list(range);
        for (std::string word; std::getline(list, word, '|');)
            words.push_back(word);
        return words[std::uniform_int_distribution<std::size_t>(0, words.size() - 1)(random)];
    }
    const std::size_t colon = range.find(':');
    const int low = std::stoi(range.substr(0, colon));
    const int high = std::stoi(range.substr(colon + 1));
    if (kind[0] == 'i')
        return std::to_string(std::uniform_int_distribution<int>(low, high)(random));
    const int thousandths = std::uniform_int_distribution<int>(low * 1000, high * 1000)(random);
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", thousandths / 1000.0);
    return text;
}

// About half of the words, in the order of the state lines.
std::vector<std::string> randomSettings(std::mt19937& random) {
    std::vector<std::string> lines;
    for (const auto& entry : stateWords) {
        // The clock always at a whole second, as the state line holds it.
        if (random() % 2 && std::string(entry.word) != "Timer.TimeText")
            continue;
        std::string line = entry.word;
        std::stringstream kinds(entry.values);
        for (std::string kind; kinds >> kind;)
            line += " " + randomValue(kind, random);
        lines.push_back(line);
    }
    return lines;
}

// The state text without the camera's position: the driver runs no frame,
// so the position is the one the camera last worked out, before the settings
// moved its body or the clock; the restored camera works it out anew.
std::string withoutPosition(const std::string& state) {
    std::stringstream lines(state);
    std::string text;
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("Camera.Pos ", 0) != 0)
            text += line + "\n";
    return text;
}

CmdResult runDriver(const QStringList& arguments) {
    QStringList all{"-C", QString::fromStdString(orvextest::shareDir())};
    return orvextest::orvexCmd(all + arguments);
}

} // namespace

TEST(OrvexCmdState, SavedStatesRestoreTheSameLines) {
    // Local clock times are read in the zone the driver runs in; one without
    // daylight saving keeps every written time a time that exists once.
    qputenv("TZ", "UTC");
    orvextest::TempDir scratch;
    const std::string file = scratch.file("state.scn");
    std::mt19937 random(20261207);
    for (int round = 0; round < 200; ++round) {
        QStringList arguments;
        const std::vector<std::string> settings = randomSettings(random);
        for (const std::string& line : settings)
            arguments << "-e" << QString::fromStdString(line);
        // Some settings are refused where they do not apply (a place another
        // body does not have): only the saved lines count.
        const CmdResult saved = runDriver(arguments << "-s");
        ASSERT_FALSE(saved.out.empty()) << saved.err;
        std::ofstream(file, std::ios::binary) << saved.out;
        const CmdResult restored = runDriver({"-f", QString::fromStdString(file), "-s"});
        EXPECT_EQ(restored.status, 0) << restored.err;
        std::string settingsText;
        for (const std::string& line : settings)
            settingsText += line + "\n";
        ASSERT_EQ(withoutPosition(restored.out), withoutPosition(saved.out))
            << "round " << round << ", settings:\n"
            << settingsText;
    }
}
