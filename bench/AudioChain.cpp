// Decoding, ten equalizer bands, the reverb and the spectrum of a 3-minute mp3
// through the engine on one thread (manual clock, null output), beside plain
// decoding of the same file by the engine's decoder and by libsndfile; and the
// opening of a 10-minute 320 kbit/s mp3 with its exact length, and of big files that
// are sound files or only start like one (what the window's thread waits for when
// a file is played), a gigabyte mp3 among them, and the wait for its length a second
// later. The realtime_x
// counter is how many times faster than real time the file is processed.
#include <benchmark/benchmark.h>

#include <QFile>
#include <chrono>
#include <thread>
#include <utility>

#include "AudioBenchSupport.h"
#include "platform/audio/Decoder.h"
#include "platform/clock/Clock.h"

namespace {

constexpr double kSeconds = 180.0;

void setRealtime(benchmark::State& state, double seconds) {
    state.counters["realtime_x"] =
        benchmark::Counter(seconds * state.iterations(), benchmark::Counter::kIsRate);
}

void PlainDecode(benchmark::State& state) {
    const std::string path = audiobench::benchMusic(kSeconds);
    std::vector<float> buffer(2 * 1024);
    for (auto _ : state) {
        const auto decoder = audio::openSoundFile(path);
        std::uint64_t frames = 0;
        while (const std::size_t got = decoder->read(buffer.data(), 1024))
            frames += got;
        benchmark::DoNotOptimize(frames);
    }
    setRealtime(state, kSeconds);
}

void LibSndFileDecode(benchmark::State& state) {
    const std::string path = audiobench::benchMusic(kSeconds);
    std::vector<float> buffer(2 * 1024);
    for (auto _ : state) {
        SF_INFO info{};
        SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
        sf_count_t frames = 0;
        while (const sf_count_t got = sf_readf_float(file, buffer.data(), 1024))
            frames += got;
        sf_close(file);
        benchmark::DoNotOptimize(frames);
    }
    setRealtime(state, kSeconds);
}

// Played to its end with the clock moved on 25 ms at a time and the spectrum read
// after each step, as the visualisation does.
void FullChain(benchmark::State& state) {
    const std::string path = audiobench::benchMusic(kSeconds);
    std::vector<float> bins(1024);
    for (auto _ : state) {
        ui::ManualClock clock;
        audio::Bass bass(clock, {audio::OutputChoice::Null, {}});
        const audio::HSTREAM stream = audiobench::openWithEffects(bass, path, true);
        bass.BASS_ChannelPlay(stream, false);
        while (bass.BASS_ChannelIsActive(stream) != audio::BASS_ACTIVE_STOPPED) {
            clock.advance(25);
            bass.BASS_ChannelGetData(stream, bins.data(), audio::BASS_DATA_FFT2048);
        }
        benchmark::DoNotOptimize(bins.data());
    }
    setRealtime(state, kSeconds);
}

// The open and the walk of every frame's header behind it (its first 8 MiB on
// the opening thread), to the exact length; the file is cached after one run.
void OpenWithExactLength(benchmark::State& state) {
    const std::string path = audiobench::benchMusic(600.0, true);
    for (auto _ : state) {
        const auto decoder = audio::openSoundFile(path);
        benchmark::DoNotOptimize(decoder->frames());
    }
}

void putLittleEndian(QByteArray& bytes, quint32 value, int size) {
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>(value >> (8 * i) & 0xFF);
}

// A 44.1 kHz 16-bit stereo WAV of a gigabyte that takes no room on the disk; with
// `inAChunk`, its header ends inside a chunk that claims more than the file holds,
// so it is no WAV at all.
std::string gigabyteWav(bool inAChunk) {
    static QTemporaryDir dir;
    constexpr quint32 kBytes = 1u << 30;
    QByteArray head = "RIFF";
    putLittleEndian(head, kBytes - 8, 4);
    head += "WAVEfmt ";
    for (const auto& [value, size] :
         {std::pair{16u, 4}, {1u, 2}, {2u, 2}, {44100u, 4}, {44100u * 4, 4}, {4u, 2}, {16u, 2}})
        putLittleEndian(head, value, size);
    head += inAChunk ? "junk" : "data";
    putLittleEndian(head, inAChunk ? 0x7FFFFFFFu : kBytes - 44, 4);
    const QString path = dir.path() + (inAChunk ? "/in-a-chunk.wav" : "/silence.wav");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(head);
        file.resize(kBytes);
    }
    return path.toStdString();
}

void OpenFile(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        const auto decoder = audio::openSoundFile(path);
        benchmark::DoNotOptimize(decoder.get());
    }
}

void OpenGigabyteNotSound(benchmark::State& state) {
    OpenFile(state, gigabyteWav(true));
}
void OpenGigabyteWav(benchmark::State& state) {
    OpenFile(state, gigabyteWav(false));
}
void OpenThreeMinuteMp3(benchmark::State& state) {
    OpenFile(state, audiobench::benchMusic(kSeconds));
}

// The 3-minute file at a constant 320 kbit/s with no bitrate in its headers:
// free format, each frame's length known from where the next one starts.
std::string freeFormatMusic() {
    static QTemporaryDir dir;
    const QString path = dir.path() + "/free.mp3";
    QFile in(QString::fromStdString(audiobench::benchMusic(kSeconds, true)));
    QFile out(path);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) return {};
    QByteArray bytes = in.readAll();
    constexpr qsizetype kFrameBytes = 144 * 320000 / 44100;
    for (qsizetype at = bytes.indexOf("\xFF\xFB");
         at >= 0 && at + 4 <= bytes.size() && static_cast<unsigned char>(bytes[at]) == 0xFF;
         at += kFrameBytes + (bytes[at + 2] >> 1 & 1))
        bytes[at + 2] = static_cast<char>(bytes[at + 2] & 0x0F);
    out.write(bytes);
    return path.toStdString();
}

// Its `seconds` counter is the length it opens with, 0 where it is refused.
void OpenFreeFormatMp3(benchmark::State& state) {
    static const std::string path = freeFormatMusic();
    OpenFile(state, path);
    const auto decoder = audio::openSoundFile(path);
    state.counters["seconds"] =
        decoder ? static_cast<double>(decoder->frames()) / decoder->rate() : 0.0;
}

// A gigabyte of mp3: the 10-minute 320 kbit/s file again and again, some seven hours.
std::string gigabyteMp3() {
    static QTemporaryDir dir;
    const QString path = dir.path() + "/gigabyte.mp3";
    if (QFileInfo::exists(path)) return path.toStdString();
    QFile music(QString::fromStdString(audiobench::benchMusic(600.0, true)));
    QFile file(path);
    if (!music.open(QIODevice::ReadOnly) || !file.open(QIODevice::WriteOnly)) return {};
    const QByteArray bytes = music.readAll();
    while (file.size() < (qint64{1} << 30))
        file.write(bytes);
    return path.toStdString();
}

// What the window's thread waits for when such a file is played.
void OpenGigabyteMp3(benchmark::State& state) {
    OpenFile(state, gigabyteMp3());
}

// The length the host asks for on its first tick, a second after the file opened.
void GigabyteMp3LengthAfterOneSecond(benchmark::State& state) {
    const std::string path = gigabyteMp3();
    for (auto _ : state) {
        state.PauseTiming();
        const auto decoder = audio::openSoundFile(path);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        state.ResumeTiming();
        benchmark::DoNotOptimize(decoder->frames());
    }
}

BENCHMARK(PlainDecode)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(LibSndFileDecode)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(FullChain)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(OpenWithExactLength)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(OpenGigabyteNotSound)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(OpenGigabyteWav)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(OpenThreeMinuteMp3)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(OpenFreeFormatMp3)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(OpenGigabyteMp3)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(GigabyteMp3LengthAfterOneSecond)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
