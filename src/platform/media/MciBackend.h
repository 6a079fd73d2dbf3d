#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/media/MciDevice.h"

class QWidget;

namespace media {

enum class MediumKind { File, CdAudio };

struct OpenParams {
    MediumKind kind = MediumKind::File;
    std::string path;           // the file to open; empty for a CD
    QWidget* parent = nullptr;  // the window the video is drawn in; null: a window of its own
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
