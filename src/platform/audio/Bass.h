#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>

#include "platform/audio/BassTypes.h"
#include "platform/audio/Output.h"

namespace ui {
class Clock;
}

namespace audio {

class Analyzer;
class Channel;
class Effect;
class Engine;

// Null forces the null output whatever the device (tests, and machines kept quiet).
enum class OutputChoice { Automatic, Null };

struct BassOptions {
    OutputChoice output = OutputChoice::Automatic;
    // Sees each block of mixed stereo frames a null output consumes.
    std::function<void(const float* stereo, std::size_t frames)> nullOutputTap;
    // Opens the sound device, or gives null when none opens (tests put one here
    // that never opens).
    OpenDevice openDevice = openDesktopOutput;
};

// The audio library the player was written against, answered with our own engine.
//
// - Calls, arguments and results follow the library: handles are 32-bit values,
//   0 on failure; byte positions and lengths are 64-bit, -1 on failure; every call
//   on a freed or unknown handle fails quietly (BASS_ErrorGetCode says why).
// - Streams decode by their content (openSoundFile): MPEG audio through libmpg123,
//   Ogg Vorbis through libvorbisfile, the rest through libsndfile (Ogg Opus among them;
//   an Ogg film, its first stream a picture, is refused); modules through
//   libopenmpt. A file is MPEG only where frames start at its beginning (after ID3v2
//   tags and a little junk) and libopenmpt does not take it for a module. Positions and lengths
//   count bytes of the decoded audio as 16-bit samples at the rate and channel count the file opens
//   with (a later change is converted to them), and report what has been played (heard), not what
//   has been decoded ahead. Lengths are exact: MPEG frames are walked, the first 8 MiB at open and
//   the rest meanwhile on a thread of the stream's own (a gigabyte in well under a second, so done
//   before the player's first look at the length, which waits for it otherwise). A file without one
//   decodable frame (empty, cut inside its header, not audio, a folder) gives handle 0. Seeks land
//   on the exact frame; one that fails changes nothing.
// - BASS_Init and BASS_Free are cheap: the output opens when a channel first plays
//   and closes in BASS_Free, which also invalidates every handle (handles are never
//   reused). The global stream volume is kept across BASS_Free and BASS_Init, and
//   applies to modules as well as streams.
// - Output: with a manual clock, always a null output that consumes exactly the
//   audio of the time the clock moves on, on the clock's own thread, so tests are
//   deterministic. Otherwise the desktop's sound server at the BASS_Init rate
//   (libsamplerate converts each channel's rate), else the default PortAudio
//   device, else a null output paced by real time; the null output also for
//   device 0 and OutputChoice::Null. The server holds about 400 ms, written a
//   tenth of a second at a time; what is heard is what the server has played, so
//   positions, activity and data follow the sound. A play, pause, stop, seek or
//   free drops what the server holds, so it is heard at once; while nothing plays
//   the stream is corked and no thread wakes. A server that goes away hands over
//   to the next output, which goes on from what was heard. One that stops
//   answering holds up no call: changes wait for its answer on its own thread,
//   and BASS_Free leaves a feeder still waiting for it to finish on its own.
// - Threads, live: a feeder thread decodes each playing channel about 280 ms ahead
//   and applies its effects into a lock-free ring, waking ten times a second while
//   something plays and not at all otherwise; the device callback only mixes the rings at the
//   volume, with no locks and no allocation. Pausing and volume act at the next callback (the
//   volume is the player's own, never the server's); seeks drop what was decoded ahead; effect
//   changes are heard once what is ahead has played. A null
//   output asked for (device 0, OutputChoice::Null) has no thread at all: the
//   calls that report what has been played decode and consume up to now. The
//   paced null output that stands in for a device that did not open is consumed
//   by the feeder thread after each round, and brought up to now by those calls.
// - Effects run at the channel's rate in falling priority; parameter changes glide
//   over about 20 ms. A band centred above half the channel's rate is left out. The
//   reverb's input gain applies to what enters it and the dry sound passes
//   unchanged; a mix of -96 dB is no reverb at all.
// - Data requests (FFT, float samples) read a history of played, processed frames,
//   before the volume.
class Bass {
  public:
    explicit Bass(ui::Clock& clock, BassOptions options = {});
    ~Bass();
    Bass(const Bass&) = delete;
    Bass& operator=(const Bass&) = delete;

    // device -1 is the default device, 0 no sound; freq is the output rate.
    bool BASS_Init(int device, DWORD freq, DWORD flags, int win, const void* clsid);
    bool BASS_Free();
    bool BASS_SetConfig(DWORD option, DWORD value);
    // The option's value, or -1 for an option there is not.
    DWORD BASS_GetConfig(DWORD option);
    int BASS_ErrorGetCode() const { return error_; }

    // Only whole files (mem false, offset and length 0) are supported.
    HSTREAM BASS_StreamCreateFile(bool mem, const void* file, QWORD offset, QWORD length,
                                  DWORD flags);
    // freq 0 renders at the BASS_Init rate.
    HMUSIC BASS_MusicLoad(bool mem, const void* file, QWORD offset, DWORD length, DWORD flags,
                          DWORD freq);
    bool BASS_StreamFree(HSTREAM handle);
    bool BASS_MusicFree(HMUSIC handle);

    bool BASS_ChannelPlay(DWORD handle, bool restart);
    bool BASS_ChannelPause(DWORD handle);
    bool BASS_ChannelStop(DWORD handle);
    DWORD BASS_ChannelIsActive(DWORD handle);
    QWORD BASS_ChannelGetPosition(DWORD handle, DWORD mode);
    QWORD BASS_ChannelGetLength(DWORD handle, DWORD mode);
    bool BASS_ChannelSetPosition(DWORD handle, QWORD pos, DWORD mode);
    double BASS_ChannelBytes2Seconds(DWORD handle, QWORD pos);
    // BASS_DATA_FFT2048 fills 1024 floats; BASS_DATA_FLOAT | bytes fills that many
    // bytes of interleaved float samples (up to 8192 frames). Returns the bytes
    // written, or -1.
    DWORD BASS_ChannelGetData(DWORD handle, void* buffer, DWORD length);
    bool BASS_ChannelGetInfo(DWORD handle, BASS_CHANNELINFO* info);

    HFX BASS_ChannelSetFX(DWORD handle, DWORD type, int priority);
    bool BASS_FXSetParameters(HFX handle, const void* params);
    bool BASS_FXGetParameters(HFX handle, void* params);

  private:
    struct EffectEntry {
        DWORD channel;
        Effect* effect;
    };

    template <typename T>
    T failWith(BassError error, T result) {
        error_ = error;
        return result;
    }
    bool fail(BassError error) { return failWith(error, false); }
    bool succeed();
    std::shared_ptr<Channel> channel(DWORD handle);
    // The channel, after what has been played is brought up to now.
    std::shared_ptr<Channel> heardChannel(DWORD handle);
    // A count of the channel's frames (in mode BASS_POS_BYTE) as bytes, or -1.
    QWORD inBytes(DWORD handle, DWORD mode, std::uint64_t (*frames)(Channel&));
    const EffectEntry* effect(HFX handle);
    bool canOpen(bool mem, const void* file, QWORD offset, QWORD length);
    DWORD add(std::shared_ptr<Channel> channel);
    bool freeChannel(DWORD handle, bool music);
    DWORD newHandle();

    ui::Clock& clock_;
    BassOptions options_;
    DWORD volume_ = 10000;
    int error_ = BASS_OK;
    DWORD lastHandle_ = 0;
    std::unique_ptr<Engine> engine_;
    std::unordered_map<DWORD, std::shared_ptr<Channel>> channels_;
    std::unordered_map<HFX, EffectEntry> effects_;
    std::unique_ptr<Analyzer> analyzer_;
};

}  // namespace audio
