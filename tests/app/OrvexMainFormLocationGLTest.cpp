// The place editor against the real engine of the GL window: a place added
// in it reaches the body and the engine's place list file.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <fstream>
#include <iterator>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "support/GlMainWindow.h"
#include "support/NextModal.h"
#include "support/SettingsSandbox.h"
#include "support/ShippedDataCopy.h"
#include "support/TestEnv.h"
#include "ui/OrvexLocationForm.h"
#include "ui/QFloatSpinBox.h"
#include "ui/QOrderedListView.h"

TEST(MainFormLocationGL, APlaceAddedInTheEditorIsSavedToThePlaceList) {
    orvextest::SettingsSandbox sandbox;
    orvextest::ShippedDataCopy data({"data/places.dpl"});
    const std::string shipped = data.read("data/places.dpl");
    orvextest::GlMainWindow windows;
    ASSERT_TRUE(windows.start());
    OrvexMainForm& form = windows.form;
    EngineLink* engine = windows.engine();
    const std::string body = engine->getCommandValue("Ssystem.AstrName");
    const std::string places = engine->getCommandValue("Ssystem.PlaceNames");
    ASSERT_NE(places.find("Surface"), std::string::npos) << places;

    int shown = 0;
    orvextest::NextModal editor([&shown](QWidget* dialog) {
        auto* placeEditor = qobject_cast<OrvexLocationForm*>(dialog);
        if (!placeEditor) {
            orvextest::NextModal::reject(dialog);
            return;
        }
        shown = placeEditor->locationListView->topLevelItemCount();
        placeEditor->locationListView->clearSelection();
        placeEditor->addButton->click();
        placeEditor->locationEdit->setText("Test place");
        placeEditor->latSpinBox->setValue(12.34f);
        placeEditor->lonSpinBox->setValue(-56.78f);
        // ORVEX_SCREENSHOT names a file for a picture of the editor.
        const QString shotFile = qEnvironmentVariable("ORVEX_SCREENSHOT");
        if (!shotFile.isEmpty()) {
            EXPECT_TRUE(placeEditor->grab().save(shotFile));
        }
        placeEditor->okButton->click();
    });
    form.locationEditButton->click();
    ASSERT_TRUE(editor.seen());
    EXPECT_GT(shown, 0);

    EXPECT_EQ(engine->getCommandValue("Ssystem.PlaceNames"), places + "Test_place ");
    EXPECT_GE(form.locationCombo->findText("Test_place"), 0);
    const std::string saved = data.read("data/places.dpl");
    EXPECT_NE(saved.find(body + " Test_place 12.34 -56.78"), std::string::npos) << saved;
    EXPECT_NE(saved, shipped);
    // The shipped list stays as it was.
    std::ifstream original(orvextest::shareDir() + "/data/places.dpl", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(original), {}), shipped);
}

namespace {

// Makes a body and its place current through the page's combos, as a user
// picks them.
void choosePlace(OrvexMainForm& form, const QString& body, const QString& place) {
    const int bodyItem = form.planetCombo->findText(body);
    ASSERT_GE(bodyItem, 0) << body.toStdString();
    form.planetCombo->setCurrentIndex(bodyItem);
    emit form.planetCombo->activated(bodyItem);
    const int placeItem = form.locationCombo->findText(place);
    ASSERT_GE(placeItem, 1) << place.toStdString();
    form.locationCombo->setCurrentIndex(placeItem);
    emit form.locationCombo->activated(placeItem);
}

// Whether a spin box's editor shows its whole text: the line edit keeps a
// margin of 2 pixels at each side of it.
bool showsWhole(QFloatSpinBox* box) {
    QLineEdit* edit = box->findChild<QLineEdit*>();
    return edit &&
           edit->fontMetrics().horizontalAdvance(box->text()) + 4 <= edit->contentsRect().width();
}

} // namespace

TEST(MainFormLocationGL, ALongitudeBeyond180ShowsAsItsMeridianAndIsKeptWhenNotEdited) {
    orvextest::SettingsSandbox sandbox;
    orvextest::ShippedDataCopy data({"data/places.dpl"});
    orvextest::GlMainWindow windows;
    ASSERT_TRUE(windows.start());
    OrvexMainForm& form = windows.form;
    EngineLink* engine = windows.engine();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.updateInterface();

    // The shipped body data puts Olympus Mons at 226.2 degrees east.
    choosePlace(form, "Mars", "Olympus_Mons");
    ASSERT_EQ(engine->getCommandValue("Ssystem.PlaceLon"), " 226.2");
    EXPECT_EQ(form.lonSpinBox->text().toStdString(), "-133.80");
    EXPECT_TRUE(showsWhole(form.lonSpinBox));

    // In the editor only the latitude changes: the longitude goes back as it was.
    orvextest::NextModal editor([](QWidget* dialog) {
        auto* placeEditor = qobject_cast<OrvexLocationForm*>(dialog);
        if (!placeEditor) {
            orvextest::NextModal::reject(dialog);
            return;
        }
        EXPECT_EQ(placeEditor->lonSpinBox->text().toStdString(), "-133.80");
        EXPECT_EQ(placeEditor->latSpinBox->text().toStdString(), "18.65");
        EXPECT_TRUE(showsWhole(placeEditor->lonSpinBox));
        placeEditor->latSpinBox->stepUp();
        placeEditor->okButton->click();
    });
    form.locationEditButton->click();
    ASSERT_TRUE(editor.seen());
    const std::string saved = data.read("data/places.dpl");
    EXPECT_NE(saved.find("Mars Olympus_Mons 18.66 226.2"), std::string::npos) << saved;
    EXPECT_EQ(engine->getCommandValue("Ssystem.PlaceLon"), " 226.2");

    // One click of the page's arrow moves the place by one step of the box.
    form.lonSpinBox->stepUp();
    EXPECT_EQ(engine->getCommandValue("Ssystem.PlaceName"), "Olympus_Mons");
    EXPECT_NEAR(
        std::remainder(std::stod(engine->getCommandValue("Ssystem.PlaceLon")) - 226.2, 360.0), 0.01,
        1e-9);

    // Every shown value whole: Tokyo at 139.6917.
    choosePlace(form, "Earth", "Tokyo");
    EXPECT_EQ(form.lonSpinBox->text().toStdString(), "139.69");
    EXPECT_TRUE(showsWhole(form.lonSpinBox));
    EXPECT_TRUE(showsWhole(form.latSpinBox));
}
