// The GL view on the root's small data set: start-up, frames, pictures, input
// and a rebuild of the engine in a new GL context.
#include <GL/glew.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QGLFormat>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTextCodec>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/DisplayConfig.h"
#include "engine/KeyMap.h"
#include "engine/Orvex.h"
#include "engine/OrvexGL.h"
#include "engine/Timer.h"
#include "engine/ViewMatrix.h"
#include "graphics/TextBitmap.h"
#include "platform/CurrentDirGuard.h"
#include "platform/CursorPosition.h"
#include "support/GlTestContext.h"
#include "support/RootDataSet.h"
#include "view/Camera.h"

namespace {

// The view with the toolkit's GL entry points opened up, as if the toolkit
// called them.
class TestView : public OrvexGL {
public:
    using OrvexGL::initializeGL;
    using OrvexGL::paintGL;
    using OrvexGL::resizeGL;
    using QGLWidget::setAutoBufferSwap;
};

class OrvexGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        view = std::make_unique<TestView>();
        // Frames run only when a test asks, each 100 ms long (3 nominal
        // frames), and the picture stays in the back buffer to be read.
        view->setRepaintTimer(false);
        view->setFixedFrameMs(100);
        view->setAutoBufferSwap(false);
        updated = std::make_unique<QSignalSpy>(view.get(), &OrvexGL::updated);
        keyEvents = std::make_unique<QSignalSpy>(view.get(), &OrvexGL::keyEvent);
        scenarioEnds = std::make_unique<QSignalSpy>(view.get(), &OrvexGL::scenarioEnd);
        view->resize(64, 48);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        orvextest::pinGlDriver();
        view->updateGL();
        ASSERT_NE(root(), nullptr);
        ASSERT_TRUE(root()->isConfigured());
        // Paints of the window system have run frames too: count from here.
        started = {int(keyEvents->count()), int(updated->count())};
        updated->clear();
        keyEvents->clear();
        scenarioEnds->clear();
    }

    Orvex* root() const { return view->getRoot(); }
    int run(const std::string& line) { return root()->processScenarioLine(line); }
    std::string query(const std::string& name) { return root()->getCommandValue(name); }
    void frames(int count) {
        for (int i = 0; i < count; ++i)
            view->updateGL();
    }
    // RGB of a pixel of the last frame, origin at the bottom left.
    unsigned pixel(int x, int y) {
        view->makeCurrent();
        unsigned char rgba[4] = {0, 0, 0, 0};
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return (unsigned(rgba[0]) << 16) | (unsigned(rgba[1]) << 8) | rgba[2];
    }
    std::vector<std::string> registry() const {
        std::vector<std::string> names;
        for (int i = 0; i < root()->interp.getClassCount(); ++i)
            names.push_back(root()->interp.getClassName(i));
        return names;
    }

    orvextest::RootDataSet data;
    std::unique_ptr<TestView> view;
    std::unique_ptr<QSignalSpy> updated;
    std::unique_ptr<QSignalSpy> keyEvents;
    std::unique_ptr<QSignalSpy> scenarioEnds;
    std::pair<int, int> started; // key events and updates until set up
};

} // namespace

TEST_F(OrvexGLTest, StartsTheEngineWithTheRootFirstInTheRegistry) {
    EXPECT_EQ(registry(), (std::vector<std::string>{
                              "Orvex", "Timer", "Console", "Ssystem", "Camera", "Space", "Constes",
                              "Galaxies", "Fstars", "Lscape", "Markers", "Render", "Detail"}));
    EXPECT_EQ(root()->getDataDir(), data.path());
    // Once for the fresh engine, then after every frame.
    EXPECT_EQ(started.first, 1);
    EXPECT_GE(started.second, 2);
    frames(2);
    EXPECT_EQ(updated->count(), 2);
    EXPECT_EQ(keyEvents->count(), 0);
    EXPECT_EQ(root()->getWidth(), 64);
    EXPECT_EQ(root()->getHeight(), 48);
    EXPECT_DOUBLE_EQ(root()->getAspect(), 64.0 / 48.0);
}

TEST_F(OrvexGLTest, AFrameRunsTheStepAndDrawsThePicture) {
    const double before = root()->getTimer()->getTime();
    frames(1);
    EXPECT_NEAR(root()->getTimer()->getTime() - before, 0.1 * 3600.0, 1e-6);
    ASSERT_EQ(run("Render.FaderColor 1 0.5 0 1"), 1);
    frames(1);
    EXPECT_EQ(pixel(0, 0), 0xff8000u);
    EXPECT_EQ(pixel(63, 47), 0xff8000u);
    view->makeCurrent();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(OrvexGLTest, AFadeScenarioTurnsThePictureTheFadeColour) {
    ASSERT_EQ(root()->openScenario("./scenarios/fade.scn", 0), 1);
    frames(1);
    const unsigned halfway = pixel(10, 10);
    EXPECT_GT(halfway & 0xff, 0u);
    EXPECT_LT(halfway & 0xff, 0xffu);
    EXPECT_EQ(scenarioEnds->count(), 0);
    frames(3); // 12 nominal frames: the fade and the wait are over
    EXPECT_EQ(pixel(10, 10), 0x0000ffu);
    EXPECT_EQ(scenarioEnds->count(), 1);
    frames(2);
    EXPECT_EQ(scenarioEnds->count(), 1);
    EXPECT_EQ(pixel(63, 47), 0x0000ffu);
}

TEST_F(OrvexGLTest, MotionBlurKeepsThePreviousPicture) {
    ASSERT_EQ(run("Render.FaderColor 1 0 0 1"), 1);
    frames(1);
    ASSERT_EQ(run("Render.FaderColor 0 0 0 0 Render.BlurCount 2"), 1);
    frames(1);
    // Darkened, not cleared.
    EXPECT_GT(pixel(20, 20) >> 16, 0u);
    ASSERT_EQ(run("Render.BlurCount 0"), 1);
    frames(1);
    EXPECT_EQ(pixel(20, 20), 0x000000u);
}

TEST_F(OrvexGLTest, SaveOptionsDefaultWritesTheOptionsFile) {
    ASSERT_EQ(run("Orvex.FPS 45"), 1);
    ASSERT_EQ(run("Orvex.SaveOptions Default"), 1);
    EXPECT_NE(data.read("scenarios/options.scn").find("Orvex.FPS 45"), std::string::npos);
}

TEST_F(OrvexGLTest, ASecondInitializeGLRebuildsTheEngine) {
    ASSERT_EQ(run("Timer.Speed 5"), 1);
    view->makeCurrent();
    view->initializeGL();
    ASSERT_NE(root(), nullptr);
    // The new engine started from the data set's initial state.
    EXPECT_EQ(query("Timer.Speed"), " 1");
    EXPECT_EQ(registry().size(), 13u);
    EXPECT_EQ(keyEvents->count(), 1);
    ASSERT_EQ(run("Render.FaderColor 0 1 0 1"), 1);
    frames(1);
    EXPECT_EQ(pixel(5, 5), 0x00ff00u);
}

TEST_F(OrvexGLTest, KeysRunTheirBindingsAndEscapeAsksForTheOtherMouseMode) {
    QSignalSpy modes(view.get(), &OrvexGL::mouseModeChanged);
    QTest::keyClick(view.get(), Qt::Key_F1);
    EXPECT_EQ(query("Timer.Speed"), " 10");
    EXPECT_EQ(keyEvents->count(), 0); // after the next frame
    frames(1);
    EXPECT_EQ(keyEvents->count(), 1);

    QTest::keyClick(view.get(), Qt::Key_Escape);
    ASSERT_EQ(modes.count(), 1);
    EXPECT_EQ(modes.at(0).at(0).toInt(), 1);
    EXPECT_EQ(root()->getMouseMode(), 0); // the receiver switches
    view->setMouseMode(1);
    QTest::keyClick(view.get(), Qt::Key_Escape);
    ASSERT_EQ(modes.count(), 2);
    EXPECT_EQ(modes.at(1).at(0).toInt(), 0);
}

TEST_F(OrvexGLTest, MouseLookPutsTheCursorBackToTheCentre) {
    std::vector<std::pair<int, int>> moves;
    platform::setCursorMover([&moves](int x, int y) { moves.emplace_back(x, y); });
    const auto moveTo = [&](int x, int y) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view.get(), &move);
    };
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    view->setMouseMode(1);
    EXPECT_EQ(root()->getMouseMode(), 1);
    EXPECT_TRUE(view->hasMouseTracking());
    moveTo(37, 21);
    frames(1);
    EXPECT_EQ(view->cursor().shape(), Qt::BlankCursor);
    const QPoint centre = view->mapToGlobal(QPoint(32, 24));
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0], std::make_pair(centre.x(), centre.y()));
    const std::string still = query("Camera.Rotate");
    moveTo(37, 21);
    frames(1);
    EXPECT_NE(query("Camera.Rotate"), still);
    EXPECT_EQ(moves.size(), 2u);

    // Another window active: the pointer is free and keeps its cursor; back
    // in the view, where it went meanwhile turns nothing.
    QWidget other;
    other.resize(40, 40);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    const std::string turned = query("Camera.Rotate");
    moveTo(60, 40);
    frames(3);
    EXPECT_EQ(moves.size(), 2u);
    EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    frames(1);
    ASSERT_EQ(moves.size(), 3u);
    EXPECT_EQ(moves[2], std::make_pair(centre.x(), centre.y()));
    EXPECT_EQ(view->cursor().shape(), Qt::BlankCursor);
    EXPECT_EQ(query("Camera.Rotate"), turned);
    EXPECT_EQ(root()->getMouseMode(), 1);

    // Active, with the keyboard, but no area of it in sight (covered whole,
    // as a pane out of sight would be): the pointer is free.
    QWidget cover(view.get());
    cover.setAutoFillBackground(true);
    cover.setGeometry(view->rect());
    cover.show();
    view->setFocus();
    ASSERT_TRUE(view->visibleRegion().isEmpty());
    frames(3);
    EXPECT_EQ(moves.size(), 3u);
    EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);
    cover.hide();
    frames(1);
    EXPECT_EQ(moves.size(), 4u);

    view->setMouseMode(0);
    frames(1);
    EXPECT_EQ(moves.size(), 4u);
    EXPECT_FALSE(view->hasMouseTracking());
    EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);
    platform::setCursorMover({});
}

TEST_F(OrvexGLTest, AZeroHeightKeepsTheAspect) {
    view->makeCurrent();
    view->resizeGL(64, 0);
    EXPECT_DOUBLE_EQ(root()->getAspect(), 64.0 / 48.0);
    view->resizeGL(100, 50);
    EXPECT_DOUBLE_EQ(root()->getAspect(), 2.0);
}

// The engine's 8-bit text reaches the windows through the locale's codec,
// which the view takes from the configuration.
TEST(OrvexGLCodec, TheConfiguredCodecBecomesTheLocaleCodec) {
    QTextCodec* const before = QTextCodec::codecForLocale();
    const auto start = [](const std::string& codecName) {
        orvextest::RootDataSet data;
        data.write("data/config.def", "CodecName: " + codecName + "\n");
        TestView view;
        view.setRepaintTimer(false);
        view.resize(16, 16);
        view.show();
        if (QTest::qWaitForWindowExposed(&view))
            orvextest::pinGlDriver();
        view.updateGL();
        return view.getRoot() ? view.getRoot()->getCodecName() : std::string();
    };
    EXPECT_EQ(start("Shift-JIS"), "Shift-JIS");
    EXPECT_EQ(QTextCodec::codecForLocale()->name(), "Shift_JIS");
    // Labels too: "北" of a Japanese direction file.
    EXPECT_EQ(TextBitmap::decode("\x96\x6B"), QString::fromUtf8("北"));
    // A name the toolkit does not know leaves the codec as it was.
    EXPECT_EQ(start("No-Such-Codec"), "No-Such-Codec");
    EXPECT_EQ(QTextCodec::codecForLocale()->name(), "Shift_JIS");
    EXPECT_EQ(TextBitmap::decode("\x96\x6B"), QString::fromUtf8("北"));
    QTextCodec::setCodecForLocale(before);
    TextBitmap::setTextCodec("UTF-8");
}

// Stereo through the row mask of the stencil buffer: the program's display
// settings are read once, from the working directory of their first use, so
// this test only runs as a process of its own (as ctest runs each test).
TEST(OrvexGLStereo, TheRightEyeIsDrawnLastWithTheNegatedOffset) {
    orvextest::RootDataSet data;
    data.write("stinit.cfg", "Stereo: 2\nStereoOffset: 0.0375\nStereoSwap: 1\n");
    DisplayConfig& display = DisplayConfig::instance();
    if (display.getStereoMode() != DisplayConfig::Stencil)
        GTEST_SKIP() << "the display settings were read before this test";
    QGLFormat::setDefaultFormat(display.glFormat());
    TestView view;
    QGLFormat::setDefaultFormat(QGLFormat());
    view.setRepaintTimer(false);
    view.setAutoBufferSwap(false);
    view.resize(32, 32);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    orvextest::pinGlDriver();
    view.updateGL();
    ASSERT_EQ(display.getStereoMode(), DisplayConfig::Stencil) << "no stencil buffer";

    // The mono view of the same frame, then the stereo frame.
    ASSERT_EQ(view.getRoot()->processScenarioLine("Orvex.FPS 0"), 1);
    view.makeCurrent();
    view.getRoot()->draw(0.0);
    float mono[16];
    std::copy(viewmatrix::get(), viewmatrix::get() + 16, mono);
    view.updateGL();
    view.makeCurrent();
    EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST));
    // The last eye's view differs from the mono view by a turn about y of
    // atan2(0.0375, distance), towards the left.
    float inverse[16];
    ASSERT_TRUE(viewmatrix::invertAffine(mono, inverse));
    const float* right = viewmatrix::get();
    float turnSin = 0.0f;
    for (int k = 0; k < 4; ++k)
        turnSin += right[k * 4 + 0] * inverse[8 + k];
    const double distance = view.getRoot()->getCamera()->getDist();
    EXPECT_NEAR(turnSin, std::sin(std::atan2(0.0375, distance)), 1e-4);
}

TEST(OrvexGLWithoutEngine, PaintsResizesAndKeysDoNothingBeforeOpenGL) {
    TestView view;
    view.setRepaintTimer(false);
    QSignalSpy updated(&view, &OrvexGL::updated);
    QSignalSpy modes(&view, &OrvexGL::mouseModeChanged);
    view.resizeGL(10, 10);
    view.paintGL();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&view, &escape);
    view.setMouseMode(1);
    EXPECT_EQ(view.getRoot(), nullptr);
    EXPECT_EQ(updated.count(), 0);
    EXPECT_EQ(modes.count(), 0);
}

namespace {

// Whether the registry holds Class.Word.
bool isRegistered(const Interpreter& interp, const std::string& command) {
    const std::size_t dot = command.find('.');
    for (int i = 0; i < interp.getClassCount(); ++i)
        for (int j = 0; j < interp.getCommandCount(i); ++j)
            if (interp.getClassName(i) == command.substr(0, dot) &&
                interp.getCommandName(i, j) == command.substr(dot + 1))
                return true;
    return false;
}

} // namespace

// The shipped data set: its help file covers every command word, and its key
// bindings name only command words that exist.
TEST(OrvexGLShippedData, HelpLinesAndKeyBindingsMatchTheCommandWords) {
    const platform::CurrentDirGuard share(orvextest::shareDir());
    TestView view;
    view.setRepaintTimer(false);
    view.resize(32, 32);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    orvextest::pinGlDriver();
    view.makeCurrent();
    const Orvex* root = view.getRoot();
    ASSERT_NE(root, nullptr);
    ASSERT_TRUE(root->isConfigured());
    const Interpreter& interp = root->interp;
    for (int i = 0; i < interp.getClassCount(); ++i)
        for (int j = 0; j < interp.getCommandCount(i); ++j)
            EXPECT_FALSE(interp.getCommandHelp(i, j).empty())
                << interp.getClassName(i) << "." << interp.getCommandName(i, j);

    std::ifstream keys("./data/keymap.def");
    std::string line;
    int bindings = 0;
    while (std::getline(keys, line)) {
        std::istringstream words(line);
        std::string key, command;
        int shift = 0, ctrl = 0;
        if (!(words >> key) || key[0] == '#' || !(words >> shift >> ctrl >> command))
            continue;
        ++bindings;
        EXPECT_GE(KeyMap::keyCode(key), 0) << line;
        // A condition's query names a command word too.
        if (command[0] == '?')
            command = command.substr(1, command.find_first_of("=<>!") - 1);
        EXPECT_TRUE(isRegistered(interp, command)) << line;
    }
    EXPECT_GT(bindings, 20);
}
