// Changes the process's working directory for a scope and changes back when
// the scope ends, on every way out. Every file operation runs this way with
// the data directory current, so relative paths resolve against it.
#pragma once

#include <string>

namespace platform {

class CurrentDirGuard {
public:
    // Remembers the current directory without changing it.
    CurrentDirGuard();
    // Remembers the current directory and changes into dir.
    explicit CurrentDirGuard(const std::string& dir);
    ~CurrentDirGuard();
    CurrentDirGuard(const CurrentDirGuard&) = delete;
    CurrentDirGuard& operator=(const CurrentDirGuard&) = delete;

    // Changes into dir (relative to the current directory); false when it
    // cannot, and the directory stays as it was.
    bool change(const std::string& dir);
    // Whether the last change succeeded.
    bool ok() const { return ok_; }
    // The directory that is restored at the end.
    const std::string& previous() const { return previous_; }

private:
    std::string previous_;
    bool ok_ = true;
};

// The process's current working directory ("" when it cannot be read).
std::string currentDirectory();

} // namespace platform
