// A click on the playlist's second row made the moment its window shows, in
// the real player started with a few or a million entries on an X server of
// its own: the time from the window showing to the clicked entry's tag in
// the library's editor, as the player's text query first reports it.
#include <QElapsedTimer>

#include "BenchMain.h"
#include "support/display/ClickedList.h"
#include "support/display/DisplaySession.h"

namespace {

using displaytest::PlayerSession;

// Asks for the texts this often while waiting for the answer.
constexpr int kQuickPollMs = 2;

// Seconds from the window showing to the answer; negative when there was none.
double clickAnswer(int count) {
    PlayerSession s;
    displaytest::writeClickedList(s, count);
    s.start();
    const QString playlist = s.waitForWindow("Playlist", 60000);
    if (playlist.isEmpty()) return -1;
    QElapsedTimer sinceShown;
    sinceShown.start();
    s.clickAtOnce(playlist, displaytest::kSecondRow);
    while (s.texts(kQuickPollMs).value("MediaLibrary.Text1T") != displaytest::kClickedTitle)
        if (sinceShown.elapsed() > 30000) return -1;
    return static_cast<double>(sinceShown.nsecsElapsed()) / 1e9;
}

void BM_ClickAnsweredAfterTheWindowShows(benchmark::State& state) {
    for (auto _ : state) {
        const double seconds = clickAnswer(static_cast<int>(state.range(0)));
        if (seconds < 0) {
            state.SkipWithError("the click was not answered");
            break;
        }
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_ClickAnsweredAfterTheWindowShows)
    ->Arg(20)
    ->Arg(1000000)
    ->UseManualTime()
    ->Iterations(8)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
