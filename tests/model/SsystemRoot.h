// A root with the Ssystem of tests/data/model/commands.def and a fake camera,
// for the tests of the Ssystem command words: lines in, value texts out.
//
// Bodies in list order: Sun 0, Mercury 1 (hidden in sim mode 1), Earth 2
// (places Tokyo and the home place Greenwich), Moon 3, Vulcan 4 (hidden by
// the data), Dot 5 (radius rate 0 in sim mode 0), Halley 6, Ceres 7.
//
// The object lists work in a scratch data directory: two comets, two
// asteroids, a spacecraft and a satellite in the orbit directories, and the
// default lists naming 1P/Halley, Pallas, Probe, HST and the place Osaka.
#pragma once

#include <fstream>
#include <string>

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "FakeModelServices.h"
#include "model/Ssystem.h"
#include "support/TestEnv.h"
#include "support/TestRoot.h"

class SsystemRoot : public ::testing::Test {
protected:
    SsystemRoot() {
        view.interp = &root.interp;
        view.lists.dataDir = data.path();
        for (const char* orbit : {"comets/1P_Halley.orb", "comets/2P_Encke.orb",
                                  "asteroids/Ceres.orb", "asteroids/Pallas.orb"})
            QFile::copy(QString::fromStdString(orvextest::shareDir() + "/data/orbits/" + orbit),
                        QString::fromStdString(dataFile(std::string("orbits/") + orbit)));
        write("orbits/spacecrafts/probe.dsc",
              "Name: Probe\nOrbitData: 2\n2458000.5 1 2 3\n2458001.5 4 5 6\n");
        write("orbits/asatellites/science.tle",
              "HST\n1 20580U 90037B   18020.43993022  .00000491  00000-0  19169-4 0  9991\n"
              "2 20580  28.4708  11.7463 0002625 356.7372 136.7243 15.08965836323135\n");
        const std::string head = "Version: 7.0 \nLocale: en_us \n\n";
        write("comets.dcl", head + "1P/Halley \n");
        write("asteroids.dal", head + "Pallas \n");
        write("comets.dsl", head + "Probe \n");
        write("asatellites.dal", head + "HST \n");
        write("places.dpl", head + "Earth Osaka 34.6937 135.5023 \n");
        EXPECT_EQ(system.readData(orvextest::dataPath("model/commands.def")), 1);
    }

    // Runs a line; the result of the interpreter.
    int run(const std::string& line) { return root.interp.executeLine(line); }
    // The value text of an Ssystem word.
    std::string query(const std::string& word) { return root.getCommandValue("Ssystem." + word); }

    // A file under the scratch data directory's "data" folder.
    std::string dataFile(const std::string& name) const {
        const std::string path = data.file("data/" + name);
        QDir().mkpath(QString::fromStdString(path.substr(0, path.rfind('/'))));
        return path;
    }
    void write(const std::string& name, const std::string& text) {
        std::ofstream(dataFile(name)) << text;
    }

    orvextest::TempDir data;
    orvextest::TestRoot root;
    FakeModelServices view;
    Ssystem system{&root, &view};
};
