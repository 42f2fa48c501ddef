// The shipped data set in a scratch directory, which is the working directory
// while the object lives. Folders are real folders and every file the program
// may write (lists, places, scenarios, configuration, bookmarks: everything in
// a small folder) is a real copy, since a save that follows a link would write
// into share/. Only images and the large orbit folders (linked whole, as
// thousands of links would take seconds) are links: a test that adds or
// removes orbit files names that folder to have it copied. The paths named
// (relative to share/, a file or a folder) are copied whole.
#pragma once

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
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

    // The shipped first view starts the clock at the present; a test whose
    // picture depends on where the bodies are starts it at a fixed time
    // instead ("2027 3 20 12 0 0", UTC fields), so that nothing depends on
    // the day the test runs. False when the initial state has no such line.
    bool startAt(const std::string& utcFields) const {
        std::istringstream in(read("scenarios/init.scn"));
        std::string text;
        bool found = false;
        for (std::string line; std::getline(in, line); text += line + "\n")
            if (line == "Timer.SetNow") {
                line = "Timer.TimeText " + utcFields;
                found = true;
            }
        std::ofstream(dir_.file("scenarios/init.scn"), std::ios::trunc) << text;
        return found;
    }
    std::string read(const std::string& relativePath) const {
        std::ifstream in(dir_.file(relativePath), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    // Folders with more files than this hold orbit files by the thousand.
    static constexpr std::size_t largeFolder = 100;

    static bool isLarge(const std::filesystem::path& dir) {
        namespace fs = std::filesystem;
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir),
                                                      fs::directory_iterator())) > largeFolder;
    }

    static bool isImage(const std::filesystem::path& path) {
        std::string ext = path.extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), ::tolower);
        return ext == ".jpg" || ext == ".jpeg" || ext == ".png" || ext == ".bmp" || ext == ".rgb";
    }

    bool holdsCopied(const std::string& folder) const {
        return std::any_of(copied_.begin(), copied_.end(), [&folder](const std::string& path) {
            return path.rfind(folder + "/", 0) == 0;
        });
    }

    void mirror(const std::filesystem::path& from, const std::filesystem::path& to,
                const std::string& prefix) const {
        namespace fs = std::filesystem;
        for (const auto& entry : fs::directory_iterator(from)) {
            const std::string name = prefix + entry.path().filename().string();
            const fs::path target = to / entry.path().filename();
            if (std::find(copied_.begin(), copied_.end(), name) != copied_.end()) {
                fs::copy(entry.path(), target, fs::copy_options::recursive);
            } else if (entry.is_directory() && (!isLarge(entry.path()) || holdsCopied(name))) {
                fs::create_directory(target);
                mirror(entry.path(), target, name + "/");
            } else if (entry.is_directory() || isImage(entry.path())) {
                fs::create_symlink(entry.path(), target);
            } else {
                fs::copy_file(entry.path(), target);
            }
        }
    }

    std::vector<std::string> copied_;
    TempDir dir_;
    platform::CurrentDirGuard guard_;
};

} // namespace orvextest
