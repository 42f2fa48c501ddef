#include "platform/PartlyReadFiles.h"

#include <cstdlib>
#include <memory>

namespace platform {

std::string realFilePath(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

void PartlyReadFiles::note(const std::string& path, const std::string& reason) {
    const std::string file = realFilePath(path);
    if (file.empty())
        return;
    if (reason.empty())
        files_.erase(file);
    else
        files_[file] = reason;
}

std::string PartlyReadFiles::refusal(const std::string& path) const {
    const auto it = files_.find(realFilePath(path));
    if (it == files_.end())
        return std::string();
    return "it was not read whole (" + it->second +
           "); it is left as it is until a load reads it whole";
}

} // namespace platform
