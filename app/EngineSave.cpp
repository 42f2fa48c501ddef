#include "app/EngineSave.h"

#include <QCoreApplication>
#include <QStringList>
#include <mutex>
#include <vector>

#include "app/EngineLink.h"
#include "engine/LogMessage.h"

namespace {

// What the engine logged while the line ran, kept and then passed on to the
// sink that was there before. A thread reading ahead may log meanwhile.
class LoggedWhileSaving {
public:
    LoggedWhileSaving()
        : previous_(setLogSink([this](const std::string& m) {
              const std::lock_guard<std::mutex> lock(mutex_);
              messages_.push_back(m);
          })) {}
    ~LoggedWhileSaving() {
        setLogSink(std::move(previous_));
        const std::lock_guard<std::mutex> lock(mutex_);
        for (const std::string& message : messages_)
            logMessage("%s", message.c_str());
    }
    LoggedWhileSaving(const LoggedWhileSaving&) = delete;
    LoggedWhileSaving& operator=(const LoggedWhileSaving&) = delete;

    // The messages that tell why, one a line; the interpreter's note that the
    // command failed says nothing more.
    QString reasons() const {
        const std::lock_guard<std::mutex> lock(mutex_);
        QStringList lines;
        for (const std::string& message : messages_) {
            if (message.rfind("Command Error", 0) == 0)
                continue;
            // The scenario files' message breaks its line before the path.
            QString text = QString::fromLocal8Bit(message.c_str()).trimmed();
            text.replace(QLatin1String("\n."), QLatin1String("."));
            lines << text;
        }
        return lines.join(QLatin1Char('\n'));
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> messages_;
    LogSink previous_;
};

} // namespace

QString runEngineSave(EngineLink* engine, const std::string& line) {
    if (!engine || !engine->hasRoot())
        return QString();
    LoggedWhileSaving logged;
    if (engine->processScenarioLine(line) != 0)
        return QString();
    const QString reasons = logged.reasons();
    if (!reasons.isEmpty())
        return reasons;
    return QCoreApplication::translate("EngineSave", "The engine did not carry out %1.")
        .arg(QString::fromLocal8Bit(line.c_str()));
}
