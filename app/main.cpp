// Orvex Studio start-up: one instance per user (unless "-reset"), the saved
// language, the three windows and their layout, the event loop, and the
// teardown in the order the windows depend on each other.
#include <QAction>
#include <QApplication>
#include <QSplitter>
#include <QTranslator>
#include <memory>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "app/StartupState.h"
#include "app/WindowSettings.h"
#include "platform/InputState.h"
#include "platform/InstanceLock.h"
#include "platform/NumericLocale.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexProjForm.h"
#include "ui/WebBrowserView.h"

namespace {

// The saved splitter sizes, applied only when the first one was saved.
void restoreSplitter(OrvexMainForm& form) {
    auto settings = WindowSettings::open();
    const int first = settings->value("/Orvex/Main/geometry/splitters0", -1).toInt();
    if (first < 0)
        return;
    const int second = settings->value("/Orvex/Main/geometry/splitters1", 0).toInt();
    const int third = settings->value("/Orvex/Main/geometry/splitters2", 0).toInt();
    form.splitter2->setSizes({first, second, third});
}

} // namespace

int main(int argc, char** argv) {
    WebBrowserView::prepareApplication();
    QApplication app(argc, argv);
    platform::resetNumericLocale();
    platform::trackInputEvents(app);

    StartupState::setReset(StartupState::hasResetSwitch(QCoreApplication::arguments()));
    platform::InstanceLock instance;
    if (!StartupState::isReset() &&
        instance.acquire(StartupState::instanceName) == platform::InstanceLock::Result::Taken)
        return 0;

    StartupState::setLocale(StartupState::readLocale());
    QTranslator qtTranslator;
    QTranslator appTranslator;
    if (StartupState::loadTranslator(qtTranslator, "qt_", StartupState::locale()))
        app.installTranslator(&qtTranslator);
    if (StartupState::loadTranslator(appTranslator, "OrvexStudio_", StartupState::locale()))
        app.installTranslator(&appTranslator);

    auto projForm = std::make_unique<OrvexProjForm>();
    StartupState::setGlView(projForm->engine());
    auto mediaForm = std::make_unique<OrvexMediaForm>();
    {
        OrvexMainForm mainForm(nullptr, nullptr, Qt::Window);
        mainForm.setForms(projForm.get(), mediaForm.get());
        mainForm.statusBar();
        QObject::connect(&app, &QApplication::lastWindowClosed, &app, &QApplication::quit);
        EngineLink* gl = projForm->engine();
        QObject::connect(gl, &EngineLink::keyEvent, &mainForm, &OrvexMainForm::orvexKeyEventSlot);
        QObject::connect(gl, &EngineLink::updated, &mainForm, &OrvexMainForm::orvexUpdatedSlot);
        QObject::connect(gl, &EngineLink::scenarioEnd, &mainForm, &OrvexMainForm::scenarioEndSlot);
        QObject::connect(gl, &EngineLink::mouseModeChanged, &mainForm,
                         &OrvexMainForm::mouseModeChanged);

        if (mainForm.viewEmbedAction->isChecked())
            mainForm.viewEmbed();
        if (mainForm.readMaximized())
            mainForm.showMaximized();
        else
            mainForm.show();
        if (mainForm.viewFullScreenAction->isChecked())
            projForm->showFullScreen();
        else if (mainForm.viewNormalAction->isChecked())
            projForm->show();
        restoreSplitter(mainForm);
        mainForm.updateMap();

        app.exec();

        // The GL window goes first: with its view goes the engine.
        StartupState::setGlView(nullptr);
        projForm.reset();
        mediaForm.reset();
        instance.release();
    }
    return 0;
}
