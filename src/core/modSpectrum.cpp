#include "core/modSpectrum.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#include "app/PlenkApp.h"
#include "shared/DataForm.h"
#include "shared/NumberText.h"
#include "shared/Rounding.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

namespace {

constexpr int kWidth = modSpectrum::kWidth;
constexpr int kHeight = modSpectrum::kHeight;

// A sample or magnitude that is no finite number (a broken float file) counts as 0.
int nearest(double x) {
    if (!std::isfinite(x)) return 0;
    return static_cast<int>(std::clamp(shared::roundHalfEven(x), -1e6, 1e6));
}

// A palette component keeps its value when the skin's number is missing or
// the result falls outside 0 to 255.
void put(std::uint8_t& component, std::optional<double> value) {
    if (!value) return;
    const double v = shared::roundHalfEven(*value);
    if (v >= 0 && v <= 255) component = static_cast<std::uint8_t>(v);
}

std::optional<double> times(std::optional<double> factor, int a) {
    if (!factor) return std::nullopt;
    return *factor * a;
}

}  // namespace

modSpectrum::modSpectrum(ui::Application& app)
    : app_(static_cast<PlenkApp&>(app)), colourTable_(256, qRgb(0, 0, 0)) {}

void modSpectrum::BuildPalette() {
    // New colours show on the next frame even when its picture is unchanged.
    lastBox_ = nullptr;
    ui::ListBox& values = app_.form<DataForm>().SkinValues;
    auto skin = [&](int n) { return shared::parseNumber(values.List(n)); };
    put(Palette[0].red, skin(7));
    put(Palette[0].green, skin(8));
    put(Palette[0].blue, skin(9));
    const std::optional<double> green = skin(11), blue = skin(12);
    for (int a = 1; a <= 127; ++a) {
        Palette[a].red = static_cast<std::uint8_t>(255 - 2 * a);
        put(Palette[a].green, times(green, a));
        put(Palette[a].blue, times(blue, a));
    }
    for (int a = 0; a < 32; ++a) {
        const auto up = static_cast<std::uint8_t>(8 * a),
                   down = static_cast<std::uint8_t>(8 * (31 - a));
        Palette[128 + a] = {0, 0, up};
        Palette[160 + a] = {up, 0, 255};
        Palette[192 + a] = {255, up, down};
        Palette[224 + a] = {255, 255, up};
    }
    for (int i = 0; i < 256; ++i)
        colourTable_[i] = qRgb(Palette[i].red, Palette[i].green, Palette[i].blue);
}

void modSpectrum::UpdateSpectrum(audio::DWORD channel) {
    if (SpectrumMode == Waveform) {
        drawWaveform(channel);
    } else {
        // Bin 0 (the constant part) is never drawn; with no channel every bin stays 0.
        Spectrum fft{};
        app_.bass().BASS_ChannelGetData(channel, fft.data(), audio::BASS_DATA_FFT2048);
        if (SpectrumMode == Bars)
            drawBars(fft);
        else if (SpectrumMode == Bands)
            drawBands(fft);
        else
            drawSpectrogram(fft);
    }
    show();
}

void modSpectrum::fillBar(int column, int width, int height) {
    for (int r = std::min(height, kHeight) - 1; r >= 0; --r)
        std::memset(&SpectrumBuffer[r * kWidth + column], r + 1, width);
}

// 90 bars one pixel wide in every second column, each odd column the mean of
// its neighbours.
void modSpectrum::drawBars(const Spectrum& fft) {
    ClearBuffer();
    int previous = 0;
    for (int x = 0; x < 90; ++x) {
        const int y = std::min(nearest(std::sqrt(fft[x + 1]) * 3 * kHeight - 4), kHeight);
        if (x > 0) fillBar(2 * x - 1, 1, nearest((previous + y) / 2.0));
        fillBar(2 * x, 1, y);
        previous = y;
    }
}

namespace {

constexpr int kBands = 28;

// Where each band ends and what its sum is divided by: the same every frame,
// so worked out once.
struct Band {
    int end;
    double divisor;
};

const std::array<Band, kBands>& bands() {
    static const std::array<Band, kBands> table = [] {
        std::array<Band, kBands> t{};
        int b0 = 0;
        for (int x = 0; x < kBands; ++x) {
            int b1 = std::min(nearest(std::pow(2.0, x * 10.0 / 27)), 1023);
            if (b1 <= b0) b1 = b0 + 1;
            t[x] = {b1, std::log10(10 + b1 - b0)};
            b0 = b1;
        }
        return t;
    }();
    return table;
}

}  // namespace

// 28 bars four pixels wide over bands of bins that widen with frequency.
void modSpectrum::drawBands(const Spectrum& fft) {
    ClearBuffer();
    int b0 = 0;
    for (int x = 0; x < kBands; ++x) {
        const Band& band = bands()[x];
        float sum = 0;
        for (int b = b0; b < band.end; ++b)
            sum += fft[1 + b];
        b0 = band.end;
        const int y = std::min(nearest(std::sqrt(sum / band.divisor) * 1.7 * kHeight - 4), kHeight);
        fillBar(6 * x, 4, y);
    }
}

// One column of the 40 lowest bins per frame, with a white cursor column after it.
void modSpectrum::drawSpectrogram(const Spectrum& fft) {
    SpectrumPos = ((SpectrumPos % kWidth) + kWidth) % kWidth;
    for (int x = 0; x < kHeight; ++x) {
        const int v = std::min(nearest(std::sqrt(fft[x + 1]) * 3 * 127), 127);
        SpectrumBuffer[x * kWidth + SpectrumPos] = static_cast<std::uint8_t>(128 + v);
    }
    SpectrumPos = (SpectrumPos + 1) % kWidth;
    for (int x = 0; x < kHeight; ++x)
        SpectrumBuffer[x * kWidth + SpectrumPos] = 255;
}

// Each channel's latest 180 samples as a connected line: +1 on the bottom
// row, -1 on the top; the first channel in entry 1, the second in 127.
void modSpectrum::drawWaveform(audio::DWORD channel) {
    ClearBuffer();
    audio::Bass& bass = app_.bass();
    audio::BASS_CHANNELINFO info{};
    bass.BASS_ChannelGetInfo(channel, &info);
    const int channels = static_cast<int>(info.chans);
    std::vector<float> samples(static_cast<std::size_t>(channels) * kWidth);
    bass.BASS_ChannelGetData(
        channel, samples.data(),
        static_cast<audio::DWORD>(samples.size() * sizeof(float)) | audio::BASS_DATA_FLOAT);
    for (int c = 0; c < channels; ++c) {
        const std::uint8_t colour = c % 2 == 0 ? 1 : 127;
        int y = 0;
        for (int x = 0; x < kWidth; ++x) {
            const int v =
                std::clamp(nearest((1 - samples[x * channels + c]) * kHeight / 2), 0, kHeight - 1);
            if (x == 0) y = v;
            do {
                y += (y < v) - (y > v);
                SpectrumBuffer[y * kWidth + x] = colour;
            } while (y != v);
        }
    }
}

QImage modSpectrum::Frame() const {
    QImage image(kWidth, kHeight, QImage::Format_Indexed8);
    image.setColorTable(colourTable_);
    for (int r = 0; r < kHeight; ++r)
        std::memcpy(image.scanLine(kHeight - 1 - r), &SpectrumBuffer[r * kWidth], kWidth);
    return image;
}

// Into the main window's box, or the mini window's in mini mode; a mode text
// that is neither draws nowhere.
// A frame the box already shows (silence, a paused channel) is not drawn again.
void modSpectrum::show() {
    const QString mini = app_.form<DataForm>().MiniMode.Caption();
    ui::PictureBox* box = mini == "False"  ? &app_.form<Main>().Visualisation
                          : mini == "True" ? &app_.form<MiniForm>().Visualisation
                                           : nullptr;
    if (!box) return;
    if (box == lastBox_ && SpectrumBuffer == lastShown_ && !box->drawing().isNull()) return;
    box->drawImage(Frame());
    lastBox_ = box;
    lastShown_ = SpectrumBuffer;
}
