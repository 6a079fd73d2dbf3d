#include <algorithm>
#include <chrono>

#include "AudioTestSupport.h"
#include "SoundServer.h"

namespace audiotest {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;
using Clock = steady_clock;

double ms(Clock::duration d) {
    return duration<double, std::milli>(d).count();
}

template <typename Call>
duration<double, std::milli> taken(Call call) {
    const auto start = Clock::now();
    call();
    return Clock::now() - start;
}

// Far more than calls that wait for nothing take on the busiest machine, and
// well short of a wait for a server that answers nothing (a second and more).
// How long the calls take is for bench_StoppedServer to say.
constexpr auto kNoWait = 1s;

// The live library playing to a sound server of the test's own, whose null sink's
// monitor is recorded: what the server was sent, and when.
class ServerOutputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!SoundServer::installed()) GTEST_SKIP() << "no sound server program installed";
        server = std::make_unique<SoundServer>();
        ASSERT_TRUE(server->answering());
        monitor = std::make_unique<MonitorRecorder>();
        ASSERT_TRUE(monitor->recording());
        ASSERT_TRUE(bass.BASS_Init(-1, 44100, 0, 0, nullptr));
    }
    // A test that stopped the server lets it go on first: the recorder waits for it.
    void TearDown() override {
        if (server) server->resume();
        bass.BASS_Free();
        monitor.reset();
    }

    HSTREAM open(const Tone& tone) {
        const QString path = writeTone(dir.file("tone.wav"), kWav, tone);
        return bass.BASS_StreamCreateFile(false, path.utf16(), 0, 0, BASS_SAMPLE_FX | BASS_UNICODE);
    }
    double seconds(HSTREAM stream) {
        return bass.BASS_ChannelBytes2Seconds(stream,
                                              bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE));
    }
    // Plays until the sink has had `played` seconds of it.
    void playUntil(HSTREAM stream, double played) {
        ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
        ASSERT_TRUE(pollUntil([&] { return heardSeconds() >= played; }));
    }
    double heardSeconds(std::size_t from = 0) const {
        const auto sound = monitor->sound(from);
        return sound.found ? static_cast<double>(sound.end - sound.first) / 44100.0 : 0.0;
    }

    // The longest run of frames the sink was sent without sound, between two
    // frames of the monitor, in ms (to the nearest 2.5 ms).
    double longestSilenceMs(std::size_t from, std::size_t to) const {
        std::size_t longest = 0;
        for (std::size_t k = from; k < to; k += 110) {
            const auto sound = monitor->sound(k);
            if (sound.found) longest = std::max(longest, sound.first - k);
        }
        return static_cast<double>(longest) * 1000.0 / 44100.0;
    }

    std::unique_ptr<SoundServer> server;
    std::unique_ptr<MonitorRecorder> monitor;
    testsupport::TempDir dir;
    ui::LiveClock clock;
    Bass bass{clock};
};

TEST_F(ServerOutputTest, ToneReachesTheSinkAtThePlayersVolume) {
    const HSTREAM stream = open({.seconds = 3.0, .amplitude = 0.5});
    ASSERT_TRUE(bass.BASS_SetConfig(BASS_CONFIG_GVOL_STREAM, 5000));
    playUntil(stream, 0.5);
    EXPECT_NEAR(monitor->sound().rms, 0.25 / std::sqrt(2.0), 0.005);
    ASSERT_TRUE(bass.BASS_SetConfig(BASS_CONFIG_GVOL_STREAM, 2000));
    const std::size_t from = monitor->frames() + 44100 / 2;
    ASSERT_TRUE(pollUntil([&] { return heardSeconds(from) > 0.3; }));
    EXPECT_NEAR(monitor->sound(from).rms, 0.1 / std::sqrt(2.0), 0.005);
}

// What the position says while playing is what the sink has been sent, and a
// pause leaves the sink quiet at once, with the position where the sound stopped.
TEST_F(ServerOutputTest, PositionPauseAndResumeFollowTheSink) {
    const HSTREAM stream = open({.seconds = 5.0});
    playUntil(stream, 0.5);
    for (int i = 0; i < 5; ++i) {
        const double before = heardSeconds();
        const double position = seconds(stream);
        const double after = heardSeconds();
        EXPECT_GE(position, before - 0.02);
        EXPECT_LE(position, after + 0.02);
        const std::size_t frames = monitor->frames();
        ASSERT_TRUE(pollUntil([&] { return monitor->frames() > frames + 2000; }));
    }
    const double position = seconds(stream);
    const auto paused = Clock::now();
    ASSERT_TRUE(bass.BASS_ChannelPause(stream));
    const std::size_t quietFrom = monitor->frames() + 44100 / 10;
    ASSERT_TRUE(pollUntil([&] { return monitor->frames() > quietFrom + 4410; }));
    EXPECT_FALSE(monitor->sound(quietFrom).found);
    EXPECT_LT(ms(monitor->sound().lastArrived - paused), 50.0);
    EXPECT_NEAR(heardSeconds(), position, 0.02);
    EXPECT_NEAR(seconds(stream), position, 0.02);
    EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_PAUSED);

    const std::size_t resumeFrom = monitor->frames();
    const auto resumed = Clock::now();
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    ASSERT_TRUE(pollUntil([&] { return monitor->sound(resumeFrom).found; }));
    EXPECT_LT(ms(monitor->sound(resumeFrom).firstArrived - resumed), 50.0);
    ASSERT_TRUE(pollUntil([&] { return heardSeconds(resumeFrom) > 0.3; }));
    EXPECT_NEAR(seconds(stream), position + heardSeconds(resumeFrom), 0.03);
}

TEST_F(ServerOutputTest, SeekIsHeardAtOnceAndPlaysOn) {
    const HSTREAM stream = open({.seconds = 5.0});
    playUntil(stream, 0.3);
    ASSERT_TRUE(bass.BASS_ChannelSetPosition(stream, 4 * 44100 * 3, BASS_POS_BYTE));
    EXPECT_NEAR(seconds(stream), 3.0, 0.02);
    ASSERT_TRUE(pollUntil([&] { return seconds(stream) > 3.2; }, 2s));
    ASSERT_TRUE(
        pollUntil([&] { return bass.BASS_ChannelIsActive(stream) == BASS_ACTIVE_STOPPED; }));
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE),
              bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE));
}

// A seek goes from the old place to the new one without a gap: what the
// output held of the old place is passed at once, not waited out.
TEST_F(ServerOutputTest, ASeekLeavesNoSilence) {
    const HSTREAM stream = open({.seconds = 5.0});
    playUntil(stream, 0.5);
    const std::size_t sought = monitor->frames();
    ASSERT_TRUE(bass.BASS_ChannelSetPosition(stream, 4 * 44100, BASS_POS_BYTE));
    ASSERT_TRUE(pollUntil([&] { return monitor->frames() > sought + 44100; }, 3s));
    EXPECT_LT(longestSilenceMs(sought - 11025, sought + 44100), 50.0);
}

// Paused or stopped, the output's threads sleep: the stream is corked and nothing
// has a timer running.
TEST_F(ServerOutputTest, NothingWakesWhilePausedOrStopped) {
    const HSTREAM stream = open({.seconds = 5.0});
    playUntil(stream, 0.3);
    for (const auto pause : {&Bass::BASS_ChannelPause, &Bass::BASS_ChannelStop}) {
        ASSERT_TRUE((bass.*pause)(stream));
        const std::size_t frames = monitor->frames();
        // Settled: the feeder's last round has run and the server has answered.
        ASSERT_TRUE(pollUntil([&] { return monitor->frames() > frames + 4410; }));
        const long feeder = wakeUps("plenk-feeder");
        const long server = wakeUps("plenk-server");
        ASSERT_GT(feeder, 0);
        ASSERT_GT(server, 0);
        ASSERT_TRUE(pollUntil([&] { return monitor->frames() > frames + 4410 + 22050; }));
        EXPECT_EQ(wakeUps("plenk-feeder"), feeder);
        EXPECT_EQ(wakeUps("plenk-server"), server);
        ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
        ASSERT_TRUE(pollUntil([&] { return monitor->sound(frames + 4410).found; }));
    }
}

// A server that stops answering holds up no control: pause, play and seek
// return without its answer, and are heard once it goes on.
TEST_F(ServerOutputTest, AStoppedServerHoldsUpNoControl) {
    const HSTREAM stream = open({.seconds = 5.0});
    playUntil(stream, 0.3);
    server->stop();
    // Five rounds: a wait on any one kind of call would take five seconds.
    const auto controls = [&] {
        for (int i = 0; i < 5; ++i) {
            bass.BASS_ChannelPause(stream);
            bass.BASS_ChannelPlay(stream, false);
            bass.BASS_ChannelSetPosition(stream, 4 * 44100, BASS_POS_BYTE);
        }
    };
    EXPECT_LT(taken(controls), kNoWait);
    server->resume();
    ASSERT_TRUE(pollUntil([&] { return seconds(stream) > 1.2; }));
}

// A server that said nothing is not waited for a second time through ALSA's
// default device where that is the server's own plugin (as it is wherever the
// plugin's configuration is installed): the next output is the null one.
TEST_F(ServerOutputTest, AStoppedServerIsNotAskedAgainThroughAlsa) {
    server->stop();
    const Source silent{
        [](float*, std::size_t) { return false; }, [](std::uint64_t) {}, [](std::uint64_t) {}, {}};
    std::unique_ptr<Output> output;
    EXPECT_LT(taken([&] { output = openDesktopOutput(44100, silent); }), 4500ms);
    EXPECT_EQ(output, nullptr);
}

// A free while the output is still being opened does not wait for a stopped server
// either: the feeder is left to give up on its own.
TEST_F(ServerOutputTest, AFreeDoesNotWaitForAStoppedServer) {
    server->stop();
    ASSERT_TRUE(bass.BASS_ChannelPlay(open({.seconds = 1.0}), false));
    EXPECT_LT(taken([&] { bass.BASS_Free(); }), kNoWait);
}

// A server that goes away mid-track hands over to the next output: the channel
// plays on from what was heard, to its end.
TEST_F(ServerOutputTest, ServerGoneWhilePlayingPlaysOnToTheEnd) {
    CapturedStandardError noise;
    const HSTREAM stream = open({.seconds = 1.5});
    playUntil(stream, 0.3);
    monitor.reset();
    const double before = seconds(stream);
    server->kill();
    ASSERT_TRUE(pollUntil([&] { return seconds(stream) > before + 0.3; }));
    ASSERT_TRUE(
        pollUntil([&] { return bass.BASS_ChannelIsActive(stream) == BASS_ACTIVE_STOPPED; }));
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE),
              bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE));
    EXPECT_TRUE(bass.BASS_Free());
    EXPECT_EQ(noise.text(), QByteArray());
}

// Without a server, or with one that refuses the stream (no sink to play to), the
// output is the next one there is, quietly.
TEST(ServerOutputFallbackTest, NoServerOrARefusingOnePlaysQuietlyElsewhere) {
    if (!SoundServer::installed()) GTEST_SKIP() << "no sound server program installed";
    testsupport::TempDir dir;
    const QString path = writeTone(dir.file("a.wav"), kWav, {.seconds = 0.3});
    const auto playThrough = [&] {
        CapturedStandardError noise;
        ui::LiveClock clock;
        Bass bass(clock);
        EXPECT_TRUE(bass.BASS_Init(-1, 44100, 0, 0, nullptr));
        const HSTREAM stream = bass.BASS_StreamCreateFile(false, path.utf16(), 0, 0, BASS_UNICODE);
        EXPECT_TRUE(bass.BASS_ChannelPlay(stream, false));
        EXPECT_TRUE(
            pollUntil([&] { return bass.BASS_ChannelIsActive(stream) == BASS_ACTIVE_STOPPED; }));
        EXPECT_TRUE(bass.BASS_Free());
        EXPECT_EQ(noise.text(), QByteArray());
    };
    {
        SoundServer refusing(false);
        ASSERT_TRUE(refusing.answering());
        playThrough();
    }
    testsupport::TempDir empty;
    setenv("PULSE_SERVER", ("unix:" + empty.file("none")).toLocal8Bit().constData(), 1);
    playThrough();
    unsetenv("PULSE_SERVER");
}

}  // namespace
}  // namespace audiotest
