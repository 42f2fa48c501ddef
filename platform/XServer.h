// A connection of our own to the X server the program shows its windows on
// (the toolkit's is not public), for what only the server knows: where a
// window really sits in the server's window tree.
#pragma once

#include <xcb/xcb.h>

namespace platform {

class XServer {
public:
    // Connects to the display the environment names.
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool isOpen() const { return root_ != 0; }
    xcb_connection_t* connection() const { return connection_; }
    // The root window of the default screen.
    xcb_window_t root() const { return root_; }
    // The window's parent; 0 when the window is gone.
    xcb_window_t parentOf(xcb_window_t window) const;

private:
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
};

} // namespace platform
