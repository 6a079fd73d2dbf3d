#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>

class QElapsedTimer;
class QTimer;

namespace ui {

// The application clock: the time every window timer ticks on.  The live clock
// is Qt's event loop; tests use a manual clock that only moves when told to.
// Ticks are delivered on the user-interface thread.  A timer's ticks never
// nest: one that falls due while the same timer's tick still runs (inside a
// message box it shows, say) is dropped, while the other timers go on ticking.
class Clock {
  public:
    using Tick = std::function<void()>;
    using TimeListener = std::function<void(std::int64_t nowMs)>;

    virtual ~Clock() = default;

    virtual std::int64_t nowMs() const = 0;
    virtual bool isManual() const = 0;

    // Starts a periodic tick; the first one comes intervalMs after the start.
    // Returns an id > 0.
    virtual int startTimer(int intervalMs, Tick tick) = 0;
    virtual void stopTimer(int id) = 0;

    // Told whenever manual time moves on, before the ticks due at that moment
    // run; this is how paced stand-ins (the null audio output, the test media
    // back end) follow a manual clock.  A live clock never calls them.
    int addTimeListener(TimeListener listener);
    void removeTimeListener(int id);

  protected:
    void runTick(int id, const Tick& tick);
    void notifyTime(std::int64_t nowMs);

  private:
    std::set<int> ticking_;
    int nextListenerId_ = 1;
    std::map<int, TimeListener> listeners_;
};

class ManualClock : public Clock {
  public:
    std::int64_t nowMs() const override { return now_; }
    bool isManual() const override { return true; }
    int startTimer(int intervalMs, Tick tick) override;
    void stopTimer(int id) override;

    // Moves time on by ms, running every tick that falls due on the way, in
    // time order (ties in start order).
    void advance(std::int64_t ms);

  private:
    struct Entry {
        int intervalMs;
        std::int64_t due;
        Tick tick;
    };
    std::int64_t now_ = 0;
    int nextId_ = 1;
    std::map<int, Entry> timers_;
};

class LiveClock : public Clock {
  public:
    LiveClock();
    ~LiveClock() override;
    std::int64_t nowMs() const override;
    bool isManual() const override { return false; }
    int startTimer(int intervalMs, Tick tick) override;
    void stopTimer(int id) override;

  private:
    std::unique_ptr<QElapsedTimer> elapsed_;
    int nextId_ = 1;
    std::map<int, QTimer*> timers_;
};

}  // namespace ui
