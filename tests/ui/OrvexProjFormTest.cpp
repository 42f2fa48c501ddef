#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QSplitter>
#include <QStackedWidget>

#include "app/WindowSettings.h"
#include "support/FakeEngine.h"
#include "support/SettingsSandbox.h"
#include "ui/MediaPlayerPane.h"
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
    EXPECT_EQ(WindowSettings::open()->value("/Orvex/OrvexGL/maximized").toInt(), 1);
    // The normal geometry stays what it was before full screen.
    EXPECT_EQ(WindowSettings::open()->value("/Orvex/OrvexGL/geometry/w").toInt(), 420);
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
