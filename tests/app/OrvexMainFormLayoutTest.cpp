// Where the windows go and what the settings remember of it.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QToolBar>
#include <memory>

#include "app/OrvexMainForm.h"
#include "app/WindowSettings.h"
#include "support/FakeEngine.h"
#include "support/SettingsSandbox.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexProjForm.h"

namespace {

// Opens the echo guard to the tests; leaving it ends no test.
class GuardedForm : public OrvexMainForm {
public:
    using OrvexMainForm::updatingInterface;
    void quitProgram() override {}
};

class MainFormLayout : public ::testing::Test {
protected:
    orvextest::SettingsSandbox sandbox;
    orvextest::FakeEngine engine;
    std::unique_ptr<OrvexProjForm> projForm;
    std::unique_ptr<OrvexMediaForm> mediaForm;
    std::unique_ptr<GuardedForm> form;

    void start() {
        projForm = std::make_unique<OrvexProjForm>(nullptr, &engine);
        mediaForm = std::make_unique<OrvexMediaForm>();
        form = std::make_unique<GuardedForm>();
        form->setForms(projForm.get(), mediaForm.get());
    }
    void TearDown() override {
        projForm.reset();
        mediaForm.reset();
        form.reset();
    }
    void save(const char* key, const QVariant& value) {
        WindowSettings::open()->setValue(key, value);
    }
    QVariant saved(const char* key) { return WindowSettings::open()->value(key); }
    QList<int> list(int a, int b, int c) { return {a, b, c}; }
    // Shown with its layout settled, as the event loop would leave it.
    void show() {
        form->show();
        // Room for all three panes at their minimum widths.
        form->resize(1800, 1000);
        QCoreApplication::processEvents();
    }
    // The control window within its screen's room, or where its contents
    // need more than the room, at the room's top-left corner.
    void expectInTheRoom() {
        const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect frame = form->frameGeometry();
        if (frame.size().boundedTo(room.size()) == frame.size())
            EXPECT_TRUE(room.contains(frame)) << frame.x() << "," << frame.y();
        else
            EXPECT_EQ(frame.topLeft(), room.topLeft());
    }
    int W() const { return form->width(); }
    int P() const { return form->tabWidget->width(); }
};

} // namespace

TEST_F(MainFormLayout, AFirstStartUsesTheDefaults) {
    start();
    // Placed again against its frame once shown (StudioProgram).
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(
        form->frameGeometry().topLeft()));
    EXPECT_FALSE(form->hasSavedPlace());
    EXPECT_TRUE(form->viewNormalAction->isChecked());
    EXPECT_TRUE(form->viewMediaNormalAction->isChecked());
    EXPECT_TRUE(form->viewStyleWindowsAction->isChecked());
    EXPECT_EQ(form->styleName(), "Windows");
    EXPECT_EQ(form->rememberedSizes(), list(-1, -1, -1));
    EXPECT_FALSE(form->readMaximized());
    EXPECT_EQ(form->readStyle(), "WindowsXP");
    EXPECT_EQ(projForm->geometry(), QRect(100, 100, 640, 480));
    EXPECT_EQ(mediaForm->geometry(), QRect(100, 100, 640, 480));
    EXPECT_FALSE(form->isUpdatingInterface());
}

TEST_F(MainFormLayout, SavedPlacesAndModesComeBack) {
    save("/Orvex/Main/geometry/x", 20);
    save("/Orvex/Main/geometry/y", 30);
    save("/Orvex/Main/geometry/w", 1000);
    save("/Orvex/Main/geometry/h", 950);
    save("/Orvex/Main/screenMode", 2);
    save("/Orvex/Media/screenMode", 0);
    save("/Orvex/Main/style", "Dark");
    save("/Orvex/Main/geometry/splitters0", 300);
    save("/Orvex/Main/geometry/splitters1", 200);
    save("/Orvex/Main/geometry/splitters2", 100);
    save("/Orvex/Main/maximized", 1);
    start();
    EXPECT_EQ(form->geometry(), QRect(20, 30, 1000, 950));
    EXPECT_TRUE(form->viewEmbedAction->isChecked());
    EXPECT_TRUE(form->viewMediaFullScreenAction->isChecked());
    EXPECT_TRUE(form->viewStyleDarkAction->isChecked());
    EXPECT_EQ(form->rememberedSizes(), list(300, 200, 100));
    EXPECT_TRUE(form->readMaximized());
    // init() only switches the mode on; start-up embeds.
    EXPECT_FALSE(form->isEmbedded());
}

TEST_F(MainFormLayout, UnknownModesSwitchNoActionOn) {
    save("/Orvex/Main/screenMode", 7);
    save("/Orvex/Media/screenMode", -1);
    start();
    EXPECT_FALSE(form->viewNormalAction->isChecked());
    EXPECT_FALSE(form->viewFullScreenAction->isChecked());
    EXPECT_FALSE(form->viewEmbedAction->isChecked());
    EXPECT_FALSE(form->viewMediaNormalAction->isChecked());
    EXPECT_FALSE(form->viewMediaFullScreenAction->isChecked());
}

TEST_F(MainFormLayout, SavedWindowsOffEveryScreenComeBackAtOneHundred) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    save("/Orvex/Main/geometry/x", screen.right() + 500);
    save("/Orvex/OrvexGL/geometry/x", screen.right() + 500);
    save("/Orvex/OrvexGL/geometry/w", 500);
    save("/Orvex/Media/geometry/y", -400);
    start();
    EXPECT_EQ(form->geometry().topLeft(), QPoint(100, 100));
    EXPECT_EQ(projForm->geometry(), QRect(100, 100, 500, 480));
    EXPECT_EQ(mediaForm->geometry().topLeft(), QPoint(100, 100));
}

TEST_F(MainFormLayout, ResetIgnoresTheSavedPlaces) {
    save("/Orvex/Main/geometry/x", 20);
    save("/Orvex/Main/screenMode", 0);
    save("/Orvex/Main/style", "Dark");
    save("/Orvex/Main/geometry/splitters0", 300);
    save("/Orvex/OrvexGL/geometry/x", 300);
    save("/Orvex/Main/maximized", 1);
    StartupState::setReset(true);
    start();
    // 960 x 720, or the window's minimum where its contents need more.
    EXPECT_EQ(form->size(), QSize(960, 720).expandedTo(form->minimumSize()));
    EXPECT_LE(form->width(), 980);
    EXPECT_LE(form->height(), 740);
    EXPECT_TRUE(form->viewNormalAction->isChecked());
    EXPECT_TRUE(form->viewMediaNormalAction->isChecked());
    EXPECT_TRUE(form->viewStyleWindowsAction->isChecked());
    EXPECT_EQ(form->rememberedSizes(), list(-1, -1, -1));
    EXPECT_EQ(projForm->geometry(), QRect(100, 100, 640, 480));
    // The maximised state is read whatever the switch says.
    EXPECT_TRUE(form->readMaximized());
}

TEST_F(MainFormLayout, SaveSettingsWritesEveryKey) {
    StartupState::setLocale("de");
    start();
    form->setGeometry(40, 50, 1010, 940);
    form->viewFullScreenAction->setChecked(true);
    form->viewMediaFullScreenAction->setChecked(true);
    form->saveSettings();
    EXPECT_EQ(saved("/Orvex/Main/screenMode").toInt(), 0);
    EXPECT_EQ(saved("/Orvex/Media/screenMode").toInt(), 0);
    EXPECT_EQ(saved("/Orvex/Main/maximized").toInt(), 0);
    EXPECT_EQ(saved("/Orvex/Main/geometry/x").toInt(), 40);
    EXPECT_EQ(saved("/Orvex/Main/geometry/y").toInt(), 50);
    EXPECT_EQ(saved("/Orvex/Main/geometry/w").toInt(), 1010);
    EXPECT_EQ(saved("/Orvex/Main/geometry/h").toInt(), 940);
    EXPECT_EQ(saved("/Orvex/Main/style").toString(), "Windows");
    EXPECT_EQ(saved("/Orvex/Main/geometry/splitters0").toInt(), -1);
    EXPECT_EQ(saved("/Orvex/locale").toString(), "de");

    form->viewEmbedAction->setChecked(true);
    form->saveSettings();
    EXPECT_EQ(saved("/Orvex/Main/screenMode").toInt(), 2);
}

TEST_F(MainFormLayout, AMaximisedWindowKeepsItsNormalGeometryAndAMinimisedOneWritesNothing) {
    start();
    form->setGeometry(40, 50, 1010, 940);
    form->saveSettings();
    form->setGeometry(60, 70, 1020, 950);
    form->setWindowState(Qt::WindowMaximized);
    form->saveSettings();
    EXPECT_EQ(saved("/Orvex/Main/maximized").toInt(), 1);
    EXPECT_EQ(saved("/Orvex/Main/geometry/x").toInt(), 40);
    EXPECT_TRUE(form->readMaximized());

    save("/Orvex/Main/maximized", 5);
    form->setWindowState(Qt::WindowMinimized);
    form->saveSettings();
    EXPECT_EQ(saved("/Orvex/Main/maximized").toInt(), 5);
    EXPECT_EQ(saved("/Orvex/Main/geometry/x").toInt(), 40);
}

TEST_F(MainFormLayout, ASecondRunRestoresWhatTheFirstSaved) {
    start();
    form->setGeometry(33, 44, 1005, 945);
    form->viewEmbedAction->setChecked(true);
    form->close();
    TearDown();
    start();
    EXPECT_EQ(form->geometry(), QRect(33, 44, 1005, 945));
    EXPECT_TRUE(form->viewEmbedAction->isChecked());
}

TEST_F(MainFormLayout, EmbeddingGivesTheGLWindowTheFirstPane) {
    start();
    show();
    // Moved by the user once it is shown: a place set while hidden is not its own.
    projForm->show();
    projForm->setGeometry(120, 130, 500, 400);
    const QRect before = projForm->geometry();
    // The widths at the moment of the call.
    const int w = W(), p = P();
    form->viewEmbedAction->setChecked(true);
    form->viewEmbed();
    ASSERT_TRUE(form->isEmbedded());
    EXPECT_EQ(form->splitter2->count(), 3);
    EXPECT_EQ(form->splitter2->widget(0), projForm.get());
    EXPECT_FALSE(projForm->isWindow());
    ASSERT_GE(p, 4);
    EXPECT_EQ(form->rememberedSizes(), list((w - p) / 2, (w - p) / 2, p));
    // A second embed changes nothing.
    form->viewEmbed();
    EXPECT_EQ(form->splitter2->count(), 3);

    // Out again: the window is back where it was, the splitter has two panes.
    form->viewNormalAction->setChecked(true);
    form->viewNormal();
    EXPECT_FALSE(form->isEmbedded());
    EXPECT_TRUE(projForm->isWindow());
    EXPECT_TRUE(projForm->isVisible());
    EXPECT_EQ(form->splitter2->count(), 2);
    EXPECT_EQ(projForm->geometry(), before);
    // The panel's width as the two-pane splitter has it (a pixel either way
    // as the splitter shares out the odd pixel).
    const QList<int> sizes = form->rememberedSizes();
    ASSERT_EQ(sizes.size(), 3);
    EXPECT_EQ(sizes[0] + sizes[1], W());
    EXPECT_NEAR(sizes[1], P(), 1);
    EXPECT_EQ(sizes[2], 0);
}

TEST_F(MainFormLayout, FullScreenFromEmbeddedLeavesTheSplitterSizes) {
    start();
    show();
    form->viewEmbed();
    ASSERT_TRUE(form->isEmbedded());
    form->viewFullScreen();
    EXPECT_FALSE(form->isEmbedded());
    EXPECT_TRUE(projForm->isFullScreen());
    // The list holds the three panes as they were.
    EXPECT_EQ(form->rememberedSizes().size(), 3);
    EXPECT_GT(form->rememberedSizes()[0], 0);
}

TEST_F(MainFormLayout, TheEchoGuardStopsTheScreenModes) {
    start();
    show();
    form->updatingInterface = true;
    form->viewEmbed();
    EXPECT_FALSE(form->isEmbedded());
    form->viewFullScreen();
    EXPECT_FALSE(projForm->isVisible());
    form->viewMediaNormalSlot();
    EXPECT_FALSE(mediaForm->isVisible());
    form->updatingInterface = false;
    form->viewMediaNormalSlot();
    EXPECT_TRUE(mediaForm->isVisible());
}

TEST_F(MainFormLayout, PresetsShareTheWidthAsTheirTableSays) {
    start();
    show();
    form->layoutSCSlot();
    ASSERT_TRUE(form->isEmbedded());
    EXPECT_TRUE(form->viewEmbedAction->isChecked());
    EXPECT_EQ(form->rememberedSizes(), list(W() - P(), 0, P()));

    form->layoutSBSlot();
    EXPECT_EQ(form->rememberedSizes(), list(W() / 2, W() / 2, 0));

    form->layoutBSlot();
    EXPECT_FALSE(form->isEmbedded());
    EXPECT_TRUE(form->viewNormalAction->isChecked());
    EXPECT_EQ(form->rememberedSizes(), list(W(), 0, 0));
    EXPECT_EQ(form->splitter2->sizes().at(1), 0);

    // The panel collapsed by the browser layout opens again at its natural width.
    form->layoutBCSlot();
    const int p = form->rememberedSizes().at(1);
    EXPECT_GE(p, 4);
    EXPECT_EQ(form->rememberedSizes(), list(W() - p, p, 0));
    EXPECT_GT(form->splitter2->sizes().at(1), 0);
}

TEST_F(MainFormLayout, EmbeddingWithACollapsedPanelSplitsTheWidthInHalves) {
    start();
    show();
    form->layoutBSlot();
    ASSERT_LT(P(), 4);
    form->viewEmbed();
    EXPECT_EQ(form->rememberedSizes(), list(W() / 2, W() / 2, 0));
}

TEST_F(MainFormLayout, DraggingWhileNotEmbeddedDoesNotChangeWhatIsWritten) {
    start();
    show();
    form->layoutBCSlot();
    const QList<int> remembered = form->rememberedSizes();
    form->splitter2->setSizes({100, 50});
    form->saveSettings();
    EXPECT_EQ(saved("/Orvex/Main/geometry/splitters0").toInt(), remembered[0]);
    EXPECT_EQ(saved("/Orvex/Main/geometry/splitters1").toInt(), remembered[1]);
}

TEST_F(MainFormLayout, ResetWindowsPutsAllThreeAtTheirDefaultSizesClearOfTheBars) {
    start();
    show();
    projForm->setGeometry(300, 300, 400, 300);
    form->viewEmbed();
    mediaForm->setGeometry(200, 210, 500, 400);
    form->viewResetWindowsSlot();
    expectInTheRoom();
    EXPECT_FALSE(form->isEmbedded());
    // The default places (100, 100) would hide the menu bar: both windows
    // keep their default size below the tool bar, the media viewer a step
    // further than the GL window.
    const int barsBottom = form->geometry().top() +
                           form->toolBar->mapTo(form.get(), QPoint(0, 0)).y() +
                           form->toolBar->height();
    EXPECT_EQ(projForm->geometry().size(), QSize(640, 480));
    EXPECT_GE(projForm->geometry().top(), barsBottom);
    EXPECT_EQ(projForm->normalGeometry(), projForm->geometry());
    EXPECT_EQ(mediaForm->normalGeometry().size(), QSize(640, 480));
    EXPECT_GT(mediaForm->normalGeometry().top(), projForm->geometry().top());

    // From full screen, each window comes back in its normal mode.
    form->viewFullScreenAction->setChecked(true);
    form->viewFullScreen();
    form->viewMediaFullScreenAction->setChecked(true);
    form->viewMediaFullScreenSlot();
    form->viewResetWindowsSlot();
    EXPECT_TRUE(form->viewNormalAction->isChecked());
    EXPECT_TRUE(projForm->isVisible());
    EXPECT_FALSE(projForm->isFullScreen());
    EXPECT_TRUE(form->viewMediaNormalAction->isChecked());
    EXPECT_FALSE(mediaForm->isFullScreen());
}

TEST_F(MainFormLayout, OnlyAWindowThatWasShownSavesItsPlace) {
    save("/Orvex/Media/geometry/x", 700);
    save("/Orvex/Media/geometry/y", 500);
    start();
    projForm->show();
    projForm->setGeometry(30, 40, 500, 400);
    // Nothing the window is given while hidden is its place.
    projForm->hide();
    projForm->setGeometry(60, 70, 300, 200);
    TearDown();
    // The viewer, never shown, keeps the place an earlier run saved.
    EXPECT_EQ(saved("/Orvex/Media/geometry/x").toInt(), 700);
    EXPECT_EQ(saved("/Orvex/Media/geometry/y").toInt(), 500);
    EXPECT_FALSE(WindowSettings::open()->contains("/Orvex/Media/geometry/w"));
    EXPECT_EQ(saved("/Orvex/OrvexGL/geometry/x").toInt(), 30);
    EXPECT_EQ(saved("/Orvex/OrvexGL/geometry/w").toInt(), 500);
}
