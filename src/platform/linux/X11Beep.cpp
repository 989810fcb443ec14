#include "platform/linux/X11Beep.h"

#include "platform/linux/X11Connection.h"

#include <xcb/xcb.h>

namespace veskor {

void X11Beep::beep() {
    if (xcb_connection_t* c = x11Connection()) {
        xcb_bell(c, 0); // the base volume the user set
        xcb_flush(c);
    }
}

} // namespace veskor
