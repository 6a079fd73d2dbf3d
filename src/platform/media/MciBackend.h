#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/media/MciDevice.h"
#include "platform/media/VideoHost.h"

namespace media {

enum class MediumKind { File, CdAudio };

struct OpenParams {
    MediumKind kind = MediumKind::File;
    std::string path;             // the file to open; empty for a CD
    std::optional<int> parent;    // the window the video is drawn in; none: a window of its own
    VideoHost* videos = nullptr;  // where the picture's surface is made
};

struct OpenOutcome {
    MciError error = MciError::None;
    std::unique_ptr<MciDevice> device;
};

// What plays the media behind the command interface: libmpv, or the scripted
// test back end.
class MciBackend {
  public:
    virtual ~MciBackend() = default;
    virtual OpenOutcome open(const OpenParams& params) = 0;
    virtual MciError setDoor(bool open) = 0;
    // Told every command string as it arrives, before it is read.
    virtual void received(std::string_view command) { (void)command; }
};

}  // namespace media
