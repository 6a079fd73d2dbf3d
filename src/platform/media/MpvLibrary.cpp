#include "platform/media/MpvLibrary.h"

#include <dlfcn.h>

namespace media {

namespace {

template <class F>
bool find(void* handle, const char* name, F& function) {
    function = reinterpret_cast<F>(dlsym(handle, name));
    return function != nullptr;
}

bool load(MpvLibrary& lib) {
    void* handle = dlopen("libmpv.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!handle) handle = dlopen("libmpv.so", RTLD_NOW | RTLD_LOCAL);
    if (!handle) return false;
    return find(handle, "mpv_create", lib.create) &&
           find(handle, "mpv_initialize", lib.initialize) &&
           find(handle, "mpv_terminate_destroy", lib.terminate_destroy) &&
           find(handle, "mpv_set_option", lib.set_option) &&
           find(handle, "mpv_set_option_string", lib.set_option_string) &&
           find(handle, "mpv_set_property", lib.set_property) &&
           find(handle, "mpv_set_property_string", lib.set_property_string) &&
           find(handle, "mpv_get_property", lib.get_property) &&
           find(handle, "mpv_observe_property", lib.observe_property) &&
           find(handle, "mpv_command", lib.command) &&
           find(handle, "mpv_wait_event", lib.wait_event) &&
           find(handle, "mpv_request_log_messages", lib.request_log_messages) &&
           find(handle, "mpv_free", lib.free);
}

}  // namespace

const MpvLibrary* MpvLibrary::get() {
    static MpvLibrary lib;
    static const bool loaded = load(lib);
    return loaded ? &lib : nullptr;
}

}  // namespace media
