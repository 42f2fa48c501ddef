// Orvex Studio start-up: one instance per user (unless "-reset"), the saved
// language, the three windows and their layout, the event loop, and the
// teardown in the order the windows depend on each other.
#include <QApplication>
#include <QTranslator>

#include "app/StartupState.h"
#include "app/StudioProgram.h"
#include "platform/InputState.h"
#include "platform/NumericLocale.h"
#include "ui/WebBrowserView.h"

int main(int argc, char** argv) {
    WebBrowserView::prepareApplication();
    QApplication app(argc, argv);
    platform::resetNumericLocale();
    platform::trackInputEvents(app);

    // The translators outlive the windows that use them.
    QTranslator qtTranslator;
    QTranslator appTranslator;
    StartupState::setReset(StartupState::hasResetSwitch(QCoreApplication::arguments()));
    // The lock is held until the program object, its windows first, is gone.
    StudioProgram program;
    if (!StartupState::isReset() &&
        program.lock.acquire(StartupState::instanceName) == platform::InstanceLock::Result::Taken)
        return 0;

    StartupState::setLocale(StartupState::readLocale());
    if (StartupState::loadTranslator(qtTranslator, "qt_", StartupState::locale()))
        app.installTranslator(&qtTranslator);
    if (StartupState::loadTranslator(appTranslator, "OrvexStudio_", StartupState::locale()))
        app.installTranslator(&appTranslator);

    program.open();
    app.exec();
    return 0;
}
