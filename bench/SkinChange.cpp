// A change of skin with every window loaded, as the skin list makes it:
// clear both lists, read skin.ini, apply the skin.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>

#include "options/Options.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "support/SkinFixture.h"
#include "windows/Main.h"

namespace {

void BM_SkinChange(benchmark::State& state) {
    testsupport::SkinFixture f;
    f.form<Main>().Show();
    f.form<Playlist>().Show();
    f.form<MediaLibrary>().Show();
    QCoreApplication::processEvents();
    const char* skins[] = {"Silver", "Default"};
    int next = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        f.pick(skins[next]);
        QCoreApplication::processEvents();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        next = 1 - next;
    }
}
BENCHMARK(BM_SkinChange)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
