// The player's resident memory over videos played from the playlist and
// stopped, in the real player on an X server of its own, drawing through the
// media engine's GPU output as on a desktop.  Each iteration is the whole run;
// the counters give the memory after the first video and after the last.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>

#include "BenchMain.h"
#include "support/Ffmpeg.h"
#include "support/display/DisplaySession.h"

namespace {

using displaytest::PlayerSession;
using displaytest::waitUntil;

const QString kTitle = "Plenk Player";

// The resident memory of a process, in megabytes (0 when it is gone).
double residentMb(qint64 pid) {
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    static const QRegularExpression line("VmRSS:\\s+(\\d+) kB");
    const auto found = line.match(QString::fromLatin1(status.readAll()));
    return found.hasMatch() ? found.captured(1).toDouble() / 1024 : 0;
}

qint64 playerPid(PlayerSession& s, const QString& window) {
    static const QRegularExpression number("= (\\d+)");
    return number.match(s.property(window, "_NET_WM_PID")).captured(1).toLongLong();
}

// The playlist: count entries of the 20 s 640 x 360 clip, every brokenEvery-th
// one (from the second) a file that is no video.
bool writePlaylist(PlayerSession& s, int count, int brokenEvery) {
    const QString clip = s.program().file("Music/clip.mp4");
    QDir().mkpath(s.program().file("Music"));
    if (!testsupport::ffmpeg({"-f", "lavfi", "-i", "testsrc=size=640x360:rate=25:duration=20", "-f",
                              "lavfi", "-i", "sine=frequency=440:duration=20", "-c:v", "libx264",
                              "-pix_fmt", "yuv420p", "-c:a", "aac", "-shortest", clip}))
        return false;
    QFile source(clip);
    if (!source.open(QIODevice::ReadOnly)) return false;
    const QByteArray video = source.readAll();
    QByteArray list;
    for (int i = 0; i < count; ++i) {
        const bool broken = brokenEvery > 0 && i % brokenEvery == 1;
        const QByteArray bytes = broken ? QByteArray(4096, '\x5a') : video;
        list += s.program()
                    .write(QString("Music/clip%1.mp4").arg(i, 3, 10, QChar('0')), bytes)
                    .toUtf8() +
                "\r\n";
    }
    s.program().write("Data/plst.data", list);
    return true;
}

// The next entry by the Next key, held playing for holdMs, then stopped by the
// Stop key (the shipped shortcuts B and V).  False when it did not play and
// said so.
bool playNextAndStop(PlayerSession& s, const QString& main, int holdMs) {
    s.focus(main);
    s.key("b");
    bool playing = false;
    waitUntil(
        [&] {
            const auto texts = s.texts();
            playing =
                texts.value("Main.StarePlayer").compare("Playing", Qt::CaseInsensitive) == 0 &&
                texts.value("Main.LbActualCx(0)").toInt() > 1;
            return playing || s.windows(kTitle).size() > 1;
        },
        10000);
    if (!playing) return !s.dismissMessage(kTitle, main, 2000);
    QThread::msleep(holdMs);
    s.focus(main);
    s.key("v");
    // The stop closes the video: its size reads "-1" again.
    waitUntil([&] { return s.texts().value("Main.LbActualCx(0)").toInt() < 1; }, 5000);
    return true;
}

void runVideos(benchmark::State& state, int count, int brokenEvery, int holdMs) {
    PlayerSession s;
    if (!writePlaylist(s, count, brokenEvery)) {
        state.SkipWithError("ffmpeg made no video");
        return;
    }
    s.start();
    const QString main = s.waitForWindow(kTitle);
    const qint64 pid = main.isEmpty() ? 0 : playerPid(s, main);
    if (pid == 0) {
        state.SkipWithError("no player on the X server");
        return;
    }
    for (auto _ : state) {
        const double start = residentMb(pid);
        double first = 0, half = 0, peak = 0, last = 0;
        int refused = 0;
        for (int i = 0; i < count; ++i) {
            if (!playNextAndStop(s, main, holdMs)) ++refused;
            last = residentMb(pid);
            if (i == 0) first = last;
            if (i == count / 2 - 1) half = last;
            peak = std::max(peak, last);
        }
        state.counters["refused"] = refused;
        state.counters["start_MB"] = start;
        state.counters["first_MB"] = first;
        state.counters["last_MB"] = last;
        state.counters["peak_MB"] = peak;
        state.counters["growth_after_first_MB"] = last - first;
        state.counters["growth_second_half_MB"] = last - half;
    }
}

// 20 videos played 3 s each and stopped.
void BM_TwentyVideoOpenStopCycles(benchmark::State& state) {
    runVideos(state, 20, 0, 3000);
}
BENCHMARK(BM_TwentyVideoOpenStopCycles)->Iterations(1)->Unit(benchmark::kSecond);

// 100 videos opened in a row, every tenth one a broken file.
void BM_HundredVideosSomeBroken(benchmark::State& state) {
    runVideos(state, 100, 10, 300);
}
BENCHMARK(BM_HundredVideosSomeBroken)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
