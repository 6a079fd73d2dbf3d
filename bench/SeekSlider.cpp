// One Scroll of the main window's seek slider while a stream plays through
// the audio host: a 3-minute mp3, and deep into a 4-hour stream (past 2^31
// bytes).  A thumb drag raises some 60 of these a second.
#include "BenchMain.h"
#include "core/frmBass.h"
#include "support/AudioFiles.h"
#include "support/PlayerFixture.h"
#include "windows/Main.h"

namespace {

void scroll(benchmark::State& state, const QString& file, double from, double span) {
    testsupport::PlayerFixture p;
    frmBass& host = p.form<frmBass>();
    host.FileToPlay.setText(file);
    host.PLAYtheBass();
    host.BassON.setCaption("True");
    Main& m = p.form<Main>();
    ctlScrollbar& seek = m.SliderMoveMultimedia(0);
    seek.setMax(from + span);
    int step = 0;
    for (auto _ : state) {
        // Every Scroll lands somewhere else, as a drag does.
        seek.setValue(from + (step++ * 37) % static_cast<int>(span));
        m.ScrollbarScroll();
    }
    state.counters["bytes"] = static_cast<double>(
        p.app->bass().BASS_ChannelGetPosition(host.Chan.Caption().toUInt(), audio::BASS_POS_BYTE));
}

void BM_ScrollMp3(benchmark::State& state) {
    testsupport::TempDir dir;
    testsupport::Tone tone;
    tone.seconds = 180;
    scroll(state, testsupport::writeTone(dir.file("song.mp3"), testsupport::kMp3, tone), 0, 310);
}
BENCHMARK(BM_ScrollMp3)->Unit(benchmark::kMicrosecond);

void BM_ScrollDeepInto4Hours(benchmark::State& state) {
    testsupport::TempDir dir;
    scroll(state, testsupport::writeLongSilence(dir.file("long.wav"), 4 * 3600), 22000, 3000);
}
BENCHMARK(BM_ScrollDeepInto4Hours)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
