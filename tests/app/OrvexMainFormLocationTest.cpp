// "Edit locations..." against a recording engine: Cancel sends nothing; OK
// brings the former place back, has the place list saved with the recorder
// as it was, and rebuilds the panel's place list.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/OrvexMainForm.h"
#include "support/FakeEngine.h"
#include "support/NextModal.h"
#include "support/SettingsSandbox.h"
#include "ui/OrvexLocationForm.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexProjForm.h"

namespace {

using orvextest::NextModal;
using Lines = std::vector<std::string>;

TEST(MainFormLocation, EditLocationsCancelledOrAccepted) {
    orvextest::SettingsSandbox sandbox;
    orvextest::FakeEngine engine(false);
    orvextest::FakeRoot& root = engine.recorded;
    OrvexProjForm projForm{nullptr, &engine};
    OrvexMediaForm mediaForm;
    OrvexMainForm form;
    form.setForms(&projForm, &mediaForm);
    root.places = {"Surface 0 0", "Olympus 18.65 -133.8"};
    root.answers = {{"Ssystem.PlaceNames", "Surface Olympus "},
                    {"Ssystem.PlaceName", "Olympus"},
                    {"Ssystem.PlaceLat", " 18.65"},
                    {"Ssystem.PlaceLon", " -133.8"}};

    // Without an engine there are no places to edit.
    {
        NextModal dialog;
        form.locationEditButton->click();
        EXPECT_FALSE(dialog.seen());
    }
    engine.started = true;
    {
        NextModal dialog([](QWidget* editor) {
            static_cast<OrvexLocationForm*>(editor)->addButton->click();
            static_cast<OrvexLocationForm*>(editor)->cancelButton->click();
        });
        form.locationEditButton->click();
        EXPECT_TRUE(dialog.seen());
    }
    EXPECT_TRUE(root.lines.empty());
    EXPECT_EQ(root.places.size(), 2u);

    root.recording = 1;
    {
        NextModal dialog([](QWidget* editor) {
            auto* places = static_cast<OrvexLocationForm*>(editor);
            EXPECT_EQ(places->locationEdit->text(), "Olympus");
            places->addButton->click();
            places->okButton->click();
        });
        form.locationEditButton->click();
    }
    EXPECT_EQ(root.lines, Lines({"Ssystem.PlaceName Olympus", "Ssystem.SavePlaceList Default"}));
    EXPECT_EQ(root.recording, 1);
    ASSERT_EQ(root.places.size(), 3u);
    EXPECT_EQ(root.places[2], "New_place 18.650000 -133.800000");
    // The panel's place list is rebuilt, the place read back last.
    EXPECT_EQ(root.queries.back(), "Ssystem.PlaceLon");
    EXPECT_EQ(form.locationCombo->currentText(), "Olympus");
}

} // namespace
