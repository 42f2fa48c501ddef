// Runs the command driver program with arguments and collects what it printed.
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <string>

#include "support/TestEnv.h"

namespace orvextest {

struct CmdResult {
    int status;
    std::string out;
    std::string err;
};

// leakCheck false runs the driver without the leak checker: with a GL view
// its thread-stopping tracer crashes now and then at exit (in the checker's
// runtime, on the GL driver's threads); the engine's own leaks are checked
// by the GL tests that run it in their process.
inline CmdResult orvexCmd(const QStringList& arguments, bool leakCheck = true) {
    QProcess process;
    if (!leakCheck) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ASAN_OPTIONS", "detect_leaks=0");
        process.setProcessEnvironment(environment);
    }
    process.start(QString(ORVEX_BUILD_DIR) + "/orvex-cmd", arguments);
    if (!process.waitForFinished(120000))
        return {-1, "", "did not finish"};
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

// The driver with a GL view (-g) runs without the leak checker.
inline CmdResult orvexCmdGL(const QStringList& arguments) {
    return orvexCmd(arguments, false);
}

inline QString qpath(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace orvextest
