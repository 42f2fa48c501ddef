// A root command object for tests of command classes: class word "Orvex" (as
// the application's root), a configuration reader that reads nothing, and a
// scratch data directory to configure it in, so that frames and the file
// writers work.
#pragma once

#include <fstream>
#include <memory>
#include <string>

#include <QDir>

#include "engine/Main.h"
#include "support/TestEnv.h"

namespace orvextest {

class TestRoot : public Main {
public:
    TestRoot() : Main("Orvex") {}

    int readConfigEntry(DataFile&) override {
        ++configReads;
        return 1;
    }

    // Writes a file under the data directory (made on first use), creating
    // its folders.
    void writeDataFile(const std::string& relativePath, const std::string& text) {
        if (!dir_) {
            dir_ = std::make_unique<TempDir>();
            setDataDir(dir_->path());
        }
        const std::string path = dir_->file(relativePath);
        QDir().mkpath(QString::fromStdString(path.substr(0, path.rfind('/'))));
        std::ofstream(path, std::ios::binary) << text;
    }
    // The text of a file under the data directory ("" when it is missing).
    std::string readDataFile(const std::string& relativePath) const {
        if (!dir_)
            return {};
        std::ifstream in(dir_->file(relativePath), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Reads the configuration from a scratch data directory with the given
    // initial-state and option texts and an empty configuration file.
    void configure(const std::string& initialStates = "", const std::string& options = "") {
        writeDataFile("data/config.def", "");
        writeDataFile("scenarios/init.scn", initialStates);
        writeDataFile("scenarios/options.scn", options);
        init();
    }

    int configReads = 0;

private:
    std::unique_ptr<TempDir> dir_;
};

} // namespace orvextest
