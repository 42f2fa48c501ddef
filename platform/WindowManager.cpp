#include "platform/WindowManager.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <algorithm>
#include <cstdlib>
#include <initializer_list>
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

namespace {

// Waits until the window's state has none of `states` and its frame has
// stayed where it is for a few looks: the manager changes the state first
// and the frame after it.
bool waitUntilWithout(std::uintptr_t window, std::initializer_list<const char*> states,
                      int timeoutMs) {
    const XServer* x = xServer();
    if (!window || !x || x->listOf(x->root(), "_NET_SUPPORTING_WM_CHECK").empty())
        return true;
    QGuiApplication::sync();
    std::vector<std::uint32_t> unwanted;
    for (const char* state : states)
        unwanted.push_back(x->atom(state));
    QElapsedTimer clock;
    clock.start();
    std::vector<int> place;
    for (int steady = 0; steady < 3;) {
        const std::vector<std::uint32_t> state = x->listOf(xcb_window_t(window), "_NET_WM_STATE");
        const std::vector<int> now = placeOf(*x, xcb_window_t(window));
        const bool without = std::find_first_of(state.begin(), state.end(), unwanted.begin(),
                                                unwanted.end()) == state.end();
        steady = without && now == place ? steady + 1 : 0;
        place = now;
        if (clock.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(10);
    }
    return true;
}

} // namespace

// The states a plain window has none of.
const std::initializer_list<const char*> notPlain = {
    "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ", "_NET_WM_STATE_FULLSCREEN",
    "_NET_WM_STATE_HIDDEN"};

bool waitUntilPlainState(std::uintptr_t window, int timeoutMs) {
    return waitUntilWithout(window, notPlain, timeoutMs);
}

bool hasPlainState(std::uintptr_t window) {
    // Without a manager the toolkit's own word in the property stays as it
    // wrote it while the window was unmapped, full screen say, for good.
    const XServer* x = xServer();
    if (!window || !x || x->listOf(x->root(), "_NET_SUPPORTING_WM_CHECK").empty())
        return true;
    const std::vector<std::uint32_t> state = x->listOf(xcb_window_t(window), "_NET_WM_STATE");
    for (const char* name : notPlain)
        if (std::find(state.begin(), state.end(), x->atom(name)) != state.end())
            return false;
    return true;
}

bool waitUntilShown(std::uintptr_t window, int timeoutMs) {
    return waitUntilWithout(window, {"_NET_WM_STATE_HIDDEN"}, timeoutMs);
}

} // namespace platform
