#include "platform/audio/Bass.h"

#include <QString>

#include <string>

#include "platform/audio/Analyzer.h"
#include "platform/audio/Channel.h"
#include "platform/audio/Engine.h"

namespace audio {

namespace {

constexpr QWORD kNoPosition = ~QWORD{0};
constexpr DWORD kNoData = ~DWORD{0};
constexpr DWORD kMaxVolume = 10000;

std::string utf8Path(const void* file, DWORD flags) {
    if (flags & BASS_UNICODE)
        return QString::fromUtf16(static_cast<const char16_t*>(file)).toStdString();
    return static_cast<const char*>(file);
}

// Positions count 16-bit samples.
QWORD bytesPerFrame(const Channel& channel) {
    return 2 * static_cast<QWORD>(channel.channels());
}

}  // namespace

Bass::Bass(ui::Clock& clock, BassOptions options) : clock_(clock), options_(std::move(options)) {}

Bass::~Bass() {
    BASS_Free();
}

bool Bass::succeed() {
    error_ = BASS_OK;
    return true;
}

bool Bass::BASS_Init(int device, DWORD freq, DWORD, int, const void*) {
    if (engine_) return fail(BASS_ERROR_ALREADY);
    if (device != -1 && device != 0) return fail(BASS_ERROR_DEVICE);
    if (!supportedFormat(static_cast<int>(freq), 2)) return fail(BASS_ERROR_ILLPARAM);
    const bool nullOutput = device == 0 || options_.output == OutputChoice::Null;
    engine_ =
        std::make_unique<Engine>(clock_, static_cast<int>(freq), nullOutput, options_.nullOutputTap,
                                 options_.openDevice, static_cast<float>(volume_) / kMaxVolume);
    return succeed();
}

// The engine goes first: it stops the output and the feeder, which use the channels.
bool Bass::BASS_Free() {
    if (!engine_) return fail(BASS_ERROR_INIT);
    engine_.reset();
    if (analyzer_) analyzer_->forget();
    effects_.clear();
    channels_.clear();
    return succeed();
}

bool Bass::BASS_SetConfig(DWORD option, DWORD value) {
    if (option != BASS_CONFIG_GVOL_STREAM || value > kMaxVolume) return fail(BASS_ERROR_ILLPARAM);
    volume_ = value;
    if (engine_) engine_->setVolume(static_cast<float>(value) / kMaxVolume);
    return succeed();
}

DWORD Bass::BASS_GetConfig(DWORD option) {
    if (option != BASS_CONFIG_GVOL_STREAM) return failWith(BASS_ERROR_ILLPARAM, ~DWORD{0});
    succeed();
    return volume_;
}

bool Bass::canOpen(bool mem, const void* file, QWORD offset, QWORD length) {
    if (!engine_) return fail(BASS_ERROR_INIT);
    if (mem || offset != 0 || length != 0) return fail(BASS_ERROR_NOTAVAIL);
    if (!file) return fail(BASS_ERROR_FILEOPEN);
    return true;
}

HSTREAM Bass::BASS_StreamCreateFile(bool mem, const void* file, QWORD offset, QWORD length,
                                    DWORD flags) {
    if (!canOpen(mem, file, offset, length)) return 0;
    auto decoder = openSoundFile(utf8Path(file, flags));
    if (!decoder) return failWith(BASS_ERROR_FILEOPEN, HSTREAM{0});
    return add(std::make_shared<Channel>(Channel::Kind::Stream, std::move(decoder), flags,
                                         engine_->rate()));
}

HMUSIC Bass::BASS_MusicLoad(bool mem, const void* file, QWORD offset, DWORD length, DWORD flags,
                            DWORD freq) {
    if (!canOpen(mem, file, offset, length)) return 0;
    const int rate = freq ? static_cast<int>(freq) : engine_->rate();
    auto decoder = openModule(utf8Path(file, flags), rate, (flags & BASS_MUSIC_RAMP) != 0);
    if (!decoder) return failWith(BASS_ERROR_FILEOPEN, HMUSIC{0});
    return add(std::make_shared<Channel>(Channel::Kind::Music, std::move(decoder), flags,
                                         engine_->rate()));
}

DWORD Bass::add(std::shared_ptr<Channel> channel) {
    const DWORD handle = newHandle();
    channels_.emplace(handle, std::move(channel));
    succeed();
    return handle;
}

// Handles count up and are never reused, so a stale one never names a new channel.
DWORD Bass::newHandle() {
    if (++lastHandle_ == 0) ++lastHandle_;
    return lastHandle_;
}

bool Bass::BASS_StreamFree(HSTREAM handle) {
    return freeChannel(handle, false);
}

bool Bass::BASS_MusicFree(HMUSIC handle) {
    return freeChannel(handle, true);
}

bool Bass::freeChannel(DWORD handle, bool music) {
    const auto found = heardChannel(handle);
    if (!found) return false;
    if ((found->kind() == Channel::Kind::Music) != music) return fail(BASS_ERROR_HANDLE);
    found->stop();
    engine_->changed();
    engine_->detach(*found);
    if (analyzer_) analyzer_->forget();
    std::erase_if(effects_, [handle](const auto& e) { return e.second.channel == handle; });
    channels_.erase(handle);
    return succeed();
}

// A null output fed on demand is brought up to now before anything reads or
// changes what plays, so the time since the last call plays as it was.
std::shared_ptr<Channel> Bass::heardChannel(DWORD handle) {
    if (engine_) engine_->catchUp();
    return channel(handle);
}

std::shared_ptr<Channel> Bass::channel(DWORD handle) {
    const auto it = channels_.find(handle);
    if (it == channels_.end()) {
        fail(BASS_ERROR_HANDLE);
        return nullptr;
    }
    return it->second;
}

bool Bass::BASS_ChannelPlay(DWORD handle, bool restart) {
    const auto found = heardChannel(handle);
    if (!found) return false;
    if (!engine_->attach(found)) return fail(BASS_ERROR_NOCHAN);
    found->play(restart);
    engine_->changed();
    return succeed();
}

bool Bass::BASS_ChannelPause(DWORD handle) {
    const auto found = heardChannel(handle);
    if (!found) return false;
    if (!found->pause()) return fail(BASS_ERROR_NOPLAY);
    engine_->changed();
    return succeed();
}

bool Bass::BASS_ChannelStop(DWORD handle) {
    const auto found = heardChannel(handle);
    if (!found) return false;
    found->stop();
    engine_->changed();
    return succeed();
}

DWORD Bass::BASS_ChannelIsActive(DWORD handle) {
    const auto found = heardChannel(handle);
    if (!found) return BASS_ACTIVE_STOPPED;
    succeed();
    return found->activity();
}

QWORD Bass::BASS_ChannelGetPosition(DWORD handle, DWORD mode) {
    return inBytes(handle, mode, [](Channel& c) { return c.position(); });
}

QWORD Bass::BASS_ChannelGetLength(DWORD handle, DWORD mode) {
    return inBytes(handle, mode, [](Channel& c) { return c.length(); });
}

QWORD Bass::inBytes(DWORD handle, DWORD mode, std::uint64_t (*frames)(Channel&)) {
    const auto found = heardChannel(handle);
    if (!found) return kNoPosition;
    if (mode != BASS_POS_BYTE) return failWith(BASS_ERROR_NOTAVAIL, kNoPosition);
    succeed();
    return frames(*found) * bytesPerFrame(*found);
}

bool Bass::BASS_ChannelSetPosition(DWORD handle, QWORD pos, DWORD mode) {
    const auto found = heardChannel(handle);
    if (!found) return false;
    if (mode != BASS_POS_BYTE) return fail(BASS_ERROR_NOTAVAIL);
    if (!found->seek(pos / bytesPerFrame(*found))) return fail(BASS_ERROR_POSITION);
    engine_->changed();
    return succeed();
}

double Bass::BASS_ChannelBytes2Seconds(DWORD handle, QWORD pos) {
    const auto found = channel(handle);
    if (!found) return -1.0;
    succeed();
    return static_cast<double>(pos) / static_cast<double>(bytesPerFrame(*found)) / found->rate();
}

DWORD Bass::BASS_ChannelGetData(DWORD handle, void* buffer, DWORD length) {
    const auto found = heardChannel(handle);
    if (!found) return kNoData;
    if (!buffer) return failWith(BASS_ERROR_ILLPARAM, kNoData);
    const Voice& voice = *found->voice();
    if (length == BASS_DATA_FFT2048) {
        if (!analyzer_) analyzer_ = std::make_unique<Analyzer>();
        analyzer_->spectrum(voice, found->channels(), static_cast<float*>(buffer));
        succeed();
        return Analyzer::kBins * sizeof(float);
    }
    if ((length & 0xC0000000) != BASS_DATA_FLOAT) return failWith(BASS_ERROR_NOTAVAIL, kNoData);
    const std::size_t frameBytes = sizeof(float) * static_cast<std::size_t>(found->channels());
    const std::size_t frames =
        std::min<std::size_t>((length & ~BASS_DATA_FLOAT) / frameBytes, Voice::kReadableFrames);
    voice.copyHistory(voice.heard().historyEnd, static_cast<float*>(buffer), frames);
    succeed();
    return static_cast<DWORD>(frames * frameBytes);
}

bool Bass::BASS_ChannelGetInfo(DWORD handle, BASS_CHANNELINFO* info) {
    const auto found = channel(handle);
    if (!found) return false;
    if (!info) return fail(BASS_ERROR_ILLPARAM);
    *info = {static_cast<DWORD>(found->rate()), static_cast<DWORD>(found->channels()),
             found->flags()};
    return succeed();
}

HFX Bass::BASS_ChannelSetFX(DWORD handle, DWORD type, int priority) {
    const auto found = channel(handle);
    if (!found) return 0;
    auto made = makeEffect(type, found->rate(), found->channels());
    if (!made) return failWith(BASS_ERROR_ILLPARAM, HFX{0});
    const HFX fx = newHandle();
    effects_.emplace(fx, EffectEntry{handle, found->addEffect(std::move(made), priority)});
    succeed();
    return fx;
}

const Bass::EffectEntry* Bass::effect(HFX handle) {
    const auto it = effects_.find(handle);
    if (it == effects_.end()) {
        fail(BASS_ERROR_HANDLE);
        return nullptr;
    }
    return &it->second;
}

bool Bass::BASS_FXSetParameters(HFX handle, const void* params) {
    const EffectEntry* entry = effect(handle);
    if (!entry) return false;
    if (!params || !channels_.at(entry->channel)->setEffectParameters(entry->effect, params))
        return fail(BASS_ERROR_ILLPARAM);
    return succeed();
}

bool Bass::BASS_FXGetParameters(HFX handle, void* params) {
    const EffectEntry* entry = effect(handle);
    if (!entry) return false;
    if (!params) return fail(BASS_ERROR_ILLPARAM);
    channels_.at(entry->channel)->effectParameters(entry->effect, params);
    return succeed();
}

}  // namespace audio
