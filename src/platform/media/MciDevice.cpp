#include "platform/media/MciDevice.h"

#include <algorithm>

namespace media {

MciError MciDevice::play(double fromMs, double toMs, bool wait) {
    endMs_ = toMs;
    if (fromMs >= toMs) {
        // Nothing to play: the range is over before it starts.
        if (mode_ != Mode::Stopped) pauseEngine();
        heldMs_ = toMs;
        mode_ = Mode::Stopped;
        return MciError::None;
    }
    if (MciError e = startEngine(fromMs, toMs); e != MciError::None) return e;
    heldMs_ = fromMs;
    mode_ = Mode::Playing;
    if (!wait) return MciError::None;
    MciError e = waitForEnd(toMs - fromMs);
    mode();
    return e;
}

void MciDevice::pause() {
    if (mode() != Mode::Playing) return;
    heldMs_ = positionMs();
    pauseEngine();
    mode_ = Mode::Paused;
}

void MciDevice::resume() {
    if (mode_ != Mode::Paused) return;
    resumeEngine(heldMs_);
    mode_ = Mode::Playing;
}

void MciDevice::stop() {
    if (mode() == Mode::Stopped) return;
    heldMs_ = positionMs();
    pauseEngine();
    mode_ = Mode::Stopped;
}

MciError MciDevice::seek(double ms) {
    if (mode_ != Mode::Stopped) pauseEngine();
    mode_ = Mode::Stopped;
    heldMs_ = ms;
    return seekEngine(ms);
}

Mode MciDevice::mode() {
    if (mode_ == Mode::Playing && engineReachedEnd()) {
        pauseEngine();
        heldMs_ = endMs_;
        mode_ = Mode::Stopped;
    }
    return mode_;
}

double MciDevice::positionMs() {
    if (mode() != Mode::Playing) return heldMs_;
    return std::clamp(enginePositionMs(), 0.0, endMs_);
}

}  // namespace media
