// One repaint of a horizontal slider with a 300-pixel track: its parts from
// pictures over a 49 x 19 tiled background, and its parts drawn as bevels.
#include <QImage>
#include <QPixmap>

#include "BenchMain.h"
#include "controls/ctlScrollbar.h"
#include "shared/PlayerForm.h"
#include "support/PlayerFixture.h"

namespace {

constexpr int kButton = 17, kTrack = 300, kHeight = 19;

class Rig : public PlayerForm {
  public:
    explicit Rig(ui::Application& app) : PlayerForm(app, "Rig") {
        Move(0, 0, 9000, 3000);
        // Drawn parts unless the bench gives it pictures.
        ui::PropertyBag drawn;
        drawn.WriteProperty("Orientation", ctlScrollbar::horizontal, 0);
        Slider.setDesign(drawn);
        Slider.Move(0, 0, (kTrack + 2 * kButton) * 15, kHeight * 15);
    }
    ctlScrollbar Slider{*this, "Slider", ctlScrollbar::horizontal};
};

ui::Picture solid(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return ui::Picture(QPixmap::fromImage(image));
}

void usePictures(ctlScrollbar& slider) {
    for (int look = 0; look < 3; ++look) {
        slider.setButtonPicture(0, look, solid(kButton, kHeight, 0xFF336699));
        slider.setButtonPicture(1, look, solid(kButton, kHeight, 0xFF336699));
        slider.setButtonPicture(2, look, solid(14, kHeight, 0xFF993366));
    }
    slider.setUsePictureUp(true);
    slider.setUsePictureDown(true);
    slider.setUsePictureThumb(true);
    slider.setBackgroundPicture(solid(49, kHeight, 0xFF00FF00));
}

void redraw(benchmark::State& state, bool pictures) {
    testsupport::PlayerFixture p;
    ctlScrollbar& slider = p.form<Rig>().Slider;
    if (pictures) usePictures(slider);
    slider.setValue(40);
    for (auto _ : state)
        slider.Redraw();
    state.counters["track"] = slider.Picture4.ScaleWidth();
    state.counters["value"] = slider.value();
}

void BM_RedrawPictureSlider(benchmark::State& state) {
    redraw(state, true);
}
BENCHMARK(BM_RedrawPictureSlider)->Unit(benchmark::kMicrosecond);

void BM_RedrawDrawnSlider(benchmark::State& state) {
    redraw(state, false);
}
BENCHMARK(BM_RedrawDrawnSlider)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
