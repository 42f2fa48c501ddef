// What every fuzzing harness shares: the input as a file in a scratch
// directory (the readers open files by name), a silent log, and the Qt
// application the text rasteriser needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// A directory of this process, removed at exit.
const std::string& scratchDir();
// Writes the bytes to name under the scratch directory (folders made) and
// returns the file's path.
std::string writeInput(const uint8_t* data, std::size_t size, const std::string& name);
std::string writeInput(const std::string& text, const std::string& name);
// Drops log messages: a reader's complaints are expected and only slow the
// fuzzer down.
void silenceLog();
// A QGuiApplication on the offscreen platform, made once. Objects a harness
// keeps between runs are never destroyed either, for the same reason.
void ensureApplication();

// The reader a harness of several readers runs: the one the environment
// variable ORVEX_FUZZ_READER numbers (the whole input is then its file), else
// the first input byte picks it and the rest is the file. tools/fuzz.sh
// fuzzes each reader on its own this way.
struct Selected {
    unsigned choice = 0;
    std::string rest;
};
Selected select(const uint8_t* data, std::size_t size, unsigned choices);

} // namespace fuzz
