// The place editor against a recording engine: the list from the body's
// places, Add, names, the checks of OK and what OK hands to the engine, and
// the file browsers.
#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "support/FakeEngine.h"
#include "support/NextModal.h"
#include "support/TestEnv.h"
#include "ui/OrvexLocationForm.h"
#include "ui/PlaceRecord.h"
#include "ui/QFloatSpinBox.h"
#include "ui/QOrderedListView.h"
#include "ui/QOrvexMap.h"

namespace {

using orvextest::NextModal;
using Places = std::vector<std::string>;

const char* const alps = "Alps 45.8 6.8 -panorama ./textures/alps.png -weather ./effects/snow.dfx";

class LocationForm : public ::testing::Test {
protected:
    orvextest::FakeEngine engine;
    orvextest::FakeRoot& root = engine.recorded;
    OrvexLocationForm form;

    LocationForm() {
        form.setGL(&engine);
        setPlaces({"Tokyo 35.6895 139.6917", alps, "Surface 0 0"}, "Alps");
    }

    // The body's places as the engine holds and names them.
    void setPlaces(const Places& records, const std::string& current) {
        root.places = records;
        std::string names;
        for (const std::string& record : records)
            names += record.substr(0, record.find(' ')) + " ";
        root.answers["Ssystem.PlaceNames"] = names;
        root.answers["Ssystem.PlaceName"] = current;
        form.updateForm();
    }

    QTreeWidgetItem* entry(int i) const { return form.locationListView->topLevelItem(i); }
    QStringList names() const {
        QStringList shown;
        for (int i = 0; i < form.locationListView->topLevelItemCount(); ++i)
            shown << entry(i)->text(0);
        return shown;
    }

    // Presses OK and answers its warning, if one comes; the warning's text.
    QString pressOk() {
        QString warning;
        NextModal box([&warning](QWidget* dialog) {
            if (auto* message = qobject_cast<QMessageBox*>(dialog))
                warning = message->text();
            NextModal::reject(dialog);
        });
        form.okButton->click();
        return warning;
    }
};

TEST_F(LocationForm, RefillAddAndNamesUpToOk) {
    EXPECT_EQ(names(), QStringList({"Tokyo", "Alps", "Surface"}));
    EXPECT_EQ(entry(0)->text(1), "Tokyo 35.6895 139.6917");
    ASSERT_EQ(form.selectedItem(), entry(1));
    EXPECT_EQ(form.locationEdit->text(), "Alps");
    EXPECT_FLOAT_EQ(form.latSpinBox->value(), 45.8f);
    EXPECT_EQ(form.panoramaEdit->text(), "./textures/alps.png");
    EXPECT_EQ(form.weatherEdit->text(), "./effects/snow.dfx");
    EXPECT_EQ(form.mapLabel->longitude(), form.lonSpinBox->value());
    // Looking at an entry leaves its record alone.
    EXPECT_EQ(entry(1)->text(1), alps);

    // Add copies the selected place right after it, under the new name.
    form.addButton->click();
    EXPECT_EQ(names(), QStringList({"Tokyo", "Alps", "New_place", "Surface"}));
    ASSERT_EQ(form.selectedItem(), entry(2));
    EXPECT_EQ(entry(2)->text(1), "New_place 45.800000 6.800000 -panorama ./textures/alps.png "
                                 "-weather ./effects/snow.dfx");

    // A copy of "New_place" is named "New_place" too, and OK refuses the pair.
    form.addButton->click();
    EXPECT_EQ(names(), QStringList({"Tokyo", "Alps", "New_place", "New_place", "Surface"}));
    EXPECT_EQ(pressOk(), "The location name must be unique on each celestial body.");
    EXPECT_EQ(root.places.size(), 3u);
    EXPECT_NE(form.result(), QDialog::Accepted);

    // Blanks become "_" in the list and the record; the field keeps them. A
    // name that differs only in case is another name.
    form.locationEdit->setText("new place");
    EXPECT_EQ(form.locationEdit->text(), "new place");
    EXPECT_EQ(entry(3)->text(0), "new_place");
    EXPECT_TRUE(entry(3)->text(1).startsWith("new_place 45.800000 6.800000 -panorama"));

    form.lonSpinBox->setValue(-12.5f);
    EXPECT_TRUE(entry(3)->text(1).startsWith("new_place 45.800000 -12.500000 -panorama"));
    EXPECT_FLOAT_EQ(form.mapLabel->longitude(), -12.5f);

    EXPECT_EQ(pressOk(), "");
    EXPECT_EQ(form.result(), QDialog::Accepted);
    ASSERT_EQ(root.places.size(), 5u);
    EXPECT_EQ(root.places[0], "Tokyo 35.6895 139.6917");
    EXPECT_EQ(root.places[2].substr(0, 10), "New_place ");
    EXPECT_EQ(root.places[3].substr(0, 25), "new_place 45.800000 -12.5");
    EXPECT_EQ(root.places[4], "Surface 0 0");
}

TEST_F(LocationForm, EmptyBodyMapClicksAndTheChecksOfOk) {
    setPlaces({}, "None");
    EXPECT_EQ(form.locationListView->topLevelItemCount(), 0);
    EXPECT_FALSE(form.locationEdit->isEnabled());
    EXPECT_FALSE(form.panoramaBrowseButton->isEnabled());
    form.addButton->click();
    ASSERT_EQ(form.locationListView->topLevelItemCount(), 1);
    EXPECT_TRUE(form.locationEdit->isEnabled());
    EXPECT_EQ(entry(0)->text(1), "New_place 0.000000 0.000000");

    // The map's point, clamped to the boxes' ranges.
    form.mapLabel->resize(360, 180);
    QTest::mouseClick(form.mapLabel, Qt::LeftButton, Qt::NoModifier, QPoint(0, 45));
    EXPECT_FLOAT_EQ(form.lonSpinBox->value(), -180.0f);
    EXPECT_FLOAT_EQ(form.latSpinBox->value(), 45.0f);
    EXPECT_EQ(entry(0)->text(1), "New_place 45.000000 -180.000000");

    // An empty name would leave the record without one.
    form.locationEdit->clear();
    EXPECT_EQ(entry(0)->text(1), " 45.000000 -180.000000");
    form.panoramaEdit->setText("my pano.png");
    EXPECT_EQ(pressOk(), "The location name must not be empty.");

    // A file name with a blank survives a look at another entry and is refused.
    form.locationEdit->setText("Peak");
    form.addButton->click();
    form.locationListView->setCurrentItem(entry(0));
    EXPECT_EQ(form.locationEdit->text(), "Peak");
    EXPECT_FLOAT_EQ(form.latSpinBox->value(), 45.0f);
    EXPECT_EQ(form.panoramaEdit->text(), "my pano.png");
    form.locationListView->setCurrentItem(entry(1));
    EXPECT_EQ(pressOk(), "A panorama or weather effect file name must not contain blanks.");
    EXPECT_EQ(form.selectedItem(), entry(0));
    EXPECT_TRUE(root.places.empty());

    form.panoramaEdit->setText("my_pano.png");
    form.locationListView->setCurrentItem(entry(1));
    form.removeButton->click();
    EXPECT_EQ(names(), QStringList({"Peak"}));
    EXPECT_EQ(pressOk(), "");
    // The body keeps its default place.
    EXPECT_EQ(root.places,
              Places({"Peak 45.000000 -180.000000 -panorama my_pano.png", "Surface 0 0"}));
}

// Return and keypad Enter confirm as OK does wherever the focus is; a button
// with the focus is pressed itself.
TEST_F(LocationForm, ReturnAndEnterConfirmAsOkDoes) {
    const struct {
        QWidget* focus;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool confirms;
    } keys[] = {
        {form.okButton, Qt::Key_Return, Qt::NoModifier, true},
        {form.okButton, Qt::Key_Enter, Qt::KeypadModifier, true},
        {form.lonSpinBox, Qt::Key_Enter, Qt::KeypadModifier, true},
        {form.locationEdit, Qt::Key_Return, Qt::NoModifier, true},
        {form.locationListView, Qt::Key_Return, Qt::NoModifier, true},
        {form.cancelButton, Qt::Key_Return, Qt::NoModifier, false},
        {form.okButton, Qt::Key_Return, Qt::ShiftModifier, false},
    };
    for (const auto& key : keys) {
        SCOPED_TRACE(key.focus->objectName().toStdString() + " " + std::to_string(key.key));
        setPlaces({"Tokyo 35.6895 139.6917", alps}, "Alps");
        root.places.clear();
        form.setResult(-1);
        form.show();
        key.focus->setFocus();
        ASSERT_EQ(form.focusWidget(), key.focus);
        QTest::keyClick(key.focus, key.key, key.modifiers);
        if (key.confirms) {
            EXPECT_EQ(form.result(), QDialog::Accepted);
            EXPECT_EQ(root.places.size(), 3u);
            EXPECT_FALSE(form.isVisible());
        } else {
            EXPECT_NE(form.result(), QDialog::Accepted);
            EXPECT_TRUE(root.places.empty());
        }
        form.hide();
    }
}

TEST(LocationFormRecord, RecordsAsTheEngineAndTheEditorWriteThem) {
    PlaceRecord read =
        PlaceRecord::parse("Tokyo  35.68 139.69 Weather rain.dfx odd Panorama t.png");
    EXPECT_EQ(read.name, "Tokyo");
    EXPECT_DOUBLE_EQ(read.latitude, 35.68);
    EXPECT_EQ(read.weather, "rain.dfx odd");
    EXPECT_EQ(read.panorama, "t.png");
    EXPECT_TRUE(read.hasBlankInFileName());
    read = PlaceRecord::parse("Tokyo 35.68 139.69 stray -panorama");
    EXPECT_TRUE(read.panorama.isEmpty());
    EXPECT_EQ(read.format(), "Tokyo 35.680000 139.690000");
    EXPECT_EQ(PlaceRecord::parse(" 1 2").name, "");
    EXPECT_DOUBLE_EQ(PlaceRecord::parse(" 1 2").longitude, 2.0);
}

TEST(LocationFormFiles, PanoramaInsideAndOutsideTheTextureDirectory) {
    namespace fs = std::filesystem;
    orvextest::TempDir scratch;
    const fs::path data = fs::path(scratch.path()) / "data set";
    fs::create_directories(data / "textures" / "sky");
    fs::create_directories(data / "effects");
    fs::create_directories(data / "other");
    for (const char* file : {"textures/sky/pano.png", "effects/snow.dfx", "other/pano.png"})
        std::ofstream(data / file) << "x";
    // The engine's directory reached through a link is the same directory.
    fs::create_directory_symlink(data, fs::path(scratch.path()) / "linked");

    const QString linked = QString::fromStdString(scratch.file("linked"));
    const QString real = QString::fromStdString(fs::canonical(data).string());
    EXPECT_EQ(OrvexLocationForm::storedFileName(real + "/textures/sky/pano.png",
                                                linked + "/textures", "./textures"),
              "./textures/sky/pano.png");
    EXPECT_EQ(OrvexLocationForm::storedFileName(linked + "/other/../textures/sky/pano.png",
                                                real + "/textures/", "./textures"),
              "./textures/sky/pano.png");
    EXPECT_EQ(OrvexLocationForm::storedFileName(linked + "/other/pano.png", linked + "/textures",
                                                "./textures"),
              real + "/other/pano.png");
    // A directory whose name only begins like the texture directory's is outside.
    EXPECT_EQ(OrvexLocationForm::storedFileName(real + "/textures2/a.png", real + "/textures",
                                                "./textures"),
              real + "/textures2/a.png");

    orvextest::FakeEngine engine;
    engine.recorded.dataDir = linked.toStdString();
    engine.recorded.places = {"Peak 1 2"};
    engine.recorded.answers = {{"Ssystem.PlaceNames", "Peak"}, {"Ssystem.PlaceName", "Peak"}};
    OrvexLocationForm form;
    form.setGL(&engine);
    form.updateForm();
    const QString before = QDir::currentPath();
    QString answer;
    std::vector<FileQuestion> asked;
    form.fileChooser = [&](const FileQuestion& question) {
        asked.push_back(question);
        return FileChoice{answer, QString()};
    };
    answer = real + "/textures/sky/pano.png";
    form.panoramaBrowseButton->click();
    ASSERT_EQ(asked.size(), 1u);
    // The question starts in the engine's texture directory and opens a file.
    EXPECT_EQ(asked[0].mode, FileQuestion::Mode::Open);
    EXPECT_EQ(QDir::cleanPath(asked[0].directory), QDir::cleanPath(linked + "/textures"));
    EXPECT_EQ(form.panoramaEdit->text(), "./textures/sky/pano.png");
    answer = real + "/other/pano.png";
    form.panoramaBrowseButton->click();
    EXPECT_EQ(form.panoramaEdit->text(), real + "/other/pano.png");
    answer = linked + "/effects/snow.dfx";
    form.weatherBrowseButton->click();
    EXPECT_EQ(QDir::cleanPath(asked.back().directory), QDir::cleanPath(linked + "/effects"));
    EXPECT_EQ(form.selectedItem()->text(1), "Peak 1.000000 2.000000 -panorama " + real +
                                                "/other/pano.png -weather ./effects/snow.dfx");

    // Cancelled: a warning, and the field keeps its file.
    answer.clear();
    QString warned;
    NextModal warning([&warned](QWidget* box) {
        if (auto* message = qobject_cast<QMessageBox*>(box))
            warned = message->text();
        NextModal::reject(box);
    });
    form.panoramaBrowseButton->click();
    EXPECT_EQ(warned, "Select a panorama file in 'textures' folder.");
    EXPECT_EQ(form.panoramaEdit->text(), real + "/other/pano.png");
    EXPECT_EQ(QDir::currentPath(), before);
}

} // namespace
