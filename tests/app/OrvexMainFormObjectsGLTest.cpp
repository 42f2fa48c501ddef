// The object display list against the real engine of the GL window: ticks
// reach the engine and the list files however the list is left, and a list
// file that cannot be written is told in the window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <sstream>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "support/GlMainWindow.h"
#include "support/ModalAnswers.h"
#include "support/SettingsSandbox.h"
#include "support/ShippedDataCopy.h"

namespace {

bool holdsWord(const std::string& text, const std::string& word) {
    std::istringstream words(text);
    for (std::string w; words >> w;)
        if (w == word)
            return true;
    return false;
}

// The first item of the display list in the state.
QTreeWidgetItem* firstIn(const OrvexMainForm& form, Qt::CheckState state) {
    for (int i = 0; i < form.displayList->topLevelItemCount(); ++i)
        if (form.displayList->topLevelItem(i)->checkState(0) == state)
            return form.displayList->topLevelItem(i);
    return nullptr;
}

// Ticks the first item that is off and unticks the first that is on, the
// selection staying where it is; their names.
std::pair<std::string, std::string> toggleTwo(const OrvexMainForm& form) {
    QTreeWidgetItem* on = firstIn(form, Qt::Unchecked);
    QTreeWidgetItem* off = firstIn(form, Qt::Checked);
    if (!on || !off)
        return {};
    on->setCheckState(0, Qt::Checked);
    off->setCheckState(0, Qt::Unchecked);
    return {on->text(0).toStdString(), off->text(0).toStdString()};
}

// Clicks the tick of the first item that is off and of the first that is on,
// as the user does, at once after the list opened; their names.
std::pair<std::string, std::string> clickTwo(const OrvexMainForm& form) {
    QTreeWidget* list = form.displayList;
    QTreeWidgetItem* on = firstIn(form, Qt::Unchecked);
    QTreeWidgetItem* off = firstIn(form, Qt::Checked);
    if (!on || !off)
        return {};
    for (QTreeWidgetItem* item : {on, off}) {
        list->scrollToItem(item);
        QStyleOptionViewItem option;
        option.initFrom(list->viewport());
        option.rect = list->visualItemRect(item);
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        const QRect tick =
            list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, tick.center());
    }
    return {on->text(0).toStdString(), off->text(0).toStdString()};
}

// Replaces a file of the data copy by a folder, which no save can write.
void makeUnwritable(const orvextest::ShippedDataCopy& data, const char* file) {
    const std::filesystem::path path = std::filesystem::path(data.path()) / file;
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
}

// The windows on a copy of the shipped data (the spacecraft orbit files
// copied, for a removal), the "Object Display" page shown.
class ObjectDisplayGL : public ::testing::Test {
protected:
    explicit ObjectDisplayGL(std::vector<std::string> copied = {"data/orbits/spacecrafts"})
        : data(std::move(copied)) {}
    void SetUp() override {
        ASSERT_TRUE(windows.start());
        engine = windows.engine();
        form.tabWidget->setCurrentIndex(objectPage);
    }
    orvextest::SettingsSandbox sandbox;
    orvextest::ShippedDataCopy data;
    orvextest::GlMainWindow windows;
    OrvexMainForm& form = windows.form;
    EngineLink* engine = nullptr;
    const int objectPage = form.tabWidget->indexOf(form.TabPage);
};

TEST_F(ObjectDisplayGL, TicksChangedWithoutASelectionChangeAreAppliedWhenTheListIsLeft) {

    struct Exit {
        QRadioButton* list;
        const char* names;
        const char* file;
        std::function<void()> leave;
    };
    const Exit exits[] = {
        {form.displayCometButton, "Ssystem.CometNames", "data/comets.dcl",
         [&] { form.displayAsteroidButton->click(); }},
        {form.displayAsteroidButton, "Ssystem.AsteroidNames", "data/asteroids.dal",
         [&] { form.tabWidget->setCurrentIndex(0); }},
        {form.displayASatelliteButton, "Ssystem.ASatelliteNames", "data/asatellites.dal",
         [&] { form.close(); }},
    };
    // The user's clicks on the ticks, made at once after the list opened.
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    for (const Exit& exit : exits) {
        form.tabWidget->setCurrentIndex(objectPage);
        exit.list->click();
        const auto [ticked, unticked] = clickTwo(form);
        ASSERT_FALSE(ticked.empty()) << exit.names;
        const std::string before = data.read(exit.file);
        exit.leave();
        const std::string inSimulation = engine->getCommandValue(exit.names);
        EXPECT_TRUE(holdsWord(inSimulation, ticked)) << exit.names << ": " << inSimulation;
        EXPECT_FALSE(holdsWord(inSimulation, unticked)) << exit.names << ": " << inSimulation;
        const std::string saved = data.read(exit.file);
        EXPECT_TRUE(holdsWord(saved, ticked)) << saved;
        EXPECT_FALSE(holdsWord(saved, unticked)) << saved;
        EXPECT_TRUE(holdsWord(before, unticked)) << before;
    }
}

TEST_F(ObjectDisplayGL, TheBodyStatesChangedAreAppliedWhenTheListIsLeft) {
    form.displayPlanetButton->click();
    QTreeWidgetItem* shown = firstIn(form, Qt::PartiallyChecked);
    ASSERT_TRUE(shown);
    const std::string name = shown->text(0).toStdString();
    ASSERT_TRUE(holdsWord(engine->getCommandValue("Ssystem.ShowAstrBodies"), name));
    shown->setCheckState(0, Qt::Checked);
    // Another page of the control panel.
    form.tabWidget->setCurrentIndex(form.tabWidget->indexOf(form.tab_2));
    EXPECT_TRUE(holdsWord(engine->getCommandValue("Ssystem.HlightAstrBodies"), name));
}

TEST_F(ObjectDisplayGL, HidingTheEnginesBodyLeavesItNamedInTheBodyBox) {
    engine->processScenarioLine("Ssystem.SimModeName EarthMoon");
    engine->processScenarioLine("Ssystem.AstrName Moon");
    form.tabWidget->setCurrentIndex(0);
    ASSERT_EQ(form.planetCombo->currentText(), "Moon");
    form.tabWidget->setCurrentIndex(objectPage);
    form.displayPlanetButton->click();
    QTreeWidgetItem* moon = nullptr;
    for (int i = 0; i < form.displayList->topLevelItemCount(); ++i)
        if (form.displayList->topLevelItem(i)->text(0) == "Moon")
            moon = form.displayList->topLevelItem(i);
    ASSERT_TRUE(moon);
    moon->setCheckState(0, Qt::Unchecked);
    form.displayList->topLevelItem(0)->setSelected(true);
    ASSERT_FALSE(holdsWord(engine->getCommandValue("Ssystem.AstrNames"), "Moon"));
    ASSERT_EQ(engine->getCommandValue("Ssystem.AstrName"), "Moon");

    // The box names the engine's body, and still offers every shown one.
    for (int page : {objectPage, 0}) {
        form.tabWidget->setCurrentIndex(page);
        EXPECT_EQ(form.planetCombo->currentText().toStdString(), "Moon");
        std::istringstream shown(engine->getCommandValue("Ssystem.AstrNames"));
        for (std::string name; shown >> name;)
            EXPECT_GE(form.planetCombo->findText(QString::fromStdString(name)), 0) << name;
    }
}

TEST_F(ObjectDisplayGL, ObjectListSavesThatFailAreToldInTheWindow) {

    // The display list's save at a change of selection.
    makeUnwritable(data, "data/comets.dcl");
    form.displayCometButton->click();
    const auto [ticked, unticked] = toggleTwo(form);
    {
        orvextest::ModalAnswers boxes;
        form.displayList->topLevelItem(0)->setSelected(true);
        ASSERT_EQ(boxes.texts.size(), 1);
        EXPECT_EQ(boxes.texts[0],
                  "The list of objects in the simulation could not be saved.\n"
                  "Could not save comet list file. ./data/comets.dcl: Is a directory");
    }
    // The engine has the change all the same.
    EXPECT_TRUE(holdsWord(engine->getCommandValue("Ssystem.CometNames"), ticked));

    // The list save after an orbit file's removal.
    form.displaySpacecraftButton->click();
    ASSERT_EQ(form.displayList->topLevelItemCount(), 1);
    form.displayList->topLevelItem(0)->setSelected(true);
    makeUnwritable(data, "data/comets.dsl");
    orvextest::ModalAnswers boxes(QStringLiteral("&Yes"));
    form.spacecraftRemoveButton->click();
    ASSERT_EQ(boxes.texts.size(), 2);
    // The reload could not read the list either: nothing is written over it.
    EXPECT_EQ(boxes.texts[1],
              "The orbit files are removed, but the list of objects in the simulation could not "
              "be saved.\nCould not save spacecraft list file. ./data/comets.dsl: it was not read "
              "whole (Is a directory); it is left as it is until a load reads it whole");
    EXPECT_FALSE(std::filesystem::exists(data.path() + "/data/orbits/spacecrafts/msl.dsc"));
}

// The comet orbit files copied, for removals.
class CometOrbitFilesGL : public ObjectDisplayGL {
protected:
    CometOrbitFilesGL() : ObjectDisplayGL({"data/orbits/comets"}) {}
};

TEST_F(CometOrbitFilesGL, ARemovedOrbitFileTakesItsCometOutOfTheListFile) {
    const std::string dir = data.path() + "/data/orbits/comets/";
    // Another comet of the list whose file is gone for a moment stays in it.
    ASSERT_TRUE(std::filesystem::remove(dir + "2P_Encke.orb"));
    form.displayCometButton->click();
    QTreeWidgetItem* tempel = nullptr;
    for (int i = 0; i < form.displayList->topLevelItemCount(); ++i)
        if (form.displayList->topLevelItem(i)->text(0) == "9P/Tempel_1")
            tempel = form.displayList->topLevelItem(i);
    ASSERT_TRUE(tempel);
    ASSERT_EQ(tempel->checkState(0), Qt::Checked);
    tempel->setSelected(true);
    const std::string before = data.read("data/comets.dcl");
    ASSERT_TRUE(holdsWord(before, "9P/Tempel_1"));
    {
        orvextest::ModalAnswers boxes(QStringLiteral("&Yes"));
        form.cometsRemoveButton->click();
        EXPECT_EQ(boxes.texts.size(), 1u);
    }
    EXPECT_FALSE(std::filesystem::exists(dir + "9P_Tempel_1.orb"));
    EXPECT_FALSE(holdsWord(engine->getCommandValue("Ssystem.CometNames"), "9P/Tempel_1"));
    std::string expected = before;
    expected.erase(expected.find("9P/Tempel_1 \n"), std::string("9P/Tempel_1 \n").size());
    EXPECT_EQ(data.read("data/comets.dcl"), expected);
    EXPECT_TRUE(holdsWord(expected, "2P/Encke"));
}

} // namespace
