#pragma once

#include <functional>

namespace media {

// How subtitles beside a video are drawn: shifted by a delay, or not at all.
struct SubtitleSettings {
    int delayMs = 0;
    bool hidden = false;
    bool operator==(const SubtitleSettings&) const = default;
};

// Where the engine asks for the settings in force, as an outside subtitle
// filter reads its own: the application hands one over.
using SubtitleSource = std::function<SubtitleSettings()>;

}  // namespace media
