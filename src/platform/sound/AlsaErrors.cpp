#include "platform/sound/AlsaErrors.h"

#include <alsa/asoundlib.h>

namespace sound {

namespace {

void dropMessage(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void silenceAlsaErrors() {
    snd_lib_error_set_handler(dropMessage);
}

}  // namespace sound
