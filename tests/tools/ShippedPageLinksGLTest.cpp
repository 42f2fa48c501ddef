// Every "orvex://" link of the shipped pages (share/htmls), followed as the
// browser pane plays it, in page order, through the whole engine on the
// shipped data set, each link started from either sim mode: the links that
// choose a sim mode, a body or a place must end there, the fly links with the
// body in the middle of the picture, north up and lit, the landing links on
// the named place. Every body wears the test globe (north blue and green,
// south magenta and yellow), so the picture tells its north from its south.
// The pages are followed with the enlarged bodies on four days across a
// year, and the solar-system tour once more at real sizes on the first. The
// clock is set to the day before each link, and the links that set it to the
// present set it to that day.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <vector>

#include "OrvexCmdRun.h"
#include "app/BrowserLinks.h"
#include "scene/PictureChecks.h"
#include "support/ShippedDataCopy.h"
#include "support/TestEnv.h"
#include "support/TestGlobe.h"

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

// The disc of a body seen from dist radii away in the middle of a picture
// whose height spans the field of view fov (degrees), inside its limb, and
// the north and south pixels of its caps above and below the reach of the
// equator's ellipse for a pole tilted up to 35 degrees toward or away from
// the view. A pole that points at the view shows north in both caps.
struct Disc {
    int all = 0;
    int lit = 0;
    int northTop = 0;
    int southTop = 0;
    int northBottom = 0;
    int southBottom = 0;

    // The globe shows in both caps, and the top is clearly more north than
    // the bottom, or the north pole faces the view.
    bool northUp() const {
        const int top = northTop + southTop;
        const int bottom = northBottom + southBottom;
        if (top * 40 < all || bottom * 40 < all)
            return false;
        const double upper = double(northTop) / top;
        const double lower = double(northBottom) / bottom;
        return upper >= lower + 0.3 || (upper >= 0.9 && upper >= lower - 0.05);
    }
};

double discRadius(const QImage& image, double dist, double fov) {
    const double pi = std::acos(-1.0);
    return image.height() / 2.0 * std::tan(std::asin(1.0 / dist)) / std::tan(fov * pi / 360.0);
}

Disc measureDisc(const QImage& image, double radius) {
    Disc d;
    const double cx = image.width() / 2.0;
    const double cy = image.height() / 2.0;
    const double inner = 0.9 * radius;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            if (dx * dx + dy * dy > inner * inner)
                continue;
            const QRgb p = image.pixel(x, y);
            ++d.all;
            d.lit += orvextest::brightness(p) > 40 ? 1 : 0;
            const orvextest::GlobeHalf half = orvextest::globeHalf(p);
            const bool north = half == orvextest::GlobeHalf::North;
            const bool south = half == orvextest::GlobeHalf::South;
            if (dy < -0.6 * radius) {
                d.northTop += north;
                d.southTop += south;
            } else if (dy > 0.6 * radius) {
                d.northBottom += north;
                d.southBottom += south;
            }
        }
    return d;
}

// The shipped data set with the test globe for every body's map and no
// clouds over the Earth.
class GlobeData {
public:
    GlobeData() : data_(std::vector<std::string>{}) {
        std::ifstream def(data_.path() + "/data/ssystem.def");
        std::vector<std::string> maps;
        for (std::string word; def >> word;)
            if (word == "Texture:" && def >> word && word.find('/') == std::string::npos)
                maps.push_back(word);
        EXPECT_GT(maps.size(), 20u);
        EXPECT_TRUE(orvextest::wearTestGlobe(data_.path(), maps, {"earthclouds.png"}));
    }
    QString path() const { return QString::fromStdString(data_.path()); }

private:
    orvextest::ShippedDataCopy data_;
};

// Moons that the nearest distance the view allows shows small (about 20
// pixels across here), and at real sizes as a dot.
bool smallMoon(const std::string& body) {
    return body == "Phobos" || body == "Deimos";
}

// Frames of 150 ms, four and a half nominal frames each: a move of n frames
// is over after n / 4.5 of them; the picture is taken just after, while the
// simulated time has hardly moved on.
const int frameMs = 150;
int framesFor(const QString& command) {
    static const QRegularExpression moves("(AstrNameTo \\S+|ModeTo Observe) (\\d+)");
    int longest = 0;
    for (auto it = moves.globalMatch(command); it.hasNext();)
        longest = std::max(longest, it.next().captured(2).toInt());
    return longest * 100 / (frameMs * 3) + 2;
}

const char* const simModes[] = {"SolarSystem", "EarthMoon"};
// Four days across a year, at different hours, so that the bodies stand
// elsewhere around the Sun and turn other sides to the view.
const char* const days[] = {"2025 3 20 12 0 0", "2025 6 21 3 0 0", "2025 9 22 18 0 0",
                            "2025 12 21 9 0 0"};
// What each link's picture is asked, in this order.
const char* const queries[] = {"Ssystem.SimModeName", "Ssystem.AstrName", "Ssystem.PlaceName",
                               "Camera.Mode",         "Camera.Animating", "Camera.Dist",
                               "Camera.Fov"};
const int answersPerLink = int(sizeof queries / sizeof *queries);

// The line that puts the engine into a sim mode unless it is there already:
// a change of mode selects the Sun and leaves a landing, staying keeps the
// state the page's earlier links left.
QString startIn(const char* mode) {
    return QString("?Ssystem.SimModeName!=%1?Ssystem.SimModeName %1:").arg(mode);
}

struct Checked {
    Expectation expected;
    QString picture;
    const char* day;
};

// A fly link's picture: the body lit, and north up where the test globe
// shows. The Sun's glare hides its surface: it is checked lit only. At real
// sizes the nearest distance the view allows keeps the small moons smaller
// than their distance says, so only the middle of the picture is looked at.
void checkPicture(const Checked& c, const QStringList& a, bool realSizes) {
    const Expectation& e = c.expected;
    const bool small = smallMoon(e.body);
    if (e.goal != Goal::Fly || (realSizes && small))
        return;
    const QImage image(c.picture);
    if (small || realSizes) {
        EXPECT_TRUE(litInTheMiddle(image, small ? 4 : 10))
            << "not lit in the middle: " << c.picture.toStdString();
        return;
    }
    const double radius = discRadius(image, a[5].toDouble(), a[6].toDouble());
    ASSERT_GT(radius, 20.0);
    const Disc d = measureDisc(image, radius);
    EXPECT_GE(d.lit * 10, d.all * 8) << "lit " << d.lit << " of " << d.all;
    if (std::string(e.body) != "Sun")
        EXPECT_TRUE(d.northUp()) << "north " << d.northTop << " and south " << d.southTop
                                 << " on top, north " << d.northBottom << " and south "
                                 << d.southBottom << " below: " << c.picture.toStdString();
}

void followLinks(const QString& page, const char* startMode, bool realSizes = false) {
    SCOPED_TRACE(page.toStdString() + " from " + startMode + (realSizes ? " at real sizes" : ""));
    const std::vector<Link> links = commandLinks(htmlDir() + page);
    const std::vector<Expectation> expected = expectations(page);
    const GlobeData data;
    orvextest::TempDir dir;
    QStringList arguments{"-C", data.path(), "-g", "480x320", "-t", QString::number(frameMs)};
    std::vector<Checked> checked;
    for (const char* day : realSizes ? std::vector<const char*>{days[0]}
                                     : std::vector<const char*>(std::begin(days), std::end(days))) {
        const QString time = QString("Timer.TimeText ") + day;
        // Each day starts without the tint the home page's filter links left.
        arguments << "-e"
                  << "Render.FaderColor 0 0 0 0";
        size_t next = 0;
        for (size_t i = 0; i < links.size(); ++i) {
            const Link& link = links[i];
            if (!realSizes && link.command.contains("ScaleTo Real"))
                continue;
            arguments << "-e" << startIn(startMode) << "-e" << time << "-n"
                      << "1"
                      << "-e" << QString(link.command).replace("Timer.SetNow", time);
            if (!movesTheView(link.command)) {
                arguments << "-n"
                          << "1";
                continue;
            }
            ASSERT_LT(next, expected.size()) << "no expectation for " << link.text.toStdString();
            ASSERT_EQ(link.text.toStdString(), expected[next].text);
            const QString picture =
                QString::fromStdString(dir.file(std::to_string(checked.size()) + ".png"));
            arguments << "-n" << QString::number(framesFor(link.command));
            for (const char* query : queries)
                arguments << "-q" << query;
            arguments << "-p" << picture;
            checked.push_back({expected[next++], picture, day});
        }
        EXPECT_EQ(next, expected.size()) << "links missing from the page";
    }

    const orvextest::CmdResult run = orvextest::orvexCmd(arguments, false);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find("Command Error"), std::string::npos) << run.err;
    // Landing loads the body's atmosphere effect.
    EXPECT_EQ(run.err.find("Can't open"), std::string::npos) << run.err;
    const QStringList answers = QString::fromStdString(run.out).split('\n');
    ASSERT_GE(answers.size(), int(checked.size()) * answersPerLink);
    for (size_t k = 0; k < checked.size(); ++k) {
        const Expectation& e = checked[k].expected;
        SCOPED_TRACE(std::string(e.text) + " -> " + e.body + " on " + checked[k].day);
        const QStringList a = answers.mid(int(k) * answersPerLink, answersPerLink);
        EXPECT_EQ(a[0].toStdString(), e.mode ? e.mode : startMode);
        EXPECT_EQ(a[1].toStdString(), e.body);
        EXPECT_EQ(a[4].toStdString(), " 0") << "still moving";
        if (e.goal == Goal::Land) {
            EXPECT_EQ(a[2].toStdString(), e.place);
            EXPECT_EQ(a[3].toStdString(), "Observe");
        } else {
            EXPECT_EQ(a[3].toStdString(), "Examine");
        }
        checkPicture(checked[k], a, realSizes);
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
