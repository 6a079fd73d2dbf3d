#pragma once

#include <cmath>

namespace audio {

// A parameter that moves to a new target in small steps instead of jumping.
class Glide {
  public:
    explicit Glide(double value) : current_(value), target_(value) {}

    void setTarget(double target) { target_ = target; }
    void jump() { current_ = target_; }
    // Sets out again from value towards the same target.
    void startFrom(double value) { current_ = value; }
    bool moving() const { return current_ != target_; }
    double value() const { return current_; }

    // Covers the given fraction of the remaining way; arrives once within epsilon.
    void step(double fraction, double epsilon) {
        current_ += (target_ - current_) * fraction;
        if (std::fabs(target_ - current_) <= epsilon) current_ = target_;
    }

  private:
    double current_;
    double target_;
};

// The fraction of the way a glide covers per step of stepFrames, so that it
// settles within about timeMs.
inline double glideFraction(double rate, double stepFrames, double timeMs) {
    return 1.0 - std::exp(-stepFrames / (rate * timeMs / 1000.0 / 4.0));
}

}  // namespace audio
