#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <QGuiApplication>

#include "engine/LogMessage.h"

namespace fuzz {

namespace {

struct Scratch {
    std::string path;
    Scratch() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "orvex-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path = pattern;
    }
    ~Scratch() {
        std::error_code ignored;
        if (!path.empty())
            std::filesystem::remove_all(path, ignored);
    }
};

} // namespace

const std::string& scratchDir() {
    static Scratch scratch;
    return scratch.path;
}

std::string writeInput(const uint8_t* data, std::size_t size, const std::string& name) {
    const std::filesystem::path path = std::filesystem::path(scratchDir()) / name;
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        if (size > 0)
            std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    return path.string();
}

std::string writeInput(const std::string& text, const std::string& name) {
    return writeInput(reinterpret_cast<const uint8_t*>(text.data()), text.size(), name);
}

void silenceLog() {
    setLogSink([](const std::string&) {});
}

void ensureApplication() {
    if (QGuiApplication::instance())
        return;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "orvex-fuzz";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at exit Qt's own globals may already be gone.
    new QGuiApplication(argc, argv);
}

Selected select(const uint8_t* data, std::size_t size, unsigned choices) {
    Selected out;
    static const char* fixed = std::getenv("ORVEX_FUZZ_READER");
    if (fixed && *fixed) {
        out.choice = unsigned(std::atoi(fixed)) % choices;
        out.rest.assign(reinterpret_cast<const char*>(data), size);
        return out;
    }
    if (size == 0)
        return out;
    out.choice = data[0] % choices;
    out.rest.assign(reinterpret_cast<const char*>(data + 1), size - 1);
    return out;
}

} // namespace fuzz
