#pragma once

#include "platform/ui/Control.h"

namespace ui {

// A window timer on the application clock.  It ticks only while its window
// is loaded, it is enabled and its interval is above 0.  Enabling an enabled
// timer does not restart it; a tick may disable its own timer.
class Timer : public Control {
  public:
    Timer(Form& form, QString name);
    ~Timer() override;

    int Interval() const;
    void setInterval(int ms);
    void setEnabled(bool value) override;

    Event<> TimerEvent{"Timer"};

    void formLoadChanged(bool loaded) override;

  private:
    void rearm();

    int interval_ = 0;
    int clockId_ = 0;
};

}  // namespace ui
