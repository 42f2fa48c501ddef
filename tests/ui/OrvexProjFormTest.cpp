#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QSplitter>
#include <QStackedWidget>
#include <functional>
#include <memory>

#include "app/WindowSettings.h"
#include "support/FakeEngine.h"
#include "support/SettingsSandbox.h"
#include "ui/MediaPlayerPane.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexProjForm.h"

TEST(OrvexProjForm, HoldsTheViewOnItsFirstPage) {
    orvextest::SettingsSandbox sandbox;
    OrvexProjForm form;
    ASSERT_NE(form.engine(), nullptr);
    EXPECT_FALSE(form.engine()->hasRoot());
    EXPECT_EQ(form.stack->count(), 3);
    EXPECT_EQ(form.stack->currentIndex(), 0);
    EXPECT_EQ(form.stack->widget(0), form.view());
    EXPECT_EQ(form.view()->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(form.stack->widget(1)->objectName(), "imageLabel");
    EXPECT_EQ(form.stack->widget(2)->objectName(), "mediaPlayerAXAX");

    orvextest::FakeEngine engine;
    auto* view = new QWidget;
    OrvexProjForm withView(view, &engine);
    EXPECT_EQ(withView.view(), view);
    EXPECT_EQ(withView.engine(), &engine);
}

TEST(OrvexProjForm, CaptionFollowsEveryResize) {
    orvextest::SettingsSandbox sandbox;
    OrvexProjForm form;
    form.show();
    form.resize(500, 300);
    EXPECT_EQ(form.windowTitle(), "Orvex Studio [ 500 x 300 ]");
}

TEST(OrvexProjForm, ClosingHidesAndReports) {
    orvextest::SettingsSandbox sandbox;
    OrvexProjForm form;
    QSignalSpy closed(&form, &OrvexProjForm::closed);
    form.show();
    EXPECT_TRUE(form.close());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_FALSE(form.isVisible());
}

TEST(OrvexProjForm, EmbeddedMovesLeaveTheNormalGeometryAlone) {
    orvextest::SettingsSandbox sandbox;
    QSplitter splitter;
    auto form = std::make_unique<OrvexProjForm>();
    form->show();
    form->setGeometry(150, 160, 400, 300);
    EXPECT_EQ(form->normalGeometry(), QRect(150, 160, 400, 300));
    form->setParent(&splitter, Qt::Widget);
    splitter.insertWidget(0, form.get());
    splitter.show();
    form->show();
    splitter.resize(800, 600);
    EXPECT_EQ(form->normalGeometry(), QRect(150, 160, 400, 300));
    // The caption follows the size also while embedded.
    EXPECT_TRUE(form->windowTitle().startsWith("Orvex Studio [ "));
    form->setParent(nullptr, Qt::Window);
    form->restoreGeometry();
    EXPECT_EQ(form->geometry(), QRect(150, 160, 400, 300));
}

TEST(OrvexProjForm, GeometryKeysAreWrittenWhenTheWindowGoes) {
    orvextest::SettingsSandbox sandbox;
    {
        OrvexProjForm form;
        form.show();
        form.setGeometry(120, 130, 420, 310);
    }
    auto settings = WindowSettings::open();
    EXPECT_EQ(settings->value("/Orvex/OrvexGL/geometry/x").toInt(), 120);
    EXPECT_EQ(settings->value("/Orvex/OrvexGL/geometry/h").toInt(), 310);
    EXPECT_EQ(settings->value("/Orvex/OrvexGL/maximized").toInt(), 0);
    {
        OrvexProjForm form;
        EXPECT_EQ(form.geometry(), QRect(120, 130, 420, 310));
        form.showFullScreen();
    }
    // The normal geometry stays what it was before full screen.
    EXPECT_EQ(WindowSettings::open()->value("/Orvex/OrvexGL/geometry/w").toInt(), 420);
}

// "maximized" follows the user's last choice: only a window of its own shown
// neither minimised nor full screen tells it, whatever state the run ends in.
// Each run starts from a 1 an earlier run saved; the media viewer keeps the
// same flag by the same rule.
TEST(OrvexProjForm, TheMaximisedFlagIsTheLastChoiceShownAsAWindowOfItsOwn) {
    orvextest::SettingsSandbox sandbox;
    const struct {
        const char* steps; // N normal, X maximised, F full screen, M minimised,
                           // H hidden, P into a pane
        int saved;
    } runs[] = {{"XF", 1},  {"NF", 0},  {"XNM", 0}, {"XM", 1},   {"XNP", 0}, {"NXH", 1},
                {"NXP", 1}, {"XNH", 0}, {"F", 1},   {"NFXF", 1}, {"", 1}};
    const std::pair<const char*, std::function<QWidget*()>> viewers[] = {
        {"/Orvex/OrvexGL/maximized", [] { return new OrvexProjForm; }},
        {"/Orvex/Media/maximized", [] { return new OrvexMediaForm; }}};
    for (const auto& [key, make] : viewers)
        for (const auto& run : runs) {
            WindowSettings::open()->setValue(key, 1);
            {
                QSplitter pane;
                const std::unique_ptr<QWidget> viewer(make());
                QWidget& form = *viewer;
                for (const char* step = run.steps; *step; ++step)
                    switch (*step) {
                    case 'N':
                        form.showNormal();
                        break;
                    case 'X':
                        form.showMaximized();
                        break;
                    case 'F':
                        form.showFullScreen();
                        break;
                    case 'M':
                        form.showMinimized();
                        break;
                    case 'H':
                        form.hide();
                        break;
                    default:
                        pane.addWidget(&form);
                        form.show();
                    }
            }
            EXPECT_EQ(WindowSettings::open()->value(key).toInt(), run.saved)
                << key << " " << run.steps;
        }
}

TEST(OrvexProjForm, MediaCallsReachThePlayer) {
    orvextest::SettingsSandbox sandbox;
    OrvexProjForm form;
    EXPECT_FALSE(form.mediaPlayerAXAX->controlsVisible());
    form.setMediaControls(true);
    EXPECT_TRUE(form.mediaPlayerAXAX->controlsVisible());
    // Without a movie the player calls do nothing.
    form.mediaPlay();
    form.mediaPause();
    form.mediaStop();
    EXPECT_EQ(form.stack->currentIndex(), 0);
}
