// The options window shown on a page, as a menu item shows it: the page named
// in Fr, the show, the activation that opens the page (the Info page reads
// the shipped readme.txt), then a switch to the next page by its label.
#include <QElapsedTimer>
#include <QFile>

#include "BenchMain.h"
#include "options/Options.h"
#include "support/SkinFixture.h"

namespace {

void BM_OptionsShow(benchmark::State& state) {
    testsupport::SkinFixture f;
    QFile::copy(PLENK_ASSETS "/readme.txt", f.program.file("readme.txt"));
    Options& o = f.form<Options>();
    const char* pages[] = {"About", "General", "Skin", "Keyboard", "Association"};
    int next = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        o.Fr.setCaption(pages[next]);
        o.Show();
        QCoreApplication::processEvents();
        o.Label8_Click();
        QCoreApplication::processEvents();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        o.Hide();
        QCoreApplication::processEvents();
        next = (next + 1) % 5;
    }
    if (o.Readme.Text().size() < 100) state.SkipWithError("readme.txt was not shown");
}
BENCHMARK(BM_OptionsShow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
