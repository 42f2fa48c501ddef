#include "engine/LogMessage.h"

#include <cstdarg>
#include <cstdio>

namespace {

void defaultSink(const std::string& message) {
    std::string text = message;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    std::fprintf(stderr, "orvex: %s\n", text.c_str());
}

thread_local bool silenced = false;

LogSink& currentSink() {
    static LogSink sink;
    return sink;
}

} // namespace

void logMessage(const char* format, ...) {
    if (silenced)
        return;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, args);
        text.resize(static_cast<size_t>(length));
    }
    va_end(args);
    if (currentSink())
        currentSink()(text);
    else
        defaultSink(text);
}

void logFileFailure(const std::string& message, const std::string& path,
                    const std::string& reason) {
    std::string text = message;
    std::string end;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        end.insert(end.begin(), text.back());
        text.pop_back();
    }
    logMessage("%s %s: %s%s", text.c_str(), path.c_str(), reason.c_str(), end.c_str());
}

LogSink setLogSink(LogSink sink) {
    LogSink old = std::move(currentSink());
    currentSink() = std::move(sink);
    return old;
}

LogSilence::LogSilence() : previous_(silenced) {
    silenced = true;
}

LogSilence::~LogSilence() {
    silenced = previous_;
}

LogCapture::LogCapture() {
    previous_ = setLogSink([this](const std::string& m) { messages_.push_back(m); });
}

LogCapture::~LogCapture() {
    setLogSink(std::move(previous_));
}

bool LogCapture::contains(const std::string& text) const {
    for (const auto& m : messages_)
        if (m.find(text) != std::string::npos)
            return true;
    return false;
}
