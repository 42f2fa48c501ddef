// The "Basic" page of the control panel: every control becomes one or more
// command lines, and the page follows the engine again (updateInterface) after
// key-map commands, scenarios and page changes. While the page fills its own
// controls from the engine it raises updatingInterface, so that the signals
// those controls emit do not send the values back.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSlider>

#include "app/CommandText.h"
#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "ui/BodyMap.h"
#include "ui/QFloatSpinBox.h"
#include "ui/QOrvexMap.h"

namespace {

// The toggles the refresh reads, in the order it asks; the scale button alone
// compares its answer as a word.
const struct {
    const char* query;
    QPushButton* OrvexMainForm::*button;
} refreshedSwitches[] = {
    {"Ssystem.Name", &OrvexMainForm::nameButton},
    {"Ssystem.Axis", &OrvexMainForm::axisButton},
    {"Ssystem.Orbit", &OrvexMainForm::orbitButton},
    {"Ssystem.Scale", &OrvexMainForm::scaleButton},
    {"Space.Mway", &OrvexMainForm::mwayButton},
    {"Constes.Lines", &OrvexMainForm::consteLineButton},
    {"Constes.Art", &OrvexMainForm::constePictureButton},
    {"Galaxies.Show", &OrvexMainForm::galaxiesButton},
    {"Fstars.Show", &OrvexMainForm::starNameButton},
    {"Space.Frame", &OrvexMainForm::frameButton},
    {"Console.Show", &OrvexMainForm::consoleButton},
    {"Camera.HeadLight", &OrvexMainForm::lightingButton},
    {"Space.Stars", &OrvexMainForm::starsButton},
    {"Ssystem.AstrBelt", &OrvexMainForm::astrBeltButton},
    {"Ssystem.FullShadow", &OrvexMainForm::umbraButton},
    {"Ssystem.HalfShadow", &OrvexMainForm::penumbraButton},
    {"Ssystem.Dust", &OrvexMainForm::dustButton},
    {"Ssystem.Clouds", &OrvexMainForm::cloudButton},
    {"Lscape.Weather", &OrvexMainForm::weatherButton},
    {"Ssystem.Angular", &OrvexMainForm::protractorButton},
    {"Lscape.Show", &OrvexMainForm::landscapeButton},
};

// Seconds per step of the step combo's items: one second, minute, hour, day,
// 31 days and 365 days of simulated time.
const int stepSeconds[] = {1, 60, 3600, 86400, 2678400, 31536000};

void send(EngineLink* engine, const std::string& line) {
    if (engine)
        engine->processScenarioLine(line);
}

std::string ask(EngineLink* engine, const char* name) {
    return engine ? engine->getCommandValue(name) : std::string();
}

QString askText(EngineLink* engine, const char* name) {
    return EngineLink::fromEngineText(ask(engine, name));
}

std::string switchLine(const char* command, bool on) {
    return std::string(command) + (on ? " 1" : " 0");
}

// A guarded toggle: nothing goes out while the page is being refilled.
void sendSwitch(OrvexMainForm& form, const char* command, bool on) {
    if (!form.isUpdatingInterface())
        send(form.engine(), switchLine(command, on));
}

// Constellation lines or figures; the names and boundaries stay while either
// of the two shows.
void switchConstellations(OrvexMainForm& form, const char* command, const char* other, bool on) {
    if (form.isUpdatingInterface())
        return;
    EngineLink* engine = form.engine();
    send(engine, switchLine(command, on));
    if (on || CommandText::readInt(ask(engine, other)) == 0) {
        send(engine, switchLine("Constes.Name", on));
        send(engine, switchLine("Constes.Seps", on));
    }
}

void showBodyMap(OrvexMainForm& form) {
    form.mapLabel->setMap(BodyMap::textureFile(form.engine()));
}

// Makes the first item with that text current; with none the current item stays.
void selectText(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

// The body combo from the engine's shown bodies, the selected one current. A
// hidden body stays selected in the engine: the box names it all the same,
// after the shown ones, rather than a body the engine did not select.
void fillBodies(OrvexMainForm& form) {
    EngineLink* engine = form.engine();
    form.planetCombo->clear();
    QStringList names = CommandText::readList(ask(engine, "Ssystem.AstrNames"));
    const std::string selected = ask(engine, "Ssystem.AstrName");
    const QString name = EngineLink::fromEngineText(selected);
    if (!names.contains(name) && !selected.empty() && selected != "Undefined")
        names.append(name);
    form.planetCombo->addItems(names);
    const int current = names.indexOf(name);
    if (current >= 0)
        form.planetCombo->setCurrentIndex(current);
}

// The place combo: an empty entry, then the selected body's places, the
// selected place current (the empty entry when none matches, as for "None").
void fillPlaces(OrvexMainForm& form) {
    EngineLink* engine = form.engine();
    form.locationCombo->clear();
    const QStringList names = CommandText::readList(ask(engine, "Ssystem.PlaceNames"));
    form.locationCombo->addItem(QString());
    form.locationCombo->addItems(names);
    const int current = names.indexOf(askText(engine, "Ssystem.PlaceName"));
    if (current >= 0)
        form.locationCombo->setCurrentIndex(current + 1);
}

// The marker shows the place as the spin boxes do: cut to two decimals.
void moveMarker(OrvexMainForm& form) {
    form.mapLabel->setPosition(form.lonSpinBox->value(), form.latSpinBox->value());
}

// Latitude, longitude and marker of the selected place; the caller holds the
// echo guard.
void readPlaceCoordinates(OrvexMainForm& form) {
    EngineLink* engine = form.engine();
    form.latSpinBox->setValue(CommandText::readReal(ask(engine, "Ssystem.PlaceLat")));
    form.lonSpinBox->setValue(CommandText::readReal(ask(engine, "Ssystem.PlaceLon")));
    moveMarker(form);
}

int stepIndex(double seconds) {
    int index = 0;
    while (index < 5 && seconds >= stepSeconds[index + 1])
        ++index;
    return index;
}

} // namespace

// The list refreshers.

void OrvexMainForm::updatePlanetList() {
    fillBodies(*this);
    showBodyMap(*this);
    updateLocationList();
}

void OrvexMainForm::updateLocationList() {
    fillPlaces(*this);
    QScopedValueRollback<bool> guard(updatingInterface, true);
    readPlaceCoordinates(*this);
}

// Simulation mode, body and place.

void OrvexMainForm::simModeSlot(int) {
    send(gl_, "Ssystem.SimModeName " + EngineLink::toEngineText(simModeCombo->currentText()));
    // Each mode shows its own bodies.
    updatePlanetList();
    QScopedValueRollback<bool> guard(updatingInterface, true);
    if (centeringButtons->checkedButton() == centerPlanetButton)
        centerPlanetSlot();
}

void OrvexMainForm::simModePrevSlot() {
    send(gl_, "Ssystem.SimModePrev");
    simModeCombo->setCurrentText(askText(gl_, "Ssystem.SimModeName"));
    updatePlanetList();
}

void OrvexMainForm::simModeNextSlot() {
    send(gl_, "Ssystem.SimModeNext");
    simModeCombo->setCurrentText(askText(gl_, "Ssystem.SimModeName"));
    updatePlanetList();
}

void OrvexMainForm::planetSlot(int) {
    send(gl_, "Ssystem.AstrNameTo " + EngineLink::toEngineText(planetCombo->currentText()));
    showBodyMap(*this);
    updateLocationList();
}

void OrvexMainForm::planetPrevSlot() {
    send(gl_, "Ssystem.AstrNamePrev");
    planetCombo->setCurrentText(askText(gl_, "Ssystem.AstrName"));
    showBodyMap(*this);
    updateLocationList();
}

void OrvexMainForm::planetNextSlot() {
    send(gl_, "Ssystem.AstrNameNext");
    planetCombo->setCurrentText(askText(gl_, "Ssystem.AstrName"));
    showBodyMap(*this);
    updateLocationList();
}

void OrvexMainForm::locationSlot(int) {
    // The empty entry sends the word alone: the body is left without a place.
    send(gl_, "Ssystem.PlaceName " + EngineLink::toEngineText(locationCombo->currentText()));
    QScopedValueRollback<bool> guard(updatingInterface, true);
    readPlaceCoordinates(*this);
}

void OrvexMainForm::locationPrevSlot() {
    send(gl_, "Ssystem.PlacePrev");
    locationCombo->setCurrentText(askText(gl_, "Ssystem.PlaceName"));
    QScopedValueRollback<bool> guard(updatingInterface, true);
    readPlaceCoordinates(*this);
}

void OrvexMainForm::locationNextSlot() {
    send(gl_, "Ssystem.PlaceNext");
    locationCombo->setCurrentText(askText(gl_, "Ssystem.PlaceName"));
    QScopedValueRollback<bool> guard(updatingInterface, true);
    readPlaceCoordinates(*this);
}

void OrvexMainForm::latitudeSlot(int) {
    if (updatingInterface)
        return;
    send(gl_, "Ssystem.PlaceLat " + CommandText::fixed2(latSpinBox->value()));
    QScopedValueRollback<bool> guard(updatingInterface, true);
    moveMarker(*this);
    // Editing a coordinate never adds or renames an entry.
    selectText(locationCombo, askText(gl_, "Ssystem.PlaceName"));
}

void OrvexMainForm::longitudeSlot(int) {
    if (updatingInterface)
        return;
    send(gl_, "Ssystem.PlaceLon " + CommandText::fixed2(lonSpinBox->value()));
    QScopedValueRollback<bool> guard(updatingInterface, true);
    moveMarker(*this);
    selectText(locationCombo, askText(gl_, "Ssystem.PlaceName"));
}

void OrvexMainForm::locationChanged() {
    if (updatingInterface)
        return;
    QScopedValueRollback<bool> guard(updatingInterface, true);
    latSpinBox->setValue(mapLabel->latitude());
    lonSpinBox->setValue(mapLabel->longitude());
    // The lines carry what the spin boxes show; the map placed its marker itself.
    send(gl_, "Ssystem.PlaceLat " + CommandText::fixed2(latSpinBox->value()));
    send(gl_, "Ssystem.PlaceLon " + CommandText::fixed2(lonSpinBox->value()));
    selectText(locationCombo, askText(gl_, "Ssystem.PlaceName"));
}

// Camera.

void OrvexMainForm::cameraModeSlot() {
    send(gl_, effectCheck->isChecked() ? "Camera.ModeNext 150 1" : "Camera.ModeNext");
    // A flight button that was on now sends "Camera.Mode Examine" through flightSlot.
    flightButton->setChecked(false);
    // Landing with no place chosen lands on the body's first place: the page
    // shows where the view now stands.
    updateLocationList();
}

void OrvexMainForm::flightSlot(bool on) {
    if (updatingInterface)
        return;
    send(gl_, on ? "Camera.Mode Fly" : "Camera.Mode Examine");
}

// Date, time, step and speed.

void OrvexMainForm::dateTimeSlot() {
    if (updatingInterface)
        return;
    const QDateTime shown = dateTimeEdit->dateTime();
    const QDate date = shown.date();
    const QTime time = shown.time();
    using CommandText::integer;
    send(gl_, "Timer.TimeTextLoc " + integer(date.year()) + ' ' + integer(date.month()) + ' ' +
                  integer(date.day()) + ' ' + integer(time.hour()) + ' ' + integer(time.minute()) +
                  ' ' + integer(time.second()));
}

void OrvexMainForm::stepSlot(int index) {
    if (updatingInterface)
        return;
    const int seconds = index >= 0 && index < 5 ? stepSeconds[index] : stepSeconds[5];
    send(gl_, "Timer.Step " + CommandText::integer(seconds));
}

void OrvexMainForm::speedSlot(int value) {
    if (updatingInterface)
        return;
    send(gl_, "Timer.Speed " + CommandText::integer(value));
    QScopedValueRollback<bool> guard(updatingInterface, true);
    speedSpinBox->setValue(value);
}

void OrvexMainForm::speedSpinSlot(int value) {
    if (updatingInterface)
        return;
    send(gl_, "Timer.Speed " + CommandText::integer(value));
    // The slider reaches only -10..10 and stops at its end.
    QScopedValueRollback<bool> guard(updatingInterface, true);
    speedSlider->setValue(value);
}

void OrvexMainForm::speedStopSlot() {
    if (updatingInterface)
        return;
    send(gl_, "Timer.Speed 0");
    QScopedValueRollback<bool> guard(updatingInterface, true);
    speedSpinBox->setValue(0);
    speedSlider->setValue(0);
}

void OrvexMainForm::actualSlot() {
    // The step and speed controls catch up at the next refresh.
    send(gl_, "Timer.Step 1");
    send(gl_, "Timer.Speed 1");
    send(gl_, "Timer.SetNow");
}

// Display switches.

void OrvexMainForm::scaleSlot(bool on) {
    if (updatingInterface)
        return;
    send(gl_, on ? "Ssystem.ScaleTo Model 30" : "Ssystem.ScaleTo Real 30");
}

void OrvexMainForm::consteLineSlot(bool on) {
    switchConstellations(*this, "Constes.Lines", "Constes.Art", on);
}

void OrvexMainForm::constePictSlot(bool on) {
    switchConstellations(*this, "Constes.Art", "Constes.Lines", on);
}

// Clouds and weather fade out instead of vanishing: switched off they stay
// enabled at opacity 0.
void OrvexMainForm::cloudSlot(bool on) {
    if (updatingInterface)
        return;
    send(gl_, "Ssystem.Clouds 1");
    send(gl_, on ? "Ssystem.CloudsOpacityTo 1 45" : "Ssystem.CloudsOpacityTo 0 45");
}

void OrvexMainForm::weatherSlot(bool on) {
    if (updatingInterface)
        return;
    send(gl_, "Lscape.Weather 1");
    send(gl_, on ? "Lscape.WeatherOpacityTo 1 45" : "Lscape.WeatherOpacityTo 0 45");
}

// The fade is the user's alone and goes out even while the page is refilled.
void OrvexMainForm::fadeSlot(bool on) {
    send(gl_, on ? "Render.FaderColorTo 0 0 0 1 30" : "Render.FaderColorTo 0 0 0 0 30");
}

// The plain display toggles: the command word with 1 or 0.

void OrvexMainForm::planetNameSlot(bool on) {
    sendSwitch(*this, "Ssystem.Name", on);
}

void OrvexMainForm::spinAxisSlot(bool on) {
    sendSwitch(*this, "Ssystem.Axis", on);
}

void OrvexMainForm::orbitSlot(bool on) {
    sendSwitch(*this, "Ssystem.Orbit", on);
}

void OrvexMainForm::mwaySlot(bool on) {
    sendSwitch(*this, "Space.Mway", on);
}

void OrvexMainForm::galaxySlot(bool on) {
    sendSwitch(*this, "Galaxies.Show", on);
}

void OrvexMainForm::starLabelSlot(bool on) {
    sendSwitch(*this, "Fstars.Show", on);
}

void OrvexMainForm::eqcoordSlot(bool on) {
    sendSwitch(*this, "Space.Frame", on);
}

void OrvexMainForm::consoleSlot(bool on) {
    sendSwitch(*this, "Console.Show", on);
}

void OrvexMainForm::lightingSlot(bool on) {
    sendSwitch(*this, "Camera.HeadLight", on);
}

void OrvexMainForm::starsSlot(bool on) {
    sendSwitch(*this, "Space.Stars", on);
}

void OrvexMainForm::astrBeltSlot(bool on) {
    sendSwitch(*this, "Ssystem.AstrBelt", on);
}

void OrvexMainForm::umbraSlot(bool on) {
    sendSwitch(*this, "Ssystem.FullShadow", on);
}

void OrvexMainForm::penumbraSlot(bool on) {
    sendSwitch(*this, "Ssystem.HalfShadow", on);
}

void OrvexMainForm::dustSlot(bool on) {
    sendSwitch(*this, "Ssystem.Dust", on);
}

void OrvexMainForm::landscapeSlot(bool on) {
    sendSwitch(*this, "Lscape.Show", on);
}

void OrvexMainForm::protractorSlot(bool on) {
    sendSwitch(*this, "Ssystem.Angular", on);
}

// Following the engine.

void OrvexMainForm::orvexKeyEventSlot() {
    updateInterface();
}

void OrvexMainForm::updateInterface() {
    // A refresh found running is skipped, not queued; without an engine there
    // is nothing to follow.
    if (updatingInterface || !gl_ || !gl_->hasRoot())
        return;
    QScopedValueRollback<bool> guard(updatingInterface, true);
    const bool first = firstUpdate;
    firstUpdate = false;

    // The mode list never changes: it is read once.
    if (simModeCombo->count() == 0)
        simModeCombo->addItems(CommandText::readList(ask(gl_, "Ssystem.SimModeNames")));
    selectText(simModeCombo, askText(gl_, "Ssystem.SimModeName"));

    // The map follows the engine's body whatever the name box shows: a link or
    // a list may have named the body first. setMap reads only a file the map
    // does not show yet.
    showBodyMap(*this);
    // The body list only when the body changed; a new body always brings its places.
    bool rebuildPlaces = true;
    if (first || planetCombo->currentText().isEmpty() ||
        EngineLink::toEngineText(planetCombo->currentText()) != ask(gl_, "Ssystem.AstrName")) {
        fillBodies(*this);
    } else if (locationCombo->currentText().isEmpty()) {
        rebuildPlaces = !ask(gl_, "Ssystem.PlaceName").empty();
    }
    if (rebuildPlaces) {
        fillPlaces(*this);
        readPlaceCoordinates(*this);
    }

    flightButton->setChecked(ask(gl_, "Camera.Mode") == "Flight");

    // An answer without all six fields leaves the editor as it is.
    const std::vector<int> clock = CommandText::readInts(ask(gl_, "Timer.TimeTextLoc"));
    if (clock.size() >= 6)
        dateTimeEdit->setDateTime(QDateTime(QDate(clock[0], clock[1], clock[2]),
                                            QTime(clock[3], clock[4], clock[5]),
                                            dateTimeEdit->timeSpec()));

    stepCombo->setCurrentIndex(stepIndex(CommandText::readReal(ask(gl_, "Timer.Step"))));
    // A fractional speed shows its integer part; a large one stays large.
    speedSlider->setValue(CommandText::readTruncated(ask(gl_, "Timer.Speed")));
    speedSpinBox->setValue(CommandText::readTruncated(ask(gl_, "Timer.Speed")));

    for (const auto& entry : refreshedSwitches) {
        const std::string answer = ask(gl_, entry.query);
        const bool on = entry.button == &OrvexMainForm::scaleButton
                            ? answer == "Model"
                            : CommandText::readSwitch(answer);
        (this->*entry.button)->setChecked(on);
    }
}
