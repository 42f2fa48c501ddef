// Runs the command driver program for the driver tests.
#pragma once

#include <string>

#include <QProcess>
#include <QStringList>

struct CmdResult {
    int status;
    std::string out;
    std::string err;
};

inline CmdResult orvexCmd(const QStringList& arguments) {
    QProcess process;
    process.start(QString(ORVEX_BUILD_DIR) + "/orvex-cmd", arguments);
    if (!process.waitForFinished(60000))
        return {-1, "", "did not finish"};
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}
