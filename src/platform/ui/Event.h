#pragma once

#include <functional>

#include "platform/ui/RuntimeError.h"

namespace ui {

// Wiring an event twice: the second handler would silently replace the first.
void failSecondConnect(const char* eventName);

// One event of a control: at most one handler, raised synchronously inside
// the write or the input that causes it.
template <class... Args>
class Event {
  public:
    explicit Event(const char* name = "event") : name_(name) {}
    // Throws std::logic_error when the event has a handler already.
    void connect(std::function<void(Args...)> handler) {
        if (handler_) failSecondConnect(name_);
        handler_ = std::move(handler);
    }
    bool connected() const { return static_cast<bool>(handler_); }
    void raise(Args... args) const {
        if (handler_) dispatchEvent(name_, [&] { handler_(args...); });
    }

  private:
    const char* name_;
    std::function<void(Args...)> handler_;
};

}  // namespace ui
