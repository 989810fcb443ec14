#pragma once
// Qt's own X11 connection, shared by the window-manager services.

#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace veskor {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

// nullptr without an X11 connection (offscreen, Wayland).
xcb_connection_t* x11Connection();
xcb_window_t x11Root(xcb_connection_t* c);
xcb_atom_t internAtom(xcb_connection_t* c, const char* name);

} // namespace veskor
