// The "Basic" page against a recording engine: the exact command lines each
// control sends, and the refill from the engine that sends nothing.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <functional>
#include <string>
#include <vector>

#include "app/OrvexMainForm.h"
#include "support/FakeEngine.h"
#include "support/SettingsSandbox.h"
#include "support/TestEnv.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexProjForm.h"
#include "ui/QFloatSpinBox.h"
#include "ui/QOrvexMap.h"

namespace {

using Lines = std::vector<std::string>;

// The window with its echo guard in reach.
class BasicForm : public OrvexMainForm {
public:
    void setGuard(bool on) { updatingInterface = on; }
};

class BasicPage : public ::testing::Test {
protected:
    orvextest::SettingsSandbox sandbox;
    orvextest::FakeEngine engine;
    orvextest::FakeRoot& root = engine.recorded;
    OrvexProjForm projForm{nullptr, &engine};
    OrvexMediaForm mediaForm;
    BasicForm form;

    BasicPage() {
        form.setForms(&projForm, &mediaForm);
        form.mapLabel->resize(360, 180);
        form.simModeCombo->addItems({"SolarSystem", "EarthMoon"});
        form.planetCombo->addItems({"Sun", "Earth", "Mars"});
        form.locationCombo->addItems({"", "Surface", "Olympus"});
        root.answers = {{"Ssystem.PlaceName", "Surface"},
                        {"Ssystem.PlaceNames", "Surface Olympus "},
                        {"Ssystem.PlaceLat", " 18.65"},
                        {"Ssystem.PlaceLon", " -133.8"},
                        {"Ssystem.AstrName", "Mars"},
                        {"Ssystem.AstrNames", "Sun Earth Mars "},
                        {"Ssystem.AstrTexture", ""},
                        {"Ssystem.SimModeName", "EarthMoon"},
                        {"Ssystem.SimModeNames", "SolarSystem EarthMoon "},
                        {"Constes.Art", " 1"},
                        {"Constes.Lines", " 1"}};
        root.lines.clear();
        root.queries.clear();
    }

    // Puts a toggle in a state without sending anything.
    void preset(QPushButton* button, bool on) {
        form.setGuard(true);
        button->setChecked(on);
        form.setGuard(false);
        root.lines.clear();
    }

    void activate(QComboBox* combo, int index) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
};

} // namespace

TEST_F(BasicPage, EveryControlSendsItsExactLines) {
    struct Case {
        const char* what;
        std::function<void()> act;
        Lines lines;
    };
    auto click = [](QAbstractButton* button) { return [button] { button->click(); }; };
    const std::vector<Case> cases = {
        {"sim mode chosen",
         [&] { activate(form.simModeCombo, 1); },
         {"Ssystem.SimModeName EarthMoon"}},
        {"sim mode prev", click(form.simModePrevButton), {"Ssystem.SimModePrev"}},
        {"sim mode next", click(form.simModNextButton), {"Ssystem.SimModeNext"}},
        {"body chosen", [&] { activate(form.planetCombo, 2); }, {"Ssystem.AstrNameTo Mars"}},
        {"body prev", click(form.planetPrevButton), {"Ssystem.AstrNamePrev"}},
        {"body next", click(form.planetNextButton), {"Ssystem.AstrNameNext"}},
        {"place chosen", [&] { activate(form.locationCombo, 2); }, {"Ssystem.PlaceName Olympus"}},
        {"empty place chosen", [&] { activate(form.locationCombo, 0); }, {"Ssystem.PlaceName "}},
        {"place prev", click(form.locationPrevButton), {"Ssystem.PlacePrev"}},
        {"place next", click(form.locationNextButton), {"Ssystem.PlaceNext"}},
        {"camera mode", click(form.cameraModeButton), {"Camera.ModeNext"}},
        {"camera mode with effect",
         [&] {
             form.effectCheck->setChecked(true);
             form.cameraModeButton->click();
             form.effectCheck->setChecked(false);
         },
         {"Camera.ModeNext 150 1"}},
        {"camera mode in flight",
         [&] {
             preset(form.flightButton, true);
             form.cameraModeButton->click();
         },
         {"Camera.ModeNext", "Camera.Mode Examine"}},
        {"flight on",
         [&] {
             preset(form.flightButton, false);
             form.flightButton->click();
         },
         {"Camera.Mode Fly"}},
        {"flight off",
         [&] {
             preset(form.flightButton, true);
             form.flightButton->click();
         },
         {"Camera.Mode Examine"}},
        {"latitude", [&] { form.latSpinBox->setValue(-45.678f); }, {"Ssystem.PlaceLat -45.67"}},
        {"longitude", [&] { form.lonSpinBox->setValue(12.345f); }, {"Ssystem.PlaceLon 12.34"}},
        {"detail dialog (not there yet)", click(form.detailButton), {}},
        {"date and time",
         [&] { form.dateTimeEdit->setDateTime(QDateTime(QDate(2006, 10, 4), QTime(21, 0, 5))); },
         {"Timer.TimeTextLoc 2006 10 4 21 0 5"}},
        {"step sec", [&] { activate(form.stepCombo, 0); }, {"Timer.Step 1"}},
        {"step min", [&] { activate(form.stepCombo, 1); }, {"Timer.Step 60"}},
        {"step hour", [&] { activate(form.stepCombo, 2); }, {"Timer.Step 3600"}},
        {"step day", [&] { activate(form.stepCombo, 3); }, {"Timer.Step 86400"}},
        {"step month", [&] { activate(form.stepCombo, 4); }, {"Timer.Step 2678400"}},
        {"step year", [&] { activate(form.stepCombo, 5); }, {"Timer.Step 31536000"}},
        {"step out of range", [&] { emit form.stepCombo->activated(9); }, {"Timer.Step 31536000"}},
        {"speed slider", [&] { form.speedSlider->setValue(-3); }, {"Timer.Speed -3"}},
        {"speed box", [&] { form.speedSpinBox->setValue(250); }, {"Timer.Speed 250"}},
        {"speed stop", click(form.speedStopButton), {"Timer.Speed 0"}},
        {"actual time",
         click(form.actualButton),
         {"Timer.Step 1", "Timer.Speed 1", "Timer.SetNow"}},
        {"scale on",
         [&] {
             preset(form.scaleButton, false);
             form.scaleButton->click();
         },
         {"Ssystem.ScaleTo Model 30"}},
        {"scale off",
         [&] {
             preset(form.scaleButton, true);
             form.scaleButton->click();
         },
         {"Ssystem.ScaleTo Real 30"}},
        {"lines on",
         [&] {
             preset(form.consteLineButton, false);
             form.consteLineButton->click();
         },
         {"Constes.Lines 1", "Constes.Name 1", "Constes.Seps 1"}},
        {"lines off, figures on",
         [&] {
             preset(form.consteLineButton, true);
             form.consteLineButton->click();
         },
         {"Constes.Lines 0"}},
        {"lines off, figures off",
         [&] {
             root.answers["Constes.Art"] = " 0";
             preset(form.consteLineButton, true);
             form.consteLineButton->click();
         },
         {"Constes.Lines 0", "Constes.Name 0", "Constes.Seps 0"}},
        {"figures on",
         [&] {
             preset(form.constePictureButton, false);
             form.constePictureButton->click();
         },
         {"Constes.Art 1", "Constes.Name 1", "Constes.Seps 1"}},
        {"figures off, lines on",
         [&] {
             preset(form.constePictureButton, true);
             form.constePictureButton->click();
         },
         {"Constes.Art 0"}},
        {"figures off, lines off",
         [&] {
             root.answers["Constes.Lines"] = " 0";
             preset(form.constePictureButton, true);
             form.constePictureButton->click();
         },
         {"Constes.Art 0", "Constes.Name 0", "Constes.Seps 0"}},
        {"clouds on",
         [&] {
             preset(form.cloudButton, false);
             form.cloudButton->click();
         },
         {"Ssystem.Clouds 1", "Ssystem.CloudsOpacityTo 1 45"}},
        {"clouds off",
         [&] {
             preset(form.cloudButton, true);
             form.cloudButton->click();
         },
         {"Ssystem.Clouds 1", "Ssystem.CloudsOpacityTo 0 45"}},
        {"weather on",
         [&] {
             preset(form.weatherButton, false);
             form.weatherButton->click();
         },
         {"Lscape.Weather 1", "Lscape.WeatherOpacityTo 1 45"}},
        {"weather off",
         [&] {
             preset(form.weatherButton, true);
             form.weatherButton->click();
         },
         {"Lscape.Weather 1", "Lscape.WeatherOpacityTo 0 45"}},
        {"fade on",
         [&] {
             preset(form.fadeButton, false);
             form.fadeButton->click();
         },
         {"Render.FaderColorTo 0 0 0 1 30"}},
        {"fade off",
         [&] {
             preset(form.fadeButton, true);
             form.fadeButton->click();
         },
         {"Render.FaderColorTo 0 0 0 0 30"}},
        {"fade while guarded",
         [&] {
             form.setGuard(true);
             form.fadeButton->toggle();
             form.setGuard(false);
         },
         {"Render.FaderColorTo 0 0 0 1 30"}},
    };
    for (const Case& c : cases) {
        root.lines.clear();
        c.act();
        EXPECT_EQ(root.lines, c.lines) << c.what;
        EXPECT_FALSE(form.isUpdatingInterface()) << c.what;
    }
}

TEST_F(BasicPage, PlainTogglesSendTheirWordWith1Or0) {
    const std::pair<QPushButton*, const char*> toggles[] = {
        {form.nameButton, "Ssystem.Name"},           {form.axisButton, "Ssystem.Axis"},
        {form.orbitButton, "Ssystem.Orbit"},         {form.mwayButton, "Space.Mway"},
        {form.galaxiesButton, "Galaxies.Show"},      {form.starNameButton, "Fstars.Show"},
        {form.frameButton, "Space.Frame"},           {form.consoleButton, "Console.Show"},
        {form.lightingButton, "Camera.HeadLight"},   {form.starsButton, "Space.Stars"},
        {form.astrBeltButton, "Ssystem.AstrBelt"},   {form.umbraButton, "Ssystem.FullShadow"},
        {form.penumbraButton, "Ssystem.HalfShadow"}, {form.dustButton, "Ssystem.Dust"},
        {form.landscapeButton, "Lscape.Show"},       {form.protractorButton, "Ssystem.Angular"}};
    for (const auto& [button, word] : toggles) {
        preset(button, false);
        button->click();
        button->click();
        EXPECT_EQ(root.lines, (Lines{std::string(word) + " 1", std::string(word) + " 0"})) << word;
    }
}

TEST_F(BasicPage, NothingButTheFadeGoesOutWhileGuarded) {
    form.setGuard(true);
    for (QPushButton* button :
         {form.flightButton, form.scaleButton, form.consteLineButton, form.constePictureButton,
          form.cloudButton, form.weatherButton, form.nameButton, form.landscapeButton})
        button->toggle();
    form.latSpinBox->setValue(10.0f);
    form.lonSpinBox->setValue(20.0f);
    form.speedSlider->setValue(4);
    form.speedSpinBox->setValue(7);
    form.speedStopButton->click();
    form.dateTimeEdit->setDateTime(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)));
    emit form.stepCombo->activated(2);
    form.updateInterface();
    form.locationChanged();
    EXPECT_TRUE(root.lines.empty());
    EXPECT_TRUE(root.queries.empty());
    form.fadeButton->toggle();
    EXPECT_EQ(root.lines, Lines{"Render.FaderColorTo 0 0 0 1 30"});
    form.setGuard(false);
}

TEST_F(BasicPage, SpeedSliderAndBoxMirrorEachOther) {
    form.speedSlider->setValue(-3);
    EXPECT_EQ(form.speedSpinBox->value(), -3.0f);
    form.speedSpinBox->setValue(250);
    EXPECT_EQ(form.speedSlider->value(), 10);
    form.speedSpinBox->setValue(-4);
    EXPECT_EQ(form.speedSlider->value(), -4);
    EXPECT_EQ(root.lines, (Lines{"Timer.Speed -3", "Timer.Speed 250", "Timer.Speed -4"}));
    root.lines.clear();
    form.speedStopButton->click();
    EXPECT_EQ(form.speedSpinBox->value(), 0.0f);
    EXPECT_EQ(form.speedSlider->value(), 0);
    EXPECT_EQ(root.lines, Lines{"Timer.Speed 0"});
}

TEST_F(BasicPage, ChoosingABodyFillsItsPlaces) {
    root.answers["Ssystem.PlaceName"] = "Olympus";
    root.answers["Ssystem.PlaceNames"] = "Surface Olympus Gale ";
    activate(form.planetCombo, 2);
    ASSERT_EQ(form.locationCombo->count(), 4);
    EXPECT_EQ(form.locationCombo->itemText(0), "");
    EXPECT_EQ(form.locationCombo->itemText(3), "Gale");
    EXPECT_EQ(form.locationCombo->currentIndex(), 2);
    EXPECT_FLOAT_EQ(form.latSpinBox->value(), 18.65f);
    EXPECT_FLOAT_EQ(form.lonSpinBox->value(), -133.8f);
    EXPECT_FLOAT_EQ(form.mapLabel->latitude(), 18.65f);
    EXPECT_FLOAT_EQ(form.mapLabel->longitude(), -133.8f);
    EXPECT_EQ(root.lines, Lines{"Ssystem.AstrNameTo Mars"});

    // Next body: the combo follows the engine's answer.
    root.answers["Ssystem.AstrName"] = "Earth";
    root.answers["Ssystem.PlaceNames"] = "";
    root.answers["Ssystem.PlaceName"] = "None";
    form.planetNextButton->click();
    EXPECT_EQ(form.planetCombo->currentText(), "Earth");
    EXPECT_EQ(form.locationCombo->count(), 1);
    EXPECT_EQ(form.locationCombo->currentIndex(), 0);
}

TEST_F(BasicPage, SimModeButtonsRefillTheBodies) {
    root.answers["Ssystem.AstrNames"] = "Earth Moon ";
    root.answers["Ssystem.AstrName"] = "Moon";
    form.simModNextButton->click();
    EXPECT_EQ(form.simModeCombo->currentText(), "EarthMoon");
    ASSERT_EQ(form.planetCombo->count(), 2);
    EXPECT_EQ(form.planetCombo->currentText(), "Moon");
    EXPECT_EQ(form.locationCombo->count(), 3);
    EXPECT_EQ(root.lines, Lines{"Ssystem.SimModeNext"});
}

TEST_F(BasicPage, ChoosingASimModeFollowsWithThePlanetCentringList) {
    form.centerPlanetButton->setChecked(true);
    activate(form.simModeCombo, 0);
    EXPECT_EQ(root.lines, Lines{"Ssystem.SimModeName SolarSystem"});
    EXPECT_EQ(form.planetCombo->count(), 3);
    EXPECT_FALSE(form.isUpdatingInterface());
}

TEST_F(BasicPage, PlaceStepsReadTheCoordinatesBack) {
    root.answers["Ssystem.PlaceName"] = "Olympus";
    root.answers["Ssystem.PlaceLat"] = " -45.678";
    root.answers["Ssystem.PlaceLon"] = " 12.345";
    form.locationNextButton->click();
    EXPECT_EQ(form.locationCombo->currentText(), "Olympus");
    EXPECT_FLOAT_EQ(form.latSpinBox->value(), -45.67f);
    EXPECT_FLOAT_EQ(form.lonSpinBox->value(), 12.34f);
    EXPECT_FLOAT_EQ(form.mapLabel->longitude(), 12.34f);
    EXPECT_FLOAT_EQ(form.mapLabel->latitude(), -45.67f);
    EXPECT_EQ(root.lines, Lines{"Ssystem.PlaceNext"});

    // Choosing an entry leaves the combo alone and reads the coordinates.
    root.answers["Ssystem.PlaceLat"] = " 0";
    root.answers["Ssystem.PlaceLon"] = "Undefined";
    activate(form.locationCombo, 0);
    EXPECT_EQ(form.locationCombo->currentIndex(), 0);
    EXPECT_EQ(form.latSpinBox->value(), 0.0f);
    EXPECT_EQ(form.lonSpinBox->value(), 0.0f);
}

TEST_F(BasicPage, CoordinateEditsMoveTheMarkerAndFindThePlaceByName) {
    form.locationCombo->setCurrentIndex(2);
    root.answers["Ssystem.PlaceName"] = "Surface";
    form.latSpinBox->setValue(30.0f);
    EXPECT_FLOAT_EQ(form.mapLabel->latitude(), 30.0f);
    EXPECT_EQ(form.locationCombo->currentText(), "Surface");
    // No entry with the engine's name: the current one stays, nothing added.
    root.answers["Ssystem.PlaceName"] = "Elsewhere";
    form.lonSpinBox->setValue(-75.5f);
    EXPECT_FLOAT_EQ(form.mapLabel->longitude(), -75.5f);
    EXPECT_EQ(form.locationCombo->currentText(), "Surface");
    EXPECT_EQ(form.locationCombo->count(), 3);
    EXPECT_EQ(root.lines, (Lines{"Ssystem.PlaceLat 30.00", "Ssystem.PlaceLon -75.50"}));
}

TEST_F(BasicPage, AMapClickSendsTheCoordinatesAsTheSpinBoxesShowThem) {
    root.answers["Ssystem.PlaceName"] = "Olympus";
    form.mapLabel->setPosition(12.345f, -45.678f);
    emit form.mapLabel->locationChanged();
    EXPECT_FLOAT_EQ(form.latSpinBox->value(), -45.67f);
    EXPECT_FLOAT_EQ(form.lonSpinBox->value(), 12.34f);
    EXPECT_EQ(root.lines, (Lines{"Ssystem.PlaceLat -45.67", "Ssystem.PlaceLon 12.34"}));
    EXPECT_EQ(form.locationCombo->currentText(), "Olympus");
    // The map keeps its own marker.
    EXPECT_FLOAT_EQ(form.mapLabel->longitude(), 12.345f);
    EXPECT_FALSE(form.isUpdatingInterface());
}

TEST_F(BasicPage, TheMapFindsTheTextureInTheEnginesTextureDirectory) {
    orvextest::TempDir dir;
    QImage texture(8, 4, QImage::Format_RGB32);
    texture.fill(Qt::red);
    const std::string file = dir.path() + "/mars.jpg";
    ASSERT_TRUE(texture.save(QString::fromStdString(file), "PNG"));
    root.answers["Ssystem.AstrTexture"] = "mars.jpg";
    root.answers["Detail.TexDir"] = dir.path();
    activate(form.planetCombo, 2);
    EXPECT_EQ(form.mapLabel->mapFile(), file);
    form.updateInterface();
    // A body whose texture is nowhere gets the grid.
    root.answers["Ssystem.AstrTexture"] = "nowhere.jpg";
    form.planetPrevButton->click();
    EXPECT_EQ(form.mapLabel->mapFile(), "");
    // The box already names the engine's body: the refresh still brings its map.
    root.answers["Ssystem.AstrTexture"] = "mars.jpg";
    form.updateInterface();
    EXPECT_EQ(form.mapLabel->mapFile(), file);
}

namespace {

// The page as the refresh finds it on a fresh window.
class Refresh : public BasicPage {
protected:
    Refresh() {
        form.simModeCombo->clear();
        form.planetCombo->clear();
        form.locationCombo->clear();
        root.answers.insert({{"Camera.Mode", "Examine"},
                             {"Timer.TimeTextLoc", "2006 10 4 21 0 5"},
                             {"Timer.Step", " 1"},
                             {"Timer.Speed", " 1"}});
    }

    int timesAsked(const std::string& name) const {
        int n = 0;
        for (const std::string& query : root.queries)
            n += query == name;
        return n;
    }
};

} // namespace

TEST_F(Refresh, FillsEveryControlAndSendsNothing) {
    const std::pair<const char*, QPushButton*> toggles[] = {
        {"Ssystem.Name", form.nameButton},           {"Ssystem.Axis", form.axisButton},
        {"Ssystem.Orbit", form.orbitButton},         {"Space.Mway", form.mwayButton},
        {"Constes.Lines", form.consteLineButton},    {"Constes.Art", form.constePictureButton},
        {"Galaxies.Show", form.galaxiesButton},      {"Fstars.Show", form.starNameButton},
        {"Space.Frame", form.frameButton},           {"Console.Show", form.consoleButton},
        {"Camera.HeadLight", form.lightingButton},   {"Space.Stars", form.starsButton},
        {"Ssystem.AstrBelt", form.astrBeltButton},   {"Ssystem.FullShadow", form.umbraButton},
        {"Ssystem.HalfShadow", form.penumbraButton}, {"Ssystem.Dust", form.dustButton},
        {"Ssystem.Clouds", form.cloudButton},        {"Lscape.Weather", form.weatherButton},
        {"Ssystem.Angular", form.protractorButton},  {"Lscape.Show", form.landscapeButton}};
    for (const auto& [query, button] : toggles)
        root.answers[query] = " 1";
    root.answers["Ssystem.Scale"] = "Model";
    root.answers["Camera.Mode"] = "Flight";
    root.answers["Timer.Step"] = " 86400";
    root.answers["Timer.Speed"] = " -5";
    root.answers["Ssystem.PlaceLat"] = " -45.678";
    form.updateInterface();

    EXPECT_TRUE(root.lines.empty());
    EXPECT_FALSE(form.isUpdatingInterface());
    EXPECT_EQ(form.simModeCombo->count(), 2);
    EXPECT_EQ(form.simModeCombo->currentText(), "EarthMoon");
    EXPECT_EQ(form.planetCombo->count(), 3);
    EXPECT_EQ(form.planetCombo->currentText(), "Mars");
    ASSERT_EQ(form.locationCombo->count(), 3);
    EXPECT_EQ(form.locationCombo->currentIndex(), 1);
    EXPECT_FLOAT_EQ(form.latSpinBox->value(), -45.67f);
    EXPECT_FLOAT_EQ(form.lonSpinBox->value(), -133.8f);
    EXPECT_FLOAT_EQ(form.mapLabel->latitude(), -45.67f);
    EXPECT_TRUE(form.flightButton->isChecked());
    EXPECT_EQ(form.dateTimeEdit->dateTime().date(), QDate(2006, 10, 4));
    EXPECT_EQ(form.dateTimeEdit->dateTime().time(), QTime(21, 0, 5));
    EXPECT_EQ(form.stepCombo->currentIndex(), 3);
    EXPECT_EQ(form.speedSlider->value(), -5);
    EXPECT_EQ(form.speedSpinBox->value(), -5.0f);
    for (const auto& [query, button] : toggles)
        EXPECT_TRUE(button->isChecked()) << query;
    EXPECT_TRUE(form.scaleButton->isChecked());
    EXPECT_FALSE(form.fadeButton->isChecked());

    // Everything back off: the buttons follow, still without a line.
    for (const auto& [query, button] : toggles)
        root.answers[query] = " 0";
    root.answers["Ssystem.Scale"] = "Real";
    root.answers["Camera.Mode"] = "Observe";
    form.updateInterface();
    EXPECT_TRUE(root.lines.empty());
    for (const auto& [query, button] : toggles)
        EXPECT_FALSE(button->isChecked()) << query;
    EXPECT_FALSE(form.scaleButton->isChecked());
    EXPECT_FALSE(form.flightButton->isChecked());
}

TEST_F(Refresh, StepAnswersPickTheirItem) {
    const std::pair<const char*, int> steps[] = {
        {" 1", 0},       {" 59", 0},         {" 0", 0},          {" -60", 0},   {"Undefined", 0},
        {" 60", 1},      {" 3599", 1},       {" 3600", 2},       {" 86399", 2}, {" 86400", 3},
        {" 2678399", 3}, {" 2.6784e+06", 4}, {" 3.1536e+07", 5}, {" 1e+09", 5}, {" 31535999", 4}};
    for (const auto& [answer, item] : steps) {
        root.answers["Timer.Step"] = answer;
        form.updateInterface();
        EXPECT_EQ(form.stepCombo->currentIndex(), item) << answer;
    }
    EXPECT_TRUE(root.lines.empty());
}

TEST_F(Refresh, SpeedAnswersSetSliderAndBox) {
    const struct {
        const char* answer;
        int slider;
        float box;
    } speeds[] = {{" 25", 10, 25.0f},        {" 0.5", 0, 0.0f},       {" -3", -3, -3.0f},
                  {" -2000", -10, -1000.0f}, {" 1e+06", 10, 1000.0f}, {"Undefined", 0, 0.0f}};
    for (const auto& s : speeds) {
        root.answers["Timer.Speed"] = s.answer;
        form.updateInterface();
        EXPECT_EQ(form.speedSlider->value(), s.slider) << s.answer;
        EXPECT_EQ(form.speedSpinBox->value(), s.box) << s.answer;
    }
    EXPECT_TRUE(root.lines.empty());
}

TEST_F(Refresh, TogglesAreOnOnlyForTheInteger1) {
    const std::pair<const char*, bool> answers[] = {
        {" 1", true}, {"1", true}, {" 2", false}, {" 0", false}, {"Undefined", false}, {"", false}};
    for (const auto& [answer, on] : answers) {
        root.answers["Ssystem.Orbit"] = answer;
        root.answers["Ssystem.Scale"] = on ? "Model" : " Model";
        form.updateInterface();
        EXPECT_EQ(form.orbitButton->isChecked(), on) << answer;
        EXPECT_EQ(form.scaleButton->isChecked(), on) << answer;
    }
    EXPECT_TRUE(root.lines.empty());
}

TEST_F(Refresh, BodyListIsRebuiltOnlyWhenTheBodyChanged) {
    form.updateInterface();
    EXPECT_EQ(timesAsked("Ssystem.AstrNames"), 1);
    EXPECT_EQ(timesAsked("Ssystem.SimModeNames"), 1);
    // A key that only switched orbits on: same body, the places are refilled.
    root.queries.clear();
    root.answers["Ssystem.Orbit"] = " 1";
    root.answers["Ssystem.PlaceNames"] = "Surface Olympus Gale ";
    form.updateInterface();
    EXPECT_EQ(timesAsked("Ssystem.AstrNames"), 0);
    EXPECT_EQ(timesAsked("Ssystem.SimModeNames"), 0);
    EXPECT_EQ(form.locationCombo->count(), 4);
    EXPECT_TRUE(form.orbitButton->isChecked());
    // A key that selected the next body.
    root.queries.clear();
    root.answers["Ssystem.AstrNames"] = "Sun Earth Mars Jupiter ";
    root.answers["Ssystem.AstrName"] = "Jupiter";
    root.answers["Ssystem.PlaceNames"] = "";
    root.answers["Ssystem.PlaceName"] = "None";
    root.answers["Ssystem.PlaceLat"] = " 0";
    root.answers["Ssystem.PlaceLon"] = " 0";
    form.updateInterface();
    EXPECT_EQ(timesAsked("Ssystem.AstrNames"), 1);
    EXPECT_EQ(form.planetCombo->currentText(), "Jupiter");
    // A body without places: only the empty entry, current.
    EXPECT_EQ(form.locationCombo->count(), 1);
    EXPECT_EQ(form.locationCombo->currentIndex(), 0);
    EXPECT_EQ(form.latSpinBox->value(), 0.0f);
    EXPECT_TRUE(root.lines.empty());
}

TEST_F(Refresh, AnEmptyPlaceEntryWithoutEnginePlaceKeepsTheCoordinates) {
    form.updateInterface();
    form.locationCombo->setCurrentIndex(0);
    form.setGuard(true);
    form.latSpinBox->setValue(5.0f);
    form.setGuard(false);
    root.answers["Ssystem.PlaceName"] = "";
    root.queries.clear();
    form.updateInterface();
    EXPECT_EQ(timesAsked("Ssystem.PlaceNames"), 0);
    EXPECT_EQ(form.latSpinBox->value(), 5.0f);
}

TEST_F(Refresh, ANameMissingFromItsListLeavesTheFirstItemButTheBodyIsNamed) {
    // The engine's body, hidden: the box names it after the shown ones.
    root.answers["Ssystem.AstrName"] = "Pluto";
    root.answers["Ssystem.SimModeName"] = "Nowhere";
    form.updateInterface();
    EXPECT_EQ(form.planetCombo->currentText(), "Pluto");
    EXPECT_EQ(form.planetCombo->count(), 4);
    EXPECT_EQ(form.simModeCombo->currentIndex(), 0);
    EXPECT_EQ(form.locationCombo->currentIndex(), 1);
}

TEST_F(Refresh, AShortClockAnswerLeavesTheEditor) {
    form.updateInterface();
    root.answers["Timer.TimeTextLoc"] = "Undefined";
    form.updateInterface();
    EXPECT_EQ(form.dateTimeEdit->dateTime().date(), QDate(2006, 10, 4));
}

TEST_F(Refresh, KeyEventsRefreshAndAViewWithoutEngineIsLeftAlone) {
    root.answers["Ssystem.Dust"] = " 1";
    form.orvexKeyEventSlot();
    EXPECT_TRUE(form.dustButton->isChecked());

    engine.started = false;
    root.answers["Ssystem.Dust"] = " 0";
    form.updateInterface();
    EXPECT_TRUE(form.dustButton->isChecked());
}
