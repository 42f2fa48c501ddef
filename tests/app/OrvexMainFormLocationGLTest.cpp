// The place editor against the real engine of the GL window: a place added
// in it reaches the body and the engine's place list file, and a list file
// that cannot be written is told in the window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "model/ListFile.h"
#include "support/GlMainWindow.h"
#include "support/ModalAnswers.h"
#include "support/NextModal.h"
#include "support/SettingsSandbox.h"
#include "support/ShippedDataCopy.h"
#include "support/TestEnv.h"
#include "ui/OrvexLocationForm.h"
#include "ui/QFloatSpinBox.h"
#include "ui/QOrderedListView.h"

namespace {

// What the windows tell when the place editor is opened and left with OK.
QStringList okTold(OrvexMainForm& form) {
    orvextest::ModalAnswers boxes({}, [](QWidget* dialog) {
        if (auto* placeEditor = qobject_cast<OrvexLocationForm*>(dialog))
            placeEditor->okButton->click();
        else
            orvextest::NextModal::reject(dialog);
    });
    form.locationEditButton->click();
    return boxes.texts;
}

} // namespace

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

TEST(MainFormLocationGL, APlaceListThatCannotBeSavedIsToldInTheWindow) {
    orvextest::SettingsSandbox sandbox;
    orvextest::ShippedDataCopy data({});
    orvextest::GlMainWindow windows;
    ASSERT_TRUE(windows.start());
    // A folder in the place list's place: no save can write it.
    const std::filesystem::path placeList = data.path() + "/data/places.dpl";
    std::filesystem::remove(placeList);
    std::filesystem::create_directory(placeList);

    EXPECT_EQ(okTold(windows.form),
              QStringList{"The places are changed but could not be saved.\n"
                          "Could not save place list file. ./data/places.dpl: Is a directory"});
}

// Without a place list at the start, a list put back during the session is
// left as it is at every OK; gone again, the first OK makes it and every
// later OK writes it, until another program puts its file in its place.
TEST(MainFormLocationGL, EveryOkSavesThePlaceListTheFirstMade) {
    orvextest::SettingsSandbox sandbox;
    orvextest::ShippedDataCopy data({});
    const std::string placeList = data.path() + "/data/places.dpl";
    std::filesystem::remove(placeList);
    orvextest::GlMainWindow windows;
    ASSERT_TRUE(windows.start());
    const std::string mine = "Version: 7.0 \nLocale: en_us \n\nEarth Home 1 2 \n";
    std::ofstream(placeList, std::ios::binary) << mine;
    for (int ok = 0; ok < 2; ++ok)
        EXPECT_EQ(okTold(windows.form),
                  QStringList{QString::fromStdString(
                      "The places are changed but could not be saved.\n"
                      "Could not save place list file. ./data/places.dpl: the list never read it "
                      "whole nor wrote it; the file is left as it is. " +
                      keepBothAdvice("./data/places.dpl",
                                     {"Ssystem.LoadPlaceList", "Ssystem.SavePlaceList"}))});
    EXPECT_EQ(data.read("data/places.dpl"), mine);
    std::filesystem::remove(placeList);
    QStringList told;
    for (const char* place : {"First", "Second", "Third"}) {
        // Answers anew for each opening: the editor is the same dialog.
        orvextest::ModalAnswers boxes({}, [place](QWidget* dialog) {
            auto* placeEditor = qobject_cast<OrvexLocationForm*>(dialog);
            if (!placeEditor) {
                orvextest::NextModal::reject(dialog);
                return;
            }
            placeEditor->locationListView->clearSelection();
            placeEditor->addButton->click();
            placeEditor->locationEdit->setText(place);
            placeEditor->okButton->click();
        });
        windows.form.locationEditButton->click();
        told << boxes.texts;
        EXPECT_NE(data.read("data/places.dpl").find(std::string(" ") + place + " "),
                  std::string::npos)
            << place;
    }
    EXPECT_TRUE(told.isEmpty()) << told.join('\n').toStdString();
    std::ofstream(placeList + ".new", std::ios::binary) << mine;
    std::filesystem::rename(placeList + ".new", placeList);
    for (int ok = 0; ok < 2; ++ok) {
        const QStringList changed = okTold(windows.form);
        ASSERT_EQ(changed.size(), 1);
        EXPECT_TRUE(changed[0].endsWith(QString::fromStdString(
            "./data/places.dpl: it changed since the list last read it whole or wrote it; the "
            "file is left as it is. " +
            keepBothAdvice("./data/places.dpl",
                           {"Ssystem.LoadPlaceList", "Ssystem.SavePlaceList"}))))
            << changed[0].toStdString();
    }
    EXPECT_EQ(data.read("data/places.dpl"), mine);
}
