// The control panel's "Edit locations..." button: the place editor on the
// selected body's places. After OK the place that was current before is made
// current again (the body's places were replaced), the engine writes its
// place list file (the user is told when it cannot), and the panel's place
// list follows.
#include "app/EngineLink.h"
#include "app/EngineSave.h"
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
    const QString failure = runEngineSave(gl_, "Ssystem.SavePlaceList Default");
    gl_->setRecording(recording);
    updateLocationList();
    if (!failure.isEmpty())
        showWarning(tr("The places are changed but could not be saved.") + QLatin1Char('\n') +
                    failure);
}
