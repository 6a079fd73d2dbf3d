// Start-up to the first shown main window, the Default skin applied, with a
// 100,000-entry playlist in file-name mode, and the shut-down that saves it again.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include "PlaylistFile.h"
#include "support/SkinFixture.h"
#include "windows/Main.h"

namespace {

void BM_StartUpWithALargePlaylist(benchmark::State& state) {
    const QByteArray playlist = playlistFile(100000);
    for (auto _ : state) {
        testsupport::SkinFixture p(false);
        p.program.write("Data/plst.data", playlist);
        QFile::copy(QString(PLENK_ASSETS) + "/settings.ini", p.program.file("settings.ini"));
        QElapsedTimer timer;
        timer.start();
        p.start();
        p.form<Main>().Show();
        QCoreApplication::processEvents();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
    }
}
BENCHMARK(BM_StartUpWithALargePlaylist)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);

void BM_ShutDownSavingALargePlaylist(benchmark::State& state) {
    const QByteArray playlist = playlistFile(100000);
    for (auto _ : state) {
        testsupport::PlayerFixture p(testsupport::notStarted());
        p.program.write("Data/plst.data", playlist);
        p.start();
        QElapsedTimer timer;
        timer.start();
        try {
            p.form<Main>().controller().ClosePlenk();
        } catch (const ui::ProcessExit&) {
        }
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
    }
}
BENCHMARK(BM_ShutDownSavingALargePlaylist)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
