#pragma once

#include <QRect>
#include <QSize>
#include <optional>

#include "platform/media/MciErrors.h"
#include "platform/media/Subtitles.h"

namespace media {

enum class Mode { Stopped, Playing, Paused };

// One open medium.  Times are milliseconds from the start of the medium.  The
// transport logic lives here, the same for every back end: a play runs from one
// point to another and then stops there, holding its position at the end of the
// range; pause and stop hold the position they happen at.  Back ends supply the
// engine steps.
class MciDevice {
  public:
    virtual ~MciDevice() = default;

    virtual double lengthMs() const = 0;
    // Frames per second of the picture; media without a picture count a nominal 25.
    virtual double frameRate() const = 0;
    // The native size of the picture, or nothing for media without one.
    virtual std::optional<QSize> pictureSize() const = 0;
    virtual double speed() const = 0;  // 1 is normal speed
    // Moves the video window inside its parent window.
    virtual void place(const QRect& rect) = 0;
    // Channel volumes from 0 to 1000.
    virtual MciError setVolume(int left, int right) = 0;
    // The subtitle delay and visibility; media without subtitles ignore them.
    virtual void applySubtitles(const SubtitleSettings& settings) { (void)settings; }

    // 0 <= fromMs <= toMs <= lengthMs().  With wait, returns when the range has played out.
    MciError play(double fromMs, double toMs, bool wait);
    void pause();
    void resume();
    void stop();
    MciError seek(double ms);
    Mode mode();
    double positionMs();

  protected:
    virtual MciError startEngine(double fromMs, double toMs) = 0;
    virtual void pauseEngine() = 0;
    virtual void resumeEngine(double fromMs) = 0;
    virtual MciError seekEngine(double ms) = 0;
    // Only asked while playing.
    virtual double enginePositionMs() = 0;
    virtual bool engineReachedEnd() = 0;
    virtual MciError waitForEnd(double rangeMs) = 0;

    static constexpr double kNominalFrameRate = 25.0;

  private:
    Mode mode_ = Mode::Stopped;
    double heldMs_ = 0;
    double endMs_ = 0;
};

}  // namespace media
