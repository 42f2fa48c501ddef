#include "app/StudioProgram.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>

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
    if (form.viewFullScreenAction->isChecked()) {
        projForm_->showFullScreen();
    } else if (form.viewNormalAction->isChecked()) {
        projForm_->show();
        keepClearOfMenuBar();
    }
    restoreSplitter();
    form.updateMap();
}

// The saved splitter sizes, applied only when the first one was saved.
void StudioProgram::restoreSplitter() {
    auto settings = WindowSettings::open();
    const int first = settings->value("/Orvex/Main/geometry/splitters0", -1).toInt();
    if (first < 0)
        return;
    const int second = settings->value("/Orvex/Main/geometry/splitters1", 0).toInt();
    const int third = settings->value("/Orvex/Main/geometry/splitters2", 0).toInt();
    mainForm_->splitter2->setSizes({first, second, third});
}

// The GL window opens on top, where it would hide the control window's menu
// bar (as the default places do): it goes beside the control window where
// the screen has room, else just below the menu bar.
void StudioProgram::keepClearOfMenuBar() {
    OrvexMainForm& form = *mainForm_;
    QMenuBar* menu = form.menuBar();
    const QRect menuRect(menu->mapToGlobal(QPoint(0, 0)), menu->size());
    QRect gl = projForm_->frameGeometry();
    if (!gl.intersects(menuRect))
        return;
    const QScreen* screen = form.screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    const QRect control = form.frameGeometry();
    if (control.right() + gl.width() < room.right()) {
        gl.moveLeft(control.right() + 1);
        gl.moveTop(control.top());
    } else if (control.left() - gl.width() >= room.left()) {
        gl.moveRight(control.left() - 1);
        gl.moveTop(control.top());
    } else {
        gl.moveTop(menuRect.bottom() + 1);
    }
    // A window's position is that of its frame.
    projForm_->move(gl.topLeft());
}
