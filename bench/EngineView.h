// The whole engine in a GL view as the program shows it, for the benchmarks
// that run it on the shipped data set: the Qt application and a view of the
// given size, shown with its repaint timer off and a fixed frame time.
#pragma once

#include <GL/glew.h>

#include <QApplication>

#include <memory>

#include "engine/OrvexGL.h"
#include "platform/NumericLocale.h"

namespace benchview {

inline QApplication& application() {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    platform::resetNumericLocale();
    return app;
}

// The view on the shipped data set, shown and started.
inline std::unique_ptr<OrvexGL> startView(int width, int height) {
    auto view = std::make_unique<OrvexGL>();
    view->setRepaintTimer(false);
    view->setFixedFrameMs(33);
    view->resize(width, height);
    view->show();
    QCoreApplication::processEvents();
    return view;
}

// The first paint also starts OpenGL, and with it the engine, if showing
// the view has not done so yet.
inline void firstFrame(OrvexGL& view) {
    view.updateGL();
    view.makeCurrent();
    glFinish();
}

} // namespace benchview
