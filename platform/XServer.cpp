#include "platform/XServer.h"

#include <cstdlib>

namespace platform {

XServer::XServer() {
    int screen = 0;
    connection_ = xcb_connect(nullptr, &screen);
    if (xcb_connection_has_error(connection_))
        return;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (; it.rem && screen > 0; --screen)
        xcb_screen_next(&it);
    if (it.rem)
        root_ = it.data->root;
}

XServer::~XServer() {
    xcb_disconnect(connection_);
}

xcb_window_t XServer::parentOf(xcb_window_t window) const {
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr);
    const xcb_window_t parent = tree ? tree->parent : 0;
    free(tree);
    return parent;
}

} // namespace platform
