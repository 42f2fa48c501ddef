#include "platform/WindowManager.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/XServer.h"

namespace platform {

namespace {

// Our connection to the toolkit's X server, or none away from X11.
const XServer* xServer() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    static const XServer server;
    return server.isOpen() ? &server : nullptr;
}

// Where a window and the frame it sits in are, as the server has them.
std::vector<int> placeOf(const XServer& server, xcb_window_t window) {
    std::vector<int> place;
    xcb_connection_t* connection = server.connection();
    for (xcb_window_t w = window; w && w != server.root(); w = server.parentOf(w)) {
        xcb_get_geometry_reply_t* geometry =
            xcb_get_geometry_reply(connection, xcb_get_geometry(connection, w), nullptr);
        if (geometry)
            place.insert(place.end(),
                         {geometry->x, geometry->y, geometry->width, geometry->height});
        free(geometry);
    }
    return place;
}

} // namespace

bool waitUntilReleased(std::uintptr_t window, int timeoutMs) {
    const XServer* x = xServer();
    if (!window || !x)
        return true;
    const XServer& server = *x;
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

bool waitUntilPlain(std::uintptr_t window, int timeoutMs) {
    const XServer* x = xServer();
    if (!window || !x || x->listOf(x->root(), "_NET_SUPPORTING_WM_CHECK").empty())
        return true;
    QGuiApplication::sync();
    const std::vector<std::uint32_t> notPlain = {
        x->atom("_NET_WM_STATE_MAXIMIZED_VERT"), x->atom("_NET_WM_STATE_MAXIMIZED_HORZ"),
        x->atom("_NET_WM_STATE_FULLSCREEN"), x->atom("_NET_WM_STATE_HIDDEN")};
    QElapsedTimer clock;
    clock.start();
    // The manager changes the state first and the frame after it: the frame
    // has come once it has stayed as it is for a few looks.
    std::vector<int> place;
    for (int steady = 0; steady < 3;) {
        const std::vector<std::uint32_t> state = x->listOf(xcb_window_t(window), "_NET_WM_STATE");
        const std::vector<int> now = placeOf(*x, xcb_window_t(window));
        const bool plain = std::find_first_of(state.begin(), state.end(), notPlain.begin(),
                                              notPlain.end()) == state.end();
        steady = plain && now == place ? steady + 1 : 0;
        place = now;
        if (clock.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(10);
    }
    return true;
}

} // namespace platform
