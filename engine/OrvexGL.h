// The OpenGL view that hosts the simulation. It creates the root object when
// the toolkit first initialises OpenGL for it (and builds the engine anew with
// every new GL context), repaints from a 1 ms timer, runs one engine frame per
// paint (mono, or once per eye in stereo), forwards mouse and keys to the root,
// and tells the windows about the engine through four signals.
#pragma once

#include <QGLWidget>
#include <memory>

#include "engine/FrameTimer.h"

class Orvex;

class OrvexGL : public QGLWidget {
    Q_OBJECT
public:
    // Takes the toolkit's default GL format at this moment (a stereo view
    // needs a stereo default format) and starts the repaint timer.
    explicit OrvexGL(QWidget* parent = nullptr, const char* name = nullptr);
    ~OrvexGL() override;

    // The engine's root; null until OpenGL has been initialised.
    Orvex* getRoot() const { return root.get(); }

    // 0 normal: no mouse tracking, the usual cursor. 1 mouse-look: tracking
    // on, and while the view has the user's input (see hasUserInput) a blank
    // cursor kept at the centre. Other values reach only the root.
    void setMouseMode(int mode);

    // Every frame counts this many milliseconds instead of the measured time
    // (negative: measured). Tools and tests use it, and updateGL(), for
    // frames that repeat exactly.
    void setFixedFrameMs(int ms) { fixedFrameMs = ms; }
    // Starts or stops the 1 ms repaint timer (running from construction).
    void setRepaintTimer(bool running);

    // What the root calls after a frame in which a key or device button ran a
    // command: emits keyEvent() on the view given as context.
    static void keyEventCallback(void* context);

signals:
    // After the engine started, and after every frame.
    void updated();
    // After the frame in which the running scenario finished.
    void scenarioEnd();
    // After a key or device button ran a command (and once at start).
    void keyEvent();
    // Escape pressed: the mouse mode the user asks for (the receiver switches).
    void mouseModeChanged(int mode);

protected:
    // A key the key map binds, pressed while the view has the keyboard, is
    // the key map's: the windows' shortcuts (the control window's "Ctrl+S"
    // among them) do not take it. Other keys reach the shortcuts, and keys
    // with Alt the menus (the key map has no Alt).
    bool event(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;

private:
    void forwardButton(QMouseEvent* event, int pressed);
    // Whether the user works in this view: it has an area on the screen, its
    // window is the active window, no menu is open and no other control of
    // the window has the keyboard.
    // Beside the control panel (in the control window's pane) the view thus
    // holds the pointer only after a click in it or the trackball choice has
    // given it the focus; Tab, Escape or another window let the pointer go.
    bool hasUserInput() const;
    // In mouse-look mode: takes the pointer while the view has the user's
    // input, and lets it go (the usual cursor, left where it is) otherwise.
    void lookWithMouse();
    // The pointer's offset from the centre goes to the root, and the cursor
    // goes back to the centre.
    void recentreMouse();
    void moveCursorToCentre();

    FrameTimer frameTimer;
    std::unique_ptr<Orvex> root;
    int lastMouseX = 0;
    int lastMouseY = 0;
    bool holdingPointer = false;
    int fixedFrameMs = -1;
    int repaintTimerId = 0;
};
