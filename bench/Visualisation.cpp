// One visualisation frame in each mode: the engine's FFT (or float samples)
// of a playing file, the picture drawn and handed to the main window's box.
// Qt's own painting of the box is not part of it.
#include <array>

#include "AudioBenchSupport.h"
#include "BenchMain.h"
#include "core/frmBass.h"
#include "core/modSpectrum.h"
#include "shared/DataForm.h"
#include "support/PlayerFixture.h"

namespace {

void BM_SpectrumFrame(benchmark::State& state) {
    testsupport::PlayerFixture p;
    Main& m = p.form<Main>();
    m.LbFileName(0).setCaption(QString::fromStdString(audiobench::benchMusic(10)));
    p.form<DataForm>().FromPlaylist.setCaption("False");
    m.controller().Play();
    p.clock->advance(2000);
    frmBass& host = p.form<frmBass>();
    host.tmrSpectrum.setEnabled(false);
    const auto channel = static_cast<audio::DWORD>(host.Chan.Caption().toInt());
    modSpectrum& spectrum = p.app->module<modSpectrum>();
    spectrum.SpectrumMode = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state)
        spectrum.UpdateSpectrum(channel);
    state.SetLabel(std::array{"bars", "bands", "spectrogram", "waveform"}[state.range(0)]);
}
BENCHMARK(BM_SpectrumFrame)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
