// The search window over a 100,000- and a 1,000,000-entry search list: the tick that runs a
// search (a four-character query matching a few entries, a one-character one
// matching every entry) and a keystroke while every entry is listed.
#include <QCoreApplication>

#include "BenchMain.h"
#include "playlist/JumpForm.h"
#include "support/PlayerFixture.h"

namespace {

struct Fixture {
    testsupport::PlayerFixture p;
    JumpForm& jump = p.form<JumpForm>();

    explicit Fixture(int entries) {
        for (int i = 0; i < entries; ++i)
            jump.Lista.AddItem(QString("Artist %1 - Title %2").arg(i % 300).arg(i));
    }
    // Types the query and lets the first tick pass, so the next one searches.
    void type(const QString& query) {
        jump.Cautare.setText("");
        jump.Cautare.setText(query);
        p.clock->advance(250);
    }
};

void searchTick(benchmark::State& state, const QString& query) {
    Fixture fx(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        fx.type(query);
        state.ResumeTiming();
        fx.p.clock->advance(250);
        QCoreApplication::processEvents();
    }
    state.counters["results"] = fx.jump.Rezultate.ListCount();
}

void BM_SearchTickFourCharacters(benchmark::State& state) {
    searchTick(state, "e 99");
}
BENCHMARK(BM_SearchTickFourCharacters)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_SearchTickOneCharacterListingAll(benchmark::State& state) {
    searchTick(state, "t");
}
BENCHMARK(BM_SearchTickOneCharacterListingAll)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

void BM_KeystrokeWithEveryEntryListed(benchmark::State& state) {
    Fixture fx(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        fx.type("t");
        fx.p.clock->advance(250);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        fx.jump.Cautare.setText("ti");
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_KeystrokeWithEveryEntryListed)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
