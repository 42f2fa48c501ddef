#include "platform/CurrentDirGuard.h"

#include <filesystem>
#include <system_error>

#include "engine/LogMessage.h"

namespace platform {

std::string currentDirectory() {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::current_path(error);
    return error ? std::string() : path.string();
}

CurrentDirGuard::CurrentDirGuard() : previous_(currentDirectory()) {}

CurrentDirGuard::CurrentDirGuard(const std::string& dir) : CurrentDirGuard() {
    change(dir);
}

CurrentDirGuard::~CurrentDirGuard() {
    if (previous_.empty())
        return;
    std::error_code error;
    std::filesystem::current_path(previous_, error);
    if (error)
        logMessage("Can't change back to directory %s.", previous_.c_str());
}

bool CurrentDirGuard::change(const std::string& dir) {
    std::error_code error;
    std::filesystem::current_path(dir, error);
    ok_ = !error;
    return ok_;
}

} // namespace platform
