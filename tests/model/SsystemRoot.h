// A root with the Ssystem of tests/data/model/commands.def and a fake camera,
// for the tests of the Ssystem command words: lines in, value texts out.
//
// Bodies in list order: Sun 0, Mercury 1 (hidden in sim mode 1), Earth 2
// (places Tokyo and the home place Greenwich), Moon 3, Vulcan 4 (hidden by
// the data), Dot 5 (radius rate 0 in sim mode 0), Halley 6, Ceres 7.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "FakeModelServices.h"
#include "model/Ssystem.h"
#include "support/TestEnv.h"
#include "support/TestRoot.h"

class SsystemRoot : public ::testing::Test {
protected:
    SsystemRoot() {
        view.interp = &root.interp;
        EXPECT_EQ(system.readData(orvextest::dataPath("model/commands.def")), 1);
    }

    // Runs a line; the result of the interpreter.
    int run(const std::string& line) { return root.interp.executeLine(line); }
    // The value text of an Ssystem word.
    std::string query(const std::string& word) { return root.getCommandValue("Ssystem." + word); }

    orvextest::TestRoot root;
    FakeModelServices view;
    Ssystem system{&root, &view};
};
