#include "platform/media/MpvDevice.h"

#include "platform/media/MpvLibrary.h"
#include "platform/sound/AlsaErrors.h"
#include "platform/ui/RuntimeError.h"

#include <mpv/client.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <clocale>
#include <cmath>
#include <string>
#include <string_view>

namespace media {

namespace {

// Loaded by the time any device exists.
const MpvLibrary& lib() {
    return *MpvLibrary::get();
}

constexpr double kSeekTimeoutMs = 5000;
constexpr double kWaitMarginMs = 5000;
constexpr std::uint64_t kEofObservation = 1;

// mpv's own input, scripts, configuration and on-screen display stay off: the
// player drives everything through commands.  Without a sound device a medium
// still plays, silently, in real time.  The GPU output draws through EGL
// on X11 only: left to probe every context, mpv also tries DRM, and where that
// fails it closes a descriptor it does not own, which can cut an X connection.
constexpr const char* kFixedOptions[][2] = {
    {"config", "no"},
    {"terminal", "no"},
    {"idle", "yes"},
    {"keep-open", "always"},
    {"keep-open-pause", "yes"},
    {"pause", "yes"},
    {"audio-display", "no"},
    {"ytdl", "no"},
    {"load-scripts", "no"},
    {"osc", "no"},
    // Subtitle files named like the video beside it, as the subtitle filter finds them.
    {"sub-auto", "exact"},
    {"load-stats-overlay", "no"},
    {"load-osd-console", "no"},
    {"input-default-bindings", "no"},
    {"input-vo-keyboard", "no"},
    {"input-cursor", "no"},
    {"input-media-keys", "no"},
    {"cursor-autohide", "no"},
    {"osd-level", "0"},
    {"audio-file-auto", "no"},
    {"cover-art-auto", "no"},
    {"resume-playback", "no"},
    {"gpu-context", "x11egl"},
    {"audio-fallback-to-null", "yes"},
};

// Numbers for mpv's text options, whatever the locale.
std::string decimal(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    return std::string(text, result.ptr);
}

std::string seconds(double ms) {
    return decimal(ms / 1000.0);
}

std::optional<double> doubleProperty(mpv_handle* mpv, const char* name) {
    double value = 0;
    if (lib().get_property(mpv, name, MPV_FORMAT_DOUBLE, &value) < 0) return std::nullopt;
    return value;
}

std::optional<std::int64_t> intProperty(mpv_handle* mpv, const char* name) {
    std::int64_t value = 0;
    if (lib().get_property(mpv, name, MPV_FORMAT_INT64, &value) < 0) return std::nullopt;
    return value;
}

// A sound device that does not open is no error: the medium plays silently.
void report(const mpv_event_log_message& message) {
    if (std::string_view(message.prefix).starts_with("ao")) return;
    std::string text = std::string(message.prefix) + ": " + message.text;
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    ui::reportError("media engine", text);
}

double nowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

OpenOutcome MpvDevice::open(const std::string& source, std::unique_ptr<VideoSurface> window,
                            const MpvSettings& settings, MciError loadError) {
    // libmpv refuses to start unless numbers are formatted the C way.
    std::setlocale(LC_NUMERIC, "C");
    const MpvLibrary* library = MpvLibrary::get();
    mpv_handle* mpv = library ? library->create() : nullptr;
    if (mpv == nullptr) return {MciError::EngineUnavailable, nullptr};
    for (const auto& [name, value] : kFixedOptions)
        lib().set_option_string(mpv, name, value);
    // Errors only, and through the program's own report (see handle()); ALSA's
    // library writes its own straight to the terminal unless given somewhere else.
    lib().request_log_messages(mpv, "error");
    sound::silenceAlsaErrors();
    lib().set_option_string(mpv, "vo", settings.videoOutput.c_str());
    // Left to choose, mpv would also try PipeWire's own client library, which
    // writes to the terminal when it finds no configuration; the sound server's
    // protocol (which PipeWire serves too) and ALSA are all the player needs.
    const std::string audioOutput =
        settings.audioOutput.empty() ? std::string("pulse,alsa") : settings.audioOutput;
    lib().set_option_string(mpv, "ao", audioOutput.c_str());
    lib().set_option_string(mpv, "cdrom-device", settings.cdDevice.c_str());
    if (settings.videoOutput != "null") {
        std::int64_t id = window->nativeId();
        lib().set_option(mpv, "wid", MPV_FORMAT_INT64, &id);
    }
    if (lib().initialize(mpv) < 0) {
        lib().terminate_destroy(mpv);
        return {MciError::EngineUnavailable, nullptr};
    }
    std::unique_ptr<MpvDevice> device(new MpvDevice(mpv, std::move(window)));
    if (MciError e = device->load(source, settings.loadTimeoutMs, loadError); e != MciError::None)
        return {e, nullptr};
    return {MciError::None, std::move(device)};
}

MpvDevice::MpvDevice(mpv_handle* mpv, std::unique_ptr<VideoSurface> window)
    : mpv_(mpv), window_(std::move(window)) {}

// mpv is gone before the window it draws into (members go after this body).
MpvDevice::~MpvDevice() {
    lib().terminate_destroy(mpv_);
}

MciError MpvDevice::load(const std::string& source, int timeoutMs, MciError loadError) {
    // Only so that a wait for the end wakes up when it comes; the value itself is read by atEnd.
    lib().observe_property(mpv_, kEofObservation, "eof-reached", MPV_FORMAT_FLAG);
    const char* command[] = {"loadfile", source.c_str(), nullptr};
    if (lib().command(mpv_, command) < 0) return loadError;
    // Loaded means mpv has also shown the first frame, so the first seek's
    // restart is not mistaken for the load's.
    if (!waitUntil([this] { return (loaded_ && restarted_) || fileEnded_; }, timeoutMs))
        return MciError::LoadTimeout;
    if (fileEnded_) return loadError;
    readMedium();
    return MciError::None;
}

void MpvDevice::readMedium() {
    lengthMs_ = std::max(0.0, doubleProperty(mpv_, "duration").value_or(0.0) * 1000.0);
    const auto width = intProperty(mpv_, "width");
    const auto height = intProperty(mpv_, "height");
    if (width && height && *width > 0 && *height > 0) {
        picture_ = QSize(static_cast<int>(*width), static_cast<int>(*height));
        const double fps = doubleProperty(mpv_, "container-fps").value_or(0.0);
        if (fps > 0) frameRate_ = fps;
        window_->place(QRect(QPoint(0, 0), *picture_));
    } else {
        window_.reset();
    }
}

void MpvDevice::handle(const mpv_event& event) {
    switch (event.event_id) {
        case MPV_EVENT_FILE_LOADED:
            loaded_ = true;
            restarted_ = false;
            break;
        case MPV_EVENT_END_FILE:
        case MPV_EVENT_SHUTDOWN:
            fileEnded_ = true;
            break;
        case MPV_EVENT_SEEK:
            seekStarted_ = true;
            restarted_ = false;
            break;
        case MPV_EVENT_PLAYBACK_RESTART:
            restarted_ = true;
            break;
        case MPV_EVENT_LOG_MESSAGE:
            report(*static_cast<const mpv_event_log_message*>(event.data));
            break;
        default:
            break;
    }
}

bool MpvDevice::waitUntil(const std::function<bool()>& done, double timeoutMs) {
    const double deadline = nowMs() + timeoutMs;
    for (;;) {
        if (done()) return true;
        const double left = std::max(0.0, deadline - nowMs());
        const mpv_event* event = lib().wait_event(mpv_, left / 1000.0);
        if (event->event_id != MPV_EVENT_NONE) {
            handle(*event);
        } else if (left == 0) {
            return done();
        }
    }
}

void MpvDevice::drainEvents() {
    waitUntil([] { return false; }, 0);
}

// Asked of mpv itself rather than taken from its change events, which can
// trail a seek that has already cleared it.
bool MpvDevice::atEnd() {
    int flag = 0;
    return fileEnded_ ||
           (lib().get_property(mpv_, "eof-reached", MPV_FORMAT_FLAG, &flag) >= 0 && flag);
}

void MpvDevice::setPaused(bool paused) {
    int flag = paused ? 1 : 0;
    lib().set_property(mpv_, "pause", MPV_FORMAT_FLAG, &flag);
}

double MpvDevice::speed() const {
    return doubleProperty(mpv_, "speed").value_or(1.0);
}

void MpvDevice::applySubtitles(const SubtitleSettings& settings) {
    double delay = settings.delayMs / 1000.0;
    lib().set_property(mpv_, "sub-delay", MPV_FORMAT_DOUBLE, &delay);
    int visible = settings.hidden ? 0 : 1;
    lib().set_property(mpv_, "sub-visibility", MPV_FORMAT_FLAG, &visible);
}

std::string MpvDevice::propertyText(const char* name) const {
    char* text = nullptr;
    if (lib().get_property(mpv_, name, MPV_FORMAT_STRING, &text) < 0 || text == nullptr) return {};
    std::string result(text);
    lib().free(text);
    return result;
}

void MpvDevice::place(const QRect& rect) {
    if (window_) window_->place(rect);
}

MciError MpvDevice::setVolume(int left, int right) {
    const int loudest = std::max(left, right);
    // mpv cubes its volume; the MCI volume, like the audio engine's, scales the
    // amplitude in proportion, so one slider sounds alike on both engines.
    double volume = 100.0 * std::cbrt(loudest / 1000.0);
    if (lib().set_property(mpv_, "volume", MPV_FORMAT_DOUBLE, &volume) < 0)
        return MciError::DeviceFailed;
    // Unequal channels: the quieter one is scaled down against the louder.
    std::string filter;
    if (left != right) {
        auto gain = [&](int level) { return decimal(static_cast<double>(level) / loudest); };
        filter = "lavfi=[aformat=channel_layouts=stereo,pan=stereo|c0=" + gain(left) +
                 "*c0|c1=" + gain(right) + "*c1]";
    }
    return lib().set_property_string(mpv_, "af", filter.c_str()) < 0 ? MciError::DeviceFailed
                                                                     : MciError::None;
}

MciError MpvDevice::startEngine(double fromMs, double toMs) {
    const std::string end = toMs >= lengthMs_ ? "none" : seconds(toMs);
    lib().set_property_string(mpv_, "end", end.c_str());
    if (MciError e = seekEngine(fromMs); e != MciError::None) return e;
    setPaused(false);
    return MciError::None;
}

void MpvDevice::pauseEngine() {
    setPaused(true);
}

void MpvDevice::resumeEngine(double) {
    setPaused(false);
}

MciError MpvDevice::seekEngine(double ms) {
    // Earlier events must not count as this seek's.
    drainEvents();
    seekStarted_ = false;
    restarted_ = false;
    const std::string target = seconds(ms);
    const char* command[] = {"seek", target.c_str(), "absolute+exact", nullptr};
    if (lib().command(mpv_, command) < 0) return MciError::DeviceFailed;
    waitUntil([this] { return (seekStarted_ && restarted_) || fileEnded_; }, kSeekTimeoutMs);
    return MciError::None;
}

double MpvDevice::enginePositionMs() {
    return doubleProperty(mpv_, "time-pos").value_or(0.0) * 1000.0;
}

bool MpvDevice::engineReachedEnd() {
    drainEvents();
    return atEnd();
}

MciError MpvDevice::waitForEnd(double rangeMs) {
    const double timeout = rangeMs / std::max(0.01, speed()) + kWaitMarginMs;
    return waitUntil([this] { return atEnd(); }, timeout) ? MciError::None : MciError::DeviceFailed;
}

}  // namespace media
