#pragma once

#include <xcb/xcb.h>

namespace ui::x11 {

// The program's connection to its X server; nullptr on any other desktop.
xcb_connection_t* connection();
// The atom of that name, interned when new; XCB_ATOM_NONE if the server does not answer.
xcb_atom_t atom(xcb_connection_t* x, const char* name);

}  // namespace ui::x11
