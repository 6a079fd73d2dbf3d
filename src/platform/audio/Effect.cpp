#include "platform/audio/Effect.h"

#include "platform/audio/ParamEq.h"
#include "platform/audio/Reverb.h"

namespace audio {

std::unique_ptr<Effect> makeEffect(DWORD type, int rate, int channels) {
    if (type == BASS_FX_DX8_PARAMEQ) return std::make_unique<ParamEq>(rate, channels);
    if (type == BASS_FX_DX8_REVERB) return std::make_unique<Reverb>(rate, channels);
    return nullptr;
}

}  // namespace audio
