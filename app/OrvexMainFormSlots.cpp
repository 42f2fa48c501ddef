// Slots whose work is still to come: the control panel's commands and
// refresh, the browser pane, the object lists, the scenario editor, the
// property panel, the file, edit and help menus, languages and styles. Each
// is connected already and does nothing yet.
#include "app/OrvexMainForm.h"

void OrvexMainForm::locationEditSlot() {}

