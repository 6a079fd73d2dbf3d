// Start-up to the first shown main window, the Default skin applied and the
// events of the start handled, with a large playlist in file-name mode and in
// a tag mode, and the shut-down that saves it again.  The entries come in
// while the windows already answer: each start case also reports when the
// last one was in (all_in_ms, brought in at once rather than a few blocks
// per tick) and the peak memory of the process when the windows showed and
// by then (VmHWM, reset before each start; the benchmark's own code and Qt
// included).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include "PlaylistFile.h"
#include "support/SkinFixture.h"
#include "support/TempDir.h"
#include "windows/Main.h"

namespace {

enum Mode { FileNames = 0, Tags = 1 };

// The shipped settings with the playlist showing file names or tag titles
// (lines 58 and 59: file names, "artist - title").
QByteArray settings(Mode mode) {
    QFile shipped(QString(PLENK_ASSETS) + "/settings.ini");
    if (!shipped.open(QIODevice::ReadOnly)) return {};
    QList<QByteArray> lines = shipped.readAll().split('\n');
    lines[57] = mode == FileNames ? "True\r" : "False\r";
    lines[58] = mode == Tags ? "True\r" : "False\r";
    return lines.join('\n');
}

// The files of one case, written once and copied into each fresh program folder.
struct Lists {
    testsupport::TempDir dir;
    Lists(int entries, Mode mode) {
        dir.write("plst.data", playlistFile(entries));
        if (mode == Tags) dir.write("id3.data", tagTextsFile(entries));
        dir.write("settings.ini", settings(mode));
    }
    void copyInto(testsupport::TempDir& program) const {
        for (const char* name : {"plst.data", "id3.data"})
            QFile::copy(dir.file(name), program.file(QString("Data/") + name));
        QFile::copy(dir.file("settings.ini"), program.file("settings.ini"));
    }
};

// Peak resident memory since the last reset, in MiB.
double peakMiB() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ')[0].toDouble() / 1024;
    return 0;
}

void resetPeak() {
    QFile refs("/proc/self/clear_refs");
    if (refs.open(QIODevice::WriteOnly)) refs.write("5");
}

void label(benchmark::State& state) {
    state.SetLabel(std::to_string(state.range(0)) +
                   (state.range(1) == Tags ? " entries, tag titles" : " entries, file names"));
}

void BM_StartUpWithALargePlaylist(benchmark::State& state) {
    const Lists lists(static_cast<int>(state.range(0)), static_cast<Mode>(state.range(1)));
    double peak = 0;
    double allIn = 0;
    for (auto _ : state) {
        testsupport::SkinFixture p(false);
        lists.copyInto(p.program);
        resetPeak();
        QElapsedTimer timer;
        timer.start();
        p.start();
        p.form<Main>().Show();
        QCoreApplication::processEvents();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        state.counters["shown_peak_MiB"] = peakMiB();
        p.form<Main>().controller().FinishLoadingPlaylist();
        allIn = std::max(allIn, timer.nsecsElapsed() / 1e6);
        peak = std::max(peak, peakMiB());
    }
    state.counters["all_in_ms"] = allIn;
    state.counters["peak_MiB"] = peak;
    label(state);
}
BENCHMARK(BM_StartUpWithALargePlaylist)
    ->ArgsProduct({{100000, 300000, 1000000}, {FileNames, Tags}})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

void BM_ShutDownSavingALargePlaylist(benchmark::State& state) {
    const Lists lists(static_cast<int>(state.range(0)), static_cast<Mode>(state.range(1)));
    for (auto _ : state) {
        testsupport::PlayerFixture p(testsupport::notStarted());
        lists.copyInto(p.program);
        p.start();
        p.form<Main>().controller().FinishLoadingPlaylist();
        QElapsedTimer timer;
        timer.start();
        try {
            p.form<Main>().controller().ClosePlenk();
        } catch (const ui::ProcessExit&) {
        }
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
    }
    label(state);
}
BENCHMARK(BM_ShutDownSavingALargePlaylist)
    ->ArgsProduct({{100000, 1000000}, {FileNames, Tags}})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
