#pragma once

// ALSA's library prints every failure straight to standard error; on a machine
// without a sound card that is pages of noise the player did not ask for.
namespace sound {

// Replaces ALSA's error printer with one that drops each message.  Calling it
// again changes nothing; it takes effect for every later ALSA call of the
// process, whichever library makes it (the audio output or the media engine).
void silenceAlsaErrors();

}  // namespace sound
