// The files that a load did not read whole (a line past the limit, a failed
// read, a NUL byte in a text), so that no save writes the part it read over
// them. The list loads keep one, and so do the options loads.
#pragma once

#include <map>
#include <string>

namespace platform {

// The real path of a file (links and "." resolved, against the current
// directory); empty when there is no such file.
std::string realFilePath(const std::string& path);

// A file counts as the same whatever path names it.
class PartlyReadFiles {
public:
    // How the load of path (against the current directory) ended: reason
    // says why it stopped early, and is empty when it read the whole file.
    void note(const std::string& path, const std::string& reason);
    // Why a save over path must leave the file as it is; empty when it was
    // read whole, or never read.
    std::string refusal(const std::string& path) const;

private:
    std::map<std::string, std::string> files_;
};

} // namespace platform
