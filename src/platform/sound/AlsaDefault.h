#pragma once

namespace sound {

// Whether ALSA's default device is the sound server's own plugin, as ALSA's
// configuration says (it asks nothing of the server beyond whether it is there).
bool alsaDefaultIsSoundServer();

}  // namespace sound
