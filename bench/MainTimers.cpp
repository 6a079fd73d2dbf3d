// One tick of each of the main window's frequent timers with nothing to
// change, and one layout pass with a stretched video.  The player is skinned
// and shown, with the playlist docked, as a user sees it.
#include <QCoreApplication>

#include "BenchMain.h"
#include "options/Options.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/SkinFixture.h"
#include "windows/Main.h"

namespace {

struct ShownPlayer {
    testsupport::SkinFixture f;
    Main& m = f.form<Main>();
    ShownPlayer() {
        m.Show();
        f.form<Playlist>().Show();
        f.form<DataForm>().PlaylistON.setCaption("1");
        f.form<MediaLibrary>().LbCurrentTime(0).setCaption("75");
        QCoreApplication::processEvents();
        // The first ticks put everything in place; later ones find nothing to do.
        for (int i = 0; i < 3; ++i)
            tickAll();
        QCoreApplication::processEvents();
    }
    void tickAll() {
        m.FixWindows_Timer();
        m.FixImages_Timer();
        m.TimeCounter_Timer();
    }
};

template <void (Main::*Tick)()>
void BM_Tick(benchmark::State& state) {
    ShownPlayer p;
    for (auto _ : state)
        (p.m.*Tick)();
    QCoreApplication::processEvents();
}
BENCHMARK(BM_Tick<&Main::FixWindows_Timer>)->Name("FixWindows")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Tick<&Main::FixImages_Timer>)->Name("FixImages")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Tick<&Main::ScrollTextTimer_Timer>)
    ->Name("ScrollTextTimer")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Tick<&Main::TimeCounter_Timer>)->Name("TimeCounter")->Unit(benchmark::kMicrosecond);

// A marquee step as the user sees it: the tick and the title's repaint.
void BM_MarqueeRepaint(benchmark::State& state) {
    ShownPlayer p;
    for (auto _ : state) {
        p.m.ScrollTextTimer_Timer();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_MarqueeRepaint)->Unit(benchmark::kMicrosecond);

void BM_StretchedVideoLayout(benchmark::State& state) {
    ShownPlayer p;
    p.f.form<Options>().Option14.setValue(true);
    p.m.LbActualCy(0).setCaption("240");
    p.m.LbActualCx(0).setCaption("320");
    p.m.Move(300, 300, 9000, 7000);
    for (auto _ : state)
        p.m.AdjustVideo();
    QCoreApplication::processEvents();
}
BENCHMARK(BM_StretchedVideoLayout)->Unit(benchmark::kMicrosecond);

// The grip dragged one pixel at a time: every pass lays out a new size.
void BM_StretchedVideoResize(benchmark::State& state) {
    ShownPlayer p;
    p.f.form<Options>().Option14.setValue(true);
    p.m.LbActualCy(0).setCaption("240");
    p.m.LbActualCx(0).setCaption("320");
    float width = 9000;
    for (auto _ : state) {
        width = width == 9000 ? 9015 : 9000;
        p.m.Move(300, 300, width, 7000);
    }
    QCoreApplication::processEvents();
}
BENCHMARK(BM_StretchedVideoResize)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
