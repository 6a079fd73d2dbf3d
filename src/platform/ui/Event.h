#pragma once

#include <functional>
#include <initializer_list>
#include <utility>

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

// Wires the same event of each source (a member such as &Control::Click) to
// its handler, a member function of owner.
template <class Owner, class Source>
void connectEach(Owner& owner, Event<> Source::*event,
                 std::initializer_list<std::pair<Source*, void (Owner::*)()>> table) {
    for (auto [source, handler] : table)
        (source->*event).connect([&owner, handler] { (owner.*handler)(); });
}

}  // namespace ui
