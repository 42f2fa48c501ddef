// The control panel's "Detail settings..." button: the option dialog, filled
// from the engine each time it is opened, beside the control window.
#include "app/OrvexMainForm.h"
#include "ui/OrvexOptionForm.h"

void OrvexMainForm::detailSettingsSlot() {
    if (!optionForm)
        return;
    optionForm->updateForm();
    optionForm->show();
    optionForm->raise();
    optionForm->activateWindow();
}
