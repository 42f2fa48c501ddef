// Object lists: orbit-directory scans, adding and removing by name, list and
// place-list files.
#include "model/Ssystem.h"

#include <fstream>
#include <functional>
#include <pwd.h>
#include <sstream>
#include <sys/stat.h>

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "FakeModelServices.h"
#include "engine/LogMessage.h"
#include "model/DsASatellite.h"
#include "model/DsAsteroid.h"
#include "model/DsAstrBody.h"
#include "platform/CurrentDirGuard.h"
#include "support/ChildProcess.h"
#include "support/TestEnv.h"

namespace {

class ListServices : public FakeModelServices {
public:
    ListSettings settings;
    ListSettings getListSettings() const override { return settings; }
};

const char* const systemText = "DefineSimMode: Solar 1 1 1 1\n"
                               "DefineSimMode: Near 1 1 1 1\n"
                               "Child: Sun Sun\n"
                               "    SimMode: 0 State: Show\n"
                               "    SimMode: 1 State: Show\n"
                               "    Child: Planet Venus\n"
                               "        SimMode: 0 State: Show\n"
                               "        SimMode: 1 State: Hide\n"
                               "    }\n"
                               "    Child: Earth Earth\n"
                               "        SimMode: 0 State: Show\n"
                               "        SimMode: 1 State: Show\n"
                               "        Place: Greenwich\n"
                               "            Latitude: 51.4769\n"
                               "            Longitude: -0.0005\n"
                               "        }\n"
                               "        Child: Moon Moon\n"
                               "            SimMode: 0 State: Show\n"
                               "        }\n"
                               "    }\n"
                               "    Child: Planet Mars\n"
                               "        SimMode: 0 State: Show\n"
                               "    }\n"
                               "}\n";

std::string cometFile(const std::string& name) {
    return "Name: " + name +
           "\nSimMode: All State: Show\nT: 1986 2 5.9\nq: 0.586\ne: 0.967\nPeri: 111.3\n"
           "Node: 58.4\nIncl: 162.3\n";
}

class SsystemListsTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.settings.dataDir = dir.path();
        write("data/ssystem.def", systemText);
        write("data/orbits/comets/a_halley.orb", cometFile("Halley"));
        write("data/orbits/comets/b_halley_too.orb", cometFile("Halley"));
        write("data/orbits/comets/c_encke.orb", cometFile("Encke"));
        write("data/orbits/comets/d_earth.orb", cometFile("Earth"));
        write("data/orbits/comets/e_nameless.orb", "T: 2000 1 1\n");
        write("data/orbits/comets/noext", cometFile("Hidden"));
        write("data/orbits/asteroids/ceres.orb", "Name: Ceres\ne: 0.0758\nPeri: 73.6\n"
                                                 "Node: 80.3\nIncl: 10.6\nA: 2.767\nM: 0\n"
                                                 "t: 2451545\n");
        write("data/orbits/spacecrafts/probe.dsc",
              "Name: Probe\nOrbitData: 2\n2458000.5 1 2 3\n2458001.5 4 5 6\n");
        write("data/orbits/asatellites/extra.tle",
              "# extra\nTWO WORDS  \n"
              "1 25544U 98067A   18020.89808844  .00002078  00000-0  38550-4 0  9992\n"
              "2 25544  51.6424  32.9776 0003646  28.7227  39.5332 15.54190080 95614\n");
        // A download killed while it saved: its temporary is no orbit file.
        write(
            "data/orbits/asatellites/.extra.tle.orvex-99999999-abcdef.tmp",
            "HALF WRITTEN\n1 25544U 98067A   18020.89808844  .00002078  00000-0  38550-4 0  9992\n"
            "2 25544  51.6424  32.9776 0003646  28.7227  39.5332 15.54190080 95614\n");
        QFile::copy(QString::fromStdString(orvextest::dataPath("objects/satellites.tle")),
                    QString::fromStdString(dir.file("data/orbits/asatellites/2018.tle")));
        platform::CurrentDirGuard data(dir.path());
        ASSERT_EQ(system.readData("data/ssystem.def"), 1);
    }
    void write(const std::string& relative, const std::string& text) {
        const std::string path = dir.file(relative);
        QDir().mkpath(QString::fromStdString(path.substr(0, path.rfind('/'))));
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string read(const std::string& relative) const {
        std::ifstream in(dir.file(relative), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // The names of the bodies of a kind, in the list of all bodies.
    std::string names(int type) const {
        std::string out;
        for (const DsAstrBody* body : system.getAllBodies()) {
            if (body->getType() == type)
                out += body->getName() + " ";
        }
        return out;
    }
    int indexOf(const std::string& name) const {
        const auto& all = system.getAllBodies();
        for (size_t i = 0; i < all.size(); ++i) {
            if (all[i]->getName() == name)
                return int(i);
        }
        return -1;
    }
    std::string placesOf(const std::string& name) const {
        const DsAstrBody* body = system.findBody(name);
        std::string out;
        for (int i = 0; body && i < body->getPlaceCount(); ++i)
            out += body->formatPlace(i) + "|";
        return out;
    }

    // body's result in a child that runs as an ordinary user when the test
    // runs as root, who passes over permission bits; 100 when it cannot. The
    // user may write the lists of the data folder.
    int asOrdinaryUser(const std::function<int()>& body) {
        const passwd* nobody = ::getpwnam("nobody");
        const bool asRoot = ::geteuid() == 0;
        ::chmod(dir.path().c_str(), 0755);
        ::chmod(dir.file("data").c_str(), 0777);
        for (const char* list : {"data/comets.dcl", "data/asteroids.dal"}) {
            if (asRoot && nobody)
                ::chown(dir.file(list).c_str(), nobody->pw_uid, nobody->pw_gid);
        }
        return orvextest::runAsOrdinaryUser(body);
    }

    orvextest::TempDir dir;
    ListServices view;
    Ssystem system{nullptr, &view};
    LogCapture log;
};

const std::string head = "Version: 7.0 \nLocale: en_us \n\n";

} // namespace

TEST_F(SsystemListsTest, NameScanFindsTheFirstFileOfEachName) {
    std::vector<BodyFileName> records;
    platform::CurrentDirGuard data(dir.path());
    Ssystem::scanOrbitDir(records, "./data/orbits/comets/");
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].name, "Halley");
    EXPECT_EQ(records[0].file, "./data/orbits/comets/a_halley.orb");
    EXPECT_EQ(records[1].file, "./data/orbits/comets/b_halley_too.orb");
    EXPECT_EQ(records[3].name, "Earth");
    // A directory configured without its closing "/" lists the same files.
    Ssystem::scanOrbitDir(records, "./data/orbits/comets");
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].file, "./data/orbits/comets/a_halley.orb");
    Ssystem::scanASatelliteDir(records, "./data/orbits/asatellites");
    EXPECT_EQ(records.size(), 11u);
    Ssystem::scanOrbitDir(records, "./data/orbits/absent/");
    EXPECT_TRUE(records.empty());
}

TEST_F(SsystemListsTest, TitleScanGivesOneRecordPerTitle) {
    std::vector<BodyFileName> records;
    platform::CurrentDirGuard data(dir.path());
    Ssystem::scanASatelliteDir(records, "./data/orbits/asatellites/");
    ASSERT_EQ(records.size(), 11u);
    EXPECT_EQ(records[0].name, "ISS_(ZARYA)");
    EXPECT_EQ(records[0].file, "./data/orbits/asatellites/2018.tle");
    EXPECT_EQ(records[3].name, "GPS_BIIF-12__(PRN_32)");
    EXPECT_EQ(records[10].name, "TWO_WORDS");
    EXPECT_EQ(records[10].file, "./data/orbits/asatellites/extra.tle");
}

TEST_F(SsystemListsTest, BodyListsGoRoundTrip) {
    write("data/comets.dcl", head + "Halley \nNoSuchComet \nEncke \nHalley \n");
    const std::string before = platform::currentDirectory();
    ASSERT_TRUE(system.loadCometList("./data/comets.dcl"));
    EXPECT_EQ(platform::currentDirectory(), before);
    EXPECT_EQ(names(DsAstrBody::Comet), "Halley Encke ");
    const DsAstrBody* halley = system.findBody("Halley");
    EXPECT_EQ(halley->getParent(), system.findBody("Sun"));
    EXPECT_EQ(halley->getOrbitFile(), "./data/orbits/comets/a_halley.orb");
    EXPECT_EQ(halley->getPlaceName(), "None"); // a default place, none selected
    EXPECT_EQ(halley->getPlaceCount(), 1);

    ASSERT_TRUE(system.saveCometList("./data/saved.dcl"));
    EXPECT_EQ(read("data/saved.dcl"), head + "Halley \nEncke \n");
    system.removeComet("All");
    EXPECT_EQ(names(DsAstrBody::Comet), "");
    ASSERT_TRUE(system.loadCometList("./data/saved.dcl"));
    EXPECT_EQ(names(DsAstrBody::Comet), "Halley Encke ");

    // Another head loads the same; a head alone removes every comet.
    write("data/other.dcl", "Version: 1.0 \nLocale: ja_jp \n\nEncke \n");
    ASSERT_TRUE(system.loadCometList("./data/other.dcl"));
    EXPECT_EQ(names(DsAstrBody::Comet), "Encke ");
    write("data/empty.dcl", head);
    ASSERT_TRUE(system.loadCometList("./data/empty.dcl"));
    EXPECT_EQ(names(DsAstrBody::Comet), "");
    EXPECT_FALSE(log.contains("Could not"));
}

TEST_F(SsystemListsTest, EveryKindFromOneDefaultList) {
    write("data/defaults.ddl",
          head + "Encke \nCeres \nGone \nProbe \nISS_(ZARYA) \nHST \nTWO_WORDS \n");
    EXPECT_TRUE(system.loadLists("./data/defaults.ddl"));
    // Each kind passes over the others' names: only what no kind takes is told.
    EXPECT_EQ(log.messages(), std::vector<std::string>({"The default list ./data/defaults.ddl "
                                                        "names Gone, which no orbit file "
                                                        "declares; the name is kept."}));
    EXPECT_EQ(names(DsAstrBody::Comet), "Encke ");
    EXPECT_EQ(names(DsAstrBody::Asteroid), "Ceres ");
    EXPECT_EQ(names(DsAstrBody::Spacecraft), "Probe ");
    EXPECT_EQ(names(DsAstrBody::ASatellite), "ISS_(ZARYA) HST TWO_WORDS ");
    EXPECT_EQ(system.findBody("HST")->getParent(), system.findBody("Earth"));
    EXPECT_EQ(system.getFileRecords(DsAstrBody::Asteroid).size(), 1u);
    EXPECT_EQ(system.getFileRecords(DsAstrBody::Planet).size(), 0u);

    ASSERT_TRUE(system.saveASatelliteList("./data/asatellites.dal"));
    EXPECT_EQ(read("data/asatellites.dal"), head + "ISS_(ZARYA) \nHST \nTWO_WORDS \n");
    ASSERT_TRUE(system.saveSpacecraftList("./data/comets.dsl"));
    EXPECT_EQ(read("data/comets.dsl"), head + "Probe \n");
}

TEST_F(SsystemListsTest, DirectoriesReadAheadLoadTheSameLists) {
    write("data/defaults.ddl", head + "Encke \nCeres \nProbe \nISS_(ZARYA) \nTWO_WORDS \n");
    system.scanOrbitDirsAhead(); // from another current directory than the data's
    EXPECT_TRUE(system.loadLists("./data/defaults.ddl"));
    EXPECT_EQ(names(DsAstrBody::Comet), "Encke ");
    EXPECT_EQ(names(DsAstrBody::Asteroid), "Ceres ");
    EXPECT_EQ(names(DsAstrBody::Spacecraft), "Probe ");
    EXPECT_EQ(names(DsAstrBody::ASatellite), "ISS_(ZARYA) TWO_WORDS ");
    const std::vector<BodyFileName>& comets = system.getFileRecords(DsAstrBody::Comet);
    ASSERT_EQ(comets.size(), 4u);
    EXPECT_EQ(comets[1].file, "./data/orbits/comets/b_halley_too.orb");
    EXPECT_EQ(system.getFileRecords(DsAstrBody::ASatellite).size(), 11u);

    // A data directory that cannot be entered is reported by the loads alone.
    view.settings.dataDir = dir.file("absent");
    system.scanOrbitDirsAhead();
    EXPECT_TRUE(log.messages().empty());
    system.loadCometList("./data/defaults.ddl");
    EXPECT_EQ(log.messages().size(), 1u);
}

TEST_F(SsystemListsTest, AddingKeepsNamesUniqueAndNeedsAFreshScan) {
    write("data/comets.dcl", head);
    ASSERT_TRUE(system.loadCometList("./data/comets.dcl"));
    system.addComet("Halley");
    system.addComet("Halley");
    system.addComet("Earth"); // a comet file bears the planet's name
    system.addComet("Hidden");
    EXPECT_EQ(names(DsAstrBody::Comet), "Halley ");
    EXPECT_EQ(system.findBody("Earth")->getType(), DsAstrBody::Earth);

    write("data/orbits/comets/f_new.orb", cometFile("Newcomer"));
    system.addComet("Newcomer");
    EXPECT_EQ(names(DsAstrBody::Comet), "Halley ");
    ASSERT_TRUE(system.loadCometList("./data/comets.dcl"));
    system.addComet("Newcomer");
    EXPECT_EQ(names(DsAstrBody::Comet), "Newcomer ");
}

TEST_F(SsystemListsTest, RemovingTakesOnlyBodiesOfTheKind) {
    write("data/defaults.ddl", head + "Halley \nEncke \nCeres \nHST \n");
    system.loadLists("./data/defaults.ddl");
    system.removeComet("Earth");
    system.removeComet("Mars");
    system.removeComet("Ceres");
    system.removeASatellite("Moon");
    EXPECT_TRUE(system.findBody("Earth"));
    EXPECT_TRUE(system.findBody("Mars"));
    EXPECT_TRUE(system.findBody("Moon"));
    EXPECT_TRUE(system.findBody("Ceres"));

    // The selected comet goes: the first body is selected.
    system.select(indexOf("Encke"), 0, -1);
    system.removeComet("Encke");
    EXPECT_EQ(system.getSelectedName(), "Sun");
    EXPECT_EQ(system.findBody("Sun")->isSelected(), 1);
    // A later asteroid stays selected while the comets before it go.
    system.select(indexOf("Ceres"), 0, -1);
    system.removeComet("All");
    EXPECT_EQ(names(DsAstrBody::Comet), "");
    EXPECT_EQ(system.getSelectedName(), "Ceres");
    EXPECT_EQ(system.getSelectedIndex(), indexOf("Ceres"));
    EXPECT_EQ(system.findBody("Ceres")->isSelected(), 1);
    system.removeASatellite("HST");
    EXPECT_EQ(system.getSelectedName(), "Ceres");
    system.removeAsteroid("All");
    EXPECT_EQ(system.getSelectedName(), "Sun");
}

// A list change that leaves the selected body keeps it selected at its
// place: only its index follows the list.
TEST_F(SsystemListsTest, ListChangesKeepTheSelectedBodyAtItsPlace) {
    write("data/defaults.ddl", head + "Halley \nEncke \nCeres \nHST \n");
    write("data/comets.dcl", head + "Encke \n");
    write("data/asatellites.dal", head + "HST \n");
    system.loadLists("./data/defaults.ddl");
    system.select(indexOf("Earth"), 0, -1);
    system.selectPlace("Greenwich");
    ASSERT_EQ(system.getPlaceName(), "Greenwich");
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"RemoveComet All", [&] { system.removeComet("All"); }},
        {"RemoveAsteroid All", [&] { system.removeAsteroid("All"); }},
        {"LoadCometList", [&] { EXPECT_TRUE(system.loadCometList("./data/comets.dcl")); }},
        {"LoadASatelliteList",
         [&] { EXPECT_TRUE(system.loadASatelliteList("./data/asatellites.dal")); }},
        {"RemoveASatellite HST", [&] { system.removeASatellite("HST"); }},
    };
    for (const auto& [command, change] : changes) {
        change();
        EXPECT_EQ(system.getSelectedName(), "Earth") << command;
        EXPECT_EQ(system.getSelectedIndex(), indexOf("Earth")) << command;
        EXPECT_EQ(system.findBody("Earth")->isSelected(), 1) << command;
        EXPECT_EQ(system.getPlaceName(), "Greenwich") << command;
    }
    EXPECT_EQ(names(DsAstrBody::Comet), "Encke ");
    EXPECT_EQ(names(DsAstrBody::ASatellite), "");
}

TEST_F(SsystemListsTest, FailuresKeepBodiesAndFiles) {
    write("data/comets.dcl", head + "Halley \n");
    // A load that opens no file leaves a list never loaded: it is not saved
    // over a file that is there, but may make one that is not.
    write("data/places.dpl", head + "Earth Tokyo 1 2 \n");
    EXPECT_FALSE(system.loadCometList("./data/typo.dcl"));
    EXPECT_FALSE(system.loadPlaceList("./data/typo.dpl"));
    EXPECT_FALSE(system.saveCometList("./data/comets.dcl"));
    EXPECT_FALSE(system.savePlaceList("./data/places.dpl"));
    EXPECT_EQ(read("data/places.dpl"), head + "Earth Tokyo 1 2 \n");
    EXPECT_TRUE(system.saveCometList("./data/typo.dcl"));
    ASSERT_TRUE(system.loadCometList("./data/comets.dcl"));
    EXPECT_FALSE(system.loadCometList("./data/absent.dcl"));
    // Each message names the file and the system's reason after its own text.
    const std::string missing = ": No such file or directory\n";
    EXPECT_TRUE(log.contains("Could not open comet list file. ./data/absent.dcl" + missing));
    EXPECT_EQ(names(DsAstrBody::Comet), "Halley ");
    EXPECT_FALSE(system.saveCometList("./no/such/dir/comets.dcl"));
    EXPECT_TRUE(log.contains("Could not save comet list file. ./no/such/dir/comets.dcl: cannot "
                             "create a file beside it" +
                             missing));
    EXPECT_FALSE(system.loadPlaceList("./data/absent.dpl"));
    EXPECT_TRUE(log.contains("Could not open place list file. ./data/absent.dpl" + missing));
    EXPECT_FALSE(system.loadASatelliteList("./data/absent.dal"));
    EXPECT_TRUE(
        log.contains("Could not open artificial satellite list file. ./data/absent.dal" + missing));
    // A pipe is neither read as a list nor replaced by one.
    ASSERT_EQ(::mkfifo(dir.file("data/pipe.dal").c_str(), 0644), 0);
    ASSERT_TRUE(system.loadAsteroidList("./data/comets.dcl"));
    EXPECT_FALSE(system.loadAsteroidList("./data/absent.dal"));
    EXPECT_FALSE(system.saveAsteroidList("./data/pipe.dal"));
    EXPECT_TRUE(log.contains("Could not save asteroid list file. ./data/pipe.dal: Not a regular "
                             "file (a named pipe)\n"));
    struct stat node {};
    ASSERT_EQ(::lstat(dir.file("data/pipe.dal").c_str(), &node), 0);
    EXPECT_TRUE(S_ISFIFO(node.st_mode));
    // A disk that fills while the list is written.
    EXPECT_EQ(orvextest::runInChild(
                  [&] {
                      log.clear();
                      return !system.saveCometList("./data/comets.dcl") &&
                             log.contains("Could not save comet list file. ./data/comets.dcl: "
                                          "File too large\n");
                  },
                  10),
              1);

    view.settings.dataDir = dir.file("missing");
    EXPECT_FALSE(system.saveCometList("./data/comets.dcl"));
    EXPECT_TRUE(log.contains("Could not change to the data directory"));
    EXPECT_EQ(read("data/comets.dcl"), head + "Halley \n");
}

// A list whose file is missing is saved all the same, and the file its save
// made is the list's own: every later save writes it. A file that is there
// and was never read stays as it is.
TEST_F(SsystemListsTest, TheFileThatASaveOfAListNeverLoadedMadeIsSavedAgain) {
    using Call = bool (Ssystem::*)(const std::string&);
    using Change = void (Ssystem::*)(const std::string&);
    struct Kind {
        Call load, save;
        Change add, remove;
        const char* file;
        const char* name;
        const char* word; // of the list's commands
    };
    const Kind kinds[] = {
        {&Ssystem::loadCometList, &Ssystem::saveCometList, &Ssystem::addComet,
         &Ssystem::removeComet, "data/comets.dcl", "Encke", "Comet"},
        {&Ssystem::loadAsteroidList, &Ssystem::saveAsteroidList, &Ssystem::addAsteroid,
         &Ssystem::removeAsteroid, "data/asteroids.dal", "Ceres", "Asteroid"},
        {&Ssystem::loadSpacecraftList, &Ssystem::saveSpacecraftList, &Ssystem::addSpacecraft,
         &Ssystem::removeSpacecraft, "data/comets.dsl", "Probe", "Spacecraft"},
        {&Ssystem::loadASatelliteList, &Ssystem::saveASatelliteList, &Ssystem::addASatellite,
         &Ssystem::removeASatellite, "data/asatellites.dal", "TWO_WORDS", "ASatellite"},
    };
    // The start's order: the default list fills every kind, each list's
    // own file is missing, then comes back. The list never read it: every
    // save leaves it, until the file is gone and a save makes it again.
    write("data/defaults.ddl", head + "Halley \nCeres \nProbe \nHST \n");
    ASSERT_TRUE(system.loadLists("./data/defaults.ddl"));
    for (const Kind& kind : kinds) {
        const std::string path = std::string("./") + kind.file;
        EXPECT_FALSE((system.*kind.load)(path)) << kind.file;
        write(kind.file, head + "Mine \n");
        (system.*kind.add)(kind.name);
        for (int save = 0; save < 2; ++save)
            EXPECT_FALSE((system.*kind.save)(path)) << kind.file;
        EXPECT_EQ(read(kind.file), head + "Mine \n");
        // The message says the way past it that keeps both.
        EXPECT_TRUE(log.contains(std::string("list file. ") + path +
                                 ": the list never read it whole nor wrote it; the file is left "
                                 "as it is. " +
                                 keepBothAdvice(path, system.listCommands(kind.word)) + "\n"));
        ::unlink(dir.file(kind.file).c_str());
        for (int save = 0; save < 2; ++save)
            EXPECT_TRUE((system.*kind.save)(path)) << kind.file;
        EXPECT_NE(read(kind.file).find(std::string(kind.name) + " \n"), std::string::npos);
        // The other way: a file loaded first is saved over.
        write(kind.file, head);
        EXPECT_FALSE((system.*kind.save)(path)) << kind.file;
        ASSERT_TRUE((system.*kind.load)(path)) << kind.file;
        (system.*kind.add)(kind.name);
        EXPECT_TRUE((system.*kind.save)(path)) << kind.file;
        EXPECT_EQ(read(kind.file), head + kind.name + " \n");
        ::unlink(dir.file(kind.file).c_str());
    }
    system.removeComet("All");
    system.removeAsteroid("All");
    system.removeSpacecraft("All");
    system.removeASatellite("All");

    write("data/kept.dcl", head + "Halley \n");
    for (const Kind& kind : kinds) {
        const std::string path = std::string("./") + kind.file;
        EXPECT_FALSE((system.*kind.load)(path)) << kind.file;
        (system.*kind.add)(kind.name);
        ASSERT_TRUE((system.*kind.save)(path)) << kind.file;
        (system.*kind.remove)(kind.name);
        EXPECT_TRUE((system.*kind.save)(path)) << kind.file;
        EXPECT_EQ(read(kind.file), head) << kind.file;
        // A failed load changes nothing; a copy made beside it is the
        // list's own as well.
        EXPECT_FALSE((system.*kind.load)("./data/absent")) << kind.file;
        EXPECT_TRUE((system.*kind.save)("./data/copy")) << kind.file;
        (system.*kind.add)(kind.name);
        EXPECT_TRUE((system.*kind.save)(path)) << kind.file;
        EXPECT_EQ(read(kind.file), head + kind.name + " \n");
        // Another program's file put in its place between two saves, or the
        // file written again where it is, stays as it is, at every save,
        // until a load reads it.
        const std::string theirs = head + "Theirs \n";
        write("data/theirs", theirs);
        ASSERT_EQ(std::rename(dir.file("data/theirs").c_str(), dir.file(kind.file).c_str()), 0);
        for (int save = 0; save < 2; ++save)
            EXPECT_FALSE((system.*kind.save)(path)) << kind.file;
        EXPECT_EQ(read(kind.file), theirs);
        ASSERT_TRUE((system.*kind.load)(path)) << kind.file;
        (system.*kind.add)(kind.name);
        EXPECT_TRUE((system.*kind.save)(path)) << kind.file;
        std::ofstream(dir.file(kind.file), std::ios::app) << "Theirs \n";
        EXPECT_FALSE((system.*kind.save)(path)) << kind.file;
        EXPECT_TRUE(log.contains(std::string("list file. ") + path +
                                 ": it changed since the list last read it whole or wrote it; "
                                 "the file is left as it is. " +
                                 keepBothAdvice(path, system.listCommands(kind.word)) + "\n"));
        EXPECT_EQ(read(kind.file), head + "Theirs \n" + kind.name + " \nTheirs \n");
        EXPECT_TRUE((system.*kind.save)("./data/copy")) << kind.file;
        EXPECT_FALSE((system.*kind.save)("./data/kept.dcl")) << kind.file;
        ::unlink(dir.file("data/copy").c_str());
    }
    EXPECT_EQ(read("data/kept.dcl"), head + "Halley \n");
}

// Two kinds named for one file: each save writes the other kind's entries
// as the other's last save left them, so that no save undoes another's.
TEST_F(SsystemListsTest, TwoKindsOfOneFileKeepEachOthersSaves) {
    write("data/both.dat", head + "Halley \nCeres \nGone \n");
    ASSERT_TRUE(system.loadLists("./data/both.dat"));
    ASSERT_TRUE(system.loadCometList("./data/both.dat"));
    ASSERT_TRUE(system.loadAsteroidList("./data/both.dat"));
    system.addComet("Encke");
    ASSERT_TRUE(system.saveCometList("./data/both.dat"));
    system.removeAsteroid("Ceres");
    ASSERT_TRUE(system.saveAsteroidList("./data/both.dat"));
    EXPECT_EQ(read("data/both.dat"), head + "Halley \nGone \nEncke \n");
    system.removeComet("Halley");
    system.removeComet("Gone");
    ASSERT_TRUE(system.saveCometList("./data/both.dat"));
    EXPECT_EQ(read("data/both.dat"), head + "Encke \n");
    system.addAsteroid("Ceres");
    for (int save = 0; save < 2; ++save) {
        ASSERT_TRUE(system.saveAsteroidList("./data/both.dat"));
        ASSERT_TRUE(system.saveCometList("./data/both.dat"));
        EXPECT_EQ(read("data/both.dat"), head + "Encke \nCeres \n");
    }
    // Another program's file leaves each kind's save refused.
    write("data/both.dat", head + "Halley \n");
    EXPECT_FALSE(system.saveCometList("./data/both.dat"));
    EXPECT_FALSE(system.saveAsteroidList("./data/both.dat"));
    EXPECT_EQ(read("data/both.dat"), head + "Halley \n");

    // Their one list missing at start: the first save makes it, and each
    // save after it keeps the other kind's. The default list, which neither
    // kind read last, keeps the names of both.
    view.settings.cometList = view.settings.asteroidList = "./data/mine.dat";
    const std::string defaults = head + "Halley \nCeres \n";
    write("data/defaults.ddl", defaults);
    ASSERT_TRUE(system.loadLists("./data/defaults.ddl"));
    EXPECT_FALSE(system.loadCometList("./data/mine.dat"));
    EXPECT_FALSE(system.loadAsteroidList("./data/mine.dat"));
    system.addComet("Encke");
    ASSERT_TRUE(system.saveCometList("./data/mine.dat"));
    for (int save = 0; save < 2; ++save) {
        EXPECT_TRUE(system.saveAsteroidList("./data/mine.dat"));
        EXPECT_TRUE(system.saveCometList("./data/mine.dat"));
    }
    EXPECT_EQ(read("data/mine.dat"), head + "Halley \nEncke \nCeres \n");
    EXPECT_FALSE(system.saveCometList("./data/defaults.ddl"));
    EXPECT_TRUE(log.contains("it holds names that the list kept of it only until it loaded "
                             "another file"));
    EXPECT_EQ(read("data/defaults.ddl"), defaults);
    ASSERT_TRUE(system.loadCometList("./data/defaults.ddl"));
    EXPECT_TRUE(system.saveCometList("./data/defaults.ddl"));
    EXPECT_EQ(read("data/defaults.ddl"), defaults);
}

// What an orbit directory holds besides orbit files, and files that cannot
// be read whole, are named with the reason: once while they stay so, since
// start-up loads every list twice.
TEST_F(SsystemListsTest, OrbitFilesNotReadWholeAreNamedOnceWithTheReason) {
    const std::string orbits = dir.file("data/orbits") + "/";
    const auto node = [&](const char* target, const std::string& file) {
        return target ? ::symlink(target, (orbits + file).c_str())
                      : ::mkfifo((orbits + file).c_str(), 0600);
    };
    const std::string device = "Not a regular file (a character device)";
    const struct {
        const char* target; // a link's; null: a named pipe; "": a sparse file
        std::string file, reason;
    } odd[] = {{nullptr, "comets/p_pipe.orb", "Not a regular file (a named pipe)"},
               {"/dev/zero", "comets/q_zero.orb", device},
               {"/proc/self/pagemap", "comets/r_endless.orb", "a line is longer than 65535 bytes"},
               {"", "comets/s_sparse.orb", "a line is longer than 65535 bytes"},
               {"absent.orb", "comets/t_dead.orb", "No such file or directory"},
               {"/dev/zero", "asatellites/zero.tle", device},
               {"", "asatellites/sparse.tle", "a word or line is longer than 65535 bytes"}};
    for (const auto& entry : odd) {
        if (entry.target && !*entry.target)
            write("data/orbits/" + entry.file, "");
        ASSERT_EQ(entry.target && !*entry.target
                      ? ::truncate((orbits + entry.file).c_str(), 6LL << 30)
                      : node(entry.target, entry.file),
                  0);
    }
    write("data/comets.dcl", head + "Halley \n");
    ASSERT_TRUE(system.loadCometList("./data/comets.dcl"));
    EXPECT_FALSE(system.loadASatelliteList("./data/absent.dal"));
    EXPECT_EQ(names(DsAstrBody::Comet), "Halley ");
    for (const auto& entry : odd)
        EXPECT_TRUE(log.contains("Could not read orbit file ./data/orbits/" + entry.file + ": " +
                                 entry.reason + "."))
            << entry.file;
    EXPECT_EQ(log.messages().size(), std::size(odd) + 1); // and the missing list's
    // Loaded again, as at every start, they are not told again.
    log.clear();
    ASSERT_TRUE(system.loadLists("./data/comets.dcl"));
    EXPECT_TRUE(log.messages().empty());
    // Mended and broken again, a file is told again.
    std::remove((orbits + "comets/q_zero.orb").c_str());
    ASSERT_TRUE(system.loadCometList("./data/comets.dcl"));
    ASSERT_EQ(node(nullptr, "comets/q_zero.orb"), 0);
    ASSERT_TRUE(system.loadCometList("./data/comets.dcl"));
    EXPECT_EQ(log.messages().size(), 1u);
    // And again for the same reason.
    std::remove((orbits + "comets/q_zero.orb").c_str());
    ASSERT_TRUE(system.loadCometList("./data/comets.dcl"));
    ASSERT_EQ(node(nullptr, "comets/q_zero.orb"), 0);
    ASSERT_TRUE(system.loadCometList("./data/comets.dcl"));
    EXPECT_EQ(log.messages().size(), 2u);
    EXPECT_TRUE(log.contains("Could not read orbit file ./data/orbits/comets/q_zero.orb: Not a "
                             "regular file (a named pipe)."));
}

// A full disk fails only when the buffered text is flushed, after the last
// entry: the save fails with its message and the old list stays whole.
TEST_F(SsystemListsTest, AFullDiskKeepsTheOldList) {
    const std::string comets = head + "Halley \nEncke \n";
    write("data/comets.dcl", comets);
    ASSERT_TRUE(system.loadCometList("./data/comets.dcl"));
    const std::string places = head + "Earth Greenwich 51.4769 -0.0005 \n";
    write("data/places.dpl", places);
    const long fullDisk = 20; // bytes: less than the head lines
    EXPECT_EQ(orvextest::runInChild(
                  [&] {
                      return !system.saveCometList("./data/comets.dcl") &&
                             log.contains("Could not save comet list file.");
                  },
                  fullDisk),
              1);
    EXPECT_EQ(orvextest::runInChild(
                  [&] {
                      return !system.savePlaceList("./data/places.dpl") &&
                             log.contains("Could not save place list file.");
                  },
                  fullDisk),
              1);
    EXPECT_EQ(read("data/comets.dcl"), comets);
    EXPECT_EQ(read("data/places.dpl"), places);
    EXPECT_EQ(QDir(QString::fromStdString(dir.file("data"))).entryList(QDir::Files).join(' '),
              "comets.dcl places.dpl ssystem.def");
}

TEST_F(SsystemListsTest, ListsWithoutTheirParentAreSkipped) {
    write("data/nosun.def", "DefineSimMode: Empty 1 1 1 1\n");
    write("data/comets.dcl", head + "Halley \n");
    write("data/asatellites.dal", head + "HST \n");
    Ssystem empty(nullptr, &view);
    {
        platform::CurrentDirGuard data(dir.path());
        ASSERT_EQ(empty.readData("data/nosun.def"), 1);
    }
    EXPECT_FALSE(empty.loadCometList("./data/comets.dcl"));
    EXPECT_TRUE(log.contains("No Sun for the comet list"));
    EXPECT_FALSE(empty.loadASatelliteList("./data/asatellites.dal"));
    EXPECT_TRUE(log.contains("No Earth for the artificial satellite list"));
    empty.addASatellite("HST");
    EXPECT_TRUE(log.contains("No Earth for the artificial satellite HST."));
    EXPECT_TRUE(empty.getAllBodies().empty());
}

TEST_F(SsystemListsTest, PlaceListsLoadOnceAndGoRoundTrip) {
    write("data/places.dpl", head + "Earth Tokyo 35.6895 139.692 -weather Rain \n"
                                    "Earth Greenwich 51.5 0 -panorama hills.png \n"
                                    "Pluto Lost 1 2 \n"
                                    "Nowhere Earth 3 4 \n"
                                    "Mars Olympus_Mons 18.65 226.2 \n");
    ASSERT_TRUE(system.loadPlaceList("./data/places.dpl"));
    EXPECT_EQ(
        placesOf("Earth"),
        "Greenwich 51.5 0 -panorama hills.png|Tokyo 35.6895 139.692 -weather Rain|Surface 0 0|");
    EXPECT_EQ(placesOf("Mars"), "Olympus_Mons 18.65 226.2|Surface 0 0|");
    EXPECT_TRUE(log.contains("No body Pluto"));
    EXPECT_TRUE(log.contains("No body Nowhere"));
    // A second load sets the same places again.
    ASSERT_TRUE(system.loadPlaceList("./data/places.dpl"));
    EXPECT_EQ(
        placesOf("Earth"),
        "Greenwich 51.5 0 -panorama hills.png|Tokyo 35.6895 139.692 -weather Rain|Surface 0 0|");

    // Places of comets stay out of the list.
    write("data/comets.dcl", head + "Encke \n");
    system.loadCometList("./data/comets.dcl");
    ASSERT_TRUE(system.savePlaceList("./data/saved.dpl"));
    const std::string saved = read("data/saved.dpl");
    EXPECT_EQ(saved.find("Encke"), std::string::npos);
    EXPECT_NE(saved.find("Earth Tokyo 35.6895 139.692 -weather Rain \n"), std::string::npos);
    EXPECT_EQ(saved.substr(0, head.size()), head);
    ASSERT_TRUE(system.loadPlaceList("./data/saved.dpl"));
    EXPECT_EQ(
        placesOf("Earth"),
        "Greenwich 51.5 0 -panorama hills.png|Tokyo 35.6895 139.692 -weather Rain|Surface 0 0|");
    ASSERT_TRUE(system.savePlaceList("./data/again.dpl"));
    EXPECT_EQ(read("data/again.dpl"), saved);

    // Saved over their file, lines of no body stay where they were.
    ASSERT_TRUE(system.loadPlaceList("./data/places.dpl"));
    ASSERT_TRUE(system.savePlaceList("./data/places.dpl"));
    EXPECT_NE(read("data/places.dpl")
                  .find("Earth Surface 0 0 \nPluto Lost 1 2 \nNowhere Earth 3 4 \nMoon "),
              std::string::npos);

    // Two places of one name are two lines, and stay two.
    write("data/twice.dpl", head + "Moon Base 1 1 \nMoon Base 2 2 \n");
    system.loadPlaceList("./data/twice.dpl");
    system.loadPlaceList("./data/twice.dpl");
    EXPECT_EQ(placesOf("Moon"), "Surface 0 0|Base 1 1|Base 2 2|");
}

// Hand-edited place lines that do not read as places give no place and are
// saved back as they stood; tabs part words as blanks do.
TEST_F(SsystemListsTest, PlaceLinesThatAreNoPlacesAreSavedAsTheyStood) {
    const std::string earthLines = "Earth Comma_Home 35,6895 139,6917 \nEarth Word north 10 \n"
                                   "Earth Hex 0x10 5 \nEarth Half 10 \nEarth NaN nan 1 \n"
                                   "Earth Huge 1e999 1 \nEarth \n";
    const std::string marsLine = "Mars\tTab_Bad\t1,5\t2 \n";
    write("data/places.dpl", head + "Earth Tokyo 35.6895 139.692 \n" + earthLines + marsLine +
                                 "Earth\tTabbed\t-35.5\t1.5e2\r\n");
    ASSERT_TRUE(system.loadPlaceList("./data/places.dpl"));
    EXPECT_EQ(placesOf("Earth"),
              "Greenwich 51.4769 -0.0005|Tokyo 35.6895 139.692|Tabbed -35.5 150|Surface 0 0|");
    EXPECT_EQ(placesOf("Mars"), "Surface 0 0|");
    EXPECT_TRUE(log.contains("Place list ./data/places.dpl, line 5: the latitude \"35,6895\" is "
                             "no number; the line is kept as it is and gives no place."));
    EXPECT_TRUE(log.contains("line 8: no longitude"));
    ASSERT_TRUE(system.savePlaceList("./data/places.dpl"));
    const std::string saved = read("data/places.dpl");
    EXPECT_NE(saved.find("Earth Tabbed -35.5 150 \nEarth Surface 0 0 \n" + earthLines + "Moon "),
              std::string::npos)
        << saved;
    EXPECT_NE(saved.find("Mars Surface 0 0 \n" + marsLine), std::string::npos) << saved;
}

// A comet's places are its own while it is in the simulation, so the user's
// changes are saved; while it is not, they stay in the list as they stood.
TEST_F(SsystemListsTest, PlacesOfBodiesFromOrbitFilesFollowTheUser) {
    write("data/comets.dcl", head + "Halley \n");
    ASSERT_TRUE(system.loadCometList("./data/comets.dcl"));
    write("data/places.dpl",
          head + "Halley Base_Camp 1 2 \nHalley Rim 3 4 \nEncke Perihelion 5 6 \n");
    ASSERT_TRUE(system.loadPlaceList("./data/places.dpl"));
    system.select(indexOf("Halley"), 0, -1);
    system.selectPlace("Base_Camp");
    system.removePlace();
    system.addPlace();
    ASSERT_TRUE(system.savePlaceList("./data/places.dpl"));
    const std::string saved = read("data/places.dpl");
    EXPECT_EQ(saved.find("Base_Camp"), std::string::npos);
    EXPECT_NE(saved.find("Mars Surface 0 0 \nHalley Rim 3 4 \nHalley New 3 4 \n"
                         "Encke Perihelion 5 6 \n"),
              std::string::npos)
        << saved;
    // The object list's way: all go, the ticked ones come back with their
    // places; Encke, absent so far, takes its own.
    system.removeComet("All");
    system.addComet("Halley");
    system.addComet("Encke");
    EXPECT_EQ(placesOf("Halley"), "Surface 0 0|Rim 3 4|New 3 4|");
    EXPECT_EQ(placesOf("Encke"), "Surface 0 0|Perihelion 5 6|");
    ASSERT_TRUE(system.savePlaceList("./data/places.dpl"));
    EXPECT_EQ(read("data/places.dpl"), saved);
    system.removeComet("Encke");
    ASSERT_TRUE(system.savePlaceList("./data/places.dpl"));
    EXPECT_EQ(read("data/places.dpl"), saved);
}

// The lines a place list keeps (places of bodies not in the simulation,
// lines that are no place) belong to the places held, whichever file they
// came from: another list loaded adds to them as it adds places, and every
// save writes them, so that a copy is whole.
TEST_F(SsystemListsTest, KeptPlaceLinesStayThroughOtherListsAndGoIntoEveryCopy) {
    write("data/comets.dcl", head + "Encke \n");
    ASSERT_TRUE(system.loadCometList("./data/comets.dcl"));
    const std::string keptLines[] = {"Encke Crater_B -5 7 \n", "Future Base 1 2 \n",
                                     "Earth Bad_Line 35,6 139,7 \n"};
    write("data/places.dpl", head + keptLines[0] + keptLines[1] + keptLines[2]);
    ASSERT_TRUE(system.loadPlaceList("./data/places.dpl"));
    system.removeComet("Encke");
    write("data/class.dpl", head + "Mars Olympus_Mons 18.65 226.2 \n");
    EXPECT_FALSE(system.loadPlaceList("./data/absent.dpl"));
    ASSERT_TRUE(system.loadPlaceList("./data/class.dpl"));
    for (const char* file : {"data/places.dpl", "data/backup.dpl", "data/places.dpl"}) {
        ASSERT_TRUE(system.savePlaceList(std::string("./") + file));
        const std::string saved = read(file);
        for (const std::string& line : keptLines)
            EXPECT_NE(saved.find(line), std::string::npos) << file << ": " << saved;
        EXPECT_NE(saved.find("Mars Olympus_Mons 18.65 226.2 \n"), std::string::npos);
    }
    // Loaded again, each line is kept once, and a line of the same place
    // gives it the new values.
    write("data/class.dpl", head + "Future Base 3 4 \n" + keptLines[2]);
    ASSERT_TRUE(system.loadPlaceList("./data/backup.dpl"));
    ASSERT_TRUE(system.loadPlaceList("./data/class.dpl"));
    ASSERT_TRUE(system.savePlaceList("./data/backup.dpl"));
    std::string again = read("data/backup.dpl");
    const auto count = [&again](const std::string& text) {
        std::size_t n = 0;
        for (auto at = again.find(text); at != std::string::npos; at = again.find(text, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count(keptLines[0]), 1u) << again;
    EXPECT_EQ(count(keptLines[2]), 1u) << again;
    EXPECT_EQ(count("Future Base 3 4 \n"), 1u) << again;
    EXPECT_EQ(count("Future Base 1 2"), 0u) << again;
    // The comet back takes its place from them.
    system.addComet("Encke");
    EXPECT_EQ(placesOf("Encke"), "Surface 0 0|Crater_B -5 7|");
    // A line mended in the file replaces the line it was, at every load.
    for (int load = 0; load < 2; ++load) {
        write("data/class.dpl", head + "Earth Bad_Line 35.6 139.7 \n");
        ASSERT_TRUE(system.loadPlaceList("./data/class.dpl"));
        ASSERT_TRUE(system.savePlaceList("./data/backup.dpl"));
        again = read("data/backup.dpl");
        EXPECT_EQ(count("Earth Bad_Line 35"), 1u) << again;
        EXPECT_EQ(count("Earth Bad_Line 35.6 139.7 \n"), 1u) << again;
        EXPECT_EQ(count("Future Base 3 4 \n"), 1u) << again;
    }
}

// Lists and orbit files without line breaks (6 GB of zeros, made sparse) are
// read only up to the longest line a file may have: what came before it
// loads, the rest is refused with a message naming the file.
TEST_F(SsystemListsTest, HugeFilesWithoutLineBreaksAreReadOnlyToTheLimit) {
    const auto huge = [&](const std::string& relative, const std::string& text) {
        write(relative, text);
        EXPECT_EQ(::truncate(dir.file(relative).c_str(), 6LL << 30), 0);
    };
    const std::string refused = ": a word or line is longer than 65535 bytes";
    huge("data/orbits/comets/f_zeros.orb", "");
    huge("data/orbits/comets/g_comment.orb", "# no name\n#");
    huge("data/comets.dcl", head + "Halley \n");
    ASSERT_TRUE(system.loadCometList("./data/comets.dcl"));
    EXPECT_EQ(names(DsAstrBody::Comet), "Halley ");
    EXPECT_TRUE(log.contains("File ./data/comets.dcl" + refused));
    EXPECT_EQ(system.getFileRecords(DsAstrBody::Comet).size(), 4u);

    huge("data/places.dpl", head + "Earth Tokyo 35.6895 139.692 \nMars ");
    ASSERT_TRUE(system.loadPlaceList("./data/places.dpl"));
    EXPECT_EQ(placesOf("Earth"), "Greenwich 51.4769 -0.0005|Tokyo 35.6895 139.692|Surface 0 0|");
    EXPECT_EQ(placesOf("Mars"), "Surface 0 0|");
    EXPECT_TRUE(log.contains("File ./data/places.dpl" + refused));
    // Neither is saved over: the part read would replace the whole.
    EXPECT_FALSE(system.saveCometList("./data/comets.dcl"));
    EXPECT_FALSE(system.savePlaceList("./data/places.dpl"));
    struct stat kept {};
    ASSERT_EQ(::stat(dir.file("data/places.dpl").c_str(), &kept), 0);
    EXPECT_EQ(kept.st_size, 6LL << 30);

    // An endless file (it reports size 0) ends the same way.
    log.clear();
    ASSERT_TRUE(system.loadASatelliteList("/proc/self/pagemap"));
    EXPECT_TRUE(log.contains("File /proc/self/pagemap" + refused));

    // So does a read that fails (/proc/self/mem fails at address 0), as on
    // a failing disk: no save writes the part read over the file.
    ASSERT_TRUE(system.loadPlaceList("/proc/self/mem"));
    ASSERT_TRUE(system.loadCometList("/proc/self/mem"));
    EXPECT_FALSE(system.savePlaceList("/proc/self/mem"));
    EXPECT_FALSE(system.saveCometList("/proc/self/mem"));
    EXPECT_TRUE(log.contains("Could not save comet list file. /proc/self/mem: it was not read "
                             "whole (a read failed: Input/output error)"));
}

// A line past the limit ends the reading of a list; a save would cut the
// file to what was read, so the file is left as it is, and the log says why.
TEST_F(SsystemListsTest, AListReadInPartIsNotSavedOverItsFile) {
    std::string places = head;
    for (int i = 0; i < 40; ++i)
        places += "Earth Town" + std::to_string(i) + " 1 2 \n";
    places += "Earth Long 3 4 -panorama " + std::string(70000, 'p') + " \n";
    for (int i = 40; i < 68; ++i)
        places += "Mars Town" + std::to_string(i) + " 5 6 \n";
    write("data/places.dpl", places);
    ASSERT_TRUE(system.loadPlaceList("./data/places.dpl"));
    EXPECT_NE(placesOf("Earth").find("Town39 1 2|Surface 0 0|"), std::string::npos);
    EXPECT_EQ(placesOf("Mars"), "Surface 0 0|");
    system.select(indexOf("Earth"), 0, -1);
    system.removePlace();
    // The location editor's OK and the driver save the default list.
    EXPECT_FALSE(system.savePlaceList("data/../data/places.dpl"));
    EXPECT_TRUE(log.contains("Could not save place list file. data/../data/places.dpl: it was not "
                             "read whole (a word or line is longer than 65535 bytes); it is left "
                             "as it is until a load reads it whole"));
    EXPECT_EQ(read("data/places.dpl"), places);
    // Another file takes what was read.
    ASSERT_TRUE(system.savePlaceList("./data/part.dpl"));

    // Mended and loaded again, the list is saved.
    places.erase(places.find(std::string(1000, 'p')), 69000);
    write("data/places.dpl", places);
    ASSERT_TRUE(system.loadPlaceList("./data/places.dpl"));
    ASSERT_TRUE(system.savePlaceList("./data/places.dpl"));
    EXPECT_NE(read("data/places.dpl").find("Mars Town67 5 6 \n"), std::string::npos);

    // A list that could not be read at all is not saved over either.
    write("data/asteroids.dal", head + "Ceres \n");
    ::chmod(dir.file("data/asteroids.dal").c_str(), 0);
    EXPECT_EQ(asOrdinaryUser([&] {
                  return int(system.loadAsteroidList("./data/asteroids.dal")) +
                         2 * int(system.saveAsteroidList("./data/asteroids.dal")) +
                         4 * int(!log.contains("Could not save asteroid list file. "
                                               "./data/asteroids.dal: it was not read whole "
                                               "(Permission denied)"));
              }),
              0);
    ::chmod(dir.file("data/asteroids.dal").c_str(), 0644);
    EXPECT_EQ(read("data/asteroids.dal"), head + "Ceres \n");
}

// Old Mac files end their lines with a carriage return alone.
TEST_F(SsystemListsTest, CarriageReturnsAloneEndLines) {
    std::string places = "Version: 7.0 \rLocale: en_us \r\r";
    for (int i = 0; i < 3068; ++i)
        places += "Earth Place" + std::to_string(i) + " 35.6895 139.692 -weather Rain \r";
    ASSERT_GT(places.size(), 65535u);
    write("data/places.dpl", places);
    ASSERT_TRUE(system.loadPlaceList("./data/places.dpl"));
    const DsAstrBody* earth = system.findBody("Earth");
    ASSERT_EQ(earth->getPlaceCount(), 3070); // with Greenwich and Surface
    EXPECT_EQ(earth->formatPlace(3068), "Place3067 35.6895 139.692 -weather Rain");
    EXPECT_FALSE(log.contains("longer than"));
}

// A comet whose orbit file cannot be read stays in its list for the saves,
// also when the user changes the list; the log names the file.
TEST_F(SsystemListsTest, NamesWhoseOrbitFileCannotBeReadStayInTheList) {
    write("data/orbits/comets/h_locked.orb", cometFile("Locked"));
    write("data/comets.dcl", head + "Halley \nLocked \nEncke \n");
    ::chmod(dir.file("data/orbits/comets/h_locked.orb").c_str(), 0);
    const int saved = asOrdinaryUser([&] {
        if (!system.loadCometList("./data/comets.dcl") ||
            names(DsAstrBody::Comet) != "Halley Encke ")
            return 1;
        if (!log.contains("Could not read orbit file ./data/orbits/comets/h_locked.orb: Permission "
                          "denied. The comet list ./data/comets.dcl keeps the names that no orbit "
                          "file declares."))
            return 2;
        // The object list's way: all go, the ticked ones come back.
        system.removeComet("All");
        system.addComet("Encke");
        return system.saveCometList("./data/comets.dcl") ? 0 : 3;
    });
    EXPECT_EQ(saved, 0);
    // Locked followed Halley, which the user took away.
    EXPECT_EQ(read("data/comets.dcl"), head + "Encke \nLocked \n");

    // Readable again, it is a comet of the list like the others.
    ::chmod(dir.file("data/orbits/comets/h_locked.orb").c_str(), 0644);
    ASSERT_TRUE(system.loadCometList("./data/comets.dcl"));
    EXPECT_EQ(names(DsAstrBody::Comet), "Encke Locked ");
    ASSERT_TRUE(system.saveCometList("./data/comets.dcl"));
    EXPECT_EQ(read("data/comets.dcl"), head + "Encke \nLocked \n");
}

TEST_F(SsystemListsTest, NamesWithoutAnOrbitFileStayInTheListUntilRemoved) {
    // An orbit file deleted for a moment, or on a disk not yet mounted.
    write("data/comets.dcl", head + "Gone \nHalley \nAway \nEncke \n");
    ASSERT_TRUE(system.loadCometList("./data/comets.dcl"));
    EXPECT_EQ(names(DsAstrBody::Comet), "Halley Encke ");
    EXPECT_EQ(log.messages(), std::vector<std::string>({"The comet list ./data/comets.dcl names "
                                                        "Gone and Away, which no orbit file in "
                                                        "./data/orbits/comets/ declares; the "
                                                        "names are kept."}));
    ASSERT_TRUE(system.saveCometList("./data/comets.dcl"));
    EXPECT_EQ(read("data/comets.dcl"), head + "Gone \nHalley \nAway \nEncke \n");

    // The object list's way takes only what it showed; a name the user
    // removes goes.
    system.removeComet("All");
    system.addComet("Encke");
    system.removeComet("Away");
    system.removeAsteroid("Gone"); // not the asteroids' list
    ASSERT_TRUE(system.saveCometList("./data/comets.dcl"));
    EXPECT_EQ(read("data/comets.dcl"), head + "Gone \nEncke \n");

    // Element files that no longer hold many satellites: one line.
    std::string satellites = head + "ISS_(ZARYA) \n";
    for (int i = 0; i < 300; ++i)
        satellites += "DEBRIS_" + std::to_string(i) + " \n";
    write("data/asatellites.dal", satellites);
    log.clear();
    ASSERT_TRUE(system.loadASatelliteList("./data/asatellites.dal"));
    EXPECT_EQ(names(DsAstrBody::ASatellite), "ISS_(ZARYA) ");
    EXPECT_EQ(log.messages(),
              std::vector<std::string>(
                  {"The artificial satellite list ./data/asatellites.dal names 300 objects that no "
                   "orbit file in ./data/orbits/asatellites/ declares, DEBRIS_0, DEBRIS_1, "
                   "DEBRIS_2, DEBRIS_3, DEBRIS_4 among them; the names are kept."}));
    system.removeASatellite("DEBRIS_7");
    ASSERT_TRUE(system.saveASatelliteList("./data/asatellites.dal"));
    const std::string saved = read("data/asatellites.dal");
    EXPECT_EQ(saved.size(), satellites.size() - std::string("DEBRIS_7 \n").size());
    EXPECT_EQ(saved.find("DEBRIS_7 "), std::string::npos);
    EXPECT_NE(saved.find("DEBRIS_299 "), std::string::npos);
}

TEST_F(SsystemListsTest, PlaceCommandsActOnTheSelectedBody) {
    system.select(indexOf("Earth"), 0, -1);
    system.ensureDefaultPlaces();
    DsAstrBody* earth = system.findBody("Earth");
    earth->selectPlace("Greenwich");
    system.addPlace();
    EXPECT_EQ(system.getPlaceName(), "New");
    EXPECT_NEAR(system.getPlaceLat(), 51.4769, 1e-9);
    system.setPlaceName("Home");
    system.placePanorama("hills.png");
    EXPECT_EQ(placesOf("Earth"), "Greenwich 51.4769 -0.0005|Surface 0 0|Home 51.4769 -0.0005 "
                                 "-panorama hills.png|");
    system.removePlace();
    EXPECT_EQ(placesOf("Earth"), "Greenwich 51.4769 -0.0005|Surface 0 0|");
    view.defaultPlace = "Ground";
    system.ensureDefaultPlaces();
    EXPECT_EQ(placesOf("Mars"), "Surface 0 0|Ground 0 0|");
}

TEST_F(SsystemListsTest, DisplayStatesByName) {
    system.simMode(1); // Venus is hidden by the data here
    system.hideAstrBodies("Mars");
    EXPECT_EQ(system.findBody("Mars")->getState(), SimModeState::Hide);
    system.showAstrBodies("Mars  Venus");
    EXPECT_EQ(system.findBody("Mars")->getState(), SimModeState::Hide); // hidden by the data
    EXPECT_EQ(system.findBody("Venus")->getState(), SimModeState::Hide);
    system.simMode(0);
    system.hideAstrBodies("Mars Venus Nothing");
    system.hlightAstrBodies("Mars All Venus");
    EXPECT_EQ(system.findBody("Mars")->getState(), SimModeState::Hlight);
    EXPECT_EQ(system.findBody("Venus")->getState(), SimModeState::Hlight);
    system.showAstrBodies("Venus All");
    EXPECT_EQ(system.findBody("Earth")->getState(), SimModeState::Show);
}

TEST_F(SsystemListsTest, LookupsFindTheFirstBodyOfANameInListOrder) {
    DsAstrBody* sun = system.findBody("Sun");
    ASSERT_NE(sun, nullptr);
    const auto addAsteroid = [&](const std::string& name) {
        auto body = std::make_unique<DsAsteroid>(name, sun, &system);
        DsAstrBody* raw = body.get();
        sun->addChild(std::move(body));
        return raw;
    };
    DsAstrBody* first = addAsteroid("Twin");
    DsAstrBody* second = addAsteroid("Twin");
    EXPECT_EQ(system.findBody("Twin"), first);
    sun->removeChildrenIf([&](const DsAstrBody& b) { return &b == first; });
    EXPECT_EQ(system.findBody("Twin"), second);

    // An orbit file's "Name:" renames the body; an earlier body taking a
    // later body's name is found first.
    write("data/orbits/named.orb", "Name: Renamed\nA: 2.5\n");
    DsAstrBody* early = addAsteroid("Early");
    DsAstrBody* late = addAsteroid("Renamed");
    early->loadOrbitFile(dir.file("data/orbits/named.orb"));
    EXPECT_EQ(early->getName(), "Renamed");
    EXPECT_EQ(system.findBody("Early"), nullptr);
    EXPECT_EQ(system.findBody("Renamed"), early);
    sun->removeChildrenIf([&](const DsAstrBody& b) { return &b == early; });
    EXPECT_EQ(system.findBody("Renamed"), late);
    EXPECT_EQ(system.findBody("Mars"), system.getAllBodies()[size_t(indexOf("Mars"))]);
}

TEST_F(SsystemListsTest, AListReadsEachElementFileOnceForTheSameSets) {
    write("data/asatellites.dal", head + "ISS_(ZARYA) \nHST \nTWO_WORDS \nNOAA_19 \n");
    ASSERT_TRUE(system.loadASatelliteList("./data/asatellites.dal"));
    std::vector<TwoLineElements> listed;
    for (const DsAstrBody* body : system.getAllBodies()) {
        if (body->getType() == DsAstrBody::ASatellite)
            listed.push_back(static_cast<const DsASatellite*>(body)->getElementSet());
    }
    ASSERT_EQ(names(DsAstrBody::ASatellite), "ISS_(ZARYA) HST TWO_WORDS NOAA_19 ");
    // One by one, each satellite reads its file on its own.
    system.removeASatellite("All");
    for (const char* name : {"ISS_(ZARYA)", "HST", "TWO_WORDS", "NOAA_19"})
        system.addASatellite(name);
    size_t i = 0;
    for (const DsAstrBody* body : system.getAllBodies()) {
        if (body->getType() != DsAstrBody::ASatellite)
            continue;
        ASSERT_LT(i, listed.size());
        const TwoLineElements& alone = static_cast<const DsASatellite*>(body)->getElementSet();
        EXPECT_GT(alone.meanMotion, 0.0) << body->getName();
        EXPECT_EQ(alone.epochJd, listed[i].epochJd) << body->getName();
        EXPECT_EQ(alone.inclination, listed[i].inclination) << body->getName();
        EXPECT_EQ(alone.eccentricity, listed[i].eccentricity) << body->getName();
        EXPECT_EQ(alone.meanMotion, listed[i].meanMotion) << body->getName();
        ++i;
    }
    EXPECT_EQ(i, listed.size());
    // Loading the list again gives the same bodies.
    ASSERT_TRUE(system.loadASatelliteList("./data/asatellites.dal"));
    EXPECT_EQ(names(DsAstrBody::ASatellite), "ISS_(ZARYA) HST TWO_WORDS NOAA_19 ");
}
