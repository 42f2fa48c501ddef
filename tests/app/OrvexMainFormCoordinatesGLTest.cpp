// The place coordinates on the "Basic" page and in the place editor against
// the real engine of the GL window: a longitude beyond 180 degrees shows as
// its meridian, is written back as it was when the user did not change it,
// and one arrow click moves the observer by one step; values show whole. The
// observer's moves go to the body's home place, never to a named place.
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
#include "ui/QOrvexMap.h"

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

// The windows shown on a copy of the shipped data.
class MainFormCoordinatesGL : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(windows.start());
        engine = windows.engine();
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        form.updateInterface();
    }
    orvextest::SettingsSandbox sandbox;
    orvextest::ShippedDataCopy data{{"data/places.dpl"}};
    orvextest::GlMainWindow windows;
    OrvexMainForm& form = windows.form;
    EngineLink* engine = nullptr;
};

} // namespace

TEST_F(MainFormCoordinatesGL, ALongitudeBeyond180ShowsAsItsMeridianAndIsKeptWhenNotEdited) {

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

    // One click of the page's arrow moves the observer by one step of the
    // box, on the body's home place: Olympus Mons stays where it is.
    form.lonSpinBox->stepUp();
    EXPECT_EQ(engine->getCommandValue("Ssystem.PlaceName"), "Surface");
    EXPECT_NEAR(
        std::remainder(std::stod(engine->getCommandValue("Ssystem.PlaceLon")) - 226.2, 360.0), 0.01,
        1e-9);
    engine->processScenarioLine("Ssystem.PlaceName Olympus_Mons");
    EXPECT_EQ(engine->getCommandValue("Ssystem.PlaceLon"), " 226.2");

    // Every shown value whole: Tokyo at 139.6917.
    choosePlace(form, "Earth", "Tokyo");
    EXPECT_EQ(form.lonSpinBox->text().toStdString(), "139.69");
    EXPECT_TRUE(showsWhole(form.lonSpinBox));
    EXPECT_TRUE(showsWhole(form.latSpinBox));
}

// The observer's own moves (a latitude typed, a click on the map) go to the
// body's home place: the named places, and what the place editor's OK writes
// of them, stay as the data has them.
TEST_F(MainFormCoordinatesGL, TheObserversMovesLeaveTheNamedPlacesWhereTheyAre) {
    const auto okInTheEditor = [&] {
        orvextest::NextModal editor([](QWidget* dialog) {
            if (auto* placeEditor = qobject_cast<OrvexLocationForm*>(dialog))
                placeEditor->okButton->click();
            else
                orvextest::NextModal::reject(dialog);
        });
        form.locationEditButton->click();
        EXPECT_TRUE(editor.seen());
        return data.read("data/places.dpl");
    };
    const auto holdsLine = [](const std::string& text, const std::string& line) {
        return text.find("\n" + line + " \n") != std::string::npos;
    };

    choosePlace(form, "Earth", "Tokyo");
    form.latSpinBox->selectAll();
    QTest::keyClicks(form.latSpinBox, "40");
    QTest::keyClick(form.latSpinBox, Qt::Key_Return);
    EXPECT_EQ(engine->getCommandValue("Ssystem.PlaceName"), "Surface");
    EXPECT_EQ(form.locationCombo->currentText().toStdString(), "Surface");
    std::string saved = okInTheEditor();
    EXPECT_TRUE(holdsLine(saved, "Earth Greenwich 51.4769 -0.0005")) << saved;
    EXPECT_TRUE(holdsLine(saved, "Earth Tokyo 35.6895 139.6917")) << saved;
    EXPECT_TRUE(holdsLine(saved, "Earth Surface 40 139.6917")) << saved;

    choosePlace(form, "Earth", "Greenwich");
    QTest::mouseClick(form.mapLabel, Qt::LeftButton, {}, form.mapLabel->rect().center());
    EXPECT_EQ(engine->getCommandValue("Ssystem.PlaceName"), "Surface");
    saved = okInTheEditor();
    EXPECT_TRUE(holdsLine(saved, "Earth Greenwich 51.4769 -0.0005")) << saved;
    EXPECT_FALSE(holdsLine(saved, "Earth Surface 40 139.6917")) << saved;
}
