// A connection of our own to the X server the program shows its windows on
// (the toolkit's is not public), for what only the server knows: where a
// window really sits in the server's window tree.
#pragma once

#include <cstdint>
#include <vector>
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
    // The atom of a name; with onlyIfExists, none where no client made it.
    xcb_atom_t atom(const char* name, bool onlyIfExists = false) const;
    // A window's property that lists atoms (such as "_NET_WM_STATE"), or
    // window ids (such as "_NET_SUPPORTING_WM_CHECK"); empty when unset.
    std::vector<std::uint32_t> listOf(xcb_window_t window, const char* property) const;

private:
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
};

} // namespace platform
