#include "platform/ui/Timer.h"

#include "platform/ui/Application.h"

namespace ui {

Timer::Timer(Form& form, QString name) : Control(form, std::move(name)) {
    keepDesign(interval_);
}

Timer::~Timer() {
    if (clockId_) parentForm().application().clock().stopTimer(clockId_);
}

int Timer::Interval() const {
    return touch(), interval_;
}

void Timer::setInterval(int ms) {
    touch();
    if (ms < 0 || ms > 65535) throw RuntimeError(kInvalidPropertyValue);
    if (ms == interval_) return;
    interval_ = ms;
    if (clockId_) {
        parentForm().application().clock().stopTimer(clockId_);
        clockId_ = 0;
    }
    rearm();
}

void Timer::setEnabled(bool value) {
    Control::setEnabled(value);
    rearm();
}

void Timer::formLoadChanged(bool) {
    rearm();
}

void Timer::rearm() {
    Clock& clock = parentForm().application().clock();
    // A timer nothing listens to need not wake the program.
    const bool run =
        parentForm().isLoaded() && enabledState() && interval_ > 0 && TimerEvent.connected();
    if (run && !clockId_) {
        clockId_ = clock.startTimer(interval_, [this] { TimerEvent.raise(); });
    } else if (!run && clockId_) {
        clock.stopTimer(clockId_);
        clockId_ = 0;
    }
}

}  // namespace ui
