#include "platform/PartlyReadFiles.h"

#include <cstdlib>
#include <memory>
#include <sys/stat.h>

namespace platform {

std::string realFilePath(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    return resolved ? std::string(resolved.get()) : std::string();
}

bool FileIdentity::operator==(const FileIdentity& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
}

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino, info.st_size, info.st_mtim};
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
