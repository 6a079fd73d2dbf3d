#include <set>

#include "BassHostFixture.h"
#include "core/modSpectrum.h"
#include "options/Options.h"
#include "windows/MiniForm.h"

using namespace audio;

namespace bashost {
namespace {

// The centre of FFT bin 20: the tone falls on one bin and its two neighbours.
constexpr double kBin20 = 20 * 44100.0 / 2048;

// Flat bands and no reverb, so the picture shows the file's own sound.
class SpectrumTest : public BassHostTest {
  protected:
    SpectrumTest() {
        for (int i = 0; i < 10; ++i)
            main().sldEQR(i).setValue(50);
        main().sldEQR(10).setValue(100);
    }
    modSpectrum& spectrum() { return p.app->module<modSpectrum>(); }
    std::uint8_t at(int row, int column) { return spectrum().SpectrumBuffer[row * 180 + column]; }
    // Painted pixels from the bottom up.
    int height(int column) {
        int rows = 0;
        while (rows < 40 && at(rows, column) != 0)
            ++rows;
        return rows;
    }
    std::set<int> entries() {
        return {spectrum().SpectrumBuffer.begin(), spectrum().SpectrumBuffer.end()};
    }
    bool blank() { return entries() == std::set<int>{0}; }
    // Plays the file in a mode chosen on the options window for a second: a
    // frame as it starts and 40 more.
    void show(ui::OptionButton& mode, const testsupport::Tone& sound,
              const QString& name = "sound.wav") {
        mode.setValue(true);
        play(tone(name, sound));
        p.clock->advance(1000);
    }
    Options& options() { return p.form<Options>(); }
    static testsupport::Tone silence(int channels) {
        testsupport::Tone t;
        t.channels = channels;
        t.seconds = 3;
        t.amplitude = 0;
        return t;
    }
    static testsupport::Tone note(int channels, double secondGain = 1) {
        testsupport::Tone t;
        t.channels = channels;
        t.seconds = 3;
        t.hz = kBin20;
        t.secondChannelGain = secondGain;
        return t;
    }
};

TEST_F(SpectrumTest, BarsStandAtTheTonesBins) {
    for (int channels : {1, 2}) {
        show(options().Option9, note(channels), QString("bars%1.wav").arg(channels));
        EXPECT_EQ(spectrum().SpectrumMode, modSpectrum::Bars);
        // Bin k is column 2(k - 1); the odd columns between are the neighbours' mean.
        EXPECT_EQ(height(38), 40) << channels;
        EXPECT_GT(height(36), 0);
        EXPECT_GT(height(37), 0);
        for (int c = 44; c < 180; ++c)
            EXPECT_EQ(height(c), 0) << c;
        for (int r = 0; r < 40; ++r)
            EXPECT_EQ(at(r, 38), r + 1) << "each row in its own colour";
    }
}

TEST_F(SpectrumTest, BandsStandAtTheTonesBand) {
    for (int channels : {1, 2}) {
        show(options().Option8, note(channels), QString("bands%1.wav").arg(channels));
        EXPECT_EQ(spectrum().SpectrumMode, modSpectrum::Bands);
        // Bins 18 to 22 make band 12, columns 72 to 75.
        for (int c = 72; c < 76; ++c)
            EXPECT_EQ(height(c), 40) << c;
        for (int x = 0; x < 28; ++x) {
            EXPECT_EQ(height(6 * x + 4), 0) << "two empty columns between bars";
            EXPECT_EQ(height(6 * x + 5), 0);
            if (x < 10 || x > 13) {
                EXPECT_EQ(height(6 * x), 0) << "band " << x;
            }
        }
        for (int c = 166; c < 180; ++c)
            EXPECT_EQ(height(c), 0) << c;
    }
}

TEST_F(SpectrumTest, SpectrogramWritesOneColumnPerFrameWithACursor) {
    for (int channels : {1, 2}) {
        spectrum().ClearBuffer();
        show(options().Option10, note(channels), QString("image%1.wav").arg(channels));
        EXPECT_EQ(spectrum().SpectrumMode, modSpectrum::Spectrogram);
        // A frame as play starts and forty more: columns 0 to 40, the cursor on 41.
        EXPECT_EQ(spectrum().SpectrumPos, 41);
        for (int r = 0; r < 40; ++r)
            EXPECT_EQ(at(r, 41), 255) << r;
        EXPECT_EQ(at(19, 40), 255) << "bin 20 at full strength";
        EXPECT_GT(at(18, 40), 128);
        EXPECT_EQ(at(5, 40), 128);
        EXPECT_EQ(at(39, 40), 128);
        EXPECT_EQ(at(19, 42), 0) << "columns not yet reached keep the background";
    }
}

TEST_F(SpectrumTest, WaveformDrawsEachChannelAsAConnectedLine) {
    show(options().Option11, note(1));
    EXPECT_EQ(spectrum().SpectrumMode, modSpectrum::Waveform);
    EXPECT_EQ(entries(), (std::set<int>{0, 1}));
    for (int c = 0; c < 180; ++c) {
        int painted = 0;
        for (int r = 0; r < 40; ++r)
            painted += at(r, c) != 0;
        EXPECT_GT(painted, 0) << "every column has its level";
    }
    EXPECT_EQ(at(0, 0) + at(39, 0), 0) << "half the scale stays inside rows 10 to 30";

    // The second channel, upside down, in entry 127.
    play(tone("stereo.wav", note(2, -1)));
    p.clock->advance(1000);
    EXPECT_EQ(entries(), (std::set<int>{0, 1, 127}));
}

TEST_F(SpectrumTest, SilenceDrawsOnlyTheFlatLine) {
    for (int channels : {1, 2}) {
        show(options().Option9, silence(channels), QString("s0-%1.wav").arg(channels));
        EXPECT_TRUE(blank()) << channels;
        show(options().Option8, silence(channels), QString("s1-%1.wav").arg(channels));
        EXPECT_TRUE(blank()) << channels;
        show(options().Option10, silence(channels), QString("s2-%1.wav").arg(channels));
        EXPECT_EQ(at(0, 39), 128) << "black";
        EXPECT_EQ(at(39, 39), 128);
        show(options().Option11, silence(channels), QString("s3-%1.wav").arg(channels));
        const int line = channels == 1 ? 1 : 127;
        for (int c = 0; c < 180; ++c) {
            EXPECT_EQ(at(20, c), line) << c;
            EXPECT_EQ(height(c), 0) << "nothing else";
        }
    }
}

TEST_F(SpectrumTest, NoChannelDrawsNothing) {
    for (int mode : {0, 1, 3}) {
        spectrum().SpectrumMode = mode;
        spectrum().UpdateSpectrum(0);
        EXPECT_TRUE(blank()) << mode;
    }
}

TEST_F(SpectrumTest, FrameIsAnIndexedImageInTheMainWindowsBox) {
    data().SkinValues.AddItem("");
    show(options().Option9, note(2));
    const QImage& drawn = main().Visualisation.drawing();
    ASSERT_EQ(drawn.format(), QImage::Format_Indexed8);
    ASSERT_EQ(drawn.size(), QSize(180, 40));
    ASSERT_EQ(drawn.colorCount(), 256);
    for (int r = 0; r < 40; ++r)
        EXPECT_EQ(drawn.pixelIndex(38, 39 - r), at(r, 38)) << "the bottom row comes last";
    EXPECT_EQ(drawn.color(1), qRgb(253, 0, 0));
    EXPECT_EQ(drawn.color(255), qRgb(255, 255, 248));
}

// A steady tone gives the same frame every tick; a picture put into the box
// meanwhile (a skin's logo) is drawn over at the next tick all the same.
TEST_F(SpectrumTest, ASteadyFrameIsDrawnAgainOverAPicturePutIntoTheBox) {
    show(options().Option9, note(1));
    ui::PictureBox& box = main().Visualisation;
    const QRgb frame = box.Image().pixel(0, 0);
    QImage logo(20, 20, QImage::Format_RGB32);
    logo.fill(qRgb(255, 0, 0));
    box.setPicture(ui::Picture(QPixmap::fromImage(logo)));
    ASSERT_EQ(box.Image().pixel(0, 0), qRgb(255, 0, 0));
    p.clock->advance(50);
    EXPECT_EQ(box.Image().pixel(0, 0), frame);
}

TEST_F(SpectrumTest, MiniModeDrawsIntoTheMiniWindowOnly) {
    data().MiniMode.setCaption("True");
    show(options().Option9, note(1));
    EXPECT_FALSE(p.form<MiniForm>().Visualisation.drawing().isNull());
    EXPECT_TRUE(main().Visualisation.drawing().isNull());
    p.form<MiniForm>().Visualisation.Cls();
    data().MiniMode.setCaption("maybe");
    p.clock->advance(100);
    EXPECT_TRUE(p.form<MiniForm>().Visualisation.drawing().isNull());
    EXPECT_TRUE(main().Visualisation.drawing().isNull());
}

TEST_F(SpectrumTest, VisualisationOffStopsTheTickAndClearsTheBox) {
    show(options().Option9, note(1));
    ASSERT_FALSE(main().Visualisation.drawing().isNull());
    options().Option5.setValue(true);
    p.clock->advance(25);
    EXPECT_FALSE(host().tmrSpectrum.Enabled());
    EXPECT_TRUE(main().Visualisation.drawing().isNull());
}

// Paused, the picture stands and nothing is drawn, also when the main
// window's check switches the tick on again; playing on moves it at once,
// in mini mode too, where that check does not run.
TEST_F(SpectrumTest, PauseRestsTheTickAndKeepsThePicture) {
    for (const QString mini : {"False", "True"}) {
        data().MiniMode.setCaption(mini);
        show(options().Option10, note(1), "paused-" + mini + ".wav");
        main().controller().Pause();
        p.clock->advance(25);
        EXPECT_FALSE(host().tmrSpectrum.Enabled()) << mini.toStdString();
        const auto picture = spectrum().SpectrumBuffer;
        const int column = spectrum().SpectrumPos;
        host().tmrSpectrum.setEnabled(true);
        p.clock->advance(2000);
        EXPECT_EQ(spectrum().SpectrumPos, column) << "the spectrogram stops scrolling";
        EXPECT_EQ(spectrum().SpectrumBuffer, picture);
        EXPECT_FALSE(host().tmrSpectrum.Enabled());
        ui::PictureBox& box =
            mini == "True" ? p.form<MiniForm>().Visualisation : main().Visualisation;
        EXPECT_FALSE(box.drawing().isNull()) << "the last frame stays on show";

        main().controller().Play();
        EXPECT_TRUE(host().tmrSpectrum.Enabled());
        p.clock->advance(250);
        EXPECT_EQ(spectrum().SpectrumPos, (column + 10) % 180) << mini.toStdString();
        main().controller().SStop();
    }
}

TEST_F(SpectrumTest, NextModeCyclesThroughTheOptionsFromAnEmptyPicture) {
    show(options().Option9, note(1));
    ui::OptionButton* const order[] = {&options().Option8, &options().Option10, &options().Option11,
                                       &options().Option9};
    for (ui::OptionButton* option : order) {
        host().NextSpectrumMode();
        EXPECT_TRUE(blank());
        EXPECT_TRUE(option->Value()) << option->Name().toStdString();
        p.clock->advance(25);
    }
    EXPECT_EQ(spectrum().SpectrumMode, modSpectrum::Bars);
    main().Visualisation.DblClick.raise();
    EXPECT_EQ(spectrum().SpectrumMode, modSpectrum::Bands);
    p.clock->advance(25);
    ASSERT_FALSE(blank());
    options().Option11.setValue(true);
    EXPECT_EQ(spectrum().SpectrumMode, modSpectrum::Waveform) << "chosen on the options window";
    EXPECT_TRUE(blank());
}

class PaletteTest : public SpectrumTest {
  protected:
    void skin(std::initializer_list<std::pair<int, QString>> values) {
        ui::ListBox& list = data().SkinValues;
        while (list.ListCount() < 13)
            list.AddItem("0");
        for (auto [n, text] : values)
            list.setList(n, text);
    }
    modSpectrum::Colour colour(int i) { return spectrum().Palette[i]; }
    void expectBackground(int red, int green, int blue) {
        EXPECT_EQ(colour(0).red, red);
        EXPECT_EQ(colour(0).green, green);
        EXPECT_EQ(colour(0).blue, blue);
    }
};

TEST_F(PaletteTest, ComesFromTheSkinValuesAtEachPlay) {
    skin({{7, "10"}, {8, "20"}, {9, "30"}, {11, "3"}, {12, "0.5"}});
    play(tone("a.wav"));
    expectBackground(10, 20, 30);
    EXPECT_EQ(colour(1).red, 253);
    EXPECT_EQ(colour(127).red, 1);
    EXPECT_EQ(colour(85).green, 255);
    EXPECT_EQ(colour(86).green, 0) << "beyond 255: still the first play's 0";
    EXPECT_EQ(colour(1).blue, 0) << "0.5 rounds to the even 0";
    EXPECT_EQ(colour(3).blue, 2) << "1.5 rounds to the even 2";
    EXPECT_EQ(colour(128 + 5).blue, 40);
    EXPECT_EQ(colour(160 + 5).red, 40);
    EXPECT_EQ(colour(160 + 5).blue, 255);
    EXPECT_EQ(colour(192 + 1).green, 8);
    EXPECT_EQ(colour(192 + 1).blue, 240);
    EXPECT_EQ(colour(224 + 31).blue, 248);
}

TEST_F(PaletteTest, BadValuesKeepTheColoursOfTheLastPlay) {
    skin({{7, "10"}, {8, "20"}, {9, "30"}, {11, "1"}, {12, "2"}});
    play(tone("a.wav"));
    skin({{7, "abc"}, {8, "300"}, {9, "-1"}, {11, "x"}, {12, "3"}});
    play(tone("b.wav"));
    expectBackground(10, 20, 30);
    EXPECT_EQ(colour(50).green, 50);
    EXPECT_EQ(colour(50).blue, 150);
    EXPECT_EQ(colour(100).blue, 200) << "300 is out of range: the last play's value stays";
    data().SkinValues.Clear();
    play(tone("c.wav"));
    EXPECT_EQ(colour(0).red, 10) << "a missing value changes nothing";
}

}  // namespace
}  // namespace bashost
