// Every "orvex://" link of the shipped pages (share/htmls), followed as the
// browser pane plays it, in page order, through the whole engine on the
// shipped data set, each link started from either sim mode: the links that
// choose a sim mode, a body or a place must end there, the fly links with the
// body lit and in the middle of the picture, the landing links on the named
// place. The pages are followed with the enlarged bodies, and the
// solar-system tour once more at real sizes. The clock starts at a fixed
// date, and the links that set it to the present set it to that date.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <vector>

#include "OrvexCmdRun.h"
#include "app/BrowserLinks.h"
#include "support/TestEnv.h"

namespace {

enum class Goal { Fly, Land, Select };

struct Expectation {
    const char* text;  // the link's text
    const char* mode;  // sim mode; null: the one it started from
    const char* body;  // selected body
    const char* place; // selected place of a landing
    Goal goal;
};

struct Link {
    QString text;
    QString command;
};

// What the links that move the view must reach, in page order.
std::vector<Expectation> expectations(const QString& page) {
    if (page == "index.html")
        return {{"Show the Earth", "SolarSystem", "Earth", "", Goal::Fly}};
    if (page == "mode-earthmoon.html")
        return {{"Switch to this mode", "EarthMoon", "Earth", "", Goal::Fly},
                {"The Earth", "EarthMoon", "Earth", "", Goal::Fly},
                {"The Moon", "EarthMoon", "Moon", "", Goal::Fly},
                {"Land at Tranquility Base", nullptr, "Moon", "Tranquility_Base", Goal::Land}};
    if (page == "mode-solarsystem.html")
        return {{"Switch to this mode", "SolarSystem", "Sun", "", Goal::Fly},
                {"The Sun", "SolarSystem", "Sun", "", Goal::Fly},
                {"The Earth", "SolarSystem", "Earth", "", Goal::Fly},
                {"Jupiter", "SolarSystem", "Jupiter", "", Goal::Fly},
                {"Saturn", "SolarSystem", "Saturn", "", Goal::Fly}};
    if (page == "tour-solarsystem.html") {
        const char* s = "SolarSystem";
        // The Sun, the Earth and the Moon are there in either mode.
        const char* either = nullptr;
        return {{"Prepare: Solar System mode, labels and orbits", s, "Sun", "", Goal::Select},
                {"Back to space", either, "Sun", "", Goal::Select},
                {"Fly there", either, "Sun", "", Goal::Fly},
                {"Fly there", s, "Mercury", "", Goal::Fly},
                {"Fly there", s, "Venus", "", Goal::Fly},
                {"Fly there", either, "Earth", "", Goal::Fly},
                {"Land at Greenwich", either, "Earth", "Greenwich", Goal::Land},
                {"Visit Moon", either, "Moon", "", Goal::Fly},
                {"Fly there", s, "Mars", "", Goal::Fly},
                {"Land on Olympus Mons", s, "Mars", "Olympus_Mons", Goal::Land},
                {"Visit Phobos", s, "Phobos", "", Goal::Fly},
                {"Visit Deimos", s, "Deimos", "", Goal::Fly},
                {"Fly there", s, "Jupiter", "", Goal::Fly},
                {"Visit Io", s, "Io", "", Goal::Fly},
                {"Visit Europa", s, "Europa", "", Goal::Fly},
                {"Visit Ganymede", s, "Ganymede", "", Goal::Fly},
                {"Visit Callisto", s, "Callisto", "", Goal::Fly},
                {"Fly there", s, "Saturn", "", Goal::Fly},
                {"Visit Titan", s, "Titan", "", Goal::Fly},
                {"Visit Rhea", s, "Rhea", "", Goal::Fly},
                {"Visit Iapetus", s, "Iapetus", "", Goal::Fly},
                {"Visit Enceladus", s, "Enceladus", "", Goal::Fly},
                {"Fly there", s, "Uranus", "", Goal::Fly},
                {"Visit Miranda", s, "Miranda", "", Goal::Fly},
                {"Visit Ariel", s, "Ariel", "", Goal::Fly},
                {"Visit Titania", s, "Titania", "", Goal::Fly},
                {"Visit Oberon", s, "Oberon", "", Goal::Fly},
                {"Fly there", s, "Neptune", "", Goal::Fly},
                {"Visit Triton", s, "Triton", "", Goal::Fly},
                {"Fly there", s, "Pluto", "", Goal::Fly},
                {"Visit Charon", s, "Charon", "", Goal::Fly}};
    }
    return {};
}

QString htmlDir() {
    return QString::fromStdString(orvextest::shareDir()) + "/htmls/";
}

std::vector<Link> commandLinks(const QString& file) {
    QFile in(file);
    EXPECT_TRUE(in.open(QIODevice::ReadOnly)) << file.toStdString();
    const QString html = QString::fromUtf8(in.readAll());
    static const QRegularExpression anchor("<a href=\"(orvex://[^\"]*)\">([^<]*)</a>");
    std::vector<Link> links;
    for (auto it = anchor.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        links.push_back({match.captured(2), BrowserLinks::commandText(match.captured(1))});
    }
    return links;
}

// A link moves the view when it chooses a sim mode, a body, a place or a
// camera mode.
bool movesTheView(const QString& command) {
    static const QRegularExpression words(
        "Ssystem\\.(SimModeName|AstrName|AstrNameTo|PlaceName) |Camera\\.Mode");
    return command.contains(words);
}

// The body fills the middle of the picture, lit: most pixels of a box around
// the centre are not dark (labels and orbit lines are too thin to do that; a
// night side is black).
bool litInTheMiddle(const QImage& image, int half) {
    const int cx = image.width() / 2;
    const int cy = image.height() / 2;
    int lit = 0;
    int all = 0;
    for (int y = cy - half; y <= cy + half; ++y) {
        for (int x = cx - half; x <= cx + half; ++x) {
            const QColor c = image.pixelColor(x, y);
            ++all;
            if (std::max({c.red(), c.green(), c.blue()}) > 30)
                ++lit;
        }
    }
    return lit * 10 >= all * 8;
}

// Moons that the nearest distance the view allows shows small (about 20
// pixels across here), and at real sizes as a dot.
bool smallMoon(const std::string& body) {
    return body == "Phobos" || body == "Deimos";
}

// Frames of 100 ms, three nominal frames each: a move of n frames is over
// after n / 3 of them; the picture is taken just after, while the simulated
// time has hardly moved on.
int framesFor(const QString& command) {
    static const QRegularExpression moves("(AstrNameTo \\S+|ModeTo Observe) (\\d+)");
    int longest = 0;
    for (auto it = moves.globalMatch(command); it.hasNext();)
        longest = std::max(longest, it.next().captured(2).toInt());
    return longest / 3 + 2;
}

const char* const simModes[] = {"SolarSystem", "EarthMoon"};
const char* const fixedTime = "Timer.TimeText 2025 3 20 12 0 0";

// The line that puts the engine into a sim mode unless it is there already:
// a change of mode selects the Sun and leaves a landing, staying keeps the
// state the page's earlier links left.
QString startIn(const char* mode) {
    return QString("?Ssystem.SimModeName!=%1?Ssystem.SimModeName %1:").arg(mode);
}

void followLinks(const QString& page, const char* startMode, bool realSizes = false) {
    SCOPED_TRACE(page.toStdString() + " from " + startMode + (realSizes ? " at real sizes" : ""));
    const std::vector<Link> links = commandLinks(htmlDir() + page);
    const std::vector<Expectation> expected = expectations(page);
    orvextest::TempDir dir;
    QStringList arguments{"-C", QString::fromStdString(orvextest::shareDir()), "-g", "480x320"};
    arguments << "-t"
              << "100"
              << "-e" << fixedTime;
    std::vector<std::pair<Expectation, QString>> checked;
    size_t next = 0;
    for (size_t i = 0; i < links.size(); ++i) {
        const Link& link = links[i];
        if (!realSizes && link.command.contains("ScaleTo Real"))
            continue;
        arguments << "-e" << startIn(startMode) << "-n"
                  << "1"
                  << "-e" << QString(link.command).replace("Timer.SetNow", fixedTime);
        if (!movesTheView(link.command)) {
            arguments << "-n"
                      << "1";
            continue;
        }
        ASSERT_LT(next, expected.size()) << "no expectation for " << link.text.toStdString();
        ASSERT_EQ(link.text.toStdString(), expected[next].text);
        const QString picture = QString::fromStdString(dir.file(std::to_string(i) + ".png"));
        arguments << "-n" << QString::number(framesFor(link.command)) << "-q"
                  << "Ssystem.SimModeName"
                  << "-q"
                  << "Ssystem.AstrName"
                  << "-q"
                  << "Ssystem.PlaceName"
                  << "-q"
                  << "Camera.Mode"
                  << "-q"
                  << "Camera.Animating"
                  << "-p" << picture;
        checked.emplace_back(expected[next++], picture);
    }
    EXPECT_EQ(next, expected.size()) << "links missing from the page";

    const orvextest::CmdResult run = orvextest::orvexCmd(arguments, false);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find("Command Error"), std::string::npos) << run.err;
    // Landing loads the body's atmosphere effect.
    EXPECT_EQ(run.err.find("Can't open"), std::string::npos) << run.err;
    const QStringList answers = QString::fromStdString(run.out).split('\n');
    ASSERT_GE(answers.size(), int(checked.size()) * 5);
    for (size_t k = 0; k < checked.size(); ++k) {
        const Expectation& e = checked[k].first;
        SCOPED_TRACE(std::string(e.text) + " -> " + e.body);
        const QStringList a = answers.mid(int(k) * 5, 5);
        EXPECT_EQ(a[0].toStdString(), e.mode ? e.mode : startMode);
        EXPECT_EQ(a[1].toStdString(), e.body);
        EXPECT_EQ(a[4].toStdString(), " 0") << "still moving";
        if (e.goal == Goal::Land) {
            EXPECT_EQ(a[2].toStdString(), e.place);
            EXPECT_EQ(a[3].toStdString(), "Observe");
        } else {
            EXPECT_EQ(a[3].toStdString(), "Examine");
        }
        const bool small = smallMoon(e.body);
        if (e.goal == Goal::Fly && !(realSizes && small)) {
            EXPECT_TRUE(litInTheMiddle(QImage(checked[k].second), small ? 4 : 10))
                << "not lit in the middle: " << checked[k].second.toStdString();
        }
    }
}

// Each page once from each sim mode.
class ShippedPageLinksGL : public ::testing::TestWithParam<const char*> {};

} // namespace

TEST(ShippedPagesGL, EveryPageIsCovered) {
    const QStringList pages = QDir(htmlDir()).entryList({"*.html"});
    for (const QString& page : pages) {
        bool moves = false;
        for (const Link& link : commandLinks(htmlDir() + page))
            moves = moves || movesTheView(link.command);
        EXPECT_EQ(moves, !expectations(page).empty()) << page.toStdString();
    }
}

TEST_P(ShippedPageLinksGL, HomePage) {
    followLinks("index.html", GetParam());
}

TEST_P(ShippedPageLinksGL, EarthAndMoonMode) {
    followLinks("mode-earthmoon.html", GetParam());
}

TEST_P(ShippedPageLinksGL, SolarSystemMode) {
    followLinks("mode-solarsystem.html", GetParam());
}

TEST_P(ShippedPageLinksGL, SolarSystemTour) {
    followLinks("tour-solarsystem.html", GetParam());
}

TEST_P(ShippedPageLinksGL, SolarSystemTourAtRealSizes) {
    followLinks("tour-solarsystem.html", GetParam(), true);
}

INSTANTIATE_TEST_SUITE_P(FromEitherMode, ShippedPageLinksGL, ::testing::ValuesIn(simModes),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });
