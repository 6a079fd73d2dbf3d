// A change of language with every window loaded and the menus owner-drawn,
// as the language list makes it: the menu window rebuilt, the file read,
// 136 captions set and the menus set up again.
#include <QElapsedTimer>

#include "BenchMain.h"
#include "options/Options.h"
#include "playlist/DialogForm.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "support/LanguageFixture.h"
#include "windows/FormMeniuri.h"
#include "windows/Main.h"

namespace {

void BM_LanguageChange(benchmark::State& state) {
    testsupport::LanguageFixture f;
    f.ship();
    f.form<Main>().Show();
    f.form<Playlist>().Show();
    f.form<MediaLibrary>().Show();
    f.form<Options>();
    f.form<DialogForm>();
    f.apply("English");
    QCoreApplication::processEvents();
    const char* languages[] = {"Romana", "English"};
    int next = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        f.apply(languages[next]);
        QCoreApplication::processEvents();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        next = 1 - next;
    }
    if (!f.form<FormMeniuri>().ownerDraw()) state.SkipWithError("the menus were not set up");
}
BENCHMARK(BM_LanguageChange)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
