#include "platform/XServer.h"

#include <cstdlib>
#include <cstring>

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

xcb_atom_t XServer::atom(const char* name, bool onlyIfExists) const {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, onlyIfExists, std::strlen(name), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return found;
}

std::vector<std::uint32_t> XServer::listOf(xcb_window_t window, const char* property) const {
    std::vector<std::uint32_t> values;
    const xcb_atom_t name = atom(property, true);
    if (name == XCB_ATOM_NONE)
        return values;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection_,
        xcb_get_property(connection_, 0, window, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 64), nullptr);
    if (reply && reply->format == 32) {
        const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        values.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    free(reply);
    return values;
}

} // namespace platform
