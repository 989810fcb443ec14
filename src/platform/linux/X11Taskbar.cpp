#include "platform/linux/X11Taskbar.h"

#include "platform/linux/X11Connection.h"

#include <algorithm>
#include <xcb/xcb.h>

namespace veskor {

namespace {

bool isDock(xcb_connection_t* c, xcb_window_t window, xcb_atom_t typeAtom, xcb_atom_t dockAtom) {
    const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, typeAtom, XCB_ATOM_ATOM, 0, 16), nullptr));
    if (!reply || reply->format != 32 || reply->type != XCB_ATOM_ATOM) {
        return false;
    }
    const auto* types = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(types, types + count, dockAtom) != types + count;
}

std::vector<xcb_window_t> children(xcb_connection_t* c, xcb_window_t parent) {
    const XcbReply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, parent), nullptr));
    if (!tree) {
        return {};
    }
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    return {children, children + xcb_query_tree_children_length(tree.get())};
}

bool isViewable(xcb_connection_t* c, xcb_window_t window) {
    const XcbReply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

// Dock windows among the root's children and, for window managers that put every client in a
// frame, among the frames' children.
std::vector<xcb_window_t> viewableDocks(xcb_connection_t* c, xcb_window_t root) {
    const xcb_atom_t typeAtom = internAtom(c, "_NET_WM_WINDOW_TYPE");
    const xcb_atom_t dockAtom = internAtom(c, "_NET_WM_WINDOW_TYPE_DOCK");
    std::vector<xcb_window_t> docks;
    for (const xcb_window_t top : children(c, root)) {
        if (!isViewable(c, top)) {
            continue;
        }
        if (isDock(c, top, typeAtom, dockAtom)) {
            docks.push_back(top);
            continue;
        }
        for (const xcb_window_t inner : children(c, top)) {
            if (isDock(c, inner, typeAtom, dockAtom) && isViewable(c, inner)) {
                docks.push_back(inner);
            }
        }
    }
    return docks;
}

} // namespace

bool X11Taskbar::setVisible(bool show) {
    xcb_connection_t* c = x11Connection();
    if (c == nullptr) {
        return false;
    }
    const xcb_window_t root = x11Root(c);
    if (show) {
        if (m_hidden.empty()) {
            return !viewableDocks(c, root).empty();
        }
        for (const xcb_window_t window : m_hidden) {
            xcb_map_window(c, window);
        }
        m_hidden.clear();
        xcb_flush(c);
        return true;
    }
    const std::vector<xcb_window_t> docks = viewableDocks(c, root);
    for (const xcb_window_t window : docks) {
        xcb_unmap_window(c, window);
        // ICCCM withdrawal: a synthetic UnmapNotify tells a reparenting manager to let go.
        xcb_unmap_notify_event_t event{};
        event.response_type = XCB_UNMAP_NOTIFY;
        event.event = root;
        event.window = window;
        event.from_configure = 0;
        xcb_send_event(c, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&event));
        if (std::find(m_hidden.begin(), m_hidden.end(), window) == m_hidden.end()) {
            m_hidden.push_back(window);
        }
    }
    xcb_flush(c);
    return !docks.empty() || !m_hidden.empty();
}

} // namespace veskor
