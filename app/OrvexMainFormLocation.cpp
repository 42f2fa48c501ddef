// The control panel's "Edit locations..." button: the place editor on the
// selected body's places. After OK the place that was current before is made
// current again (the body's places were replaced), the engine writes its
// place list file, and the panel's place list follows.
#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "ui/OrvexLocationForm.h"

void OrvexMainForm::locationEditSlot() {
    if (!locationForm || !gl_ || !gl_->hasRoot())
        return;
    const std::string current = gl_->getCommandValue("Ssystem.PlaceName");
    locationForm->updateForm();
    if (locationForm->exec() != QDialog::Accepted)
        return;
    // The two commands go out as any others would; the recorder keeps the
    // state it had.
    const int recording = gl_->isRecording();
    gl_->processScenarioLine("Ssystem.PlaceName " + current);
    gl_->processScenarioLine("Ssystem.SavePlaceList Default");
    gl_->setRecording(recording);
    updateLocationList();
}
