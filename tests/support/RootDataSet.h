// The root's small data set (tests/data/root) copied into a scratch directory,
// which is the working directory while the object lives: the engine takes it
// as its data directory, and files it writes go there.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/CurrentDirGuard.h"
#include "support/TestEnv.h"

namespace orvextest {

class RootDataSet {
public:
    RootDataSet() {
        std::filesystem::copy(dataPath("root"), dir_.path(),
                              std::filesystem::copy_options::recursive);
        guard_.change(dir_.path());
    }

    std::string path() const { return dir_.path(); }
    // Replaces (or adds) a file of the data set.
    void write(const std::string& relativePath, const std::string& text) const {
        std::ofstream(dir_.file(relativePath), std::ios::binary) << text;
    }
    std::string read(const std::string& relativePath) const {
        std::ifstream in(dir_.file(relativePath), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    TempDir dir_;
    platform::CurrentDirGuard guard_;
};

} // namespace orvextest
