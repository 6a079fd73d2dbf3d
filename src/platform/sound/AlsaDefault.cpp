#include "platform/sound/AlsaDefault.h"

#include <alsa/asoundlib.h>

#include <cstring>

namespace sound {

// A counted reference to the configuration, as the library's own opens take,
// so another thread's update cannot free it meanwhile.
bool alsaDefaultIsSoundServer() {
    snd_config_t* top = nullptr;
    if (snd_config_update_ref(&top) < 0) return false;
    snd_config_t* device = nullptr;
    bool server = false;
    if (snd_config_search_definition(top, "pcm", "default", &device) >= 0) {
        snd_config_t* type = nullptr;
        const char* name = nullptr;
        server = snd_config_search(device, "type", &type) >= 0 &&
                 snd_config_get_string(type, &name) >= 0 && std::strcmp(name, "pulse") == 0;
        snd_config_delete(device);
    }
    snd_config_unref(top);
    return server;
}

}  // namespace sound
