#include "platform/media/TestBackend.h"

#include "platform/clock/Clock.h"

namespace media {

namespace {

class TestDevice : public MciDevice {
  public:
    TestDevice(ui::Clock& clock, const TestMedium& medium, TestMediumState& state)
        : clock_(clock), medium_(medium), state_(state) {}
    ~TestDevice() override { state_.open = false; }

    double lengthMs() const override { return medium_.lengthMs; }
    double frameRate() const override {
        return medium_.picture ? medium_.frameRate : kNominalFrameRate;
    }
    std::optional<QSize> pictureSize() const override { return medium_.picture; }
    double speed() const override { return 1.0; }
    void place(const QRect& rect) override { state_.window = rect; }
    void applySubtitles(const SubtitleSettings& settings) override {
        state_.subtitles.push_back(settings);
    }
    MciError setVolume(int left, int right) override {
        state_.leftVolume = left;
        state_.rightVolume = right;
        return MciError::None;
    }

  protected:
    MciError startEngine(double fromMs, double toMs) override {
        toMs_ = toMs;
        playedOut_ = false;
        resumeEngine(fromMs);
        return MciError::None;
    }
    void pauseEngine() override {}
    void resumeEngine(double fromMs) override {
        startMs_ = fromMs;
        startedAt_ = clock_.nowMs();
    }
    MciError seekEngine(double) override { return MciError::None; }
    double enginePositionMs() override {
        return startMs_ + static_cast<double>(clock_.nowMs() - startedAt_);
    }
    bool engineReachedEnd() override { return playedOut_ || enginePositionMs() >= toMs_; }
    // Nothing to wait for: the range counts as played out at once.
    MciError waitForEnd(double) override {
        playedOut_ = true;
        return MciError::None;
    }

  private:
    ui::Clock& clock_;
    TestMedium medium_;
    TestMediumState& state_;
    double startMs_ = 0;
    double toMs_ = 0;
    std::int64_t startedAt_ = 0;
    bool playedOut_ = false;
};

}  // namespace

void TestBackend::addMedium(const std::string& path, const TestMedium& medium) {
    media_[path] = medium;
}

const TestMediumState* TestBackend::state(const std::string& path) const {
    auto it = states_.find(path);
    return it == states_.end() ? nullptr : &it->second;
}

OpenOutcome TestBackend::open(const OpenParams& params) {
    const bool cd = params.kind == MediumKind::CdAudio;
    const std::string name = cd ? kCdName : params.path;
    auto it = media_.find(name);
    if (cd && (!drivePresent_ || it == media_.end())) return {MciError::NoCdDrive, nullptr};
    if (it == media_.end()) return {MciError::FileNotFound, nullptr};
    if (it->second.openError != MciError::None) return {it->second.openError, nullptr};
    TestMediumState& state = states_[name];
    state = TestMediumState{true, params.parent, std::nullopt, 1000, 1000, {}};
    return {MciError::None, std::make_unique<TestDevice>(clock_, it->second, state)};
}

MciError TestBackend::setDoor(bool open) {
    if (!drivePresent_) return MciError::NoCdDrive;
    doorOpen_ = open;
    return MciError::None;
}

}  // namespace media
