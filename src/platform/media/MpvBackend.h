#pragma once

#include <string>

#include "platform/media/CdDoor.h"
#include "platform/media/MciBackend.h"

namespace media {

struct MpvSettings {
    std::string videoOutput;  // mpv "vo"; "null" draws nothing
    std::string audioOutput;  // mpv "ao"; "null" plays silently, in real time; empty: the sound
                              // server, else ALSA
    std::string cdDevice = "/dev/cdrom";
    int loadTimeoutMs = 15000;  // a medium that has not loaded by then fails
};

// Plays every medium through libmpv, one mpv instance per open device, the
// picture drawn into a native child window of the parent the open names.  All
// calls run on the user-interface thread and return when mpv has done what
// was asked (loaded, sought); mpv plays on in its own threads.
//
// Positions are counted in frames of the medium's own frame rate; media
// without a picture (sound files, CD audio) count a nominal 25 frames per
// second, so a frame is 40 ms there.  CD audio plays the disc through mpv's
// cdda:// source on cdDevice.
class MpvBackend : public MciBackend {
  public:
    // Picks the outputs for the Qt platform: none under the offscreen and
    // minimal platforms (tests), else mpv's GPU output with plain X11 drawing
    // as its fallback, and mpv's choice of sound output (silence when none opens).
    static MpvSettings settingsForPlatform();

    explicit MpvBackend(MpvSettings settings = settingsForPlatform())
        : settings_(std::move(settings)), door_(settings_.cdDevice) {}

    OpenOutcome open(const OpenParams& params) override;
    MciError setDoor(bool open) override { return door_.setOpen(open); }

  private:
    MpvSettings settings_;
    CdDoor door_;
};

}  // namespace media
