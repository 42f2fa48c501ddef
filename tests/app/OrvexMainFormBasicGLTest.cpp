// The "Basic" page with the real engine on the shipped data set: the page
// fills itself once the engine starts, and choosing a body takes the view
// there and shows that body's places and map.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QTest>
#include <string>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "engine/OrvexGL.h"
#include "support/ShippedDataCopy.h"
#include "support/GlTestContext.h"
#include "support/GlViewShots.h"
#include "support/SettingsSandbox.h"
#include "support/TestEnv.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexProjForm.h"
#include "ui/QFloatSpinBox.h"
#include "ui/QOrvexMap.h"

TEST(OrvexMainFormBasicGL, ChoosingMarsCentresItAndFillsItsPlaces) {
    const orvextest::ShippedDataCopy share{std::vector<std::string>{}};
    orvextest::SettingsSandbox sandbox;
    OrvexMainForm form;
    OrvexMediaForm mediaForm;
    // Declared after the window: it leaves its parent splitter when it goes.
    OrvexProjForm projForm;
    auto* view = qobject_cast<OrvexGL*>(projForm.view());
    ASSERT_NE(view, nullptr);
    view->setRepaintTimer(false);
    EngineLink* link = projForm.engine();
    form.setForms(&projForm, &mediaForm);
    QObject::connect(link, &EngineLink::keyEvent, &form, &OrvexMainForm::orvexKeyEventSlot);
    form.resize(1240, 900);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    // The GL view beside the control panel.
    form.layoutSCSlot();
    ASSERT_TRUE(form.isEmbedded());
    orvextest::pinGlDriver();

    // The engine's start is announced as a key event: the page fills itself.
    view->updateGL();
    ASSERT_TRUE(link->hasRoot());
    if (link->getCommandValue("Ssystem.AstrNames") == "Undefined")
        GTEST_SKIP() << "the solar system does not answer commands in this build";
    ASSERT_GT(form.simModeCombo->count(), 0);
    const int mars = form.planetCombo->findText("Mars");
    ASSERT_GE(mars, 0);
    EXPECT_NE(form.planetCombo->currentText(), "Mars");

    form.planetCombo->setCurrentIndex(mars);
    emit form.planetCombo->activated(mars);
    orvextest::runUntilStill(view, link);

    EXPECT_EQ(link->getCommandValue("Ssystem.AstrName"), "Mars");
    EXPECT_EQ(link->getCommandValue("Camera.Mode"), "Examine");
    EXPECT_GE(form.locationCombo->findText("Olympus_Mons"), 1);
    EXPECT_EQ(form.locationCombo->itemText(0), "");
    EXPECT_EQ(form.mapLabel->mapFile(), "./textures/mars.jpg");
    EXPECT_FLOAT_EQ(form.latSpinBox->value(),
                    float(std::stod(link->getCommandValue("Ssystem.PlaceLat"))));

    // The view examines Mars, its animation over; the overlay names it.
    EXPECT_EQ(link->getCommandValue("Camera.Animating"), " 0");
    EXPECT_FALSE(link->grabFrame().isNull());

    // ORVEX_SCREENSHOT names a file for a picture of the window.
    const QString shotFile = qEnvironmentVariable("ORVEX_SCREENSHOT");
    if (!shotFile.isEmpty()) {
        EXPECT_TRUE(orvextest::screenshot(form, view, link).save(shotFile));
    }
}
