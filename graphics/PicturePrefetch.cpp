#include "graphics/PicturePrefetch.h"

#include <filesystem>
#include <future>
#include <map>
#include <mutex>

#include "engine/LogMessage.h"
#include "graphics/Image.h"

namespace picture_prefetch {

namespace {

using Decoded = std::future<std::unique_ptr<Image>>;

struct Store {
    std::mutex mutex;
    std::map<std::string, Decoded> pictures; // by absolute path
};

Store& store() {
    static Store s;
    return s;
}

// The current directory is the process's and may change while a decode runs:
// workers are given whole paths.
std::string absolutePath(const std::string& file) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(file, error);
    return error ? std::string() : path.lexically_normal().string();
}

std::unique_ptr<Image> decode(const std::string& path) {
    const LogSilence silence;
    auto picture = std::make_unique<Image>();
    if (!picture->load(path, 0))
        return nullptr;
    picture->makePowerOfTwo();
    return picture;
}

} // namespace

void request(const std::vector<std::string>& files) {
    Store& s = store();
    const std::lock_guard<std::mutex> lock(s.mutex);
    for (const std::string& file : files) {
        const std::string path = absolutePath(file);
        if (path.empty() || s.pictures.count(path) != 0)
            continue;
        try {
            s.pictures.emplace(path, std::async(std::launch::async, decode, path));
        } catch (const std::system_error&) {
            // No thread to be had: the load decodes the file itself.
        }
    }
}

std::unique_ptr<Image> take(const std::string& file) {
    Decoded decoded;
    {
        Store& s = store();
        const std::lock_guard<std::mutex> lock(s.mutex);
        if (s.pictures.empty())
            return nullptr;
        const auto it = s.pictures.find(absolutePath(file));
        if (it == s.pictures.end())
            return nullptr;
        decoded = std::move(it->second);
        s.pictures.erase(it);
    }
    return decoded.get();
}

void dropUntaken() {
    std::map<std::string, Decoded> untaken;
    {
        Store& s = store();
        const std::lock_guard<std::mutex> lock(s.mutex);
        untaken.swap(s.pictures);
    }
    // Each future waits for its decode as it goes.
}

int pending() {
    Store& s = store();
    const std::lock_guard<std::mutex> lock(s.mutex);
    return int(s.pictures.size());
}

} // namespace picture_prefetch
