// The detail settings in the whole engine: the texture folder the Detail
// dialog picks never costs a body its picture, and the shipped data set's
// fonts and atmospheres are what its files say.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QStringList>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "OrvexCmdRun.h"
#include "support/TestEnv.h"

namespace {

using orvextest::CmdResult;

using orvextest::orvexCmdGL;
using orvextest::qpath;

std::string readFile(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The root's small data set with a plain red map on the Earth, seen from
// eight radii with the head light on (the map's own colour), and a folder
// "texturesLow" that lacks the map.
class RedEarth {
public:
    RedEarth() {
        namespace fs = std::filesystem;
        fs::copy(orvextest::dataPath("root"), dir.path(), fs::copy_options::recursive);
        std::string def = readFile(dir.file("data/ssystem.def"));
        const std::string earthColour = "        Color: 0.55 0.65 0.9\n";
        def.replace(def.find(earthColour), earthColour.size(),
                    earthColour + "        Texture: earth.png\n");
        // Near and far distances that let the bodies show.
        const std::string mode = "DefineSimMode: SolarSystem 1000 1 1 1";
        def.replace(def.find(mode), mode.size(),
                    "DefineSimMode: SolarSystem 0.001 0.00001 1000 1000");
        std::ofstream(dir.file("data/ssystem.def"), std::ios::binary) << def;
        std::ofstream(dir.file("scenarios/init.scn"))
            << "Timer.Mode UTC\nTimer.TimeTextLoc 2000 1 1 12 0 0\n"
               "Ssystem.AstrName Earth\nCamera.Dist 8\nCamera.HeadLight 1\n"
               "Detail.Texture Always\n";
        fs::create_directories(dir.file("textures"));
        fs::create_directories(dir.file("texturesLow"));
        QImage red(64, 32, QImage::Format_RGB32);
        red.fill(QColor(255, 0, 0));
        red.save(qpath(dir.file("textures/earth.png")));
        red.fill(QColor(0, 255, 0));
        red.save(qpath(dir.file("texturesLow/moon.png")));
    }

    // The centre pixel (the Earth) after the lines, and what was logged.
    QRgb centre(const QStringList& lines, std::string* err = nullptr) const {
        QStringList arguments = {"-C", qpath(dir.path()), "-g", "160x160"};
        for (const QString& line : lines)
            arguments << "-e" << line;
        const QString picture = qpath(dir.file("earth.png"));
        arguments << "-n"
                  << "3"
                  << "-p" << picture;
        const CmdResult run = orvexCmdGL(arguments);
        EXPECT_EQ(run.status, 0) << run.err;
        if (err)
            *err = run.err;
        return QImage(picture).pixel(80, 80) & 0xffffff;
    }

    orvextest::TempDir dir;
};

} // namespace

TEST(OrvexCmdDetailGL, AFolderWithoutTheMapStillTexturesTheBody) {
    RedEarth data;
    EXPECT_EQ(data.centre({"Detail.TexDir ./textures"}), 0xff0000u);
    std::string err;
    EXPECT_EQ(data.centre({"Detail.TexDir ./texturesLow"}, &err), 0xff0000u);
    EXPECT_NE(err.find("earth.png not found in ./texturesLow"), std::string::npos) << err;
    // Every folder the dialog offers holds the map; a folder that does not
    // exist falls back the same way.
    EXPECT_EQ(data.centre({"Detail.TexDir ./texturesHigh"}), 0xff0000u);
}

TEST(OrvexCmdDetailGL, TheShippedOptionsShowRoundSmoothTexturedGlobesAndSizedStars) {
    const CmdResult run = orvexCmdGL(
        {"-C", qpath(orvextest::shareDir()), "-g", "160x100", "-n", "1", "-q", "Detail.Body", "-q",
         "Detail.Filter", "-q", "Detail.Texture", "-q", "Space.StarsStyle", "-q", "Detail.TexDir"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Mid\nLinear\nAlways\nTextured\n./textures\n");
}

TEST(OrvexCmdDetailGL, TheShippedDataSetsFontAndAtmosphereLoad) {
    // Landing on the Earth passes through its atmosphere.
    const CmdResult run = orvexCmdGL({"-C", qpath(orvextest::shareDir()),
                                      "-g", "160x100",
                                      "-n", "2",
                                      "-e", "Ssystem.AstrName Earth",
                                      "-e", "Ssystem.PlaceName Greenwich",
                                      "-e", "Camera.ModeTo Observe 60 1",
                                      "-n", "1",
                                      "-q", "Camera.PSFilename",
                                      "-q", "Ssystem.NameFont",
                                      "-q", "Detail.SsystemFont",
                                      "-q", "Detail.FrameFont",
                                      "-q", "Detail.ConstesFont"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "./effects/atmosphere.dfx\nDejaVu_Sans 12 0\nDejaVu_Sans 12 0\n"
                       "DejaVu_Sans 12 0\nDejaVu_Sans 12 0\n");
    EXPECT_EQ(run.err.find("Can't open particle define file"), std::string::npos) << run.err;
}
