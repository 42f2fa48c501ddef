// Runs the command driver program with arguments and gives its standard
// output, and its exit status (-1 when it did not finish in a minute).
#pragma once

#include <string>

#include <QProcess>
#include <QStringList>

#include "support/TestEnv.h"

namespace orvextest {

inline std::string runOrvexCmd(const QStringList& arguments, int& status) {
    QProcess process;
    process.start(QString(ORVEX_BUILD_DIR) + "/orvex-cmd", arguments);
    status = process.waitForFinished(60000) ? process.exitCode() : -1;
    return process.readAllStandardOutput().toStdString();
}

} // namespace orvextest
