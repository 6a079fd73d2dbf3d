// Start-up to the first shown main window with a 100,000-entry playlist in
// file-name mode, and the shut-down that saves it again.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include "support/PlayerFixture.h"
#include "windows/Main.h"

namespace {

QByteArray bigPlaylist() {
    QByteArray bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += QString("/home/user/Music/Artist %1/Album %2/%3 - Some song title.mp3\r\n")
                     .arg(i % 300)
                     .arg(i % 40)
                     .arg(i)
                     .toUtf8();
    return bytes;
}

void BM_StartUpWithALargePlaylist(benchmark::State& state) {
    const QByteArray playlist = bigPlaylist();
    for (auto _ : state) {
        testsupport::PlayerFixture p(testsupport::notStarted());
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
    const QByteArray playlist = bigPlaylist();
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
