// Scratch files for the reader tests.
#pragma once

#include <fstream>
#include <memory>
#include <string>

#include "engine/DataFile.h"
#include "model/Ssystem.h"
#include "support/TestEnv.h"

// Writes the text to a file of the directory and returns its path.
inline std::string writeFile(const orvextest::TempDir& dir, const std::string& name,
                             const std::string& text) {
    std::ofstream(dir.file(name)) << text;
    return dir.file(name);
}

// A system with the given number of sim modes and no bodies.
inline std::unique_ptr<Ssystem> systemWithModes(const orvextest::TempDir& dir, int modes) {
    std::string text;
    for (int i = 0; i < modes; ++i)
        text += "DefineSimMode: Mode" + std::to_string(i) + " 1 1 1 1\n";
    auto system = std::make_unique<Ssystem>(nullptr);
    system->readData(writeFile(dir, "modes.def", text));
    return system;
}
