// The program's GL window with the real view: the windows reach the engine
// through the window's link.
#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include "app/EngineLink.h"
#include "engine/Orvex.h"
#include "engine/OrvexGL.h"
#include "support/GlTestContext.h"
#include "support/RootDataSet.h"
#include "support/SettingsSandbox.h"
#include "ui/OrvexProjForm.h"

TEST(OrvexGLLinkGL, TheWindowsReachTheEngineOfTheView) {
    orvextest::SettingsSandbox sandbox;
    orvextest::RootDataSet data;
    OrvexProjForm form;
    auto* view = qobject_cast<OrvexGL*>(form.view());
    ASSERT_NE(view, nullptr);
    view->setRepaintTimer(false);
    EngineLink* link = form.engine();
    EXPECT_FALSE(link->hasRoot());
    EXPECT_EQ(link->getCommandValue("Timer.Speed"), "");
    QSignalSpy updated(link, &EngineLink::updated);
    QSignalSpy keyEvents(link, &EngineLink::keyEvent);
    QSignalSpy modes(link, &EngineLink::mouseModeChanged);

    form.resize(80, 60);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    orvextest::pinGlDriver();
    view->updateGL();
    ASSERT_TRUE(link->hasRoot());
    EXPECT_EQ(keyEvents.count(), 1);
    EXPECT_GE(updated.count(), 2);

    EXPECT_EQ(link->processScenarioLine("Timer.Speed 4"), 1);
    EXPECT_EQ(link->getCommandValue("Timer.Speed"), " 4");
    EXPECT_EQ(link->getDataDir(), data.path());
    EXPECT_EQ(link->getInitStatesFile(), "./scenarios/init.scn");
    EXPECT_EQ(link->getOrbitDir(EngineLink::CometOrbits), "./data/orbits/comets/");
    EXPECT_EQ(link->getOrbitDir(EngineLink::ASatelliteOrbits), "./data/orbits/asatellites/");
    EXPECT_EQ(link->getClassName(0), "Orvex");
    EXPECT_EQ(link->getClassName(1), "Timer");
    EXPECT_EQ(link->getCommandName(0, 3), "FPS");
    EXPECT_NE(link->getStateText().find("Timer.Speed 4"), std::string::npos);

    // The selected body's places.
    ASSERT_TRUE(link->hasSelectedBody());
    link->ensureDefaultPlace();
    EXPECT_FALSE(link->formatPlace(0).empty());

    ASSERT_EQ(link->processScenarioLine("Render.FaderColor 1 1 0 1"), 1);
    view->updateGL();
    const QImage frame = link->grabFrame();
    EXPECT_EQ(frame.size(), view->size());

    // The view takes the pointer at the next frame, its window being active.
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    link->setMouseMode(1);
    EXPECT_EQ(link->mouseMode(), 1);
    EXPECT_EQ(view->getRoot()->getMouseMode(), 1);
    view->updateGL();
    EXPECT_EQ(view->cursor().shape(), Qt::BlankCursor);
    QTest::keyClick(view, Qt::Key_Escape);
    ASSERT_EQ(modes.count(), 1);
    EXPECT_EQ(modes.at(0).at(0).toInt(), 0);
    link->setMouseMode(0);
    EXPECT_EQ(view->getRoot()->getMouseMode(), 0);
}
