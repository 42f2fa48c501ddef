#include "engine/LogMessage.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <iterator>
#include <mutex>

namespace {

void defaultSink(const std::string& message) {
    std::string text = message;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    std::fprintf(stderr, "orvex: %s\n", text.c_str());
}

thread_local bool silenced = false;

// Where messages go. The captures of every thread and the sink are kept under
// one lock, which a message holds until it is delivered: a capture or sink
// taken out is never called afterwards, whichever thread logs.
struct Route {
    std::recursive_mutex mutex;
    LogSink sink;                         // empty: the standard error stream
    std::vector<const LogSink*> captures; // the newest last
};

Route& route() {
    static Route r;
    return r;
}

// The captures of the calling thread alone, the newest last.
thread_local std::vector<const LogSink*> threadCaptures;

void deliver(const std::string& text) {
    if (!threadCaptures.empty()) {
        (*threadCaptures.back())(text);
        return;
    }
    Route& r = route();
    const std::lock_guard<std::recursive_mutex> lock(r.mutex);
    if (!r.captures.empty())
        (*r.captures.back())(text);
    else if (r.sink)
        r.sink(text);
    else
        defaultSink(text);
}

void removeCapture(std::vector<const LogSink*>& captures, const LogSink* capture) {
    const auto it = std::find(captures.rbegin(), captures.rend(), capture);
    if (it != captures.rend())
        captures.erase(std::next(it).base());
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
    deliver(text);
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
    Route& r = route();
    const std::lock_guard<std::recursive_mutex> lock(r.mutex);
    LogSink old = std::move(r.sink);
    r.sink = std::move(sink);
    return old;
}

LogSilence::LogSilence() : previous_(silenced) {
    silenced = true;
}

LogSilence::~LogSilence() {
    silenced = previous_;
}

LogCapture::LogCapture(Threads threads)
    : take_([this](const std::string& message) {
          const std::lock_guard<std::mutex> lock(mutex_);
          messages_.push_back(message);
      }),
      callingThreadOnly_(threads == Threads::Calling) {
    if (callingThreadOnly_) {
        threadCaptures.push_back(&take_);
        return;
    }
    Route& r = route();
    const std::lock_guard<std::recursive_mutex> lock(r.mutex);
    r.captures.push_back(&take_);
}

LogCapture::~LogCapture() {
    if (callingThreadOnly_) {
        removeCapture(threadCaptures, &take_);
        return;
    }
    Route& r = route();
    const std::lock_guard<std::recursive_mutex> lock(r.mutex);
    removeCapture(r.captures, &take_);
}

std::vector<std::string> LogCapture::messages() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return messages_;
}

bool LogCapture::contains(const std::string& text) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& m : messages_)
        if (m.find(text) != std::string::npos)
            return true;
    return false;
}

void LogCapture::clear() {
    const std::lock_guard<std::mutex> lock(mutex_);
    messages_.clear();
}
