// Main's gathered texts and the files it reads whole or writes: state,
// option and scenario files are command lines, one per line.
#include "engine/Main.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "platform/ByteOrderMark.h"
#include "platform/CurrentDirGuard.h"
#include "platform/ReadLimits.h"
#include "platform/RegularFile.h"

namespace {

// A text that does not end a line gets one LF (or two, in files).
std::string endLine(std::string text, const char* end) {
    if (!text.empty() && text.back() != '\n')
        text += end;
    return text;
}

bool isDefaultName(const std::string& name) {
    return name.empty() || name == "Default";
}

} // namespace

bool Main::readWholeFile(const std::string& path, std::string& text, std::string& why) {
    text.clear();
    why.clear();
    const auto refuse = [&](std::string reason) {
        why = std::move(reason);
        text.clear();
        return false;
    };
    if (path.empty())
        return refuse(std::strerror(ENOENT));
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(
        platform::openRegularFile(path, true, &why), &std::fclose);
    if (!file)
        return false;
    platform::skipByteOrderMark(file.get());
    const long textStart = std::max(0L, std::ftell(file.get())); // past the mark
    const std::string tooLong =
        "it is longer than " + std::to_string(platform::maxTextFileBytes) + " bytes";
    struct stat info {};
    if (::fstat(::fileno(file.get()), &info) == 0 &&
        static_cast<unsigned long long>(info.st_size) > platform::maxTextFileBytes)
        return refuse(tooLong);
    // Scenario texts end at the first NUL byte. Lines end at CR, LF or ";".
    std::size_t lineLength = 0;
    char piece[65536];
    for (;;) {
        const std::size_t got = std::fread(piece, 1, sizeof piece, file.get());
        if (got < sizeof piece && std::ferror(file.get()))
            return refuse(std::strerror(errno));
        const char* const end = std::find(piece, piece + got, '\0');
        for (const char* c = piece; c != end; ++c) {
            lineLength = *c == '\r' || *c == '\n' || *c == ';' ? 0 : lineLength + 1;
            if (lineLength > platform::maxLineBytes)
                return refuse("a line is longer than " + std::to_string(platform::maxLineBytes) +
                              " bytes");
        }
        if (text.size() + static_cast<std::size_t>(end - piece) > platform::maxTextFileBytes)
            return refuse(tooLong);
        text.append(piece, static_cast<std::size_t>(end - piece));
        if (end != piece + got) {
            // A NUL that only closes the text is no loss; one with more after
            // it (a damaged file, an endless one of zeros) is.
            if (end + 1 != piece + got || std::fgetc(file.get()) != EOF) {
                why = "a NUL byte at byte " + std::to_string(std::size_t(textStart) + text.size()) +
                      " ends its text";
                logMessage("Scenario file %s: %s; the rest is not read.", path.c_str(),
                           why.c_str());
            }
            break;
        }
        if (got < sizeof piece)
            break;
    }
    return true;
}

std::string Main::getLog() const {
    return endLine(interp.getLog(), "\n");
}

std::string Main::getStateText() {
    if (!configured)
        return {};
    return endLine(interp.saveStateAll(), "\n");
}

std::string Main::getOptionsText() {
    if (!configured)
        return {};
    return endLine(interp.saveOptionsAll(), "\n");
}

int Main::saveStateFile(const std::string& file) {
    if (!configured)
        return 0;
    return writeScenarioFile(isDefaultName(file) ? initStatesFile : file,
                             endLine(interp.saveStateAll(), "\n\n"));
}

int Main::saveOptionsFile(const std::string& file) {
    if (!configured)
        return 0;
    return writeScenarioFile(isDefaultName(file) ? optionsFile : file,
                             endLine(interp.saveOptionsAll(), "\n\n"));
}

int Main::saveScenario(const std::string& file) {
    if (!configured)
        return 0;
    return writeScenarioFile(isDefaultName(file) ? initStatesFile : file, scenario.getText());
}

int Main::writeScenarioFile(const std::string& file, const std::string& text) {
    const platform::CurrentDirGuard dataGuard(dataDir);
    const std::string path = scenarioPath(file);
    const auto refused = [&](const std::string& reason) {
        logFileFailure("Could not save scenario file " + file + "\n.", path, reason);
        return 0;
    };
    // The lines after the part read would be lost.
    const std::string cut = partlyRead_.refusal(path);
    if (!cut.empty())
        return refused(cut);
    const auto failed = [&](const DataFile& out) { return refused(out.error()); };
    DataFile out;
    if (!out.open(path, DataFile::Write, 0, DataFile::HostOrder))
        return failed(out);
    // The text form writes a blank after the text (but "\n" alone as it is).
    out.writeText(text.c_str());
    if (!out.close())
        return failed(out);
    return 1;
}
