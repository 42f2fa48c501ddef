#include "app/EngineSave.h"

#include <QCoreApplication>
#include <QStringList>
#include <vector>

#include "app/EngineLink.h"
#include "engine/LogMessage.h"

namespace {

// The messages that tell why, one a line; the interpreter's note that the
// command failed says nothing more.
QString reasonsIn(const std::vector<std::string>& messages) {
    QStringList lines;
    for (const std::string& message : messages) {
        if (message.rfind("Command Error", 0) == 0)
            continue;
        // The scenario files' message breaks its line before the path.
        QString text = QString::fromLocal8Bit(message.c_str()).trimmed();
        text.replace(QLatin1String("\n."), QLatin1String("."));
        lines << text;
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString runEngineSave(EngineLink* engine, const std::string& line) {
    if (!engine || !engine->hasRoot())
        return QString();
    std::vector<std::string> said;
    int done = 0;
    {
        // Only what this line logged: threads reading ahead may log meanwhile,
        // and their messages go to the log as ever.
        const LogCapture logged(LogCapture::Threads::Calling);
        done = engine->processScenarioLine(line);
        said = logged.messages();
    }
    for (const std::string& message : said)
        logMessage("%s", message.c_str());
    if (done != 0)
        return QString();
    const QString reasons = reasonsIn(said);
    if (!reasons.isEmpty())
        return reasons;
    return QCoreApplication::translate("EngineSave", "The engine did not carry out %1.")
        .arg(QString::fromLocal8Bit(line.c_str()));
}
