#include "platform/GlDriverPin.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <string>
#include <vector>

namespace platform {

namespace {

bool isGlDriver(const char* path) {
    static const char suffix[] = "_dri.so";
    const std::size_t n = std::strlen(path);
    return n >= sizeof suffix - 1 && std::strcmp(path + n - (sizeof suffix - 1), suffix) == 0;
}

} // namespace

void keepGlDriversLoaded() {
    std::vector<std::string> drivers;
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void* found) {
            if (info->dlpi_name && isGlDriver(info->dlpi_name))
                static_cast<std::vector<std::string>*>(found)->push_back(info->dlpi_name);
            return 0;
        },
        &drivers);
    // Opening a loaded module again with RTLD_NODELETE marks it for good;
    // the extra reference is never given back.
    for (const std::string& path : drivers)
        dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
}

} // namespace platform
