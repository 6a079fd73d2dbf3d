#include "platform/clock/Clock.h"

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace ui {

int Clock::addTimeListener(TimeListener listener) {
    const int id = nextListenerId_++;
    listeners_.emplace(id, std::move(listener));
    return id;
}

void Clock::removeTimeListener(int id) {
    listeners_.erase(id);
}

void Clock::runTick(int id, const Tick& tick) {
    if (!ticking_.insert(id).second) return;
    struct Reset {
        std::set<int>& running;
        int id;
        ~Reset() { running.erase(id); }
    } reset{ticking_, id};
    tick();
}

void Clock::notifyTime(std::int64_t nowMs) {
    // A listener may remove itself (or another) while it is told.
    std::vector<int> ids;
    for (const auto& [id, fn] : listeners_)
        ids.push_back(id);
    for (int id : ids) {
        auto it = listeners_.find(id);
        if (it != listeners_.end()) it->second(nowMs);
    }
}

int ManualClock::startTimer(int intervalMs, Tick tick) {
    const int id = nextId_++;
    const int interval = std::max(1, intervalMs);
    timers_.emplace(id, Entry{interval, now_ + interval, std::move(tick)});
    return id;
}

void ManualClock::stopTimer(int id) {
    timers_.erase(id);
}

void ManualClock::advance(std::int64_t ms) {
    const std::int64_t target = now_ + std::max<std::int64_t>(0, ms);
    for (;;) {
        auto next = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it) {
            if (it->second.due <= target &&
                (next == timers_.end() || it->second.due < next->second.due))
                next = it;
        }
        if (next == timers_.end()) break;
        if (next->second.due > now_) {
            now_ = next->second.due;
            notifyTime(now_);
        }
        // The tick may stop or restart its own timer, so copy what it needs.
        next->second.due += next->second.intervalMs;
        const int id = next->first;
        Tick tick = next->second.tick;
        runTick(id, tick);
    }
    if (target > now_) {
        now_ = target;
        notifyTime(now_);
    }
}

LiveClock::LiveClock() : elapsed_(std::make_unique<QElapsedTimer>()) {
    elapsed_->start();
}

LiveClock::~LiveClock() {
    for (auto& [id, timer] : timers_)
        delete timer;
}

std::int64_t LiveClock::nowMs() const {
    return elapsed_->elapsed();
}

int LiveClock::startTimer(int intervalMs, Tick tick) {
    const int id = nextId_++;
    auto* timer = new QTimer;
    timer->setInterval(std::max(1, intervalMs));
    QObject::connect(timer, &QTimer::timeout,
                     [this, id, tick = std::move(tick)] { runTick(id, tick); });
    timers_.emplace(id, timer);
    timer->start();
    return id;
}

void LiveClock::stopTimer(int id) {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    // The timer may be the one whose tick is running right now.
    it->second->stop();
    it->second->deleteLater();
    timers_.erase(it);
}

}  // namespace ui
