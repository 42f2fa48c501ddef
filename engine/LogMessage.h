// The one sink every error and trace message of the system is handed to.
// Messages never change what the engine does: callers learn of failures from
// results. By default they go to the standard error stream; the program and
// the tests may route them elsewhere.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

void logMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A failure to open or save a file: the message as it stands, then the
// file's path and the system's reason, as in "Could not save comet list file.
// ./data/comets.dcl: No space left on device" (a line feed that ends the
// message ends the whole text).
void logFileFailure(const std::string& message, const std::string& path, const std::string& reason);

using LogSink = std::function<void(const std::string& message)>;

// Replaces the sink; an empty function restores the default. Returns the old
// one. Any thread may log and set the sink: once this returns, no thread
// calls the old one any more.
LogSink setLogSink(LogSink sink);

// Silences the messages of the calling thread while it lives: for work done
// ahead on a worker thread whose failures are met, and reported, again when
// the work is done for real.
class LogSilence {
public:
    LogSilence();
    ~LogSilence();
    LogSilence(const LogSilence&) = delete;
    LogSilence& operator=(const LogSilence&) = delete;

private:
    bool previous_;
};

// Collects the messages logged while it lives, for tests and for a window
// that shows what one command said; the newest capture takes them, and the
// sink does not see them. One made for the calling thread takes only what
// that thread logs, before any other capture, and must end on that thread;
// the other threads' messages go on as before.
class LogCapture {
public:
    enum class Threads { All, Calling };

    explicit LogCapture(Threads threads = Threads::All);
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<std::string> messages() const;
    // True when some message contains the text.
    bool contains(const std::string& text) const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<std::string> messages_;
    const LogSink take_;
    const bool callingThreadOnly_;
};
