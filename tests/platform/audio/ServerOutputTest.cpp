#include <algorithm>
#include <chrono>

#include "AudioTestSupport.h"
#include "SoundServer.h"

namespace audiotest {
namespace {

using namespace std::chrono;
using namespace std::chrono_literals;
using Clock = steady_clock;

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
    // Bytes of the 16-bit stereo stream before this second.
    static QWORD byteAt(int second) { return QWORD(second) * 44100 * 2 * 2; }
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

    // Waits until the sink's clock has run on by frames more (quiet or not).
    bool sinkRunsOn(std::size_t frames) const {
        const std::size_t from = monitor->frames();
        return pollUntil([&] { return monitor->frames() > from + frames; });
    }
    // The output threads' wake-up counts once neither has woken over a tenth
    // of a second of the sink's time; false when they never settle.
    bool threadsSettle(long& feederWakes, long& serverWakes) const {
        return pollUntil([&] {
            feederWakes = wakeUps("plenk-feeder");
            serverWakes = wakeUps("plenk-server");
            return sinkRunsOn(4410) && wakeUps("plenk-feeder") == feederWakes &&
                   wakeUps("plenk-server") == serverWakes;
        });
    }

    // Waits until the sink has been quiet for a fifth of a second.
    bool settlesQuiet() const {
        return pollUntil([&] {
            const std::size_t frames = monitor->frames();
            return frames > 8820 && !monitor->sound(frames - 8820).found;
        });
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
    // What the server held already plays out at the old volume first.
    ASSERT_TRUE(pollUntil([&] {
        const std::size_t frames = monitor->frames();
        return monitor->sound(frames - 2205).rms < 0.15 / std::sqrt(2.0);
    }));
    const std::size_t from = monitor->frames();
    ASSERT_TRUE(pollUntil([&] { return heardSeconds(from) > 0.3; }));
    EXPECT_NEAR(monitor->sound(from).rms, 0.1 / std::sqrt(2.0), 0.005);
}

// What the position says while playing the sink has been sent: no more than
// it had once the pause that follows was answered. Only that bound is
// checked, as how far the position lags the sink depends on when the
// server's account of it arrives. Paused, the position is where the sound
// stopped, and the sink stays quiet; played again, it goes on from there.
// How soon the sink goes quiet and sounds again is for bench_ServerLatency
// to say.
TEST_F(ServerOutputTest, PositionPauseAndResumeFollowTheSink) {
    const HSTREAM stream = open({.seconds = 5.0});
    // Where the stretch of sound since `from` started (a late write plays
    // silence and counts it, as the sink does).
    double at = 0.0;
    std::size_t from = 0;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
        ASSERT_TRUE(pollUntil([&] { return heardSeconds(from) > 0.3; }));
        const double position = seconds(stream);
        ASSERT_TRUE(bass.BASS_ChannelPause(stream));
        ASSERT_TRUE(settlesQuiet());
        const double heard = at + heardSeconds(from);
        EXPECT_LE(position, heard + 0.02);
        EXPECT_NEAR(seconds(stream), heard, 0.02);
        EXPECT_EQ(bass.BASS_ChannelIsActive(stream), BASS_ACTIVE_PAUSED);
        from = monitor->frames();
        ASSERT_TRUE(sinkRunsOn(8820));
        EXPECT_FALSE(monitor->sound(from).found);
        at = seconds(stream);
    }
}

TEST_F(ServerOutputTest, SeekIsHeardAtOnceAndPlaysOn) {
    const HSTREAM stream = open({.seconds = 5.0});
    playUntil(stream, 0.3);
    ASSERT_TRUE(bass.BASS_ChannelSetPosition(stream, byteAt(3), BASS_POS_BYTE));
    EXPECT_NEAR(seconds(stream), 3.0, 0.02);
    ASSERT_TRUE(pollUntil([&] { return seconds(stream) > 3.2; }, 2s));
    ASSERT_TRUE(
        pollUntil([&] { return bass.BASS_ChannelIsActive(stream) == BASS_ACTIVE_STOPPED; }));
    EXPECT_EQ(bass.BASS_ChannelGetPosition(stream, BASS_POS_BYTE),
              bass.BASS_ChannelGetLength(stream, BASS_POS_BYTE));
}

// A seek goes from the old place to the new one without a gap: what the
// output held of the old place is passed at once, not waited out, and the new
// place is not padded out with silence. Seeking from a quiet place to a tone
// of a second, the sink hears the tone whole and no longer than it is (a
// late write on a busy machine leaves out what was due meanwhile, so it does
// not stretch the tone either). How soon the tone starts is for
// bench_ServerLatency to say.
TEST_F(ServerOutputTest, ASeekLeavesNoSilence) {
    const HSTREAM stream = open({.seconds = 1.0, .silenceAfter = 4.0});
    ASSERT_TRUE(bass.BASS_ChannelSetPosition(stream, byteAt(2), BASS_POS_BYTE));
    ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
    ASSERT_TRUE(pollUntil([&] { return seconds(stream) > 2.3; }));
    const std::size_t sought = monitor->frames();
    ASSERT_TRUE(bass.BASS_ChannelSetPosition(stream, 0, BASS_POS_BYTE));
    ASSERT_TRUE(pollUntil([&] { return seconds(stream) > 1.3; }));
    ASSERT_TRUE(settlesQuiet());
    const auto tone = monitor->sound(sought);
    EXPECT_NEAR(static_cast<double>(tone.end - tone.first) / 44100.0, 1.0, 0.01);
    const auto gaps = monitor->gaps(tone.first, tone.end);
    EXPECT_TRUE(gaps.empty()) << ::testing::PrintToString(gaps) << " frames of quiet in the tone";
}

// Paused or stopped, the output's threads sleep: the stream is corked and nothing
// has a timer running.
TEST_F(ServerOutputTest, NothingWakesWhilePausedOrStopped) {
    const HSTREAM stream = open({.seconds = 5.0});
    playUntil(stream, 0.3);
    for (const auto pause : {&Bass::BASS_ChannelPause, &Bass::BASS_ChannelStop}) {
        ASSERT_TRUE((bass.*pause)(stream));
        // Settled: the feeder's last round has run and the server has answered,
        // so neither thread woke over a tenth of a second.
        ASSERT_TRUE(settlesQuiet());
        long feeder = 0;
        long server = 0;
        ASSERT_TRUE(threadsSettle(feeder, server));
        ASSERT_GT(feeder, 0);
        ASSERT_GT(server, 0);
        const std::size_t frames = monitor->frames();
        ASSERT_TRUE(sinkRunsOn(22050));
        EXPECT_EQ(wakeUps("plenk-feeder"), feeder);
        EXPECT_EQ(wakeUps("plenk-server"), server);
        ASSERT_TRUE(bass.BASS_ChannelPlay(stream, false));
        ASSERT_TRUE(pollUntil([&] { return monitor->sound(frames).found; }));
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
            bass.BASS_ChannelSetPosition(stream, byteAt(1), BASS_POS_BYTE);
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
