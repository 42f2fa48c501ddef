// The X server's own view of the program's windows, whatever the toolkit
// believes: where a window really is on the screen, whether it is shown, which
// desktop-level window (a window manager's frame, or the window itself) holds
// it, and whether a window manager runs.
#pragma once

#include <QRect>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <xcb/xcb.h>

#include "platform/XServer.h"

namespace orvextest {

class XWindowTree {
public:
    bool isOpen() const { return server_.isOpen(); }

    static xcb_window_t idOf(const QWidget& w) { return xcb_window_t(w.internalWinId()); }

    // A window manager announces itself on the root window.
    bool windowManagerRuns() const {
        return !server_.listOf(root_, "_NET_SUPPORTING_WM_CHECK").empty();
    }

    // The ancestor that sits on the root window (0 for a window that is gone).
    xcb_window_t desktopWindowOf(xcb_window_t w) const {
        for (xcb_window_t parent = server_.parentOf(w); w && parent != root_;
             parent = server_.parentOf(w))
            w = parent;
        return w;
    }

    // The window's place on the screen, its border left out.
    QRect onScreen(xcb_window_t w) const {
        xcb_get_geometry_reply_t* geometry =
            xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, w), nullptr);
        xcb_translate_coordinates_reply_t* at = xcb_translate_coordinates_reply(
            connection_, xcb_translate_coordinates(connection_, w, root_, 0, 0), nullptr);
        QRect rect;
        if (geometry && at)
            rect = QRect(at->dst_x, at->dst_y, geometry->width, geometry->height);
        free(geometry);
        free(at);
        return rect;
    }

    // Mapped, and every ancestor too.
    bool isViewable(xcb_window_t w) const {
        xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
            connection_, xcb_get_window_attributes(connection_, w), nullptr);
        const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
        free(attributes);
        return viewable;
    }

    // The frame (or the bare window) a top-level window is shown in.
    QRect frameOf(const QWidget& window) const { return onScreen(desktopWindowOf(idOf(window))); }

    // Whether top-level window `upper` is shown in front of `lower`.
    bool isInFront(const QWidget& upper, const QWidget& lower) const {
        const xcb_window_t a = desktopWindowOf(idOf(upper));
        const xcb_window_t b = desktopWindowOf(idOf(lower));
        xcb_query_tree_reply_t* tree =
            xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr);
        int at = -1, bt = -1;
        if (tree) {
            // The root's children from the bottom of the stack up.
            const xcb_window_t* children = xcb_query_tree_children(tree);
            for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
                if (children[i] == a)
                    at = i;
                if (children[i] == b)
                    bt = i;
            }
        }
        free(tree);
        return at >= 0 && bt >= 0 && at > bt;
    }

    // What the window manager's own keys and buttons do, asked of it as a
    // pager asks: close the window (as Alt+F4 does), maximise or minimise it,
    // or go to it (as Alt+Tab does).
    void closeByTheManager(const QWidget& window) const {
        tellTheManager(window, "_NET_CLOSE_WINDOW", {XCB_CURRENT_TIME, pagerSource});
    }
    void maximiseByTheManager(const QWidget& window) const { maximised(window, 1); }
    void unmaximiseByTheManager(const QWidget& window) const { maximised(window, 0); }
    void minimiseByTheManager(const QWidget& window) const {
        tellTheManager(window, "WM_CHANGE_STATE", {iconicState});
    }
    // Alt+Tab to `window`: it gets the focus and comes in front.
    void activateByTheManager(const QWidget& window) const {
        tellTheManager(window, "_NET_ACTIVE_WINDOW", {pagerSource, XCB_CURRENT_TIME, 0});
    }

private:
    static constexpr uint32_t pagerSource = 2;
    static constexpr uint32_t iconicState = 3;

    // Adds (1) or removes (0) the maximised state.
    void maximised(const QWidget& window, uint32_t action) const {
        tellTheManager(window, "_NET_WM_STATE",
                       {action, server_.atom("_NET_WM_STATE_MAXIMIZED_VERT"),
                        server_.atom("_NET_WM_STATE_MAXIMIZED_HORZ"), pagerSource});
    }

    void tellTheManager(const QWidget& window, const char* type,
                        std::initializer_list<uint32_t> data) const {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = idOf(window);
        event.type = server_.atom(type);
        int i = 0;
        for (const uint32_t value : data)
            event.data.data32[i++] = value;
        xcb_send_event(connection_, 0, root_,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&event));
        xcb_flush(connection_);
    }

    platform::XServer server_;
    xcb_connection_t* const connection_ = server_.connection();
    const xcb_window_t root_ = server_.root();
};

} // namespace orvextest
