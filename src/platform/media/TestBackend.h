#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/media/MciBackend.h"
#include "platform/media/Subtitles.h"

namespace ui {
class Clock;
}

namespace media {

// A medium the test back end pretends to play.
struct TestMedium {
    double lengthMs = 0;
    double frameRate = 25;                // used only when there is a picture
    std::optional<QSize> picture;         // native size; nothing for sound only
    MciError openError = MciError::None;  // the open fails with this when set
};

// What the commands did to the last medium opened for a path.
struct TestMediumState {
    bool open = false;
    std::optional<int> parent;    // the window handle the open named
    std::optional<QRect> window;  // the last put rectangle
    int leftVolume = 1000;
    int rightVolume = 1000;
    std::vector<SubtitleSettings> subtitles;  // every subtitle setting received, in order
};

// Plays scripted media on the application clock: a playing medium moves on as
// the clock does, so a test advances a manual clock past the end of a medium
// and finds it stopped.  No file is read; a path plays only when a medium was
// added for it.  The CD drive is scripted too (absent until a test adds one).
// Every command string received is recorded, byte for byte.
class TestBackend : public MciBackend {
  public:
    explicit TestBackend(ui::Clock& clock) : clock_(clock) {}

    void addMedium(const std::string& path, const TestMedium& medium);
    void setDrivePresent(bool present) { drivePresent_ = present; }
    bool doorOpen() const { return doorOpen_; }
    const std::vector<std::string>& commands() const { return commands_; }
    void clearCommands() { commands_.clear(); }
    // The state for a path, or nullptr when it was never opened.
    const TestMediumState* state(const std::string& path) const;

    OpenOutcome open(const OpenParams& params) override;
    MciError setDoor(bool open) override;
    void received(std::string_view command) override { commands_.emplace_back(command); }

    // The CD is a medium added under this name.
    static constexpr const char* kCdName = "cdaudio";

  private:
    ui::Clock& clock_;
    std::map<std::string, TestMedium> media_;
    std::map<std::string, TestMediumState> states_;
    std::vector<std::string> commands_;
    bool drivePresent_ = false;
    bool doorOpen_ = false;
};

}  // namespace media
