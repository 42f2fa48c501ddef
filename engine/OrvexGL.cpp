// GLEW's header must come before any other GL header, the toolkit's too.
#include <GL/glew.h>

#include "engine/OrvexGL.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextCodec>
#include <QTimerEvent>

#include "engine/DisplayConfig.h"
#include "engine/KeyMap.h"
#include "engine/LogMessage.h"
#include "engine/Orvex.h"
#include "engine/Render.h"
#include "graphics/TextBitmap.h"
#include "platform/CurrentDirGuard.h"
#include "platform/CursorPosition.h"
#include "platform/GlDriverPin.h"

OrvexGL::OrvexGL(QWidget* parent, const char* name) : QGLWidget(parent) {
    if (name)
        setObjectName(name);
    // The widget's context has loaded the driver by now.
    platform::keepGlDriversLoaded();
    setRepaintTimer(true);
}

OrvexGL::~OrvexGL() {
    // The root releases display lists and textures of this widget's context.
    if (root) {
        makeCurrent();
        root.reset();
    }
}

void OrvexGL::setRepaintTimer(bool running) {
    if (running && repaintTimerId == 0) {
        repaintTimerId = startTimer(1);
    } else if (!running && repaintTimerId != 0) {
        killTimer(repaintTimerId);
        repaintTimerId = 0;
    }
}

void OrvexGL::keyEventCallback(void* context) {
    if (context)
        emit static_cast<OrvexGL*>(context)->keyEvent();
}

bool OrvexGL::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && root) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers held = key->modifiers();
        if (!(held & (Qt::AltModifier | Qt::MetaModifier)) &&
            !root->keyBinding(qtKeyToVirtualKey(key->key()), held & Qt::ShiftModifier,
                              held & Qt::ControlModifier)
                 .empty()) {
            event->accept();
            return true;
        }
    }
    return QGLWidget::event(event);
}

void OrvexGL::timerEvent(QTimerEvent* event) {
    if (event->timerId() == repaintTimerId)
        updateGL();
    else
        QGLWidget::timerEvent(event);
}

void OrvexGL::initializeGL() {
    // A new GL context: the whole engine is built again in it.
    root.reset();
    root = std::make_unique<Orvex>();
    root->setDataDir(platform::currentDirectory());
    DisplayConfig::instance().checkContext();
    root->init();
    // The windows and the labels read the engine's text in its codec; a name
    // the toolkit does not know leaves the codec as it was.
    if (QTextCodec* codec = QTextCodec::codecForName(root->getCodecName().c_str())) {
        QTextCodec::setCodecForLocale(codec);
        TextBitmap::setTextCodec(codec->name().toStdString());
    } else {
        logMessage("Unknown CodecName \"%s\": text keeps its previous codec.",
                   root->getCodecName().c_str());
    }
    root->clearLog();
    root->setNotifyCallback([this] { keyEventCallback(this); });
    emit keyEvent();
    emit updated();
}

void OrvexGL::resizeGL(int width, int height) {
    if (!root)
        return;
    root->setSize(width, height);
    // A window shrunk to nothing keeps the last aspect.
    if (width > 0 && height > 0)
        root->setAspect(double(width) / double(height));
}

void OrvexGL::paintGL() {
    if (!root)
        return;
    if (root->getMouseMode() != 0)
        lookWithMouse();

    // A motion blur darkens the previous picture instead of clearing it.
    const Render* render = root->getRender();
    if (render && render->getBlurCount() > 0)
        glClear(GL_DEPTH_BUFFER_BIT);
    else
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    const unsigned elapsedMs = frameTimer.elapsedMs();
    const int scenarioEnded = root->frame(fixedFrameMs >= 0 ? unsigned(fixedFrameMs) : elapsedMs);

    DisplayConfig& display = DisplayConfig::instance();
    if (display.getStereoMode() == DisplayConfig::Mono) {
        root->draw(0.0);
    } else {
        display.beginLeftEye();
        root->draw(display.getEyeOffset());
        display.beginRightEye();
        root->draw(-display.getEyeOffset());
        display.endStereo();
    }

    emit updated();
    if (scenarioEnded)
        emit scenarioEnd();
}

bool OrvexGL::hasUserInput() const {
    // A view the control window's splitter folded away has no area: the
    // toolkit parks it above its pane, and its centre lies at the screen's
    // top edge.
    if (!isActiveWindow() || QApplication::activePopupWidget() || visibleRegion().isEmpty())
        return false;
    const QWidget* focus = QApplication::focusWidget();
    return !focus || focus == this;
}

void OrvexGL::lookWithMouse() {
    const bool take = hasUserInput();
    if (take == holdingPointer) {
        if (take)
            recentreMouse();
        return;
    }
    holdingPointer = take;
    if (take) {
        // Taken (again): the look starts from the centre, so that where the
        // pointer went meanwhile does not turn the camera.
        setCursor(QCursor(Qt::BlankCursor));
        moveCursorToCentre();
    } else {
        unsetCursor();
    }
}

void OrvexGL::recentreMouse() {
    root->mouseMove(lastMouseX - width() / 2, lastMouseY - height() / 2);
    moveCursorToCentre();
}

void OrvexGL::moveCursorToCentre() {
    lastMouseX = width() / 2;
    lastMouseY = height() / 2;
    const QPoint centre = mapToGlobal(QPoint(lastMouseX, lastMouseY));
    platform::setCursorPos(centre.x(), centre.y());
}

void OrvexGL::setMouseMode(int mode) {
    if (root)
        root->setMouseMode(mode);
    if (mode == 0) {
        setMouseTracking(false);
        unsetCursor();
        holdingPointer = false;
    } else if (mode == 1) {
        // The next frame takes the pointer when the view has the user's input.
        setMouseTracking(true);
        unsetCursor();
        holdingPointer = false;
    }
}

void OrvexGL::forwardButton(QMouseEvent* event, int pressed) {
    lastMouseX = event->x();
    lastMouseY = event->y();
    if (!root || root->getMouseMode() != 0)
        return;
    int code = 0;
    switch (event->button()) {
    case Qt::LeftButton:
        code = 4;
        break;
    case Qt::RightButton:
        code = 1;
        break;
    case Qt::MiddleButton:
        code = 2;
        break;
    default:
        return;
    }
    root->mouseButton(code, pressed, event->x(), event->y());
}

void OrvexGL::mousePressEvent(QMouseEvent* event) {
    forwardButton(event, 1);
}

void OrvexGL::mouseReleaseEvent(QMouseEvent* event) {
    forwardButton(event, 0);
}

void OrvexGL::mouseMoveEvent(QMouseEvent* event) {
    lastMouseX = event->x();
    lastMouseY = event->y();
    if (root && root->getMouseMode() == 0)
        root->mouseMove(event->x(), event->y());
}

void OrvexGL::keyPressEvent(QKeyEvent* event) {
    if (!root)
        return;
    if (event->key() == Qt::Key_Escape)
        emit mouseModeChanged(root->getMouseMode() == 0 ? 1 : 0);
    root->keyPress(qtKeyToVirtualKey(event->key()));
}
