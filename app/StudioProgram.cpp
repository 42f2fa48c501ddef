#include "app/StudioProgram.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QSplitter>
#include <QThread>
#include <QWindow>
#include <algorithm>

#include "app/EngineLink.h"
#include "app/OrvexMainForm.h"
#include "app/StartupState.h"
#include "app/WindowSettings.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexProjForm.h"

StudioProgram::StudioProgram() = default;

StudioProgram::~StudioProgram() {
    StartupState::setGlView(nullptr);
    projForm_.reset();
    mediaForm_.reset();
    mainForm_.reset();
}

void StudioProgram::open() {
    projForm_ = std::make_unique<OrvexProjForm>();
    StartupState::setGlView(projForm_->engine());
    mediaForm_ = std::make_unique<OrvexMediaForm>();
    mainForm_ = std::make_unique<OrvexMainForm>(nullptr, nullptr, Qt::Window);
    OrvexMainForm& form = *mainForm_;
    form.setForms(projForm_.get(), mediaForm_.get());
    form.statusBar();
    QObject::connect(qApp, &QApplication::lastWindowClosed, qApp, &QApplication::quit);
    EngineLink* gl = projForm_->engine();
    QObject::connect(gl, &EngineLink::keyEvent, &form, &OrvexMainForm::orvexKeyEventSlot);
    QObject::connect(gl, &EngineLink::updated, &form, &OrvexMainForm::orvexUpdatedSlot);
    QObject::connect(gl, &EngineLink::scenarioEnd, &form, &OrvexMainForm::scenarioEndSlot);
    QObject::connect(gl, &EngineLink::mouseModeChanged, &form, &OrvexMainForm::mouseModeChanged);

    if (form.viewEmbedAction->isChecked())
        form.viewEmbed();
    if (form.readMaximized())
        form.showMaximized();
    else
        form.show();
    // The first start's places, and a saved place brought within the screen,
    // are set against the frame the window manager gives the control window.
    const bool beside = form.viewNormalAction->isChecked();
    waitUntilExposed(form);
    if (form.hasSavedPlace())
        form.keepWithinRoom();
    else if (!form.isMaximized() && !StartupState::isReset())
        form.placeControlWindow();
    if (form.viewFullScreenAction->isChecked()) {
        projForm_->showFullScreen();
    } else if (beside) {
        if (projForm_->hasSavedPlace())
            form.keepClearOfBars(projForm_.get());
        else
            form.placeBeside(projForm_.get());
        // Maximised over its normal place, to which it returns when restored.
        if (projForm_->wasMaximized())
            projForm_->showMaximized();
        else
            projForm_->show();
        // Beside a maximised control window it was measured with that
        // window's frame, which has no borders: once framed itself, its own.
        if (form.isMaximized()) {
            waitUntilExposed(*projForm_);
            form.keepClearOfBars(projForm_.get());
        }
    }
    restoreSplitter();
    form.updateMap();
}

// The saved splitter sizes, applied only when the first one was saved. A view
// in the pane saved folded away comes back at its least width, taken from the
// wider of the other panes: the embedded mode would else show it nowhere.
void StudioProgram::restoreSplitter() {
    auto settings = WindowSettings::open();
    const int first = settings->value("/Orvex/Main/geometry/splitters0", -1).toInt();
    if (first < 0)
        return;
    QSplitter* splitter = mainForm_->splitter2;
    splitter->setSizes({first, settings->value("/Orvex/Main/geometry/splitters1", 0).toInt(),
                        settings->value("/Orvex/Main/geometry/splitters2", 0).toInt()});
    // The splitter fits the saved sizes to its width and the panes' needs; the
    // view's width is taken from the browser pane first, then the panel.
    QList<int> sizes = splitter->sizes();
    if (mainForm_->isEmbedded() && sizes.size() == 3 && sizes[0] < leastPaneWidth) {
        const int wanted = leastPaneWidth - sizes[0];
        const int fromBrowser = std::min(wanted, sizes[1]);
        sizes = {leastPaneWidth, sizes[1] - fromBrowser,
                 std::max(0, sizes[2] - (wanted - fromBrowser))};
        splitter->setSizes(sizes);
    }
}

// Under a window manager the control window gets its frame in the manager's
// time; the windows beside it are placed against that frame.
void StudioProgram::waitUntilExposed(QWidget& window) {
    QElapsedTimer clock;
    clock.start();
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) &&
           clock.elapsed() < exposeTimeoutMs) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
}
