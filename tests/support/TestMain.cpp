// Test entry point: the Qt application object is created only when tests
// actually run, so that listing them (test discovery) needs no display.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <clocale>
#include <cstdlib>
#include <memory>

#include "platform/CurrentDirGuard.h"
#include "platform/GlDriverPin.h"
#include "support/TestEnv.h"

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "orvex-tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
        // With a display the platform has loaded the GL driver: it must stay
        // for the leak check at exit.
        platform::keepGlDriversLoaded();
        // Qt sets the C library to the user's locale; the engine's numbers are C-locale.
        std::setlocale(LC_NUMERIC, "C");
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

// Each test runs in a working directory of its own, removed after it: what a
// window writes beside itself (the bookmarks) lands there, not where the
// program was started, and no later test finds it.
class ScratchWorkingDirectory : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override {
        dir_ = std::make_unique<QTemporaryDir>();
        inDir_ = std::make_unique<platform::CurrentDirGuard>(dir_->path().toStdString());
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        inDir_.reset();
        dir_.reset();
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<platform::CurrentDirGuard> inDir_;
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ScratchWorkingDirectory);
    return RUN_ALL_TESTS();
}
