// The mini window: one mirror tick with nothing changed on Main, and the
// switch into mini mode as the menu makes it (the load with its 31 skin
// pictures, then the window shown).
#include <QElapsedTimer>

#include "BenchMain.h"
#include "shared/DataForm.h"
#include "support/SkinFixture.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

namespace {

void enterMini(testsupport::SkinFixture& f) {
    Main& m = f.form<Main>();
    m.Hide();
    MiniForm& w = f.form<MiniForm>();
    w.Move(m.Left(), m.Top());
    w.setIconPath(m.IconPath());
    w.Show();
    f.form<DataForm>().MiniMode.setCaption("True");
}

void BM_MirrorTick(benchmark::State& state) {
    testsupport::SkinFixture f;
    f.form<Main>().Show();
    enterMini(f);
    MiniForm& w = f.form<MiniForm>();
    w.Timer1_Timer();
    QCoreApplication::processEvents();
    for (auto _ : state)
        w.Timer1_Timer();
}
BENCHMARK(BM_MirrorTick)->Unit(benchmark::kMicrosecond);

void BM_SwitchToMini(benchmark::State& state) {
    testsupport::SkinFixture f;
    Main& m = f.form<Main>();
    m.Show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        enterMini(f);
        QCoreApplication::processEvents();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        f.form<MiniForm>().Unload();
        f.form<DataForm>().MiniMode.setCaption("False");
        m.Show();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_SwitchToMini)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
