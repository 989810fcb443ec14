#include "platform/linux/X11WindowState.h"

#include "platform/linux/X11Connection.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <vector>

namespace veskor {

namespace {

enum AtomId { kNetWmState, kAbove, kSkipTaskbar, kSkipPager, kAtomCount };
constexpr const char* kAtomNames[kAtomCount] = {"_NET_WM_STATE", "_NET_WM_STATE_ABOVE",
                                                "_NET_WM_STATE_SKIP_TASKBAR",
                                                "_NET_WM_STATE_SKIP_PAGER"};

// Interned once per connection, all requests sent before the first reply is awaited.
const xcb_atom_t* atoms(xcb_connection_t* c) {
    static xcb_connection_t* owner = nullptr;
    static xcb_atom_t atoms[kAtomCount] = {};
    if (owner != c) {
        xcb_intern_atom_cookie_t cookies[kAtomCount];
        for (int i = 0; i < kAtomCount; ++i) {
            cookies[i] = xcb_intern_atom(
                c, 0, static_cast<std::uint16_t>(std::strlen(kAtomNames[i])), kAtomNames[i]);
        }
        for (int i = 0; i < kAtomCount; ++i) {
            const XcbReply<xcb_intern_atom_reply_t> reply(
                xcb_intern_atom_reply(c, cookies[i], nullptr));
            atoms[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        }
        owner = c;
    }
    return atoms;
}

// Adds or removes states. A mapped window must ask the window manager (client message to the
// root window); on a withdrawn window the property is ours to write and is read at map time.
void changeStates(std::uintptr_t id, bool add, std::initializer_list<AtomId> ids) {
    xcb_connection_t* c = x11Connection();
    if (c == nullptr || id == 0) {
        return;
    }
    const auto window = static_cast<xcb_window_t>(id);
    const xcb_atom_t* known = atoms(c);
    const xcb_atom_t netWmState = known[kNetWmState];
    std::vector<xcb_atom_t> atoms;
    for (const AtomId atomId : ids) {
        atoms.push_back(known[atomId]);
    }

    const XcbReply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    if (!attributes) {
        return;
    }
    const xcb_window_t root = x11Root(c);

    if (attributes->map_state != XCB_MAP_STATE_UNMAPPED) {
        for (std::size_t i = 0; i < atoms.size(); i += 2) {
            xcb_client_message_event_t event{};
            event.response_type = XCB_CLIENT_MESSAGE;
            event.format = 32;
            event.window = window;
            event.type = netWmState;
            event.data.data32[0] = add ? 1 : 0; // _NET_WM_STATE_ADD / _REMOVE
            event.data.data32[1] = atoms[i];
            event.data.data32[2] = i + 1 < atoms.size() ? atoms[i + 1] : 0;
            event.data.data32[3] = 1; // source: an application
            xcb_send_event(c, 0, root,
                           XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT |
                               XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                           reinterpret_cast<const char*>(&event));
        }
    } else {
        const XcbReply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            c, xcb_get_property(c, 0, window, netWmState, XCB_ATOM_ATOM, 0, 64), nullptr));
        std::vector<xcb_atom_t> current;
        if (reply && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
            const auto* values =
                static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
            current.assign(values, values + xcb_get_property_value_length(reply.get()) / 4);
        }
        for (const xcb_atom_t atom : atoms) {
            const auto it = std::find(current.begin(), current.end(), atom);
            if (add && it == current.end()) {
                current.push_back(atom);
            } else if (!add && it != current.end()) {
                current.erase(it);
            }
        }
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, netWmState, XCB_ATOM_ATOM, 32,
                            static_cast<std::uint32_t>(current.size()), current.data());
    }
    xcb_flush(c);
}

} // namespace

void X11WindowState::setStayOnTop(std::uintptr_t window, bool stayOnTop) {
    changeStates(window, stayOnTop, {kAbove});
}

void X11WindowState::hideFromTaskbar(std::uintptr_t window) {
    changeStates(window, true, {kSkipTaskbar, kSkipPager});
}

std::optional<std::pair<int, int>> X11WindowState::screenPosition(std::uintptr_t window) {
    xcb_connection_t* c = x11Connection();
    if (c == nullptr || window == 0) {
        return std::nullopt;
    }
    const XcbReply<xcb_translate_coordinates_reply_t> reply(xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, static_cast<xcb_window_t>(window), x11Root(c), 0, 0),
        nullptr));
    if (!reply) {
        return std::nullopt;
    }
    return std::pair<int, int>{reply->dst_x, reply->dst_y};
}

} // namespace veskor
