// Slots whose work is still to come: the control panel's commands and
// refresh, the browser pane, the object lists, the scenario editor, the
// property panel, the file, edit and help menus, languages and styles. Each
// is connected already and does nothing yet.
#include "app/OrvexMainForm.h"

void OrvexMainForm::asatUpdater_finishedAll() {}

void OrvexMainForm::centerConsteSlot() {}

void OrvexMainForm::centerPlanetSlot() {}

void OrvexMainForm::centerFixedStarSlot() {}

void OrvexMainForm::centerGalaxySlot() {}

void OrvexMainForm::centeringSlot() {}

void OrvexMainForm::updateCometsList() {}

void OrvexMainForm::updateAsteroidsList() {}

void OrvexMainForm::updateSpacecraftsList() {}

void OrvexMainForm::updateASatellitesList() {}

void OrvexMainForm::consteShowLinesSlot() {}

void OrvexMainForm::consteHighlightLinesSlot() {}

void OrvexMainForm::consteHideLinesSlot() {}

void OrvexMainForm::consteShowPictsSlot() {}

void OrvexMainForm::consteHighlightPictsSlot() {}

void OrvexMainForm::consteHidePictsSlot() {}

void OrvexMainForm::consteShowLabelsSlot() {}

void OrvexMainForm::consteHideLabelsSlot() {}

void OrvexMainForm::consteShowSepsSlot() {}

void OrvexMainForm::consteHideSepsSlot() {}

void OrvexMainForm::planetShowSlot() {}

void OrvexMainForm::planetHighlightSlot() {}

void OrvexMainForm::planetHideSlot() {}

void OrvexMainForm::displayListSlot() {}

void OrvexMainForm::cometsAddSlot() {}

void OrvexMainForm::cometsRemoveSlot() {}

void OrvexMainForm::asteroidsAddSlot() {}

void OrvexMainForm::asteroidsRemoveSlot() {}

void OrvexMainForm::spacecraftAddSlot() {}

void OrvexMainForm::spacecraftRemoveSlot() {}

void OrvexMainForm::asatelliteUpdateSlot() {}

void OrvexMainForm::displayConsteSlot() {}

void OrvexMainForm::displayPlanetSlot() {}

void OrvexMainForm::displayFstarSlot() {}

void OrvexMainForm::displayGalaxySlot() {}

void OrvexMainForm::displayCometSlot() {}

void OrvexMainForm::displayAsteroidSlot() {}

void OrvexMainForm::displaySpacecraftSlot() {}

void OrvexMainForm::displayASatelliteSlot() {}

