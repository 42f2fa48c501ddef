#include "platform/WindowManager.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>

#include "platform/XServer.h"

namespace platform {

bool waitUntilReleased(std::uintptr_t window, int timeoutMs) {
    if (!window || QGuiApplication::platformName() != QLatin1String("xcb"))
        return true;
    static const XServer server;
    if (!server.isOpen())
        return true;
    // What the toolkit asked of the server (the unmapping) reaches it first.
    QGuiApplication::sync();
    QElapsedTimer clock;
    clock.start();
    // Released: back on the root window, or gone.
    for (xcb_window_t parent = server.parentOf(xcb_window_t(window));
         parent && parent != server.root(); parent = server.parentOf(xcb_window_t(window))) {
        if (clock.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(5);
    }
    return true;
}

} // namespace platform
