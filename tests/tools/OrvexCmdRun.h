// Runs the command driver program with arguments and collects what it printed.
#pragma once

#include <QProcess>
#include <QStringList>
#include <string>

#include "support/TestEnv.h"

namespace orvextest {

struct CmdResult {
    int status;
    std::string out;
    std::string err;
};

inline CmdResult orvexCmd(const QStringList& arguments) {
    QProcess process;
    process.start(QString(ORVEX_BUILD_DIR) + "/orvex-cmd", arguments);
    if (!process.waitForFinished(120000))
        return {-1, "", "did not finish"};
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

} // namespace orvextest
