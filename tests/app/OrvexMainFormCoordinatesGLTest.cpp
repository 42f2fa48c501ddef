// The place coordinates on the "Basic" page and in the place editor against
// the real engine of the GL window: a longitude beyond 180 degrees shows as
// its meridian, is written back as it was when the user did not change it,
// and one arrow click moves the place by one step; values show whole.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <string>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "support/GlMainWindow.h"
#include "support/NextModal.h"
#include "support/SettingsSandbox.h"
#include "support/ShippedDataCopy.h"
#include "ui/OrvexLocationForm.h"
#include "ui/QFloatSpinBox.h"

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

TEST(MainFormCoordinatesGL, ALongitudeBeyond180ShowsAsItsMeridianAndIsKeptWhenNotEdited) {
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
