// The X server's own view of the program's windows, whatever the toolkit
// believes: where a window really is on the screen, whether it is shown, which
// desktop-level window (a window manager's frame, or the window itself) holds
// it, and whether a window manager runs.
#pragma once

#include <QRect>
#include <QWidget>
#include <cstdlib>
#include <xcb/xcb.h>

#include "platform/XServer.h"

namespace orvextest {

class XWindowTree {
public:
    bool isOpen() const { return server_.isOpen(); }

    static xcb_window_t idOf(const QWidget& w) { return xcb_window_t(w.internalWinId()); }

    // A window manager announces itself on the root window.
    bool windowManagerRuns() const {
        const char name[] = "_NET_SUPPORTING_WM_CHECK";
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 1, sizeof name - 1, name), nullptr);
        if (!atom)
            return false;
        const xcb_atom_t check = atom->atom;
        free(atom);
        if (check == XCB_ATOM_NONE)
            return false;
        xcb_get_property_reply_t* prop = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, root_, check, XCB_ATOM_WINDOW, 0, 1),
            nullptr);
        const bool runs = prop && xcb_get_property_value_length(prop) > 0;
        free(prop);
        return runs;
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

private:
    platform::XServer server_;
    xcb_connection_t* const connection_ = server_.connection();
    const xcb_window_t root_ = server_.root();
};

} // namespace orvextest
