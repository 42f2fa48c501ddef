// The object display list against the real engine of the GL window: a click
// on a tick reaches the engine and the list file at once, and a list file
// that cannot be written is told in the window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "model/ListFile.h"
#include "support/GlMainWindow.h"
#include "support/ListTicks.h"
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

// Clicks an item's tick with the mouse, as the user does.
void clickTick(QTreeWidget* list, QTreeWidgetItem* item) {
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      orvextest::tickRect(*list, item).center());
}

// The item of the display list with the name.
QTreeWidgetItem* named(const OrvexMainForm& form, const QString& name) {
    for (int i = 0; i < form.displayList->topLevelItemCount(); ++i)
        if (form.displayList->topLevelItem(i)->text(0) == name)
            return form.displayList->topLevelItem(i);
    return nullptr;
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

TEST_F(ObjectDisplayGL, EveryClickOnATickTakesEffectAtOnce) {
    struct Kind {
        QRadioButton* list;
        const char* names;
        const char* file;
    };
    const Kind kinds[] = {
        {form.displayCometButton, "Ssystem.CometNames", "data/comets.dcl"},
        {form.displayAsteroidButton, "Ssystem.AsteroidNames", "data/asteroids.dal"},
        {form.displayASatelliteButton, "Ssystem.ASatelliteNames", "data/asatellites.dal"},
    };
    // The clicks come at once after the list opened; a click on a tick
    // leaves the selection as it was.
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    for (const Kind& kind : kinds) {
        kind.list->click();
        QTreeWidgetItem* const items[] = {firstIn(form, Qt::Unchecked), firstIn(form, Qt::Checked)};
        for (QTreeWidgetItem* item : items) {
            ASSERT_TRUE(item) << kind.names;
            const std::string name = item->text(0).toStdString();
            const bool on = item->checkState(0) == Qt::Unchecked;
            clickTick(form.displayList, item);
            EXPECT_EQ(holdsWord(engine->getCommandValue(kind.names), name), on) << name;
            EXPECT_EQ(holdsWord(data.read(kind.file), name), on) << kind.file << ": " << name;
        }
    }

    // A body shown is highlighted.
    form.displayPlanetButton->click();
    QTreeWidgetItem* shown = firstIn(form, Qt::PartiallyChecked);
    ASSERT_TRUE(shown);
    const std::string name = shown->text(0).toStdString();
    ASSERT_FALSE(holdsWord(engine->getCommandValue("Ssystem.HlightAstrBodies"), name));
    clickTick(form.displayList, shown);
    EXPECT_EQ(shown->checkState(0), Qt::Checked);
    EXPECT_TRUE(holdsWord(engine->getCommandValue("Ssystem.HlightAstrBodies"), name));
}

// The view rests on a comet: clicks on names and ticks of other objects, on
// every page, leave it there.
TEST_F(ObjectDisplayGL, TheViewStaysOnABodyThatStaysInTheSimulation) {
    std::istringstream inSimulation(engine->getCommandValue("Ssystem.CometNames"));
    std::string comet;
    ASSERT_TRUE(inSimulation >> comet);
    engine->processScenarioLine("Ssystem.AstrName " + comet);
    ASSERT_EQ(engine->getCommandValue("Ssystem.AstrName"), comet);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const auto clickName = [&](QTreeWidgetItem* item) {
        form.displayList->scrollToItem(item);
        QTest::mouseClick(form.displayList->viewport(), Qt::LeftButton, {},
                          form.displayList->visualItemRect(item).center());
    };
    for (QRadioButton* page : {form.displayCometButton, form.displayAsteroidButton,
                               form.displayPlanetButton, form.displayCometButton}) {
        page->click();
        for (int row : {1, 0}) {
            QTreeWidgetItem* item = form.displayList->topLevelItem(row);
            ASSERT_TRUE(item);
            if (item->text(0).toStdString() == comet)
                continue;
            clickName(item);
            EXPECT_TRUE(item->isSelected());
            clickTick(form.displayList, item);
            EXPECT_EQ(engine->getCommandValue("Ssystem.AstrName"), comet)
                << item->text(0).toStdString();
        }
    }
    EXPECT_TRUE(holdsWord(engine->getCommandValue("Ssystem.CometNames"), comet));
    EXPECT_TRUE(holdsWord(data.read("data/comets.dcl"), comet));
}

TEST_F(ObjectDisplayGL, HidingTheEnginesBodyLeavesItNamedInTheBodyBox) {
    engine->processScenarioLine("Ssystem.SimModeName EarthMoon");
    engine->processScenarioLine("Ssystem.AstrName Moon");
    form.tabWidget->setCurrentIndex(0);
    ASSERT_EQ(form.planetCombo->currentText(), "Moon");
    form.tabWidget->setCurrentIndex(objectPage);
    form.displayPlanetButton->click();
    QTreeWidgetItem* moon = named(form, "Moon");
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
    std::pair<std::string, std::string> toggled;
    {
        orvextest::ModalAnswers boxes;
        toggled = toggleTwo(form);
        form.displayList->topLevelItem(0)->setSelected(true);
        // Each tick; the change of selection turns none and saves nothing.
        ASSERT_EQ(boxes.texts.size(), 2);
        for (const QString& text : boxes.texts)
            EXPECT_EQ(text, "The list of objects in the simulation could not be saved.\n"
                            "Could not save comet list file. ./data/comets.dcl: Is a directory");
    }
    // The engine has the change all the same.
    EXPECT_TRUE(holdsWord(engine->getCommandValue("Ssystem.CometNames"), toggled.first));
    EXPECT_FALSE(holdsWord(engine->getCommandValue("Ssystem.CometNames"), toggled.second));

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

// The lists' files gone before the start, the default list too: every
// kind starts empty.
class MissingListsGL : public ObjectDisplayGL {
protected:
    MissingListsGL() {
        for (const char* file : {"data/defaults.ddl", "data/comets.dcl", "data/asteroids.dal",
                                 "data/comets.dsl", "data/asatellites.dal"})
            std::filesystem::remove(data.path() + "/" + file);
    }
};

// The first tick makes the list's file, and every later one writes it.
TEST_F(MissingListsGL, EveryTickIsSavedIntoTheFileTheFirstMade) {
    const std::pair<QRadioButton*, const char*> kinds[] = {
        {form.displayCometButton, "data/comets.dcl"},
        {form.displayAsteroidButton, "data/asteroids.dal"},
        {form.displaySpacecraftButton, "data/comets.dsl"},
        {form.displayASatelliteButton, "data/asatellites.dal"},
    };
    orvextest::ModalAnswers boxes;
    for (const auto& [list, file] : kinds) {
        list->click();
        ASSERT_GT(form.displayList->topLevelItemCount(), 0) << file;
        QTreeWidgetItem* item = form.displayList->topLevelItem(0);
        const std::string name = item->text(0).toStdString();
        for (const Qt::CheckState state : {Qt::Checked, Qt::Unchecked, Qt::Checked}) {
            item->setCheckState(0, state);
            EXPECT_EQ(holdsWord(data.read(file), name), state == Qt::Checked)
                << file << " after " << name << " turned " << state;
        }
    }
    EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join('\n').toStdString();
}

// The lists' files gone before the start, the default list there: it fills
// every kind at the start, as with the shipped data.
class ListsMissingAtStartGL : public ObjectDisplayGL {
protected:
    ListsMissingAtStartGL() {
        for (const char* file :
             {"data/comets.dcl", "data/asteroids.dal", "data/comets.dsl", "data/asatellites.dal"})
            std::filesystem::remove(data.path() + "/" + file);
    }
};

// A list's file put back during the session is the user's, which the list
// never read: every tick leaves it and says so. Gone again, the next tick
// makes it and every later one writes it, until another program puts its
// own file in its place.
TEST_F(ListsMissingAtStartGL, AListFilePutBackDuringTheSessionIsLeftAsItIs) {
    const std::tuple<QRadioButton*, const char*, const char*> kinds[] = {
        {form.displayCometButton, "data/comets.dcl", "Comet"},
        {form.displayAsteroidButton, "data/asteroids.dal", "Asteroid"},
        {form.displaySpacecraftButton, "data/comets.dsl", "Spacecraft"},
        {form.displayASatelliteButton, "data/asatellites.dal", "ASatellite"},
    };
    const std::string mine = "Version: 7.0 \nLocale: en_us \n\nMine \n";
    for (const auto& [list, file, word] : kinds) {
        const std::string path = data.path() + "/" + file;
        list->click();
        ASSERT_GT(form.displayList->topLevelItemCount(), 0) << file;
        QTreeWidgetItem* item = form.displayList->topLevelItem(0);
        const auto ticksTold = [&](int ticks) {
            orvextest::ModalAnswers boxes;
            for (int tick = 0; tick < ticks; ++tick)
                item->setCheckState(0, item->checkState(0) == Qt::Checked ? Qt::Unchecked
                                                                          : Qt::Checked);
            return boxes.texts;
        };
        std::ofstream(path, std::ios::binary) << mine;
        const QStringList putBack = ticksTold(2);
        ASSERT_EQ(putBack.size(), 2) << file;
        for (const QString& text : putBack)
            EXPECT_TRUE(text.endsWith(QString::fromStdString(
                "./" + std::string(file) +
                ": the list never read it whole nor wrote it; the file is left as it is. " +
                keepBothAdvice("./" + std::string(file),
                               {std::string("Ssystem.Load") + word + "List",
                                std::string("Ssystem.Save") + word + "List"}))))
                << text.toStdString();
        EXPECT_EQ(data.read(file), mine);

        std::filesystem::remove(path);
        EXPECT_TRUE(ticksTold(2).isEmpty()) << file;
        const std::string name = item->text(0).toStdString();
        EXPECT_EQ(holdsWord(data.read(file), name), item->checkState(0) == Qt::Checked) << file;

        std::ofstream(path + ".new", std::ios::binary) << mine;
        std::filesystem::rename(path + ".new", path);
        const QStringList replaced = ticksTold(1);
        ASSERT_EQ(replaced.size(), 1) << file;
        EXPECT_NE(replaced[0].indexOf("it changed since the list last read it whole or wrote it"),
                  -1)
            << replaced[0].toStdString();
        EXPECT_EQ(data.read(file), mine);
    }
}

// The comets and the asteroids named for one list file.
class SharedListFileGL : public ObjectDisplayGL {
protected:
    SharedListFileGL() {
        std::string config = data.read("data/config.def");
        const std::string own = "AsteroidList: ./data/asteroids.dal";
        config.replace(config.find(own), own.size(), "AsteroidList: ./data/comets.dcl");
        std::ofstream(data.path() + "/data/config.def", std::ios::binary) << config;
    }
};

// Each kind's ticks keep what the other kind's last tick saved: a comet
// ticked stays through the asteroids' saves, an asteroid unticked does not
// come back with the comets' next save.
TEST_F(SharedListFileGL, EachKindsTickKeepsTheOthersLastSave) {
    const auto tick = [this](QRadioButton* list, const std::string& name, Qt::CheckState state) {
        list->click();
        QTreeWidgetItem* item = named(form, QString::fromStdString(name));
        ASSERT_TRUE(item) << name;
        item->setCheckState(0, state);
    };
    form.displayCometButton->click();
    const std::string comet = firstIn(form, Qt::Unchecked)->text(0).toStdString();
    form.displayAsteroidButton->click();
    const std::string asteroid = firstIn(form, Qt::Unchecked)->text(0).toStdString();
    orvextest::ModalAnswers boxes;
    tick(form.displayCometButton, comet, Qt::Checked);
    tick(form.displayAsteroidButton, asteroid, Qt::Checked);
    EXPECT_TRUE(holdsWord(data.read("data/comets.dcl"), comet));
    EXPECT_TRUE(holdsWord(data.read("data/comets.dcl"), asteroid));
    tick(form.displayAsteroidButton, asteroid, Qt::Unchecked);
    tick(form.displayCometButton, comet, Qt::Unchecked);
    tick(form.displayCometButton, comet, Qt::Checked);
    EXPECT_TRUE(holdsWord(data.read("data/comets.dcl"), comet));
    EXPECT_FALSE(holdsWord(data.read("data/comets.dcl"), asteroid));
    EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join('\n').toStdString();
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
    QTreeWidgetItem* tempel = named(form, "9P/Tempel_1");
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

// The asteroid orbit files copied, for removals.
class AsteroidOrbitFilesGL : public ObjectDisplayGL {
protected:
    AsteroidOrbitFilesGL() : ObjectDisplayGL({"data/orbits/asteroids"}) {}
};

// Vesta is a body of the body data file, which names its orbit file: removing
// it with another asteroid deletes only the other's file, and the question
// says that Vesta stays; alone, it is only told so.
TEST_F(AsteroidOrbitFilesGL, AnOrbitFileTheBodyDataFileNamesIsNeverRemoved) {
    const std::string dir = data.path() + "/data/orbits/asteroids/";
    ASSERT_NE(data.read("data/ssystem.def").find("Orbit: ./data/orbits/asteroids/Vesta.orb"),
              std::string::npos);
    const QString stays = "These objects stay in the simulation, as part of the solar system "
                          "that the body data file describes, and so do their orbit files:\n"
                          "Vesta: ./data/orbits/asteroids/Vesta.orb";
    form.displayAsteroidButton->click();
    for (const char* name : {"Vesta", "Pallas"}) {
        QTreeWidgetItem* item = named(form, name);
        ASSERT_TRUE(item) << name;
        item->setSelected(true);
    }
    {
        orvextest::ModalAnswers boxes(QStringLiteral("&Yes"));
        form.asteroidsRemoveButton->click();
        ASSERT_EQ(boxes.texts.size(), 1);
        EXPECT_EQ(boxes.texts[0], "Removed orbit data will be lost.  Do you really want to remove "
                                  "it ?\n\n" +
                                      stays);
    }
    EXPECT_TRUE(std::filesystem::exists(dir + "Vesta.orb"));
    EXPECT_FALSE(std::filesystem::exists(dir + "Pallas.orb"));
    EXPECT_FALSE(holdsWord(engine->getCommandValue("Ssystem.AsteroidNames"), "Pallas"));
    EXPECT_FALSE(holdsWord(data.read("data/asteroids.dal"), "Pallas"));
    for (int time = 0; time < 2; ++time) {
        EXPECT_TRUE(holdsWord(engine->getCommandValue("Ssystem.AsteroidNames"), "Vesta"));
        EXPECT_TRUE(holdsWord(data.read("data/asteroids.dal"), "Vesta"));
        QTreeWidgetItem* vesta = named(form, "Vesta");
        ASSERT_TRUE(vesta);
        EXPECT_EQ(vesta->checkState(0), Qt::Checked);
        form.displayList->clearSelection();
        vesta->setSelected(true);
        const std::string list = data.read("data/asteroids.dal");
        orvextest::ModalAnswers boxes(QStringLiteral("OK"));
        form.asteroidsRemoveButton->click();
        ASSERT_EQ(boxes.texts.size(), 1);
        EXPECT_EQ(boxes.texts[0], stays);
        EXPECT_EQ(data.read("data/asteroids.dal"), list);
        EXPECT_TRUE(std::filesystem::exists(dir + "Vesta.orb"));
    }
}

} // namespace
