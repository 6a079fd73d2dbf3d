#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <portaudio.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "platform/audio/Output.h"
#include "platform/sound/AlsaErrors.h"

namespace audio {

namespace {

// The sound system's libraries report every device they fail to find on standard
// error; on a machine without sound that is pages of noise, so it is muted while
// PortAudio looks around.
class MutedStandardError {
  public:
    MutedStandardError() : saved_(fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0)) {
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null >= 0) {
            dup2(null, STDERR_FILENO);
            close(null);
        }
    }
    ~MutedStandardError() {
        if (saved_ < 0) return;
        dup2(saved_, STDERR_FILENO);
        close(saved_);
    }

  private:
    int saved_;
};

// Where ALSA has no device at all, PortAudio's set-up can fail an assertion and
// take the program with it, so it is not tried unless ALSA's default device opens.
bool alsaOffersDevice() {
    sound::silenceAlsaErrors();
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) return false;
    snd_pcm_close(pcm);
    return true;
}

// PortAudio is set up once for the process, on first use.
bool portAudioReady() {
    static std::once_flag once;
    static bool ready = false;
    std::call_once(once, [] {
        if (!alsaOffersDevice()) return;
        MutedStandardError muted;
        ready = Pa_Initialize() == paNoError;
        if (ready) std::atexit([] { Pa_Terminate(); });
    });
    return ready;
}

class DeviceOutput : public Output {
  public:
    explicit DeviceOutput(Render render) : render_(std::move(render)) {}
    ~DeviceOutput() override {
        if (!stream_) return;
        Pa_AbortStream(stream_);
        Pa_CloseStream(stream_);
    }

    bool open(int rate) {
        MutedStandardError muted;
        if (Pa_OpenDefaultStream(&stream_, 0, 2, paFloat32, rate, paFramesPerBufferUnspecified,
                                 &DeviceOutput::callback, this) != paNoError) {
            stream_ = nullptr;
            return false;
        }
        return Pa_StartStream(stream_) == paNoError;
    }

  private:
    static int callback(const void*, void* out, unsigned long frames,
                        const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags, void* self) {
        auto* stereo = static_cast<float*>(out);
        if (!static_cast<DeviceOutput*>(self)->render_(stereo, frames))
            std::fill(stereo, stereo + 2 * frames, 0.0f);
        return paContinue;
    }

    Render render_;
    PaStream* stream_ = nullptr;
};

}  // namespace

std::unique_ptr<Output> openDeviceOutput(int rate, const Source& source) {
    if (!portAudioReady()) return nullptr;
    auto output = std::make_unique<DeviceOutput>(source.render);
    if (!output->open(rate)) return nullptr;
    return output;
}

}  // namespace audio
