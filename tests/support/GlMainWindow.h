// The three windows of the program with the real GL view, for tests of the
// control window against the engine: the GL window shown small on its own,
// and its first frame run, which starts the engine.
#pragma once

#include <QTest>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "engine/OrvexGL.h"
#include "support/GlTestContext.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexProjForm.h"

namespace orvextest {

// The control window; closing it ends no test.
class TestMainForm : public OrvexMainForm {
public:
    void quitProgram() override {}
};

struct GlMainWindow {
    OrvexProjForm projForm;
    OrvexMediaForm mediaForm;
    TestMainForm form;
    OrvexGL* view = nullptr;

    // False when the view could not be shown or the engine did not start.
    bool start() {
        view = qobject_cast<OrvexGL*>(projForm.view());
        if (!view)
            return false;
        view->setRepaintTimer(false);
        form.setForms(&projForm, &mediaForm);
        projForm.resize(120, 90);
        projForm.show();
        if (!QTest::qWaitForWindowExposed(&projForm))
            return false;
        pinGlDriver();
        view->updateGL();
        return engine()->hasRoot();
    }
    EngineLink* engine() const { return form.engine(); }
};

} // namespace orvextest
