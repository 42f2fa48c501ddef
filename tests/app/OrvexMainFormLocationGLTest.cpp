// The place editor against the real engine of the GL window: a place added
// in it reaches the body and the engine's place list file.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
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
