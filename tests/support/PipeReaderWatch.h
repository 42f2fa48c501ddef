// Notices whether any program opens a named pipe for reading while it lives:
// a writer's open without waiting succeeds only then (and, closed at once,
// lets that reader go on to the end of its file, so a faulty open never
// holds a test).
#pragma once

#include <QFile>
#include <QString>
#include <atomic>
#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>

namespace orvextest {

class PipeReaderWatch {
public:
    explicit PipeReaderWatch(const QString& pipe)
        : path_(QFile::encodeName(pipe).toStdString()), thread_([this] {
              while (!stop_) {
                  const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                  if (fd >= 0) {
                      opened_ = true;
                      ::close(fd);
                  }
                  usleep(2000);
              }
          }) {}
    ~PipeReaderWatch() {
        stop_ = true;
        thread_.join();
    }
    bool opened() const { return opened_; }

private:
    std::string path_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> opened_{false};
    std::thread thread_;
};

} // namespace orvextest
