#include <pulse/pulseaudio.h>

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <functional>
#include <utility>
#include <vector>

#include "platform/audio/Output.h"
#include "platform/sound/AlsaDefault.h"

namespace audio {

namespace {

// The server holds this much, and asks for more in pieces this big: the output
// writes a few times a second, not hundreds.
constexpr pa_usec_t kHeldUs = 500'000;
constexpr pa_usec_t kRequestUs = 200'000;
// Rendered a piece at a time, so the mixer marks every few milliseconds where each
// channel stood and what is heard is known that finely.
constexpr std::size_t kPieceFrames = 256;
constexpr std::size_t kFrameBytes = 2 * sizeof(float);
// How long a server that answers nothing is waited for.
constexpr pa_usec_t kConnectUs = 3'000'000;
constexpr pa_usec_t kTimingUs = 1'000'000;

class Locked {
  public:
    explicit Locked(pa_threaded_mainloop* loop) : loop_(loop) { pa_threaded_mainloop_lock(loop_); }
    ~Locked() { pa_threaded_mainloop_unlock(loop_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

  private:
    pa_threaded_mainloop* loop_;
};

std::string programName() {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? std::string("plenk-player") : name.toStdString();
}

// One connection and one playback stream. Every call into the library that
// touches them holds the loop's lock; the loop's own thread only follows the
// connection (it renders nothing), so it sleeps while the stream is corked.
class ServerOutput : public Output {
  public:
    ServerOutput(int rate, const Source& source)
        : rate_(rate), source_(source), loop_(pa_threaded_mainloop_new()) {}
    ~ServerOutput() override;
    ServerOutput(const ServerOutput&) = delete;
    ServerOutput& operator=(const ServerOutput&) = delete;

    bool open();
    // Whether it said nothing in time, as against no.
    bool silent() const { return timedOut_; }
    void pump() override;
    void catchUp() override;
    void changed() override;
    bool lost() const override { return lost_.load(); }
    std::size_t heldFrames() const override { return held_; }
    std::chrono::milliseconds pumpEvery() const override;

  private:
    bool connect(const std::string& name);
    bool startStream(const std::string& name);
    bool ready() const;
    bool waitFor(const std::function<bool()>& done, pa_usec_t timeoutUs);
    void cork(bool corked);
    std::uint64_t framesOf(std::uint64_t bytes) const { return bytes / kFrameBytes; }
    void rewound(bool success);
    void followPlayhead();
    void placePlayhead();
    bool timingDue() const;
    static void signal(void* self);
    static void rewoundThen(pa_stream*, int success, void* self) {
        static_cast<ServerOutput*>(self)->rewound(success != 0);
    }

    const int rate_;
    const Source source_;
    pa_threaded_mainloop* loop_;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    std::atomic<bool> corked_{true};  // written with the lock held
    bool timedOut_ = false;
    int awaited_ = 0;       // changes whose account of the stream is still to come
    bool rewound_ = false;  // rendering went back since the last pump
    // The server's last account of the playhead: where it was at `at`, and
    // whether it has moved on since.
    struct Account {
        std::int64_t us = 0;
        timeval at{};
        bool moving = false;
    } account_;
    std::uint64_t heard_ = 0;    // frames
    std::uint64_t written_ = 0;  // frames
    std::atomic<bool> lost_{false};
    std::size_t held_ = 0;  // frames the server holds when full
    std::vector<float> pieces_;
};

void ServerOutput::signal(void* self) {
    auto* output = static_cast<ServerOutput*>(self);
    if (output->context_ && !PA_CONTEXT_IS_GOOD(pa_context_get_state(output->context_)))
        output->lost_ = true;
    if (output->stream_ && !PA_STREAM_IS_GOOD(pa_stream_get_state(output->stream_)))
        output->lost_ = true;
    pa_threaded_mainloop_signal(output->loop_, 0);
}

bool ServerOutput::open() {
    if (!loop_) return false;
    const std::string name = programName();
    pa_threaded_mainloop_set_name(loop_, "plenk-server");
    if (pa_threaded_mainloop_start(loop_) < 0) return false;
    Locked lock(loop_);
    return connect(name) && startStream(name);
}

ServerOutput::~ServerOutput() {
    if (!loop_) return;
    if (held_ > 0) {
        // What the server held is gone: the channels go on from what was heard.
        source_.rewindTo(heard_);
        source_.setPlayhead(kHeardAsMixed);
    }
    pa_threaded_mainloop_stop(loop_);
    if (stream_) {
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
    }
    if (context_) {
        pa_context_set_state_callback(context_, nullptr, nullptr);
        pa_context_disconnect(context_);
        pa_context_unref(context_);
    }
    pa_threaded_mainloop_free(loop_);
}

// Waits, with the lock held, until done() or the deadline; false at the deadline
// or when the connection is lost.
bool ServerOutput::waitFor(const std::function<bool()>& done, pa_usec_t timeoutUs) {
    timedOut_ = false;
    pa_time_event* deadline = pa_context_rttime_new(
        context_, pa_rtclock_now() + timeoutUs,
        [](pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self) {
            static_cast<ServerOutput*>(self)->timedOut_ = true;
            signal(self);
        },
        this);
    while (!done() && !timedOut_ && !lost_)
        pa_threaded_mainloop_wait(loop_);
    pa_threaded_mainloop_get_api(loop_)->time_free(deadline);
    return done();
}

bool ServerOutput::connect(const std::string& name) {
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), name.c_str());
    if (!context_) return false;
    pa_context_set_state_callback(
        context_, [](pa_context*, void* self) { signal(self); }, this);
    // No server is started where none runs: then the output is another one.
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) return false;
    return waitFor([this] { return pa_context_get_state(context_) == PA_CONTEXT_READY; },
                   kConnectUs);
}

bool ServerOutput::startStream(const std::string& name) {
    const pa_sample_spec format{PA_SAMPLE_FLOAT32LE, static_cast<std::uint32_t>(rate_), 2};
    stream_ = pa_stream_new(context_, name.c_str(), &format, nullptr);
    if (!stream_) return false;
    pa_stream_set_state_callback(
        stream_, [](pa_stream*, void* self) { signal(self); }, this);
    // No pre-buffering: playback runs on through a late write, so the server's
    // frame count stays the mixer's. The latency asked for is the whole of it, the
    // device's included, so even a device that cannot take back what it was given
    // goes quiet soon after a pause.
    pa_buffer_attr attr{};
    attr.maxlength = static_cast<std::uint32_t>(-1);
    attr.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(kHeldUs, &format));
    attr.prebuf = 0;
    attr.minreq = static_cast<std::uint32_t>(pa_usec_to_bytes(kRequestUs, &format));
    attr.fragsize = static_cast<std::uint32_t>(-1);
    const auto flags =
        static_cast<pa_stream_flags_t>(PA_STREAM_START_CORKED | PA_STREAM_ADJUST_LATENCY);
    if (pa_stream_connect_playback(stream_, nullptr, &attr, flags, nullptr, nullptr) < 0)
        return false;
    if (!waitFor([this] { return pa_stream_get_state(stream_) == PA_STREAM_READY; }, kConnectUs))
        return false;
    pieces_.resize(2 * framesOf(pa_stream_get_buffer_attr(stream_)->tlength));
    source_.setPlayhead(0);
    source_.rewindTo(0);
    held_ = pieces_.size() / 2;
    return true;
}

// Half of what the stream holds, so a late round still finds plenty to play.
std::chrono::milliseconds ServerOutput::pumpEvery() const {
    const auto ms = static_cast<long>(held_ * 1000 / static_cast<std::size_t>(rate_) / 2);
    return std::chrono::milliseconds(std::clamp(ms, 100L, 250L));
}

bool ServerOutput::ready() const {
    return !lost_ && pa_stream_get_state(stream_) == PA_STREAM_READY;
}

void ServerOutput::cork(bool corked) {
    if (corked == corked_) return;
    corked_ = corked;
    if (pa_operation* o = pa_stream_cork(stream_, corked, nullptr, nullptr)) pa_operation_unref(o);
}

// What is playing now: what the server had read of the stream less what its
// device still held, when it last said, plus the time since while it plays.
// (The library's own estimate runs ahead of a sink that starts late, and never
// goes back.)
void ServerOutput::followPlayhead() {
    const pa_timing_info* timing = pa_stream_get_timing_info(stream_);
    if (!timing || timing->read_index_corrupt) return;
    account_.us = static_cast<std::int64_t>(pa_bytes_to_usec(
                      static_cast<std::uint64_t>(std::max<std::int64_t>(0, timing->read_index)),
                      pa_stream_get_sample_spec(stream_))) -
                  static_cast<std::int64_t>(timing->sink_usec);
    account_.at = timing->timestamp;
    account_.moving = !corked_ && timing->playing;
    placePlayhead();
}

void ServerOutput::placePlayhead() {
    std::int64_t us = account_.us;
    if (account_.moving) us += static_cast<std::int64_t>(pa_timeval_age(&account_.at));
    const std::uint64_t frames = static_cast<std::uint64_t>(std::max<std::int64_t>(0, us)) *
                                 static_cast<std::uint64_t>(rate_) / 1'000'000;
    heard_ = std::min(frames, written_);
    source_.setPlayhead(heard_);
}

// The server's account of the stream is asked for about once a second while it
// plays (in between, the playhead moves on by the clock), and at once while it
// has not said that it plays.
bool ServerOutput::timingDue() const {
    if (corked_) return false;
    const pa_timing_info* timing = pa_stream_get_timing_info(stream_);
    return !timing || !timing->playing || pa_timeval_age(&timing->timestamp) > kTimingUs;
}

// Writes what the server has room for in one block, and keeps the stream corked
// while nothing plays.
void ServerOutput::pump() {
    Locked lock(loop_);
    if (!ready() || awaited_ > 0) return;
    // This round may have filled before the rewind freed the old place's
    // blocks, and would pad the new place out with silence: the next round
    // fills after it.
    if (std::exchange(rewound_, false)) {
        if (source_.wake) source_.wake();
        return;
    }
    const std::size_t room = std::min(framesOf(pa_stream_writable_size(stream_)), held_);
    std::size_t done = 0;
    bool silent = false;
    while (done < room && !silent) {
        const std::size_t n = std::min(kPieceFrames, room - done);
        silent = !source_.render(&pieces_[2 * done], n);
        if (!silent) done += n;
    }
    if (done > 0) {
        pa_stream_write(stream_, pieces_.data(), done * kFrameBytes, nullptr, 0, PA_SEEK_RELATIVE);
        written_ += done;
        cork(false);
    } else if (silent) {
        cork(true);
    }
    if (timingDue()) {
        if (pa_operation* o = pa_stream_update_timing_info(stream_, nullptr, nullptr))
            pa_operation_unref(o);
    }
    followPlayhead();
}

// Corked, the playhead stands still: nothing to ask. Once the server has said
// that it plays, the clock moves the playhead on from its last account (the
// pumps refresh it): the library's lock 40 times a second cost as much as
// drawing what is heard.
void ServerOutput::catchUp() {
    if (corked_) return;
    if (account_.moving) return placePlayhead();
    Locked lock(loop_);
    if (ready()) followPlayhead();
}

// Corked, the server stops reading; flushed, it drops what it held. Its account
// of the stream comes later, on the loop's thread (a server may be slow to say):
// nothing is written meanwhile.
void ServerOutput::changed() {
    Locked lock(loop_);
    if (!ready()) return;
    cork(true);
    if (pa_operation* o = pa_stream_flush(stream_, nullptr, nullptr)) pa_operation_unref(o);
    if (pa_operation* o = pa_stream_update_timing_info(stream_, &ServerOutput::rewoundThen, this)) {
        ++awaited_;
        pa_operation_unref(o);
    }
}

// Rendering starts again where the server now reads, once it has answered the
// last change; the next pump writes and uncorks.
void ServerOutput::rewound(bool success) {
    if (--awaited_ > 0) return;
    const pa_timing_info* timing = pa_stream_get_timing_info(stream_);
    if (success && timing && !timing->read_index_corrupt) {
        written_ =
            framesOf(static_cast<std::uint64_t>(std::max<std::int64_t>(0, timing->read_index)));
        source_.rewindTo(written_);
        rewound_ = true;
        followPlayhead();
    }
    if (source_.wake) source_.wake();
}

std::unique_ptr<Output> openServer(int rate, const Source& source, bool& silent) {
    auto output = std::make_unique<ServerOutput>(rate, source);
    if (output->open()) return output;
    silent = output->silent();
    return nullptr;
}

}  // namespace

// ALSA's default device that is the server's own plugin would wait for the silent
// server once more, and for half a minute.
std::unique_ptr<Output> openDesktopOutput(int rate, const Source& source) {
    bool silent = false;
    if (auto server = openServer(rate, source, silent)) return server;
    if (silent && sound::alsaDefaultIsSoundServer()) return nullptr;
    return openDeviceOutput(rate, source);
}

}  // namespace audio
