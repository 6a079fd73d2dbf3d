#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/media/MciBackend.h"
#include "platform/media/MpvBackend.h"
#include "platform/media/VideoHost.h"

struct mpv_handle;
struct mpv_event;

namespace media {

// One medium in its own mpv instance.  mpv keeps the medium loaded and paused
// at the end of a play range ("keep-open"), which is where the transport wants
// it.  mpv's events are read only here, on the calling thread: whenever the
// device is asked something, and while it waits for a load or a seek to finish.
class MpvDevice : public MciDevice {
  public:
    // Loads source (a file path or an mpv URL); a medium that fails to load
    // gives loadError.
    static OpenOutcome open(const std::string& source, std::unique_ptr<VideoSurface> window,
                            const MpvSettings& settings, MciError loadError);
    ~MpvDevice() override;

    double lengthMs() const override { return lengthMs_; }
    double frameRate() const override { return frameRate_; }
    std::optional<QSize> pictureSize() const override { return picture_; }
    double speed() const override;
    void place(const QRect& rect) override;
    MciError setVolume(int left, int right) override;
    void applySubtitles(const SubtitleSettings& settings) override;
    // A property of the mpv instance as text, empty when it has none.
    std::string propertyText(const char* name) const;

  protected:
    MciError startEngine(double fromMs, double toMs) override;
    void pauseEngine() override;
    void resumeEngine(double fromMs) override;
    MciError seekEngine(double ms) override;
    double enginePositionMs() override;
    bool engineReachedEnd() override;
    MciError waitForEnd(double rangeMs) override;

  private:
    MpvDevice(mpv_handle* mpv, std::unique_ptr<VideoSurface> window);
    MciError load(const std::string& source, int timeoutMs, MciError loadError);
    void readMedium();
    void handle(const mpv_event& event);
    // Reads events until done() holds or timeoutMs passes; false on timeout.
    bool waitUntil(const std::function<bool()>& done, double timeoutMs);
    void drainEvents();
    bool atEnd();
    void setPaused(bool paused);

    mpv_handle* mpv_;
    std::unique_ptr<VideoSurface> window_;
    double lengthMs_ = 0;
    double frameRate_ = kNominalFrameRate;
    std::optional<QSize> picture_;
    bool loaded_ = false;
    bool fileEnded_ = false;  // mpv gave the file up (a load failure, or a read error later)
    bool seekStarted_ = false;
    bool restarted_ = false;  // playback restarted after the last seek
};

}  // namespace media
