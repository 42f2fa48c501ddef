// The program's windows under a window manager, checked against the X
// server's own view of them: where the first start (in every language), a
// saved place, "Reset windows" and the media viewer's first show put each
// window, and where every order of screen modes and layouts leaves the GL
// window. A window manager frames, moves and lets go of windows in its own
// time, so each check waits a while for the windows to come to rest before
// it judges them.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegion>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>
#include <cstdio>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "app/StartupState.h"
#include "app/StudioProgram.h"
#include "app/WindowSettings.h"
#include "engine/OrvexGL.h"
#include "support/GlTestContext.h"
#include "support/NextModal.h"
#include "support/ReservedScreenEdge.h"
#include "support/SettingsSandbox.h"
#include "support/ShippedDataCopy.h"
#include "support/TestEnv.h"
#include "support/XWindowTree.h"
#include "ui/HelpViewer.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexOptionForm.h"
#include "ui/OrvexProjForm.h"
#include "ui/QDropButton.h"
#include "ui/QFloatSpinBox.h"

namespace {

using orvextest::XWindowTree;

// Long enough for a window manager on a busy machine; a window that is not
// where it belongs by then stays wrong.
const int restTimeoutMs = 4000;

std::string text(const QPoint& p) {
    return std::to_string(p.x()) + "," + std::to_string(p.y());
}

std::string text(const QRect& r) {
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) +
           "x" + std::to_string(r.height());
}

// English, then every language the build ships a translation for.
QStringList everyLanguage() {
    QStringList locales{QStringLiteral("en_US")};
    const QString prefix = QStringLiteral("OrvexStudio_");
    for (const QString& file : QDir(QString::fromStdString(orvextest::translationDir()))
                                   .entryList({prefix + "*.qm"}, QDir::Files))
        locales << file.mid(prefix.size(), file.size() - prefix.size() - 3);
    return locales;
}

// The program's translation into a language, installed while it lives.
struct Language {
    explicit Language(const QString& locale) {
        if (StartupState::loadTranslator(program, "OrvexStudio_", locale,
                                         QString::fromStdString(orvextest::translationDir())))
            QCoreApplication::installTranslator(&program);
    }
    ~Language() { QCoreApplication::removeTranslator(&program); }
    QTranslator program;
};

class WindowLayoutGL : public ::testing::Test {
protected:
    orvextest::SettingsSandbox sandbox;
    const orvextest::ShippedDataCopy share{std::vector<std::string>{"scenarios"}};
    std::unique_ptr<StudioProgram> program = std::make_unique<StudioProgram>();
    XWindowTree x;

    ~WindowLayoutGL() override { program.reset(); }

    OrvexMainForm& form() { return *program->mainForm(); }
    OrvexProjForm& glWindow() { return *program->projForm(); }
    OrvexGL& view() { return *qobject_cast<OrvexGL*>(glWindow().view()); }
    QRect screen() const { return QGuiApplication::primaryScreen()->geometry(); }

    void open() {
        ASSERT_TRUE(x.isOpen());
        program->open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
        view().setRepaintTimer(false);
        orvextest::pinGlDriver();
        view().updateGL();
        ASSERT_TRUE(form().engine()->hasRoot());
    }

    // Waits until `why` answers nothing (all is well) or the time is up, and
    // gives its last answer.
    static std::string whenAtRest(const std::function<std::string()>& why) {
        QElapsedTimer clock;
        clock.start();
        std::string wrong = why();
        while (!wrong.empty() && clock.elapsed() < restTimeoutMs) {
            QTest::qWait(25);
            wrong = why();
        }
        return wrong;
    }

    // The control window's menu bar and tool bar where the screen shows them.
    std::vector<QRect> controlBars() {
        const QPoint client = x.onScreen(XWindowTree::idOf(form())).topLeft();
        std::vector<QRect> bars;
        for (QWidget* bar :
             {static_cast<QWidget*>(form().menuBar()), static_cast<QWidget*>(form().toolBar)})
            if (bar->isVisible())
                bars.emplace_back(client + bar->mapTo(&form(), QPoint(0, 0)), bar->size());
        return bars;
    }

    // What is wrong with a top-level window beside the control window: it is
    // not shown, hides one of its bars, leaves the screen or has lost its size.
    std::string clearOfTheBars(const QWidget& window, const char* name) {
        const xcb_window_t id = XWindowTree::idOf(window);
        if (!window.isVisible() || !id || !x.isViewable(id))
            return std::string(name) + " not shown";
        if (window.size() != QSize(640, 480))
            return std::string(name) + " sized " + text(window.geometry());
        const QRect frame = x.frameOf(window);
        for (const QRect& bar : controlBars())
            if (frame.intersects(bar))
                return std::string(name) + " at " + text(frame) + " over a bar at " + text(bar);
        const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
        if (!room.contains(frame))
            return std::string(name) + " at " + text(frame) + " off the screen";
        if (!room.contains(x.frameOf(form())))
            return "control window at " + text(x.frameOf(form())) + " off the screen";
        return std::string();
    }

    // What hides `window`'s title bar where `front` is in front of it: less
    // than a stretch wide enough to click on stays in sight.
    std::string titleInSight(const QWidget& window, const QWidget& front, const char* name) {
        const QRect frame = x.frameOf(window);
        const QRect client = x.onScreen(XWindowTree::idOf(window));
        const QRect title(frame.left(), frame.top(), frame.width(), client.top() - frame.top());
        if (title.height() <= 0)
            return std::string(name) + " has no title bar";
        int widest = 0;
        for (const QRect& part : QRegion(title).subtracted(x.frameOf(front)))
            widest = std::max(widest, part.width());
        if (widest < 40)
            return std::string(name) + " at " + text(frame) + ", its title hidden by " +
                   text(x.frameOf(front)) + " but for " + std::to_string(widest) + " px";
        return std::string();
    }

    // What is wrong with our windows shown on their own, once at rest: one
    // past the screen's room, one whose title bar ours in front of it hide but
    // for less than a stretch to click on, or the GL window hidden all but a
    // sliver. A maximised or full-screen window hides the others, as it should.
    std::string everyWindowInSight() {
        const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
        bool full = false;
        std::vector<const QWidget*> shown;
        for (const QWidget* w : {static_cast<QWidget*>(&form()), static_cast<QWidget*>(&glWindow()),
                                 static_cast<QWidget*>(program->mediaForm())})
            if (w->isWindow() && w->isVisible() && !w->isMinimized()) {
                shown.push_back(w);
                full = full || w->isFullScreen() || w->isMaximized();
            }
        const auto widest = [](const QRegion& region) {
            int most = 0;
            for (const QRect& part : region)
                most = std::max(most, part.width());
            return most;
        };
        for (const QWidget* w : shown) {
            const std::string name = w->windowTitle().toStdString();
            const QRect client = x.onScreen(XWindowTree::idOf(*w)), frame = x.frameOf(*w);
            if (client != QRect(w->mapToGlobal(QPoint(0, 0)), w->size()))
                return name + " on its way, at " + text(client);
            QRegion title(frame.left(), frame.top(), frame.width(), client.top() - frame.top());
            QRegion view(client);
            for (const QWidget* front : shown)
                if (front != w && x.isInFront(*front, *w)) {
                    title -= x.frameOf(*front);
                    view -= x.frameOf(*front);
                }
            if (full)
                continue;
            if (!room.contains(frame))
                return name + " at " + text(frame) + " past the room " + text(room);
            if (x.windowManagerRuns() && widest(title) < 40)
                return name + " at " + text(frame) + ", its title hidden";
            if (w == &glWindow() && widest(view) < 24)
                return name + " at " + text(frame) + " hidden by the others";
        }
        return std::string();
    }

    // The control window in front, as a click in its panel brings it, of the
    // GL window where that is a window of its own.
    void bringTheControlWindowForward() {
        form().activateWindow();
        form().raise();
        if (!glWindow().isWindow() || !glWindow().isVisible())
            return;
        ASSERT_EQ(whenAtRest([&] {
                      return x.isInFront(form(), glWindow()) ? "" : "the GL window in front";
                  }),
                  "");
    }

    // What is wrong with the GL window shown on its own beside the control
    // window: not in front, or either title hidden by the other window.
    std::string inFrontWithBothTitlesInSight() {
        if (!x.isViewable(XWindowTree::idOf(glWindow())))
            return "GL window not shown";
        if (!x.isInFront(glWindow(), form()))
            return "GL window behind the control window";
        std::string wrong = titleInSight(form(), glWindow(), "control window");
        if (wrong.empty())
            wrong = titleInSight(glWindow(), form(), "GL window");
        return wrong;
    }

    // The splitter handle dragged to the left edge folds the view's pane.
    void foldTheView() {
        QList<int> sizes = form().splitter2->sizes();
        sizes[1] += sizes[0];
        sizes[0] = 0;
        form().splitter2->setSizes(sizes);
        QTest::qWait(100);
        ASSERT_EQ(form().splitter2->sizes().value(0), 0);
    }

    // What is wrong with the GL window for the screen mode that is checked.
    std::string whereTheModeSays() {
        OrvexProjForm& gl = glWindow();
        const xcb_window_t viewId = XWindowTree::idOf(view());
        const xcb_window_t control = x.desktopWindowOf(XWindowTree::idOf(form()));
        if (!x.isViewable(XWindowTree::idOf(form())))
            return "control window not shown";
        if (!viewId || !x.isViewable(viewId))
            return "view not shown";
        const bool inControl = x.desktopWindowOf(viewId) == control;
        const QRect viewOnScreen = x.onScreen(viewId);
        if (form().viewEmbedAction->isChecked()) {
            if (gl.parentWidget() != form().splitter2 || form().splitter2->indexOf(&gl) != 0)
                return "not the splitter's first pane";
            if (gl.isWindow() || !gl.isVisible())
                return "embedded but a window of its own, or hidden";
            if (!inControl)
                return "embedded but on the desktop at " + text(x.frameOf(view()));
            const QRect pane(view().mapToGlobal(QPoint(0, 0)), view().size());
            if (viewOnScreen != pane)
                return "view at " + text(viewOnScreen) + ", its pane at " + text(pane);
            return std::string();
        }
        if (!gl.isWindow() || gl.parentWidget() || form().splitter2->indexOf(&gl) != -1)
            return "not a window of its own";
        if (!gl.isVisible())
            return "hidden";
        if (inControl)
            return "inside the control window";
        if (form().viewFullScreenAction->isChecked()) {
            if (!gl.isFullScreen())
                return "not full screen";
            if (x.windowManagerRuns() && viewOnScreen != screen())
                return "full screen at " + text(viewOnScreen);
            return std::string();
        }
        if (gl.isFullScreen() || gl.isMaximized())
            return "full screen, not normal";
        const QRect client(gl.mapToGlobal(QPoint(0, 0)), gl.size());
        if (gl.size() != gl.normalGeometry().size() || gl.width() >= screen().width())
            return "normal at " + text(client) + ", its normal geometry " +
                   text(gl.normalGeometry());
        if (x.onScreen(XWindowTree::idOf(gl)) != client)
            return "normal at " + text(x.onScreen(XWindowTree::idOf(gl))) + ", believed at " +
                   text(client);
        return std::string();
    }
};

} // namespace

TEST_F(WindowLayoutGL, TheFirstStartResetWindowsAndTheMediaViewerLeaveTheBarsClear) {
    open();
    EXPECT_EQ(whenAtRest([&] { return clearOfTheBars(glWindow(), "GL window"); }), "")
        << "first start";
    form().mediaButton->click();
    EXPECT_EQ(whenAtRest([&] { return clearOfTheBars(*program->mediaForm(), "media viewer"); }), "")
        << "the media viewer's first show";

    // Moved away and put back.
    glWindow().move(0, 0);
    program->mediaForm()->move(0, 0);
    QTest::qWait(200);
    form().viewResetWindowsAction->trigger();
    EXPECT_EQ(whenAtRest([&] { return clearOfTheBars(glWindow(), "GL window"); }), "")
        << "Reset windows";
    EXPECT_EQ(whenAtRest([&] { return clearOfTheBars(*program->mediaForm(), "media viewer"); }), "")
        << "Reset windows";
}

TEST_F(WindowLayoutGL, FullScreenThenEmbedTakesTheWindowIntoThePane) {
    open();
    // Taken into the pane before the window manager has let go of it, the
    // window is lost from the pane in only some of the attempts: enough of
    // them that such a fault shows in every run.
    for (int attempt = 0; attempt < 24; ++attempt) {
        const std::string what = "attempt " + std::to_string(attempt);
        form().viewNormalAction->trigger();
        EXPECT_EQ(whenAtRest([&] { return whereTheModeSays(); }), "") << what << ": normal";
        form().viewFullScreenAction->trigger();
        EXPECT_EQ(whenAtRest([&] { return whereTheModeSays(); }), "") << what << ": full";
        form().activateWindow();
        form().raise();
        form().viewEmbedAction->trigger();
        EXPECT_EQ(whenAtRest([&] { return whereTheModeSays(); }), "") << what << ": embed";
        // A manager that lets go late takes the window out of the pane again.
        QTest::qWait(50);
        EXPECT_EQ(whereTheModeSays(), "") << what << ": embed, a moment later";
    }
}

TEST_F(WindowLayoutGL, RandomOrdersOfModesAndLayoutsEndWhereTheModeSays) {
    open();
    OrvexMainForm& f = form();
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"full", [&] { f.viewFullScreenAction->trigger(); }},
        {"normal", [&] { f.viewNormalAction->trigger(); }},
        {"embed", [&] { f.viewEmbedAction->trigger(); }},
        {"B", [&] { f.layoutBAction->trigger(); }},
        {"BC", [&] { f.layoutBCAction->trigger(); }},
        {"SB", [&] { f.layoutSBAction->trigger(); }},
        {"SC", [&] { f.layoutSCAction->trigger(); }},
        {"reset", [&] { f.viewResetWindowsAction->trigger(); }},
        {"raise", [&] {
             f.activateWindow();
             f.raise();
         }}};
    std::mt19937 random(37);
    std::uniform_int_distribution<std::size_t> pick(0, steps.size() - 1);
    for (int sequence = 0; sequence < 20; ++sequence) {
        f.viewResetWindowsAction->trigger();
        std::string done = "sequence " + std::to_string(sequence) + ":";
        for (int i = 0; i < 6; ++i) {
            const auto& [name, step] = steps[pick(random)];
            step();
            done += std::string(" ") + name;
            const std::string wrong = whenAtRest([&] { return whereTheModeSays(); });
            ASSERT_EQ(wrong, "") << done;
        }
    }
}

TEST_F(WindowLayoutGL, AMaximisedGLWindowComesBackMaximised) {
    open();
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    // Maximised: the window manager gives the frame the screen's room.
    const auto maximised = [&]() -> std::string {
        if (!glWindow().isMaximized())
            return "not maximised";
        const QRect frame = x.frameOf(glWindow());
        if (x.windowManagerRuns() && frame != room)
            return "frame at " + text(frame) + ", the room at " + text(room);
        return std::string();
    };
    glWindow().showMaximized();
    ASSERT_EQ(whenAtRest(maximised), "");
    const QRect normal = glWindow().normalGeometry();

    program = std::make_unique<StudioProgram>();
    open();
    EXPECT_EQ(whenAtRest(maximised), "") << "after the restart";
    // Restored, it goes back to where it was before it was maximised.
    glWindow().showNormal();
    EXPECT_EQ(whenAtRest([&] {
                  const QRect client = x.onScreen(XWindowTree::idOf(glWindow()));
                  return client == normal ? std::string()
                                          : "normal at " + text(client) + ", was " + text(normal);
              }),
              "");
}

// A view the splitter folded away comes back with Embed, and at the next
// start after the program was left so.
TEST_F(WindowLayoutGL, EmbedAndTheNextStartBringBackAViewTheSplitterFoldedAway) {
    open();
    form().viewEmbedAction->trigger();
    ASSERT_EQ(whenAtRest([&] { return whereTheModeSays(); }), "");
    foldTheView();

    form().viewEmbedAction->trigger();
    EXPECT_TRUE(form().viewEmbedAction->isChecked());
    const auto viewAtLeast = [&](int least) {
        return whenAtRest([&] {
            if (glWindow().width() < least)
                return "view " + std::to_string(glWindow().width()) + " px wide";
            return whereTheModeSays();
        });
    };
    EXPECT_EQ(viewAtLeast((form().width() - form().tabWidget->width()) / 2 - 20), "");

    foldTheView();
    form().fileExitAction->trigger();
    program.reset();
    program = std::make_unique<StudioProgram>();
    open();
    EXPECT_TRUE(form().viewEmbedAction->isChecked());
    EXPECT_EQ(viewAtLeast(StudioProgram::leastPaneWidth), "") << "the next start";
}

// A pane the layout folds away takes no focus: the keyboard in it moves on to
// a control in sight, and Tab and Shift+Tab round the window stop only at
// controls in sight. The pane's controls come back with it.
TEST_F(WindowLayoutGL, APaneFoldedAwayTakesNoFocus) {
    open();
    OrvexMainForm& f = form();
    const auto focusInSight = [&]() -> std::string {
        QWidget* focus = QApplication::focusWidget();
        if (!focus)
            return "no focus";
        if (focus->window() == &f && focus->visibleRegion().isEmpty())
            return "focus out of sight on " + focus->objectName().toStdString();
        return std::string();
    };
    // The stops out of sight on a walk round the window, which stops at least
    // at `least` controls.
    const auto walk = [&](bool forward, std::size_t least) {
        std::vector<std::string> wrong;
        std::set<QWidget*> stops;
        for (int i = 0; i < 120 && QApplication::focusWidget(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), forward ? Qt::Key_Tab : Qt::Key_Backtab,
                            forward ? Qt::NoModifier : Qt::ShiftModifier);
            stops.insert(QApplication::focusWidget());
            const std::string why = focusInSight();
            if (!why.empty())
                wrong.push_back(why);
        }
        EXPECT_GE(stops.size(), least) << (forward ? "Tab" : "Shift+Tab");
        return wrong;
    };

    // The view beside the browser, the panel folded away; then the view
    // beside the panel, the browser folded away while it has the keyboard.
    for (int round = 0; round < 2; ++round) {
        f.layoutSBAction->trigger();
        ASSERT_EQ(whenAtRest([&] { return whereTheModeSays(); }), "");
        ASSERT_EQ(f.splitter2->sizes().value(2), 0);
        bringTheControlWindowForward();
        ASSERT_EQ(whenAtRest([&] { return f.isActiveWindow() ? "" : "not active"; }), "");
        EXPECT_EQ(walk(true, 7), std::vector<std::string>()) << "round " << round;
        f.browserUrlLine->setFocus();
        ASSERT_TRUE(f.browserUrlLine->hasFocus()) << "round " << round;

        f.layoutSCAction->trigger();
        ASSERT_EQ(whenAtRest([&] { return whereTheModeSays(); }), "");
        ASSERT_EQ(f.splitter2->sizes().value(1), 0);
        EXPECT_EQ(whenAtRest(focusInSight), "") << "round " << round;
        EXPECT_EQ(walk(true, 30), std::vector<std::string>()) << "round " << round;
        EXPECT_EQ(walk(false, 30), std::vector<std::string>()) << "round " << round;
    }

    // The next start folds the browser pane, which holds the keyboard, before
    // the window is shown.
    f.saveSettings();
    program.reset();
    program = std::make_unique<StudioProgram>();
    open();
    OrvexMainForm& next = form();
    ASSERT_EQ(next.splitter2->sizes().value(1), 0);
    bringTheControlWindowForward();
    ASSERT_EQ(whenAtRest([&] { return next.isActiveWindow() ? "" : "not active"; }), "");
    EXPECT_EQ(whenAtRest([] {
                  QWidget* focus = QApplication::focusWidget();
                  return focus && !focus->isWindow() && !focus->visibleRegion().isEmpty()
                             ? ""
                             : "no control in sight has the keyboard";
              }),
              "");
}

// The embedded view shows that it has the keyboard by a frame the pane paints
// round it, in the Windows and the dark style, and by nothing once the
// keyboard goes on; the view's own picture (saved, printed) holds no mark. In
// a window of its own the view fills it.
TEST_F(WindowLayoutGL, TheEmbeddedViewShowsTheFocusOutsideItsPicture) {
    open();
    OrvexMainForm& f = form();
    OrvexProjForm& pane = glWindow();
    f.viewEmbedAction->trigger();
    ASSERT_EQ(whenAtRest([&] { return whereTheModeSays(); }), "");
    bringTheControlWindowForward();
    ASSERT_EQ(whenAtRest([&] { return f.isActiveWindow() ? "" : "not active"; }), "");
    // The corners and the edges' middles of the pane as the screen shows them
    // that are (or are not) in the highlight colour.
    const auto frameWrong = [&](bool marked) {
        const QRgb highlight = pane.palette().color(QPalette::Highlight).rgb();
        const QPoint at = pane.mapToGlobal(QPoint(0, 0));
        const QImage shot = QGuiApplication::primaryScreen()
                                ->grabWindow(0, at.x(), at.y(), pane.width(), pane.height())
                                .toImage();
        const int right = shot.width() - 1, bottom = shot.height() - 1;
        std::string wrong;
        for (const QPoint& p : {QPoint(0, 0), QPoint(right / 2, 1), QPoint(right, bottom),
                                QPoint(1, bottom / 2), QPoint(right - 1, bottom / 2)})
            if ((shot.pixel(p) == highlight) != marked)
                wrong += " " + text(p);
        return wrong;
    };
    for (QAction* style : {f.viewStyleWindowsAction, f.viewStyleDarkAction}) {
        style->trigger();
        const std::string name = style->objectName().toStdString();
        view().setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(view().hasFocus()) << name;
        EXPECT_EQ(whenAtRest([&] { return frameWrong(true); }), "") << name << ": unmarked at";
        const QImage picture = f.engine()->grabFrame();
        ASSERT_EQ(picture.size(), view().size()) << name;
        const QRgb highlight = pane.palette().color(QPalette::Highlight).rgb();
        for (int x = 0; x < picture.width(); ++x)
            ASSERT_NE(picture.pixel(x, 0), highlight) << name << ": marked picture at " << x;
        f.tabWidget->setFocus(Qt::TabFocusReason);
        ASSERT_FALSE(view().hasFocus()) << name;
        EXPECT_EQ(whenAtRest([&] { return frameWrong(false); }), "") << name << ": marked at";
    }
    f.viewNormalAction->trigger();
    ASSERT_EQ(whenAtRest([&] { return whereTheModeSays(); }), "");
    EXPECT_EQ(view().size(), pane.size());
}

TEST_F(WindowLayoutGL, ShowingTheMediaViewerLeavesTheControlWindowsWidth) {
    open();
    OrvexMainForm& f = form();
    for (QAction* mode : {f.viewNormalAction, f.viewEmbedAction}) {
        mode->trigger();
        ASSERT_EQ(whenAtRest([&] { return whereTheModeSays(); }), "");
        const int width = f.width();
        const int frameWidth = x.frameOf(f).width();
        for (const char* step : {"shown", "hidden"}) {
            f.mediaButton->click();
            QTest::qWait(300);
            const std::string where = mode->text().toStdString() + ", the media viewer " + step;
            EXPECT_EQ(program->mediaForm()->isVisible(), f.mediaButton->isChecked()) << where;
            EXPECT_EQ(f.width(), width) << where;
            EXPECT_EQ(whenAtRest([&] {
                          const int now = x.frameOf(f).width();
                          return now == frameWidth ? std::string()
                                                   : "frame " + std::to_string(now) + " px wide";
                      }),
                      "")
                << where;
        }
    }
}

// At the first start each window keeps its title in sight when the other is
// in front, and every action that shows the GL window on its own brings it in
// front of the control window, Reset windows also out of full screen. A
// layout that takes it out of the pane leaves the keyboard with the control
// window it was chosen from, even from the view: the next Tab is the panel's.
TEST_F(WindowLayoutGL, TheViewStaysInSightAndComesToTheFrontWhenShown) {
    open();
    bringTheControlWindowForward();
    EXPECT_EQ(whenAtRest([&] { return titleInSight(glWindow(), form(), "GL window"); }), "")
        << "first start, the control window in front";
    glWindow().activateWindow();
    glWindow().raise();
    EXPECT_EQ(whenAtRest([&] { return inFrontWithBothTitlesInSight(); }), "")
        << "first start, the GL window in front";

    // Each from another mode, the control window brought in front first.
    struct Show {
        const char* name;
        QAction* from;
        QAction* action;
        bool keyboardStays;
    };
    OrvexMainForm& f = form();
    for (const auto& [name, from, action, keyboardStays] :
         {Show{"Normal window after full screen", f.viewFullScreenAction, f.viewNormalAction,
               false},
          Show{"Reset windows from full screen", f.viewFullScreenAction, f.viewResetWindowsAction,
               false},
          Show{"Browser/Control layout after embedding", f.viewEmbedAction, f.layoutBCAction, true},
          Show{"Browser layout after embedding", f.viewEmbedAction, f.layoutBAction, true},
          Show{"Browser layout again", f.viewEmbedAction, f.layoutBAction, true}}) {
        from->trigger();
        whenAtRest([&] { return whereTheModeSays(); });
        bringTheControlWindowForward();
        if (keyboardStays)
            view().setFocus();
        action->trigger();
        EXPECT_TRUE(form().viewNormalAction->isChecked()) << name;
        EXPECT_EQ(whenAtRest([&] { return whereTheModeSays(); }), "") << name;
        EXPECT_EQ(whenAtRest([&] { return inFrontWithBothTitlesInSight(); }), "") << name;
        EXPECT_EQ(whenAtRest([&] { return clearOfTheBars(glWindow(), "GL window"); }), "") << name;
        if (!keyboardStays)
            continue;
        QTest::qWait(200);
        EXPECT_EQ(QApplication::activeWindow(), &form()) << name;
        QWidget* focus = QApplication::focusWidget();
        ASSERT_TRUE(focus && focus->window() == &form()) << name;
        const std::string camera = form().engine()->getCommandValue("Camera.Mode");
        QTest::keyClick(focus, Qt::Key_Tab);
        EXPECT_EQ(form().engine()->getCommandValue("Camera.Mode"), camera) << name;
    }
}

// Esc in the media viewer hides it as "Show" does, full screen too, and also
// where the View menu showed it.
TEST_F(WindowLayoutGL, EscapeHidesTheMediaViewer) {
    open();
    OrvexMainForm& f = form();
    OrvexMediaForm& media = *program->mediaForm();
    const QString hiddenHelp = f.mediaViewerHelpLabel->text();
    for (QAction* mode : {f.viewMediaNormalAction, f.viewMediaFullScreenAction}) {
        for (const bool fromMenu : {false, true, false}) {
            const std::string where =
                mode->objectName().toStdString() + (fromMenu ? ", from the menu" : ", by Show");
            if (fromMenu) {
                mode->trigger();
            } else {
                mode->setChecked(true);
                f.mediaButton->click();
            }
            media.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&media)) << where;
            QTest::keyClick(&media, Qt::Key_Escape);
            EXPECT_FALSE(media.isVisible()) << where;
            EXPECT_FALSE(f.mediaButton->isChecked()) << where;
            EXPECT_EQ(f.mediaViewerHelpLabel->text(), hiddenHelp) << where;
        }
    }
}

// The control window and the viewers open within the screen's room, on a
// screen of any size the control window's contents fit (run it at 1024 x 768
// too), at the first start and after Reset windows.
TEST_F(WindowLayoutGL, EveryWindowOpensWithinTheScreen) {
    open();
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_TRUE(room.size().expandedTo(form().frameGeometry().size()) == room.size())
        << "a screen too small for the control window's contents";
    const auto within = [&](const QWidget& window, const char* name) {
        return whenAtRest([&] {
            const QRect frame = x.frameOf(window);
            return room.contains(frame)
                       ? std::string()
                       : std::string(name) + " at " + text(frame) + " past the room " + text(room);
        });
    };
    EXPECT_EQ(within(form(), "control window"), "") << "first start";
    EXPECT_EQ(within(glWindow(), "GL window"), "") << "first start";
    form().mediaButton->click();
    EXPECT_EQ(within(*program->mediaForm(), "media viewer"), "") << "first show";

    form().move(room.right() - 100, room.bottom() - 100);
    QTest::qWait(200);
    form().viewResetWindowsAction->trigger();
    EXPECT_EQ(within(form(), "control window"), "") << "Reset windows";
    EXPECT_EQ(within(glWindow(), "GL window"), "") << "Reset windows";
    EXPECT_EQ(within(*program->mediaForm(), "media viewer"), "") << "Reset windows";

    // Opened first beside a maximised control window, whose frame has no
    // sides, the media viewer takes the frame of a plain window.
    program.reset();
    WindowSettings::open()->clear();
    program = std::make_unique<StudioProgram>();
    open();
    x.maximiseByTheManager(form());
    ASSERT_EQ(whenAtRest([&] { return form().isMaximized() ? "" : "not maximised"; }), "");
    QTest::qWait(100);
    form().viewMediaNormalAction->trigger();
    EXPECT_EQ(within(*program->mediaForm(), "media viewer"), "")
        << "first show beside the maximised control window";
}

// The view in the pane lets the control window be narrower than it is on its
// own. A layout that takes the view out widens the window where it stands:
// where that takes it past the screen's right or bottom edge it is moved in
// just enough to lie within the room again; elsewhere it stays where it was.
TEST_F(WindowLayoutGL, ALayoutThatWidensTheControlWindowKeepsItWithinTheScreen) {
    open();
    OrvexMainForm& f = form();
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    const int full = x.frameOf(f).width();
    const auto movedTo = [&](const QPoint& corner, bool right) {
        const QRect frame = x.frameOf(f);
        f.move(f.pos() + corner - (right ? frame.bottomRight() : frame.topLeft()));
        whenAtRest([&] {
            const QRect now = x.frameOf(f);
            return (right ? now.bottomRight() : now.topLeft()) == corner ? "" : "moving";
        });
        return x.frameOf(f);
    };
    for (QAction* from : {f.layoutSCAction, f.layoutSBAction})
        for (QAction* entry :
             {f.viewNormalAction, f.viewFullScreenAction, f.layoutBCAction, f.layoutBAction})
            for (const bool right : {true, false}) {
                const std::string what = from->objectName().toStdString() + ", narrowed at the " +
                                         (right ? "bottom right" : "top left") + ", then " +
                                         entry->objectName().toStdString();
                from->trigger();
                ASSERT_EQ(whenAtRest([&] { return whereTheModeSays(); }), "") << what;
                // Narrowed as far as the pane lets it, as the user may drag it.
                ASSERT_EQ(whenAtRest([&] {
                              f.resize(1, f.height());
                              return x.frameOf(f).width() < full ? "" : "as wide as before";
                          }),
                          "")
                    << what;
                const QRect before =
                    movedTo(right ? room.bottomRight() : room.topLeft() + QPoint(40, 40), right);
                entry->trigger();
                EXPECT_EQ(
                    whenAtRest([&] {
                        // Moved left and up just as far as it grew past the
                        // room; larger than the room, to its top-left corner.
                        const QRect frame = x.frameOf(f);
                        const QPoint justEnough(
                            std::max(room.left(),
                                     std::min(before.left(), room.right() + 1 - frame.width())),
                            std::max(room.top(),
                                     std::min(before.top(), room.bottom() + 1 - frame.height())));
                        const bool fits = room.size().expandedTo(frame.size()) == room.size();
                        return frame.width() > before.width() && (room.contains(frame) || !fits) &&
                                       frame.topLeft() == justEnough
                                   ? std::string()
                                   : "control window at " + text(frame) + ", narrowed at " +
                                         text(before);
                    }),
                    "")
                    << what;
            }
}

// A run that never shows the media viewer saves no place for it, so the
// next run opens it from the View menu clear of the control window's bars;
// a place saved by an earlier run stays.
TEST_F(WindowLayoutGL, AViewerNeverShownSavesNoPlaceAndOpensClearOfTheBars) {
    open();
    form().close();
    program.reset();
    EXPECT_FALSE(WindowSettings::open()->contains("/Orvex/Media/geometry/x"));
    EXPECT_TRUE(WindowSettings::open()->contains("/Orvex/OrvexGL/geometry/x"));

    program = std::make_unique<StudioProgram>();
    open();
    form().viewMediaNormalAction->trigger();
    EXPECT_EQ(whenAtRest([&] { return clearOfTheBars(*program->mediaForm(), "media viewer"); }), "")
        << "View, Normal window of the media viewer in the second run";
}

// In trackball mode the view holds the pointer only while the user works in
// it: with the control window in front the pointer is free for its menus,
// and back in the view it is held again. In the pane beside the panel the
// view holds it while it has the keyboard.
TEST_F(WindowLayoutGL, TrackballModeHoldsThePointerOnlyWhileTheViewIsActive) {
    open();
    OrvexMainForm& f = form();
    // Frames run until the pointer is at the view's centre or the time is up.
    const auto pointerHeld = [&] {
        return whenAtRest([&] {
            view().updateGL();
            const QPoint centre =
                view().mapToGlobal(QPoint(view().width() / 2, view().height() / 2));
            return QCursor::pos() == centre
                       ? std::string()
                       : "pointer at " + text(QCursor::pos()) + ", the centre at " + text(centre);
        });
    };
    // The pointer put over the View menu's title stays there while frames run.
    const QRect viewTitle = f.menuBar()->actionGeometry(f.viewMenu->menuAction());
    const QPoint overMenu = f.menuBar()->mapToGlobal(viewTitle.center());
    const auto pointerFree = [&](const std::string& where) {
        QCursor::setPos(overMenu);
        for (int frame = 0; frame < 20; ++frame) {
            view().updateGL();
            QTest::qWait(10);
        }
        EXPECT_EQ(text(QCursor::pos()), text(overMenu)) << where;
        EXPECT_EQ(view().cursor().shape(), Qt::ArrowCursor) << where;
        EXPECT_TRUE(f.viewMouseTBAction->isChecked()) << where;
    };

    f.viewMouseTBAction->trigger();
    EXPECT_EQ(pointerHeld(), "") << "trackball chosen";
    EXPECT_EQ(view().cursor().shape(), Qt::BlankCursor);
    bringTheControlWindowForward();
    ASSERT_EQ(whenAtRest([&] { return f.isActiveWindow() ? "" : "the GL window active"; }), "");
    pointerFree("the control window in front");
    QTest::mouseClick(f.menuBar(), Qt::LeftButton, Qt::NoModifier, viewTitle.center());
    EXPECT_EQ(QApplication::activePopupWidget(), f.viewMenu);
    pointerFree("the View menu open");
    f.viewMenu->close();
    glWindow().activateWindow();
    EXPECT_EQ(pointerHeld(), "") << "the GL window active again";
    EXPECT_EQ(view().cursor().shape(), Qt::BlankCursor);

    f.viewEmbedAction->trigger();
    ASSERT_EQ(whenAtRest([&] { return whereTheModeSays(); }), "");
    f.activateWindow();
    f.speedSpinBox->setFocus();
    ASSERT_EQ(whenAtRest([&] { return f.speedSpinBox->hasFocus() ? "" : "no focus"; }), "");
    pointerFree("embedded, the keyboard in the panel");
    const QList<int> unfolded = f.splitter2->sizes();
    foldTheView();
    f.viewMouseTBAction->trigger();
    pointerFree("embedded, the view folded away");
    f.splitter2->setSizes(unfolded);
    f.viewMouseTBAction->trigger();
    EXPECT_EQ(pointerHeld(), "") << "embedded, trackball chosen";
    QTest::keyClick(&view(), Qt::Key_Escape);
    EXPECT_TRUE(f.viewMouseNormalAction->isChecked());
    QCursor::setPos(overMenu);
    view().updateGL();
    EXPECT_EQ(text(QCursor::pos()), text(overMenu)) << "the normal mode";
}

// Help, Contents opens the help window clear of the control window's bars
// and within the room of an 800 x 600 screen, which is lower than the help
// window; Escape, Ctrl+W and its Close button each close it.
TEST_F(WindowLayoutGL, TheHelpWindowOpensClearOfTheBarsAndClosesFromTheKeyboard) {
    const orvextest::ReservedScreenEdge panel(600);
    ASSERT_TRUE(panel.took());
    open();
    form().helpContentsAction->trigger();
    auto* help = form().findChild<HelpViewer*>(HelpViewer::windowName);
    ASSERT_TRUE(help);
    EXPECT_EQ(whenAtRest([&] {
                  const xcb_window_t id = XWindowTree::idOf(*help);
                  if (!id || !x.isViewable(id))
                      return std::string("help not shown");
                  const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
                  if (!room.contains(x.frameOf(*help)))
                      return "help at " + text(x.frameOf(*help)) + " past the room " + text(room);
                  for (const QRect& bar : controlBars())
                      if (x.frameOf(*help).intersects(bar))
                          return "help at " + text(x.frameOf(*help)) + " over a bar at " +
                                 text(bar);
                  return std::string();
              }),
              "");
    const struct {
        const char* name;
        std::function<void()> close;
    } closings[] = {
        {"Escape", [&] { QTest::keyClick(help->browser, Qt::Key_Escape); }},
        {"Ctrl+W", [&] { QTest::keyClick(help->browser, Qt::Key_W, Qt::ControlModifier); }},
        {"Close", [&] { help->closeButton->click(); }}};
    for (const auto& closing : closings) {
        form().helpContentsAction->trigger();
        ASSERT_EQ(whenAtRest([&] { return help->isActiveWindow() ? "" : "help not active"; }), "")
            << closing.name;
        closing.close();
        EXPECT_FALSE(help->isVisible()) << closing.name;
    }
}

// Detail settings show their pages whole where the room has space for them;
// where a panel leaves less (the room of an 800 x 600 screen), the dialog
// fits the room with its buttons in reach, and its pages scroll below a tab
// bar that stays in sight however far they are scrolled.
TEST_F(WindowLayoutGL, DetailSettingsFitTheRoomWithTheirButtonsInReach) {
    open();
    OrvexOptionForm& options = *form().optionForm;
    QTabWidget& tabs = *options.tabWidget;
    // The area a page's content scrolls in: within the page or around it.
    const auto scrollerOf = [](QWidget* page) {
        if (auto* within = page->findChild<QScrollArea*>())
            return within;
        while (page && !qobject_cast<QScrollArea*>(page))
            page = page->parentWidget();
        return qobject_cast<QScrollArea*>(page);
    };
    const auto opened = [&](bool scrolling) {
        form().detailButton->click();
        std::string fault;
        bool scrolled = false;
        for (int page = 0; page < tabs.count() && fault.empty(); ++page) {
            tabs.setCurrentIndex(page);
            const std::string name = tabs.tabText(page).toStdString();
            fault = whenAtRest([&] {
                const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
                const QRect frame = x.frameOf(options);
                if (!options.isVisible() || !room.contains(frame))
                    return "the dialog at " + text(frame) + " past the room " + text(room);
                for (const QPushButton* button :
                     {options.saveButton, options.loadButton, options.closeButton})
                    if (!options.rect().contains(button->geometry()))
                        return button->text().toStdString() + " outside the dialog";
                const QScrollArea* pages = scrollerOf(tabs.currentWidget());
                if (!pages)
                    return name + " not in a scroll area";
                if (pages->horizontalScrollBar()->maximum() > 0)
                    return name + " scrolls sideways";
                // Scrolled to its end, the page leaves the tabs where they were.
                QScrollBar& down = *pages->verticalScrollBar();
                scrolled = scrolled || down.maximum() > 0;
                down.setValue(down.maximum());
                const QTabBar& bar = *tabs.tabBar();
                const QRect onScreen(bar.mapToGlobal(QPoint(0, 0)), bar.size());
                if (!room.contains(onScreen) ||
                    !QRegion(bar.rect()).subtracted(bar.visibleRegion()).isEmpty())
                    return "the tab bar at " + text(onScreen) + " out of sight below " + name;
                down.setValue(0);
                return std::string();
            });
        }
        if (fault.empty() && scrolled != scrolling)
            fault = scrolling ? "pages that do not scroll" : "pages that scroll";
        tabs.setCurrentIndex(0);
        return fault;
    };
    EXPECT_EQ(opened(false), "") << "the whole screen";
    options.closeButton->click();

    const orvextest::ReservedScreenEdge panel(600);
    ASSERT_TRUE(panel.took());
    for (const char* opening : {"first", "second"}) {
        EXPECT_EQ(opened(true), "") << opening << " opening in the smaller room";
        options.closeButton->click();
        EXPECT_FALSE(options.isVisible());
    }
}

// The place editor opens where it was when it was last closed, not a title
// bar's height lower; left larger than the screen and past its corner, it
// opens made to fit the screen, within it.
TEST_F(WindowLayoutGL, ThePlaceEditorOpensWhereItWasWithinTheScreen) {
    open();
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    std::vector<std::string> places;
    QRect frame;
    for (int opening = 0; opening < 4; ++opening) {
        orvextest::NextModal look([&](QWidget* dialog) {
            const xcb_window_t id = XWindowTree::idOf(*dialog);
            QTest::qWait(100);
            whenAtRest([&] {
                const bool framed = x.desktopWindowOf(id) != id || !x.windowManagerRuns();
                const QRect believed(dialog->mapToGlobal(QPoint(0, 0)), dialog->size());
                return framed && x.onScreen(id) == believed ? "" : "on its way";
            });
            places.push_back(text(x.onScreen(id)));
            frame = x.frameOf(*dialog);
            // Made larger than the screen, reaching past its corner.
            if (opening == 2) {
                const QPoint past = room.bottomRight() - frame.bottomRight() + QPoint(100, 80);
                dialog->setGeometry(QRect(dialog->pos() + past, room.size() + QSize(100, 80)));
                whenAtRest([&] { return x.frameOf(*dialog) == frame ? "on its way" : ""; });
            }
            orvextest::NextModal::reject(dialog);
        });
        form().locationEditButton->click();
        ASSERT_TRUE(look.seen());
    }
    EXPECT_EQ(std::vector<std::string>(places.begin(), places.begin() + 3),
              std::vector<std::string>(3, places.front()));
    EXPECT_TRUE(room.contains(frame)) << text(frame) << " past the room " << text(room);
    EXPECT_EQ(text(frame.bottomRight()), text(room.bottomRight()));
}

// A walk through the layouts, the screen modes, Reset windows, the window
// manager's own close, maximise and minimise, and a change of style, in the
// language the test is given (run it at 1024 x 768 too), then a start with
// places saved larger than the screen: after each step every window is within
// the screen with its title bar in sight, and part of the GL window is
// uncovered while it is a window of its own; Reset windows puts the windows
// back where the first start put them, whatever came before.
class WindowWalkGL : public WindowLayoutGL, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        StartupState::setLocale(GetParam());
        const QString dir = QString::fromStdString(orvextest::translationDir());
        if (StartupState::loadTranslator(texts, "OrvexStudio_", GetParam(), dir)) {
            QCoreApplication::installTranslator(&texts);
        } else {
            ASSERT_STREQ(GetParam(), "en");
        }
    }
    ~WindowWalkGL() override {
        program.reset();
        QCoreApplication::removeTranslator(&texts);
        StartupState::setLocale(locale);
    }

    const QString locale = StartupState::locale();
    QTranslator texts;
};

TEST_P(WindowWalkGL, EveryWindowStaysInSightThroughLayoutsModesAndResetWindows) {
    open();
    OrvexMainForm& f = form();
    f.mediaButton->click();
    ASSERT_EQ(whenAtRest([&] { return everyWindowInSight(); }), "") << "first start";
    QWidget* const media = program->mediaForm();
    const std::vector<std::pair<QWidget*, const char*>> windows = {
        {&f, "control window"}, {&glWindow(), "GL window"}, {media, "media viewer"}};
    std::vector<QRect> firstStart;
    for (const auto& window : windows)
        firstStart.push_back(x.frameOf(*window.first));
    // What of the windows shown is not where the first start put it.
    const auto awayFromTheFirstStart = [&] {
        std::string away;
        for (std::size_t i = 0; i < windows.size(); ++i)
            if (windows[i].first->isVisible() && x.frameOf(*windows[i].first) != firstStart[i])
                away += std::string(windows[i].second) + " at " +
                        text(x.frameOf(*windows[i].first)) + ", first " + text(firstStart[i]) +
                        "; ";
        return away;
    };

    QAction* reset = f.viewResetWindowsAction;
    std::vector<std::pair<std::string, std::function<void()>>> steps;
    const auto choose = [&](std::initializer_list<QAction*> actions) {
        for (QAction* action : actions)
            steps.emplace_back(action->objectName().toStdString(), [&, action] {
                // Chosen from the control window's menu, which brings it in front
                // (minimised, only its keys reach it).
                if (action == reset && !f.isMinimized())
                    bringTheControlWindowForward();
                action->trigger();
            });
    };
    // What the window manager's keys and buttons do.
    using ManagerAction = void (XWindowTree::*)(const QWidget&) const;
    const auto byTheManager = [&](const char* what, ManagerAction act, QWidget* window,
                                  const char* name) {
        steps.emplace_back(std::string(what) + " " + name, [&, act, window] { (x.*act)(*window); });
    };
    choose({f.layoutSCAction, reset, f.layoutSBAction, reset, f.viewFullScreenAction, reset,
            f.viewEmbedAction, f.viewFullScreenAction, f.viewNormalAction, reset, f.layoutBAction,
            f.layoutSBAction, f.layoutBCAction, f.layoutSCAction, f.viewNormalAction,
            f.viewEmbedAction, reset});
    // Left full screen with Alt+F4, as it has no title bar, then back from the
    // View menu.
    for (QAction* back :
         {f.viewNormalAction, f.viewFullScreenAction, f.viewEmbedAction, f.layoutSCAction,
          f.layoutBAction, f.layoutBCAction, f.layoutSBAction, reset}) {
        choose({f.viewFullScreenAction});
        byTheManager("Alt+F4 on", &XWindowTree::closeByTheManager, &glWindow(), "the GL window");
        choose({back});
    }
    for (QAction* back : {reset, f.viewMediaFullScreenAction, f.viewMediaNormalAction}) {
        choose({f.viewMediaFullScreenAction});
        byTheManager("Alt+F4 on", &XWindowTree::closeByTheManager, media, "the media viewer");
        // The Show button and its hint follow the viewer closed.
        steps.emplace_back("the Show button", [&] {
            whenAtRest([&] { return media->isVisible() ? "shown" : ""; });
            EXPECT_FALSE(f.mediaButton->isChecked());
            EXPECT_EQ(f.mediaViewerHelpLabel->text(),
                      QCoreApplication::translate(
                          "OrvexMainForm", "Drop a image or a movie on [Show] button to show it."));
        });
        choose({back});
    }
    for (const auto& [window, name] : windows) {
        byTheManager("maximise", &XWindowTree::maximiseByTheManager, window, name);
        choose({reset});
        byTheManager("minimise", &XWindowTree::minimiseByTheManager, window, name);
        choose({reset});
    }
    // A style that makes the control window larger, with the window alone at
    // the screen's corner.
    byTheManager("Alt+F4 on", &XWindowTree::closeByTheManager, &glWindow(), "the GL window");
    byTheManager("Alt+F4 on", &XWindowTree::closeByTheManager, media, "the media viewer");
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    steps.emplace_back("dragged to the corner", [&] {
        f.move(f.pos() + room.bottomRight() - x.frameOf(f).bottomRight());
        whenAtRest(
            [&] { return x.frameOf(f).bottomRight() == room.bottomRight() ? "" : "moving"; });
    });
    choose({f.viewStyleDarkAction, f.viewStyleWindowsAction, reset, f.viewMediaNormalAction});

    std::string done;
    for (const auto& [name, step] : steps) {
        done += " " + name;
        step();
        QTest::qWait(100);
        ASSERT_EQ(whenAtRest([&] { return everyWindowInSight(); }), "") << done;
        if (name == reset->objectName().toStdString()) {
            EXPECT_EQ(whenAtRest(awayFromTheFirstStart), "") << done;
        }
    }

    // Saved larger than this screen: each opens made to fit it, the control
    // window, saved maximised, once the manager shows it plain again.
    f.close();
    program.reset();
    {
        auto settings = WindowSettings::open();
        for (const char* prefix : {"/Orvex/Main", "/Orvex/OrvexGL", "/Orvex/Media"})
            WindowSettings::writeGeometry(*settings, prefix,
                                          QRect(room.topLeft(), room.size() + QSize(200, 100)));
        settings->setValue("/Orvex/Main/maximized", 1);
    }
    program = std::make_unique<StudioProgram>();
    open();
    form().mediaButton->click();
    EXPECT_EQ(whenAtRest([&] { return everyWindowInSight(); }), "")
        << "saved larger than the screen";
    ASSERT_TRUE(form().isMaximized());
    // The control window and the GL window placed beside it maximised.
    x.closeByTheManager(*program->mediaForm());
    whenAtRest([&] { return program->mediaForm()->isVisible() ? "shown" : ""; });
    x.unmaximiseByTheManager(form());
    EXPECT_EQ(whenAtRest([&] { return form().isMaximized() ? "maximised" : everyWindowInSight(); }),
              "")
        << "saved larger than the screen and maximised, then shown plain";
}

// Both languages here; the run at 1024 x 768 in test.sh walks both too.
INSTANTIATE_TEST_SUITE_P(Languages, WindowWalkGL, ::testing::Values("en", "de"),
                         [](const auto& info) { return std::string(info.param); });

// In every shipped language the control window needs no more width than in
// English, so that at the first start it lies within the screen (run it at
// 1024 x 768 too) and a strip of the GL window stays in sight beside it.
TEST_F(WindowLayoutGL, EveryLanguageOpensWithinTheScreenBesideAStripOfTheView) {
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    int englishWidth = 0;
    for (const QString& locale : everyLanguage()) {
        const std::string where = locale.toStdString() + ", first start";
        program.reset();
        WindowSettings::open()->clear();
        const Language language(locale);
        program = std::make_unique<StudioProgram>();
        open();
        EXPECT_EQ(whenAtRest([&] {
                      const QRect frame = x.frameOf(form());
                      if (!room.contains(frame))
                          return "control window at " + text(frame) + " past the room " +
                                 text(room);
                      int strip = 0;
                      for (const QRect& part : QRegion(x.frameOf(glWindow())).subtracted(frame))
                          strip = std::max(strip, part.width());
                      return strip >= 20 ? std::string()
                                         : "the GL window under the control window but for " +
                                               std::to_string(strip) + " px";
                  }),
                  "")
            << where;
        const int width = x.frameOf(form()).width();
        if (englishWidth == 0)
            englishWidth = width;
        EXPECT_LE(width, englishWidth) << where;
        program.reset();
    }
}

// A place saved partly off the screen (a larger screen's) moves in just
// enough, against the edges it crossed; so does the English place reused in
// another language whose texts could make the window wider.
TEST_F(WindowLayoutGL, ASavedPlacePartlyOffTheScreenMovesInJustEnough) {
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    {
        auto settings = WindowSettings::open();
        const QPoint past = room.bottomRight() - QPoint(300, 200);
        WindowSettings::writeGeometry(*settings, "/Orvex/Main", QRect(past, QSize(983, 716)));
        for (const char* prefix : {"/Orvex/OrvexGL", "/Orvex/Media"})
            WindowSettings::writeGeometry(*settings, prefix, QRect(past, QSize(640, 480)));
    }
    open();
    form().mediaButton->click();
    for (const auto& [window, name] : {std::pair<QWidget*, const char*>{&form(), "control window"},
                                       {&glWindow(), "GL window"},
                                       {program->mediaForm(), "media viewer"}})
        EXPECT_EQ(whenAtRest([&, window = window, name = name] {
                      const QRect frame = x.frameOf(*window);
                      return frame.bottomRight() == room.bottomRight()
                                 ? std::string()
                                 : std::string(name) + " at " + text(frame) + ", the room " +
                                       text(room);
                  }),
                  "");

    const QRect english = x.frameOf(form());
    form().close();
    for (const QString& locale : everyLanguage().mid(1)) {
        program.reset();
        const Language language(locale);
        program = std::make_unique<StudioProgram>();
        open();
        EXPECT_EQ(whenAtRest([&] {
                      const QRect frame = x.frameOf(form());
                      const bool justEnough =
                          frame.top() == english.top() &&
                          (frame.left() == english.left() || frame.right() == room.right());
                      return room.contains(frame) && justEnough
                                 ? std::string()
                                 : "control window at " + text(frame) + ", in English at " +
                                       text(english);
                  }),
                  "")
            << locale.toStdString();
        form().close();
        program.reset();
    }
}

// Every step that moves a viewer between the pane, a window of its own, full
// screen and out of sight, in every short order, each sequence ended by
// Normal window:
//   F  Full screen           C  Alt+F4 (the window manager closes it)
//   T  Alt+Tab to the control window
//   E  Embed Orvex           B  Browser layout     P  Simulation/Browser layout
//   X  the manager maximises the viewer            M  ... minimises it
//   K  the manager maximises the control window
//   R  Reset windows         S  Show (the media viewer only)
//   N  Normal window
// The manager's keys act only on a viewer shown as a window of its own.
// Normal window brings the viewer back as a plain framed window in front of
// the control window, at its last plain place and size (Reset windows gives
// it a new one; so does the program moving a window shown again clear of the
// control window's bars), within the screen.
class FullScreenWalkGL : public WindowLayoutGL {
protected:
    static constexpr const char* glSteps = "FCTEBPXMKRN";
    static constexpr const char* mediaSteps = "FCTXMKRSN";

    // Every sequence of up to `length` of the steps, the empty one first.
    static std::vector<std::string> everyOrder(const std::string& steps, std::size_t length) {
        std::vector<std::string> sequences{""};
        for (std::size_t from = 0; from < sequences.size(); ++from)
            if (sequences[from].size() < length)
                for (const char step : steps)
                    sequences.push_back(sequences[from] + step);
        return sequences;
    }

    // Walks the sequences (each without the closing N) for the media viewer or
    // the GL window and gives what went wrong, a line for each sequence.
    std::vector<std::string> walk(bool media, const std::vector<std::string>& sequences) {
        OrvexMainForm& f = form();
        QWidget& w = media ? *static_cast<QWidget*>(program->mediaForm()) : glWindow();
        QAction* full = media ? f.viewMediaFullScreenAction : f.viewFullScreenAction;
        QAction* normal = media ? f.viewMediaNormalAction : f.viewNormalAction;
        const auto normalGeometry = [&] {
            return media ? program->mediaForm()->normalGeometry() : glWindow().normalGeometry();
        };
        const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
        QRect place;
        const auto plainAtItsPlace = [&]() -> std::string {
            const xcb_window_t id = XWindowTree::idOf(w);
            if (!w.isWindow())
                return "in the pane";
            if (!w.isVisible() || !id || !x.isViewable(id))
                return "hidden";
            if (w.isFullScreen() || w.isMaximized() || w.isMinimized())
                return "not a plain window";
            const QRect client = x.onScreen(id), frame = x.frameOf(w);
            if (x.windowManagerRuns() && frame.top() >= client.top())
                return "without a title bar at " + text(frame);
            if (!room.contains(frame))
                return "at " + text(frame) + " past the room " + text(room);
            if (client != place) {
                // Moved clear of the control window's bars, at its size.
                const QRect was = place.marginsAdded(WindowSettings::frameMarginsOf(&w));
                bool hidBars = false;
                for (const QRect& bar : controlBars())
                    hidBars = hidBars || was.intersects(bar);
                bool clear = true;
                for (const QRect& bar : controlBars())
                    clear = clear && !frame.intersects(bar);
                if (!hidBars || !clear || client.size() != place.size() ||
                    client != normalGeometry())
                    return "at " + text(client) + ", its place " + text(place);
            }
            if (!x.isInFront(w, f))
                return "behind the control window";
            return std::string();
        };
        const auto fullScreen = [&]() -> std::string {
            if (!w.isVisible() || !w.isFullScreen())
                return "not full screen";
            const QRect client = x.onScreen(XWindowTree::idOf(w));
            if (x.windowManagerRuns() && client != screen())
                return "full screen at " + text(client);
            if (!x.isInFront(w, f))
                return "full screen behind the control window";
            return std::string();
        };
        // Still so a moment after it first was.
        const auto settled = [&](const std::function<std::string()>& why) {
            std::string wrong = whenAtRest(why);
            if (wrong.empty()) {
                QTest::qWait(50);
                wrong = why();
            }
            return wrong;
        };
        const auto shown = [&] {
            if (media && !f.mediaButton->isChecked())
                f.mediaButton->click();
            normal->trigger();
        };
        // A window of its own the manager's keys can reach.
        const auto managed = [&](const QWidget& window) {
            return window.isWindow() && window.isVisible() && !window.isMinimized();
        };
        shown();
        EXPECT_EQ(whenAtRest([&] { return x.isViewable(XWindowTree::idOf(w)) ? "" : "hidden"; }),
                  "");
        place = x.onScreen(XWindowTree::idOf(w));

        std::vector<std::string> failed;
        for (const std::string& sequence : sequences) {
            // From a plain control window, the viewer a plain window at its
            // place; where an earlier sequence left it elsewhere, from where
            // Reset windows puts it.
            if (f.isMaximized()) {
                x.unmaximiseByTheManager(f);
                settled([&] { return f.isMaximized() ? "maximised" : ""; });
            }
            shown();
            if (!settled(plainAtItsPlace).empty()) {
                f.viewResetWindowsAction->trigger();
                shown();
                whenAtRest([&] { return x.isViewable(XWindowTree::idOf(w)) ? "" : "hidden"; });
                QTest::qWait(200);
                place = x.onScreen(XWindowTree::idOf(w));
            }
            std::string wrong;
            for (const char step : sequence + "N") {
                std::string why;
                switch (step) {
                case 'F':
                    full->trigger();
                    why = settled(fullScreen);
                    break;
                case 'C':
                    if (!managed(w))
                        break;
                    x.closeByTheManager(w);
                    why = settled([&] { return w.isVisible() ? "not closed" : ""; });
                    break;
                case 'T':
                    x.activateByTheManager(f);
                    why = settled([&] { return f.isActiveWindow() ? "" : "not active"; });
                    break;
                case 'E':
                    f.viewEmbedAction->trigger();
                    why = settled([&] { return whereTheModeSays(); });
                    break;
                case 'B':
                    f.layoutBAction->trigger();
                    why = settled([&] { return w.isWindow() ? "" : "still in the pane"; });
                    break;
                case 'P':
                    f.layoutSBAction->trigger();
                    why = settled([&] { return whereTheModeSays(); });
                    break;
                case 'X':
                    if (!managed(w) || w.isFullScreen())
                        break;
                    x.maximiseByTheManager(w);
                    why = settled([&] { return w.isMaximized() ? "" : "not maximised"; });
                    break;
                case 'M':
                    if (!managed(w))
                        break;
                    x.minimiseByTheManager(w);
                    why = settled([&] { return w.isMinimized() ? "" : "not minimised"; });
                    break;
                case 'K':
                    if (f.isMaximized())
                        break;
                    x.maximiseByTheManager(f);
                    why = settled([&] { return f.isMaximized() ? "" : "control not maximised"; });
                    break;
                case 'R':
                    f.viewResetWindowsAction->trigger();
                    // Its new place, where it shows it.
                    why = settled([&] {
                        if (media && !w.isVisible())
                            return std::string();
                        place = normalGeometry();
                        return plainAtItsPlace();
                    });
                    place = normalGeometry();
                    break;
                case 'S':
                    f.mediaButton->click();
                    why = settled([&] {
                        return w.isVisible() == f.mediaButton->isChecked() ? ""
                                                                           : "Show not followed";
                    });
                    break;
                default:
                    normal->trigger();
                    why = settled(plainAtItsPlace);
                    // Moved clear of the bars on purpose: its place now.
                    if (why.empty())
                        place = x.onScreen(XWindowTree::idOf(w));
                    break;
                }
                if (!why.empty() && wrong.empty())
                    wrong = std::string(1, step) + ": " + why;
            }
            if (!wrong.empty())
                failed.push_back(std::string(media ? "media viewer " : "GL window ") + sequence +
                                 "N, after " + wrong);
        }
        return failed;
    }
};

// The orders that once left a window as large as the screen behind its own
// title bar or brought it back at another place or size, and a fixed sample of
// the others.
TEST_F(FullScreenWalkGL, FullScreenAndBackThroughTheWindowManagersKeys) {
    open();
    EXPECT_EQ(walk(false, {"",    "F",   "FC", "FT", "FCF", "FCT", "FTF", "FTC", "CFC",
                           "TFC", "NFC", "CE", "CP", "FCE", "CPB", "CEK", "CKP", "XCE",
                           "RCE", "EX",  "PM", "MB", "XR",  "KR",  "XCR"}),
              std::vector<std::string>());
    // Minimised, then into the pane: a race with the window manager, lost in
    // some attempts only, so each order runs several times.
    std::vector<std::string> minimisedFirst;
    for (int attempt = 0; attempt < 4; ++attempt)
        for (const char* order : {"ME", "MP", "XME", "XMP", "NME", "NMP"})
            minimisedFirst.push_back(order);
    EXPECT_EQ(walk(false, minimisedFirst), std::vector<std::string>());
    EXPECT_EQ(walk(true, {"",    "F",  "FC", "FCS", "FCF", "FSS", "FST", "SFC", "FTS", "SSF",
                          "CSF", "FT", "K",  "XS",  "MS",  "KR",  "RX",  "FM",  "XCR", "MFC"}),
              std::vector<std::string>());
}

// Every order of up to three steps, for both viewers: long, so only when
// asked for, in a language (ORVEX_FULL_SCREEN_WALK=en, de, ...). A part of
// them with ORVEX_FULL_SCREEN_WALK_PART=k/n (the k-th of n, from 1), so that
// several screens can walk them side by side.
TEST_F(FullScreenWalkGL, EveryOrderOfUpToThreeSteps) {
    if (!qEnvironmentVariableIsSet("ORVEX_FULL_SCREEN_WALK"))
        GTEST_SKIP() << "set ORVEX_FULL_SCREEN_WALK=en (or de, ...) to walk every order";
    const Language language(qEnvironmentVariable("ORVEX_FULL_SCREEN_WALK"));
    const QStringList part = qEnvironmentVariable("ORVEX_FULL_SCREEN_WALK_PART", "1/1").split('/');
    const std::size_t k = std::max(1, part.value(0).toInt()),
                      n = std::max(1, part.value(1).toInt());
    open();
    for (const bool media : {false, true}) {
        const std::vector<std::string> every = everyOrder(media ? mediaSteps : glSteps, 3);
        std::vector<std::string> sequences;
        for (std::size_t i = k - 1; i < every.size(); i += n)
            sequences.push_back(every[i]);
        const std::vector<std::string> wrong = walk(media, sequences);
        for (const std::string& line : wrong)
            ADD_FAILURE() << line;
        std::printf("Full screen walk, %s: %zu sequences, %zu failed\n",
                    media ? "media viewer" : "GL window", sequences.size(), wrong.size());
    }
}

// In a room as low as an 800 x 600 screen's the media viewer opens where
// Reset windows puts it, also at its first opening (by Show, or full screen
// and then Normal window), and Reset windows keeps it within the room in the
// Windows and the dark style.
TEST_F(WindowLayoutGL, TheMediaViewerOpensWithinALowRoomWhereResetWindowsPutsIt) {
    const orvextest::ReservedScreenEdge panel(600);
    ASSERT_TRUE(panel.took());
    open();
    OrvexMainForm& f = form();
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    QRect first;
    const auto within = [&](const std::string& when) {
        const QWidget& media = *program->mediaForm();
        EXPECT_EQ(whenAtRest([&] {
                      if (!x.isViewable(XWindowTree::idOf(media)))
                          return std::string("not shown");
                      const QRect frame = x.frameOf(media);
                      return room.contains(frame)
                                 ? std::string()
                                 : "at " + text(frame) + " past the room " + text(room);
                  }),
                  "")
            << when;
        QTest::qWait(100);
        return x.frameOf(media);
    };
    f.mediaButton->click();
    first = within("the first opening");
    for (QAction* style : {f.viewStyleWindowsAction, f.viewStyleDarkAction}) {
        style->trigger();
        f.viewResetWindowsAction->trigger();
        const QRect reset = within(style->objectName().toStdString() + ", Reset windows");
        if (style == f.viewStyleWindowsAction) {
            EXPECT_EQ(text(reset), text(first)) << "the first opening, then Reset windows";
        }
    }
    // Opened first in full screen, it comes back to that place too.
    program.reset();
    WindowSettings::open()->clear();
    program = std::make_unique<StudioProgram>();
    open();
    form().viewMediaFullScreenAction->trigger();
    ASSERT_EQ(whenAtRest([&] { return program->mediaForm()->isFullScreen() ? "" : "not full"; }),
              "");
    form().viewMediaNormalAction->trigger();
    EXPECT_EQ(text(within("first full screen, then Normal window")), text(first));
}

// A GL window saved maximised, as large as the screen, and shown plain by the
// window manager's own button (it gives back the place the window opened at)
// lies within the screen, also beside a control window saved maximised.
TEST_F(WindowLayoutGL, AGLWindowSavedMaximisedIsWithinTheScreenWhenTheManagerRestoresIt) {
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect saved(room.topLeft(), room.size());
    for (const int controlMaximised : {0, 1}) {
        program.reset();
        {
            auto settings = WindowSettings::open();
            WindowSettings::writeGeometry(*settings, "/Orvex/OrvexGL", saved);
            settings->setValue("/Orvex/OrvexGL/maximized", 1);
            settings->setValue("/Orvex/Main/maximized", controlMaximised);
        }
        program = std::make_unique<StudioProgram>();
        open();
        ASSERT_EQ(whenAtRest([&] { return glWindow().isMaximized() ? "" : "not maximised"; }), "");
        QTest::qWait(200);
        x.unmaximiseByTheManager(glWindow());
        EXPECT_EQ(whenAtRest([&] {
                      if (glWindow().isMaximized())
                          return std::string("maximised");
                      const QRect frame = x.frameOf(glWindow());
                      return room.contains(frame)
                                 ? std::string()
                                 : "at " + text(frame) + " past the room " + text(room);
                  }),
                  "")
            << "the control window maximised: " << controlMaximised;
    }
}

// The Browser/Control and Browser layouts show a minimised GL window again,
// in front, the keyboard left in the control window.
TEST_F(WindowLayoutGL, TheBrowserLayoutsShowAMinimisedGLWindowInFront) {
    open();
    OrvexMainForm& f = form();
    for (QAction* layout : {f.layoutBCAction, f.layoutBAction}) {
        const std::string name = layout->objectName().toStdString();
        bringTheControlWindowForward();
        x.minimiseByTheManager(glWindow());
        ASSERT_EQ(whenAtRest([&] { return glWindow().isMinimized() ? "" : "not minimised"; }), "")
            << name;
        layout->trigger();
        EXPECT_EQ(whenAtRest([&] {
                      if (glWindow().isMinimized())
                          return std::string("minimised");
                      return inFrontWithBothTitlesInSight();
                  }),
                  "")
            << name;
        // Still so a moment after it first was: the manager activates the
        // window it shows in its own time.
        const auto keyboardHere = [&] {
            return QApplication::activeWindow() == &f ? "" : "the keyboard in the GL window";
        };
        whenAtRest(keyboardHere);
        QTest::qWait(100);
        EXPECT_STREQ(keyboardHere(), "") << name;
    }
}

// The place saved at exit is the last one the GL window was shown at as a
// plain window: not one the window manager gave it maximised or closed, nor
// the pane's, nor one it passed on its way.
TEST_F(WindowLayoutGL, ThePlaceKeptIsTheLastPlainPlaceShown) {
    const std::vector<std::pair<const char*, std::function<void()>>> runs = {
        {"maximised, Alt+F4",
         [&] {
             x.maximiseByTheManager(glWindow());
             whenAtRest([&] { return glWindow().isMaximized() ? "" : "not maximised"; });
             x.closeByTheManager(glWindow());
             whenAtRest([&] { return glWindow().isVisible() ? "shown" : ""; });
         }},
        {"Embed, Normal window",
         [&] {
             form().viewEmbedAction->trigger();
             whenAtRest([&] { return whereTheModeSays(); });
             form().viewNormalAction->trigger();
         }},
        {"Reset windows", [&] { form().viewResetWindowsAction->trigger(); }}};
    for (const auto& [name, run] : runs) {
        program = std::make_unique<StudioProgram>();
        open();
        form().viewNormalAction->trigger();
        ASSERT_EQ(whenAtRest([&] { return whereTheModeSays(); }), "") << name;
        // Moved as the user moves it, once shown and settled.
        QTest::qWait(300);
        glWindow().move(glWindow().pos() + QPoint(13, 17));
        QTest::qWait(300);
        QRect last = x.onScreen(XWindowTree::idOf(glWindow()));
        run();
        QTest::qWait(300);
        // Shown plain again (Reset windows, or out of the pane, moved clear
        // of the bars on a small screen), that place is the last.
        if (glWindow().isVisible() && !glWindow().isMaximized())
            last = x.onScreen(XWindowTree::idOf(glWindow()));
        form().close();
        program.reset();
        EXPECT_EQ(
            text(WindowSettings::readGeometry(*WindowSettings::open(), "/Orvex/OrvexGL", QRect())),
            text(last))
            << name;
    }
}
