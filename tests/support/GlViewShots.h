// Helpers for window tests with the real GL view: letting the camera's
// animation finish, and a picture of a window with the view's frame in it
// (a widget grab leaves GL views black).
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTest>

#include "app/EngineLink.h"
#include "engine/OrvexGL.h"

namespace orvextest {

// Runs frames until the camera's animation is over (or a few seconds passed).
inline void runUntilStill(OrvexGL* view, EngineLink* link) {
    QElapsedTimer clock;
    clock.start();
    do {
        view->updateGL();
        QTest::qWait(5);
    } while (link->getCommandValue("Camera.Animating") != " 0" && clock.elapsed() < 8000);
    view->updateGL();
}

// The window as the user sees it, the GL view's picture in its place.
inline QImage screenshot(QWidget& window, OrvexGL* view, EngineLink* link) {
    QImage shot = window.grab().toImage();
    QPainter painter(&shot);
    painter.drawImage(view->mapTo(&window, QPoint(0, 0)), link->grabFrame());
    return shot;
}

} // namespace orvextest
