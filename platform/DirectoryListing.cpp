#include "platform/DirectoryListing.h"

#include <algorithm>
#include <filesystem>
#include <fnmatch.h>
#include <system_error>

namespace platform {

std::vector<std::string> listFiles(const std::string& dir, const std::string& pattern) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(dir.empty() ? "." : dir, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code statError;
        if (!it->is_regular_file(statError)) // follows links, as opening would
            continue;
        std::string name = it->path().filename().string();
        if (pattern.empty() || fnmatch(pattern.c_str(), name.c_str(), 0) == 0)
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace platform
