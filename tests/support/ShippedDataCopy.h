// The shipped data set in a scratch directory, which is the working directory
// while the object lives. Everything is linked to share/, except the paths
// named (relative to share/, a file or a folder), which are real copies: what
// the engine writes there stays in the scratch directory.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/CurrentDirGuard.h"
#include "support/TestEnv.h"

namespace orvextest {

class ShippedDataCopy {
public:
    explicit ShippedDataCopy(std::vector<std::string> copied) : copied_(std::move(copied)) {
        mirror(shareDir(), dir_.path(), "");
        guard_.change(dir_.path());
    }

    std::string path() const { return dir_.path(); }
    std::string read(const std::string& relativePath) const {
        std::ifstream in(dir_.file(relativePath), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    void mirror(const std::filesystem::path& from, const std::filesystem::path& to,
                const std::string& prefix) const {
        namespace fs = std::filesystem;
        for (const auto& entry : fs::directory_iterator(from)) {
            const std::string name = prefix + entry.path().filename().string();
            const fs::path target = to / entry.path().filename();
            const auto holds = [&name](const std::string& path) {
                return path.rfind(name + "/", 0) == 0;
            };
            if (std::find(copied_.begin(), copied_.end(), name) != copied_.end()) {
                fs::copy(entry.path(), target, fs::copy_options::recursive);
            } else if (std::any_of(copied_.begin(), copied_.end(), holds)) {
                fs::create_directory(target);
                mirror(entry.path(), target, name + "/");
            } else {
                fs::create_symlink(entry.path(), target);
            }
        }
    }

    std::vector<std::string> copied_;
    TempDir dir_;
    platform::CurrentDirGuard guard_;
};

} // namespace orvextest
