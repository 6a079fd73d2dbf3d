#include "platform/media/Mci.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "platform/media/MpvBackend.h"
#include "platform/media/TestBackend.h"
#include "platform/media/Text.h"

namespace media {

namespace {

std::string lowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return result;
}

bool isCdName(std::string_view name) {
    return equalsIgnoreCase(name, "cdaudio");
}

// Device types a file may be opened as; all of them play through the back end.
bool isFileType(std::string_view type) {
    for (std::string_view known : {"mpegvideo", "avivideo", "sequencer", "waveaudio"}) {
        if (equalsIgnoreCase(type, known)) return true;
    }
    return false;
}

std::string number(std::int64_t value) {
    return std::to_string(value);
}

double unitsPerMs(TimeFormat format, const MciDevice& media) {
    return format == TimeFormat::Frames ? media.frameRate() / 1000.0 : 1.0;
}

}  // namespace

Mci::Mci(Backend backend, VideoHost& videos, ui::Clock& clock) : videos_(videos) {
    if (backend == Backend::Test) {
        auto test = std::make_unique<TestBackend>(clock);
        test_ = test.get();
        backend_ = std::move(test);
    } else {
        backend_ = std::make_unique<MpvBackend>();
    }
}

Mci::Mci(std::unique_ptr<MciBackend> backend, VideoHost& videos)
    : backend_(std::move(backend)),
      test_(dynamic_cast<TestBackend*>(backend_.get())),
      videos_(videos) {}

Mci::~Mci() {
    devices_.clear();
}

std::uint32_t Mci::mciSendStringA(const char* command, char* reply, std::uint32_t replyLength,
                                  int) {
    copyToBuffer({}, reply, replyLength);
    if (command == nullptr) return code(MciError::MissingCommand);
    backend_->received(command);
    const ParsedCommand parsed = parseMciCommand(command);
    if (parsed.error != MciError::None) return code(parsed.error);
    const Reply result = run(parsed.command);
    if (result.error == MciError::None) copyToBuffer(result.text, reply, replyLength);
    return code(result.error);
}

bool Mci::mciGetErrorStringA(std::uint32_t value, char* buffer, std::uint32_t length) const {
    const char* text = mciErrorText(value);
    copyToBuffer(text ? text : "The error code is not known to MCI.", buffer, length);
    return text != nullptr;
}

Mci::Device* Mci::find(const std::string& name) {
    auto it = devices_.find(lowerCase(name));
    return it == devices_.end() ? nullptr : &it->second;
}

Mci::Reply Mci::run(const MciCommand& command) {
    if (command.verb == Verb::Open) return open(command.device, std::get<OpenArgs>(command.args));
    if (command.verb == Verb::Close) return close(command.device);
    Device* device = find(command.device);
    if (command.verb == Verb::Set && (device != nullptr || isCdName(command.device)))
        return set(device, std::get<SetArgs>(command.args));
    if (device == nullptr) return {MciError::InvalidDeviceName, {}};
    MciDevice& media = *device->media;
    switch (command.verb) {
        case Verb::Play:
            return play(*device, std::get<PlayArgs>(command.args));
        case Verb::Pause:
            media.pause();
            return {};
        case Verb::Resume:
            media.resume();
            return {};
        case Verb::Stop:
            media.stop();
            return {};
        case Verb::Seek:
            return seek(*device, std::get<SeekArgs>(command.args));
        case Verb::Status:
            return status(*device, std::get<StatusItem>(command.args));
        case Verb::Put:
            return put(*device, std::get<WindowRect>(command.args));
        case Verb::Where:
            return where(*device, std::get<WhereRect>(command.args));
        case Verb::SetAudio:
            return setAudio(*device, std::get<SetAudioArgs>(command.args));
        default:
            return {MciError::UnrecognizedCommand, {}};
    }
}

Mci::Reply Mci::open(const std::string& name, const OpenArgs& args) {
    const bool cd = args.type.empty() ? isCdName(args.element) : isCdName(args.type);
    if (!cd && !args.type.empty() && !isFileType(args.type))
        return {MciError::UnknownDeviceType, {}};
    if (!cd && args.element.empty()) return {MciError::FilenameRequired, {}};
    const std::string key = lowerCase(name.empty() ? "cdaudio" : name);
    if (key == "all") return {MciError::CannotUseAll, {}};
    if (devices_.count(key) != 0) return {MciError::DuplicateAlias, {}};
    if (args.parent && !videos_.hasWindow(*args.parent)) return {MciError::BadWindowHandle, {}};
    const OpenParams params{cd ? MediumKind::CdAudio : MediumKind::File, cd ? "" : args.element,
                            args.parent, &videos_};
    OpenOutcome outcome = backend_->open(params);
    if (outcome.error != MciError::None) return {outcome.error, {}};
    Device& device = devices_[key];
    device.media = std::move(outcome.device);
    device.cd = cd;
    if (subtitles_ && !cd) device.media->applySubtitles(subtitles_());
    return {};
}

MciDevice* Mci::device(const std::string& alias) {
    Device* d = find(alias);
    return d ? d->media.get() : nullptr;
}

void Mci::subtitlesChanged() {
    if (!subtitles_) return;
    const SubtitleSettings settings = subtitles_();
    for (auto& [name, device] : devices_)
        if (!device.cd) device.media->applySubtitles(settings);
}

Mci::Reply Mci::close(const std::string& name) {
    if (equalsIgnoreCase(name, "all")) {
        devices_.clear();
        return {};
    }
    return devices_.erase(lowerCase(name)) == 0 ? Reply{MciError::InvalidDeviceName, {}} : Reply{};
}

namespace {

// Positions name the frame (or millisecond) under way, so they are cut; a
// hair of tolerance keeps exact frame times from falling to the frame before.
std::int64_t positionUnits(double ms, double unitsPerMs) {
    return static_cast<std::int64_t>(std::floor(ms * unitsPerMs + 1e-6));
}

std::int64_t lengthUnits(double ms, double unitsPerMs) {
    return static_cast<std::int64_t>(std::nearbyint(ms * unitsPerMs));
}

}  // namespace

Mci::Reply Mci::play(Device& device, const PlayArgs& args) {
    MciDevice& media = *device.media;
    const double perMs = unitsPerMs(device.format, media);
    const double lengthMs = media.lengthMs();
    const double hereMs = media.positionMs();
    const std::int64_t length = lengthUnits(lengthMs, perMs);
    const std::int64_t from = args.from.value_or(positionUnits(hereMs, perMs));
    const std::int64_t to = args.to.value_or(length);
    if (from > length || to > length || from > to) return {MciError::OutOfRange, {}};
    const double fromMs = args.from ? static_cast<double>(from) / perMs : hereMs;
    const double toMs = args.to ? static_cast<double>(to) / perMs : lengthMs;
    return {media.play(std::min(fromMs, lengthMs), std::min(toMs, lengthMs), args.wait), {}};
}

Mci::Reply Mci::status(Device& device, StatusItem item) {
    MciDevice& media = *device.media;
    const double perMs = unitsPerMs(device.format, media);
    switch (item) {
        case StatusItem::Mode: {
            static const char* const kModes[] = {"stopped", "playing", "paused"};
            return {MciError::None, kModes[static_cast<int>(media.mode())]};
        }
        case StatusItem::Length:
            return {MciError::None, number(lengthUnits(media.lengthMs(), perMs))};
        case StatusItem::Position:
            return {MciError::None, number(positionUnits(media.positionMs(), perMs))};
        case StatusItem::Speed:
            return {MciError::None, number(std::llround(media.speed() * 1000.0))};
    }
    return {MciError::UnrecognizedKeyword, {}};
}

Mci::Reply Mci::set(Device* device, const SetArgs& args) {
    if (args.timeFormat && device == nullptr) return {MciError::InvalidDeviceName, {}};
    if (args.doorOpen && device != nullptr && !device->cd)
        return {MciError::UnsupportedFunction, {}};
    if (args.doorOpen) {
        if (MciError e = backend_->setDoor(*args.doorOpen); e != MciError::None) return {e, {}};
    }
    if (args.timeFormat) device->format = *args.timeFormat;
    return {};
}

Mci::Reply Mci::seek(Device& device, const SeekArgs& args) {
    MciDevice& media = *device.media;
    const double perMs = unitsPerMs(device.format, media);
    if (args.to > lengthUnits(media.lengthMs(), perMs)) return {MciError::OutOfRange, {}};
    return {media.seek(std::min(static_cast<double>(args.to) / perMs, media.lengthMs())), {}};
}

Mci::Reply Mci::put(Device& device, const WindowRect& rect) {
    if (!device.media->pictureSize()) return {MciError::NoWindow, {}};
    device.media->place(QRect(rect.left, rect.top, rect.width, rect.height));
    device.window = QSize(rect.width, rect.height);
    return {};
}

// The window keeps the picture's size until a size is put.
Mci::Reply Mci::where(Device& device, WhereRect rect) {
    const std::optional<QSize> picture = device.media->pictureSize();
    if (!picture) return {MciError::NoWindow, {}};
    const QSize size = rect == WhereRect::Source ? *picture : device.window.value_or(*picture);
    return {MciError::None, "0 0 " + number(size.width()) + " " + number(size.height())};
}

Mci::Reply Mci::setAudio(Device& device, const SetAudioArgs& args) {
    if (args.channel != Channel::Right) device.leftVolume = args.volume;
    if (args.channel != Channel::Left) device.rightVolume = args.volume;
    return {device.media->setVolume(device.leftVolume, device.rightVolume), {}};
}

}  // namespace media
