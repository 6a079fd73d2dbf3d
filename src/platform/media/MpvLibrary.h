#pragma once

#include <mpv/client.h>

namespace media {

// libmpv, loaded the first time a medium opens rather than with the program:
// it brings the whole video decoding stack with it, which a player that only
// plays music never needs in memory.
struct MpvLibrary {
    decltype(&::mpv_create) create;
    decltype(&::mpv_initialize) initialize;
    decltype(&::mpv_terminate_destroy) terminate_destroy;
    decltype(&::mpv_set_option) set_option;
    decltype(&::mpv_set_option_string) set_option_string;
    decltype(&::mpv_set_property) set_property;
    decltype(&::mpv_set_property_string) set_property_string;
    decltype(&::mpv_get_property) get_property;
    decltype(&::mpv_observe_property) observe_property;
    decltype(&::mpv_command) command;
    decltype(&::mpv_wait_event) wait_event;
    decltype(&::mpv_request_log_messages) request_log_messages;
    decltype(&::mpv_free) free;

    // nullptr when the library cannot be loaded.
    static const MpvLibrary* get();
};

}  // namespace media
