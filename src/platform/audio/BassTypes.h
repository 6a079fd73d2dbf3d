#pragma once

#include <cstdint>

// The audio library's value types, flags and parameter records, declared for
// this player from what its callers need.
namespace audio {

using DWORD = std::uint32_t;
using QWORD = std::uint64_t;
using HSTREAM = DWORD;
using HMUSIC = DWORD;
using HFX = DWORD;

// Creation flags.
inline constexpr DWORD BASS_SAMPLE_FX = 0x80;
inline constexpr DWORD BASS_MUSIC_RAMP = 0x200;
// With it, file names are NUL-terminated UTF-16 (char16_t) text; without it, UTF-8.
inline constexpr DWORD BASS_UNICODE = 0x80000000;

// Configuration options.
inline constexpr DWORD BASS_CONFIG_GVOL_STREAM = 5;

// Position modes.
inline constexpr DWORD BASS_POS_BYTE = 0;

// Channel activity.
inline constexpr DWORD BASS_ACTIVE_STOPPED = 0;
inline constexpr DWORD BASS_ACTIVE_PLAYING = 1;
inline constexpr DWORD BASS_ACTIVE_PAUSED = 2;

// Data requests: 1024 FFT magnitudes, or a byte count combined with the float flag.
inline constexpr DWORD BASS_DATA_FFT2048 = 0x80000003;
inline constexpr DWORD BASS_DATA_FLOAT = 0x40000000;

// Effect types.
inline constexpr DWORD BASS_FX_DX8_PARAMEQ = 7;
inline constexpr DWORD BASS_FX_DX8_REVERB = 8;

// Parametric equalizer band: centre 80..16000 Hz (8000), bandwidth 1..36
// semitones (12), gain -15..15 dB (0).
struct BASS_DX8_PARAMEQ {
    float fCenter;
    float fBandwidth;
    float fGain;
};

// Reverb: input gain -96..0 dB (0), reverb mix -96..0 dB (0), reverb time
// 0.001..3000 ms (1000), high-frequency reverb-time ratio 0.001..0.999 (0.001).
struct BASS_DX8_REVERB {
    float fInGain;
    float fReverbMix;
    float fReverbTime;
    float fHighFreqRTRatio;
};

struct BASS_CHANNELINFO {
    DWORD freq;   // sample rate of the decoded data
    DWORD chans;  // channel count
    DWORD flags;  // creation flags
};

// What BASS_ErrorGetCode reports about the last call.
enum BassError : int {
    BASS_OK = 0,
    BASS_ERROR_INIT,      // not initialised
    BASS_ERROR_ALREADY,   // already initialised, or already in that state
    BASS_ERROR_DEVICE,    // no such device
    BASS_ERROR_HANDLE,    // unknown, freed or unsuitable handle
    BASS_ERROR_FILEOPEN,  // the file cannot be opened or decoded
    BASS_ERROR_POSITION,  // position out of range
    BASS_ERROR_ILLPARAM,  // a parameter is out of range
    BASS_ERROR_NOTAVAIL,  // the request is not supported
    BASS_ERROR_NOPLAY,    // the channel is not playing
    BASS_ERROR_NOCHAN,    // too many channels playing
};

}  // namespace audio
