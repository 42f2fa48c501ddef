// Paths and scratch space shared by the test programs.
#pragma once

#include <string>

#include <QTemporaryDir>

namespace orvextest {

// A file under tests/data.
inline std::string dataPath(const std::string& name) {
    return std::string(ORVEX_TEST_DATA_DIR) + "/" + name;
}

// The shipped data set (the program's working directory).
inline std::string shareDir() {
    return ORVEX_SHARE_DIR;
}

// The interface translations the build compiled.
inline std::string translationDir() {
    return std::string(ORVEX_BUILD_DIR) + "/translations";
}

// A scratch directory removed with the object.
class TempDir {
public:
    TempDir() { dir_.setAutoRemove(true); }
    std::string path() const { return dir_.path().toStdString(); }
    std::string file(const std::string& name) const { return path() + "/" + name; }

private:
    QTemporaryDir dir_;
};

} // namespace orvextest
