#pragma once

#include <QImage>
#include <QList>
#include <array>
#include <cstdint>

#include "platform/audio/BassTypes.h"

class PlenkApp;
namespace ui {
class Application;
class PictureBox;
}  // namespace ui

// The visualisation: a 180 x 40 palette picture of the playing channel's
// sound, drawn in one of four modes into the main window's visualisation box
// (or the mini window's in mini mode).  The mode, the picture and the palette
// outlive the audio host, which is released at every stop.
class modSpectrum {
  public:
    static constexpr int kWidth = 180;
    static constexpr int kHeight = 40;

    // Bars, logarithmic bands, scrolling spectrogram, waveform; any other
    // value draws the spectrogram.
    enum Mode { Bars = 0, Bands = 1, Spectrogram = 2, Waveform = 3 };

    struct Colour {
        std::uint8_t red = 0;
        std::uint8_t green = 0;
        std::uint8_t blue = 0;
    };

    explicit modSpectrum(ui::Application& app);

    std::int32_t SpectrumMode = Bars;
    // The column the spectrogram writes next.
    std::int32_t SpectrumPos = 0;
    // The picture, bottom line first: byte r * 180 + c is column c, r rows
    // above the bottom.  Each byte is a palette index; 0 is the background.
    std::array<std::uint8_t, kWidth * kHeight> SpectrumBuffer{};
    std::array<Colour, 256> Palette{};

    // Draws one frame of the channel in the current mode and shows it.
    void UpdateSpectrum(audio::DWORD channel);
    // The palette from the skin's values (DataForm.SkinValues 7 to 9 for the
    // background, 11 and 12 for the bars' green and blue).  A component that
    // cannot be worked out keeps the value it had.
    void BuildPalette();
    void ClearBuffer() { SpectrumBuffer.fill(0); }
    // The picture as an 8-bit indexed image, top line first.
    QImage Frame() const;

  private:
    using Spectrum = std::array<float, 1025>;

    void drawBars(const Spectrum& fft);
    void drawBands(const Spectrum& fft);
    void drawSpectrogram(const Spectrum& fft);
    void drawWaveform(audio::DWORD channel);
    // Paints the lowest `height` rows of a span of columns, each row with its
    // own palette entry (row number + 1).
    void fillBar(int column, int width, int height);
    void show();

    PlenkApp& app_;
    QList<QRgb> colourTable_;
    // What the box shows now.
    ui::PictureBox* lastBox_ = nullptr;
    std::array<std::uint8_t, kWidth * kHeight> lastShown_{};
};
