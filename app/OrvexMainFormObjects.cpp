// The "Centering" and "Object Display" pages: lists of the simulation's
// objects by name, filled from the engine's name queries. A double click on
// the centring list turns the view to the object; the display list shows per
// kind which bodies are hidden, shown or highlighted and which comets,
// asteroids, spacecraft and artificial satellites take part, and writes the
// ticks that turned back to the engine (and the kind's list file).
#include <QButtonGroup>
#include <QCheckBox>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStringList>
#include <QTreeWidget>
#include <map>
#include <string>
#include <vector>

#include "app/CommandText.h"
#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"

namespace {

// The pages of displayWidgetStack under the display list.
enum DisplayPage {
    ConstePage = 0,
    CometPage,
    AsteroidPage,
    SpacecraftPage,
    ASatellitePage,
    NoPage
};

// What differs between the four kinds of objects whose orbit files join the
// simulation one by one.
struct ObjectKind {
    const char* namesQuery;    // the objects in the simulation
    const char* allNamesQuery; // every object the kind's orbit directory declares
    const char* remove;        // followed by one name
    const char* add;
    const char* saveList;
    DisplayPage page;
};

const ObjectKind comets = {
    "Ssystem.CometNames", "Ssystem.AllCometNames",         "Ssystem.RemoveComet ",
    "Ssystem.AddComet ",  "Ssystem.SaveCometList Default", CometPage};
const ObjectKind asteroids = {
    "Ssystem.AsteroidNames", "Ssystem.AllAsteroidNames",         "Ssystem.RemoveAsteroid ",
    "Ssystem.AddAsteroid ",  "Ssystem.SaveAsteroidList Default", AsteroidPage};
const ObjectKind spacecraft = {
    "Ssystem.SpacecraftNames", "Ssystem.AllSpacecraftNames",         "Ssystem.RemoveSpacecraft ",
    "Ssystem.AddSpacecraft ",  "Ssystem.SaveSpacecraftList Default", SpacecraftPage};
const ObjectKind aSatellites = {
    "Ssystem.ASatelliteNames", "Ssystem.AllASatelliteNames",         "Ssystem.RemoveASatellite ",
    "Ssystem.AddASatellite ",  "Ssystem.SaveASatelliteList Default", ASatellitePage};

void send(EngineLink* engine, const std::string& line) {
    if (engine)
        engine->processScenarioLine(line);
}

QStringList askList(EngineLink* engine, const char* query) {
    return CommandText::readList(engine ? engine->getCommandValue(query) : std::string());
}

QTreeWidgetItem* addItem(QTreeWidget* list, const QString& name) {
    return new QTreeWidgetItem(list, QStringList(name));
}

// The tick each item had when the engine last heard of it.
constexpr int appliedRole = Qt::UserRole;

void setTick(QTreeWidgetItem* item, Qt::CheckState state) {
    item->setCheckState(0, state);
    item->setData(0, appliedRole, int(state));
}

// The items whose tick turned since, by the state they turned to; each is
// noted as applied. The display list reports a change of an item's data,
// hence no signals meanwhile.
std::map<Qt::CheckState, std::vector<std::string>> takeTurnedTicks(QTreeWidget* list) {
    const QSignalBlocker quiet(list);
    std::map<Qt::CheckState, std::vector<std::string>> turned;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        const Qt::CheckState state = item->checkState(0);
        if (item->data(0, appliedRole).toInt() == int(state))
            continue;
        turned[state].push_back(EngineLink::toEngineText(item->text(0)));
        item->setData(0, appliedRole, int(state));
    }
    return turned;
}

// Replaces a list's items by the names a query answers. The display list
// reports a cleared selection as a change, which must not reach the page the
// user is leaving: hence no signals while the items change.
void fillNames(QTreeWidget* list, EngineLink* engine, const char* query) {
    const QSignalBlocker quiet(list);
    list->clear();
    for (const QString& name : askList(engine, query))
        addItem(list, name);
}

// Gives every item the tick that the engine's state gives its name, as
// applied: the list shows what the engine has, also where a scenario, a link
// or a key changed it behind the list's back.
template <class StateOf> void tickAsTheEngineHas(QTreeWidget* list, StateOf stateOf) {
    const QSignalBlocker quiet(list);
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        setTick(item, stateOf(item->text(0)));
    }
}

void tickKind(OrvexMainForm& form, const ObjectKind& kind) {
    const QStringList inSimulation = askList(form.engine(), kind.namesQuery);
    tickAsTheEngineHas(form.displayList, [&](const QString& name) {
        return inSimulation.contains(name) ? Qt::Checked : Qt::Unchecked;
    });
}

// Off: hidden; the middle state: shown; on: highlighted.
void tickPlanets(OrvexMainForm& form) {
    const QStringList shown = askList(form.engine(), "Ssystem.ShowAstrBodies");
    const QStringList highlighted = askList(form.engine(), "Ssystem.HlightAstrBodies");
    tickAsTheEngineHas(form.displayList, [&](const QString& name) {
        if (highlighted.contains(name))
            return Qt::Checked;
        return shown.contains(name) ? Qt::PartiallyChecked : Qt::Unchecked;
    });
}

void fillKind(OrvexMainForm& form, const ObjectKind& kind) {
    fillNames(form.displayList, form.engine(), kind.allNamesQuery);
    tickKind(form, kind);
    form.displayWidgetStack->setCurrentIndex(kind.page);
}

// The objects whose tick turned join or leave the simulation, and the kind's
// list file follows. Only they are touched: a body that stays keeps the view
// that rests on it, and a click that turns no tick sends nothing.
void applyKind(OrvexMainForm& form, const ObjectKind& kind) {
    auto turned = takeTurnedTicks(form.displayList);
    if (turned.empty())
        return;
    EngineLink* engine = form.engine();
    for (const std::string& name : turned[Qt::Unchecked])
        send(engine, kind.remove + name);
    for (const std::string& name : turned[Qt::Checked])
        send(engine, kind.add + name);
    form.updatePlanetList();
    form.saveThroughEngine(kind.saveList,
                           OrvexMainForm::tr("The list of objects in the simulation could not "
                                             "be saved."));
    // The saved list is the engine's, whatever else changed it meanwhile.
    tickKind(form, kind);
}

// Bodies turned off are hidden, to the middle state shown, on highlighted;
// the others keep the state they have.
void applyPlanets(OrvexMainForm& form) {
    auto turned = takeTurnedTicks(form.displayList);
    if (turned.empty())
        return;
    EngineLink* engine = form.engine();
    const std::pair<Qt::CheckState, const char*> commands[] = {
        {Qt::Unchecked, "Ssystem.HideAstrBodies"},
        {Qt::Checked, "Ssystem.HlightAstrBodies"},
        {Qt::PartiallyChecked, "Ssystem.ShowAstrBodies"},
    };
    for (const auto& [state, command] : commands) {
        if (turned[state].empty())
            continue;
        std::string line = command;
        for (const std::string& name : turned[state])
            line += " " + name;
        send(engine, line);
    }
    tickPlanets(form);
    // The body box lists the bodies shown.
    form.updatePlanetList();
}

// The item states of the list that the display button shown lists.
void applyDisplayList(OrvexMainForm& form, const QAbstractButton* shown) {
    if (shown == form.displayPlanetButton)
        applyPlanets(form);
    else if (shown == form.displayCometButton)
        applyKind(form, comets);
    else if (shown == form.displayAsteroidButton)
        applyKind(form, asteroids);
    else if (shown == form.displaySpacecraftButton)
        applyKind(form, spacecraft);
    else if (shown == form.displayASatelliteButton)
        applyKind(form, aSatellites);
}

} // namespace

// Centring.

void OrvexMainForm::centerPlanetSlot() {
    fillNames(centerList, gl_, "Ssystem.AstrNames");
}

void OrvexMainForm::centerConsteSlot() {
    fillNames(centerList, gl_, "Constes.ConsteNames");
}

void OrvexMainForm::centerFixedStarSlot() {
    fillNames(centerList, gl_, "Fstars.FstarNames");
}

void OrvexMainForm::centerGalaxySlot() {
    fillNames(centerList, gl_, "Galaxies.GalaxyNames");
}

void OrvexMainForm::centeringSlot() {
    const QTreeWidgetItem* item = centerList->currentItem();
    if (!item)
        return;
    const std::string name = EngineLink::toEngineText(item->text(0));
    send(gl_, (traceCheck->isChecked() ? "Camera.TraceTo " : "Camera.LookTo ") + name + " 45");
}

// The display list's pages.

void OrvexMainForm::displayPlanetSlot() {
    fillNames(displayList, gl_, "Ssystem.PlanetNames");
    const QSignalBlocker quiet(displayList);
    for (int i = 0; i < displayList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = displayList->topLevelItem(i);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsUserTristate);
    }
    tickPlanets(*this);
    displayWidgetStack->setCurrentIndex(NoPage);
}

void OrvexMainForm::displayConsteSlot() {
    fillNames(displayList, gl_, "Constes.ConsteNames");
    displayWidgetStack->setCurrentIndex(ConstePage);
}

void OrvexMainForm::displayFstarSlot() {
    fillNames(displayList, gl_, "Fstars.FstarNames");
    displayWidgetStack->setCurrentIndex(NoPage);
}

void OrvexMainForm::displayGalaxySlot() {
    fillNames(displayList, gl_, "Galaxies.GalaxyNames");
    displayWidgetStack->setCurrentIndex(NoPage);
}

void OrvexMainForm::displayCometSlot() {
    updateCometsList();
}

void OrvexMainForm::displayAsteroidSlot() {
    updateAsteroidsList();
}

void OrvexMainForm::displaySpacecraftSlot() {
    updateSpacecraftsList();
}

void OrvexMainForm::displayASatelliteSlot() {
    updateASatellitesList();
}

void OrvexMainForm::updateCometsList() {
    fillKind(*this, comets);
}

void OrvexMainForm::updateAsteroidsList() {
    fillKind(*this, asteroids);
}

void OrvexMainForm::updateSpacecraftsList() {
    fillKind(*this, spacecraft);
}

void OrvexMainForm::updateASatellitesList() {
    fillKind(*this, aSatellites);
}

void OrvexMainForm::displayListSlot() {
    applyDisplayList(*this, objectButtons->checkedButton());
}

// Display commands for the selected names of the display list.

QString OrvexMainForm::checkedItemNames() {
    QString names;
    for (int i = 0; i < displayList->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = displayList->topLevelItem(i);
        if (item->isSelected())
            names += item->text(0) + QLatin1Char(' ');
    }
    return names;
}

void OrvexMainForm::sendForSelection(const char* command) {
    send(gl_, command + EngineLink::toEngineText(checkedItemNames()));
}

void OrvexMainForm::consteShowLinesSlot() {
    sendForSelection("Constes.ShowLines ");
}

void OrvexMainForm::consteHighlightLinesSlot() {
    sendForSelection("Constes.HlightLines ");
}

void OrvexMainForm::consteHideLinesSlot() {
    sendForSelection("Constes.HideLines ");
}

void OrvexMainForm::consteShowPictsSlot() {
    sendForSelection("Constes.ShowArts ");
}

void OrvexMainForm::consteHighlightPictsSlot() {
    sendForSelection("Constes.HlightArts ");
}

void OrvexMainForm::consteHidePictsSlot() {
    sendForSelection("Constes.HideArts ");
}

void OrvexMainForm::consteShowLabelsSlot() {
    sendForSelection("Constes.ShowNames ");
}

void OrvexMainForm::consteHideLabelsSlot() {
    sendForSelection("Constes.HideNames ");
}

void OrvexMainForm::consteShowSepsSlot() {
    sendForSelection("Constes.ShowSeps ");
}

void OrvexMainForm::consteHideSepsSlot() {
    sendForSelection("Constes.HideSeps ");
}

void OrvexMainForm::planetShowSlot() {
    sendForSelection("Ssystem.ShowAstrBodies ");
}

void OrvexMainForm::planetHighlightSlot() {
    sendForSelection("Ssystem.HlightAstrBodies ");
}

void OrvexMainForm::planetHideSlot() {
    sendForSelection("Ssystem.HideAstrBodies ");
}
