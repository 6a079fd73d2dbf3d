#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/media/MciBackend.h"
#include "platform/media/MciCommand.h"

namespace ui {
class Clock;
}  // namespace ui

namespace media {

class TestBackend;

// The string command interface for video, CD audio and every medium not played
// by the audio engine.  Devices are kept by alias (without regard to case);
// every command runs to completion before the call returns, so no
// notification is ever sent and the callback window is not used.
//
// Commands: open (type, alias, parent, style), play (from, to; wait, which
// returns when the range has played out, for tools and tests), pause, resume,
// stop, close and close all, status (mode, length, position, speed), set (time
// format ms or frames; door open or closed on a CD device, or on "cdaudio"
// without opening it), seek to, put window at, where source or destination, setaudio
// (left or right) volume to.  A new device counts time in milliseconds; in
// frames it counts the medium's own frame rate, or a nominal 25 frames per
// second for media without a picture.
class Mci {
  public:
    enum class Backend { Mpv, Test };

    Mci(Backend backend, VideoHost& videos, ui::Clock& clock);
    // With a back end of the caller's (an mpv back end with chosen outputs, say).
    Mci(std::unique_ptr<MciBackend> backend, VideoHost& videos);
    ~Mci();

    // Returns 0 or an error code; the reply (possibly empty) is cut to fit
    // replyLength and always terminated.  reply may be null when no reply is wanted.
    std::uint32_t mciSendStringA(const char* command, char* reply, std::uint32_t replyLength,
                                 int callbackWindow);
    // The sentence for a code, cut to fit; false (with a general sentence) for
    // a code that is not known.
    bool mciGetErrorStringA(std::uint32_t code, char* buffer, std::uint32_t length) const;

    // Where the subtitle settings come from: asked at every open of a file,
    // and again for every open file when subtitlesChanged says they changed.
    void setSubtitleSource(SubtitleSource source) { subtitles_ = std::move(source); }
    void subtitlesChanged();

    // The open device of an alias, or nullptr.
    MciDevice* device(const std::string& alias);

    // The test back end, when that is the one in use.
    TestBackend* testBackend() const { return test_; }

  private:
    struct Device {
        std::unique_ptr<MciDevice> media;
        bool cd = false;
        TimeFormat format = TimeFormat::Milliseconds;
        std::optional<QSize> window;  // the size put last
        int leftVolume = 1000;
        int rightVolume = 1000;
    };

    struct Reply {
        MciError error = MciError::None;
        std::string text;
    };

    Reply run(const MciCommand& command);
    Reply open(const std::string& name, const OpenArgs& args);
    Reply close(const std::string& name);
    Reply play(Device& device, const PlayArgs& args);
    Reply status(Device& device, StatusItem item);
    Reply set(Device* device, const SetArgs& args);
    Reply seek(Device& device, const SeekArgs& args);
    Reply put(Device& device, const WindowRect& rect);
    Reply where(Device& device, WhereRect rect);
    Reply setAudio(Device& device, const SetAudioArgs& args);
    Device* find(const std::string& name);

    std::unique_ptr<MciBackend> backend_;
    TestBackend* test_ = nullptr;
    VideoHost& videos_;
    std::map<std::string, Device> devices_;  // by lower-case name
    SubtitleSource subtitles_;
};

}  // namespace media
