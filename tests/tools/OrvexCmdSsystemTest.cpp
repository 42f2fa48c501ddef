// The Ssystem commands through the command driver on the shipped data.
#include <gtest/gtest.h>

#include <filesystem>

#include "OrvexCmdRun.h"
#include "support/ShippedDataCopy.h"
#include "support/TestEnv.h"

namespace {

using orvextest::CmdResult;
using orvextest::orvexCmd;

QString share() {
    return QString::fromStdString(orvextest::shareDir());
}

} // namespace

TEST(OrvexCmdSsystem, SelectsABodyByName) {
    const CmdResult run =
        orvexCmd({"-C", share(), "-e", "Ssystem.AstrName Sun", "-q", "Ssystem.AstrName", "-e",
                  "Ssystem.AstrName Mars", "-q", "Ssystem.AstrName"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Sun\nMars\n");
}

TEST(OrvexCmdSsystem, CyclesTheSimModesByName) {
    const CmdResult names = orvexCmd({"-C", share(), "-q", "Ssystem.SimModeNames"});
    ASSERT_EQ(names.status, 0) << names.err;
    const QStringList modes =
        QString::fromStdString(names.out).trimmed().split(' ', Qt::SkipEmptyParts);
    ASSERT_GE(modes.size(), 2);

    // Each step prints the next mode's name, and the cycle comes back to the first.
    QStringList arguments = {"-C", share(), "-e", "Ssystem.SimMode 0", "-q", "Ssystem.SimModeName"};
    std::string expected = modes.front().toStdString() + "\n";
    for (int i = 1; i <= modes.size(); ++i) {
        arguments << "-e"
                  << "Ssystem.SimModeNext"
                  << "-q"
                  << "Ssystem.SimModeName";
        expected += modes[i % modes.size()].toStdString() + "\n";
    }
    const CmdResult run = orvexCmd(arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, expected);
}

// Object lists changed in Examine mode at the Earth's Tokyo leave the Earth
// at Tokyo, and landing afterwards lands there.
TEST(OrvexCmdSsystem, ObjectListChangesKeepTheChosenPlace) {
    QStringList arguments = {"-C", share()};
    for (const char* start :
         {"Ssystem.LoadPlaceList Default", "Ssystem.LoadCometList Default",
          "Ssystem.LoadAsteroidList Default", "Ssystem.LoadASatelliteList Default",
          "Ssystem.AstrName Earth", "Ssystem.PlaceName Tokyo"})
        arguments << "-e" << start;
    std::string expected;
    for (const char* change :
         {"Ssystem.RemoveComet All", "Ssystem.RemoveAsteroid All", "Ssystem.LoadCometList Default",
          "Ssystem.LoadASatelliteList Default", "Ssystem.RemoveASatellite HST"}) {
        arguments << "-e" << change << "-q"
                  << "Console.PlaceName"
                  << "-q"
                  << "Ssystem.PlaceName";
        expected += "Earth:Tokyo\nTokyo\n";
    }
    arguments << "-q"
              << "Ssystem.ASatelliteNames"
              << "-e"
              << "Camera.ModeNext"
              << "-q"
              << "Camera.Mode"
              << "-q"
              << "Ssystem.PlaceName";
    const CmdResult run = orvexCmd(arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, expected.size()), expected);
    // HST was there to be removed.
    EXPECT_EQ(run.out.find("HST"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.substr(run.out.size() - 15), "\nObserve\nTokyo\n") << run.out;
}

// The driver loads no list unless told to: saving one it never loaded would
// replace the stored list with nothing, so it writes nothing and says why.
TEST(OrvexCmdSsystem, ListsNeverLoadedAreNotSaved) {
    const orvextest::ShippedDataCopy data(std::vector<std::string>{});
    const std::string comets = data.read("data/comets.dcl");
    const std::string places = data.read("data/places.dpl");
    ASSERT_FALSE(comets.empty());
    ASSERT_FALSE(places.empty());
    const CmdResult run =
        orvexCmd({"-C", orvextest::qpath(data.path()), "-e", "Ssystem.SaveCometList Default", "-e",
                  "Ssystem.SavePlaceList Default"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Could not save comet list file. ./data/comets.dcl: the list never read "
                           "it whole nor wrote it; the file is left as it is"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("Could not save place list file. ./data/places.dpl: the list never read "
                           "it whole nor wrote it"),
              std::string::npos);
    EXPECT_EQ(data.read("data/comets.dcl"), comets);
    EXPECT_EQ(data.read("data/places.dpl"), places);

    // A load that opens no file changes nothing: no list is saved over.
    QStringList failedLoads = {"-C", orvextest::qpath(data.path())};
    for (const char* kind : {"Comet", "Asteroid", "Spacecraft", "ASatellite", "Place"})
        failedLoads << "-e" << QString("Ssystem.Load%1List typo.dcl").arg(kind) << "-e"
                    << QString("Ssystem.Save%1List Default").arg(kind);
    const std::string asteroids = data.read("data/asteroids.dal");
    EXPECT_EQ(orvexCmd(failedLoads).status, 1);
    EXPECT_EQ(data.read("data/comets.dcl"), comets);
    EXPECT_EQ(data.read("data/asteroids.dal"), asteroids);
    EXPECT_EQ(data.read("data/places.dpl"), places);

    // Loaded first, they are saved.
    const CmdResult saved =
        orvexCmd({"-C", orvextest::qpath(data.path()), "-e", "Ssystem.LoadCometList Default", "-e",
                  "Ssystem.SaveCometList Default"});
    EXPECT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(data.read("data/comets.dcl"), comets);

    // A list whose file is missing makes it at its first save, and every
    // later save writes it: three saves of each list, the third with the
    // first name removed.
    struct Kind {
        const char* kind;
        const char* file;
        const char* first;
        const char* second;
    };
    const Kind kinds[] = {{"Comet", "data/comets.dcl", "1P/Halley", "2P/Encke"},
                          {"Asteroid", "data/asteroids.dal", "106_Dione", "1927_LA"},
                          {"Spacecraft", "data/comets.dsl", "Curiosity", ""},
                          {"ASatellite", "data/asatellites.dal", "ISS_(ZARYA)", "HST"}};
    QStringList threeSaves = {"-C", orvextest::qpath(data.path())};
    for (const Kind& kind : kinds) {
        std::filesystem::remove(data.path() + "/" + kind.file);
        const QString save = QString("Ssystem.Save%1List Default").arg(kind.kind);
        threeSaves << "-e" << QString("Ssystem.Load%1List Default").arg(kind.kind) << "-e"
                   << QString("Ssystem.Add%1 %2").arg(kind.kind, kind.first) << "-e" << save;
        if (*kind.second)
            threeSaves << "-e" << QString("Ssystem.Add%1 %2").arg(kind.kind, kind.second);
        threeSaves << "-e" << save << "-e"
                   << QString("Ssystem.Remove%1 %2").arg(kind.kind, kind.first) << "-e" << save;
    }
    std::filesystem::remove(data.path() + "/data/places.dpl");
    for (const char* line :
         {"Ssystem.LoadPlaceList Default", "Ssystem.AstrName Mars", "Ssystem.AddPlace",
          "Ssystem.SavePlaceList Default", "Ssystem.SetPlaceName Base",
          "Ssystem.SavePlaceList Default", "Ssystem.AddPlace", "Ssystem.SavePlaceList Default"})
        threeSaves << "-e" << line;
    const CmdResult saves = orvexCmd(threeSaves);
    EXPECT_EQ(saves.err.find("Could not save"), std::string::npos) << saves.err;
    for (const Kind& kind : kinds) {
        const std::string list = data.read(kind.file);
        EXPECT_EQ(list.rfind("Version: 7.0 \nLocale: en_us \n\n", 0), 0u) << list;
        EXPECT_EQ(list.find(kind.first), std::string::npos) << list;
        EXPECT_NE(list.find(kind.second + std::string(" \n")), std::string::npos) << list;
    }
    const std::string placeList = data.read("data/places.dpl");
    EXPECT_NE(placeList.find("Mars Base "), std::string::npos) << placeList;
    EXPECT_NE(placeList.find("Mars New "), std::string::npos) << placeList;

    // The start's way: the default list fills the comets, the comet list is
    // missing; then another list's save puts a file there. The comet list
    // never read that file, and leaves it as it is; a place list loaded from
    // another file leaves its own file too.
    std::filesystem::remove(data.path() + "/data/comets.dcl");
    QStringList putBack = {"-C", orvextest::qpath(data.path())};
    for (const char* line :
         {"Ssystem.LoadCometList ./data/defaults.ddl", "Ssystem.LoadCometList Default",
          "Ssystem.SaveSpacecraftList ./data/comets.dcl", "Ssystem.AddComet 2P/Encke",
          "Ssystem.SaveCometList Default", "Ssystem.SaveCometList Default",
          "Ssystem.LoadPlaceList ./data/copy.dpl", "Ssystem.SavePlaceList Default"})
        putBack << "-e" << line;
    ASSERT_TRUE(std::filesystem::copy_file(data.path() + "/data/places.dpl",
                                           data.path() + "/data/copy.dpl"));
    const CmdResult refused = orvexCmd(putBack);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(data.read("data/comets.dcl"), "Version: 7.0 \nLocale: en_us \n\n");
    EXPECT_NE(refused.err.find("Could not save comet list file. ./data/comets.dcl: the list never "
                               "read it whole nor wrote it"),
              std::string::npos)
        << refused.err;
    EXPECT_NE(refused.err.find("Could not save place list file."), std::string::npos);
    EXPECT_EQ(data.read("data/places.dpl"), placeList);

    // A file replaced between two saves (here by another list's save, after
    // the comet list loaded another file) is left as it is; the first save
    // of a missing file, and the next, write.
    std::filesystem::remove(data.path() + "/data/comets.dcl");
    QStringList replaced = {"-C", orvextest::qpath(data.path())};
    for (const char* line :
         {"Ssystem.LoadCometList ./data/defaults.ddl", "Ssystem.LoadCometList Default",
          "Ssystem.RemoveComet All", "Ssystem.SaveCometList Default", "Ssystem.AddComet 2P/Encke",
          "Ssystem.SaveCometList Default", "Ssystem.LoadCometList ./data/defaults.ddl",
          "Ssystem.LoadAsteroidList ./data/comets.dcl",
          "Ssystem.SaveAsteroidList ./data/comets.dcl", "Ssystem.RemoveComet 2P/Encke",
          "Ssystem.SaveCometList Default"})
        replaced << "-e" << line;
    const CmdResult second = orvexCmd(replaced);
    EXPECT_EQ(second.status, 1);
    EXPECT_NE(second.err.find("Could not save comet list file. ./data/comets.dcl: it changed since "
                              "the list last read it whole or wrote it"),
              std::string::npos)
        << second.err;
    EXPECT_EQ(second.err.find("Could not save", second.err.find("Could not save") + 1),
              std::string::npos)
        << second.err;
    // What the asteroid list wrote: its own and the comet it kept.
    EXPECT_NE(data.read("data/comets.dcl").find("\n2P/Encke \n"), std::string::npos);
}
