#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/frmBass.h"
#include "options/Options.h"
#include "platform/audio/Bass.h"
#include "platform/ui/Twips.h"
#include "shared/DataForm.h"
#include "support/AudioFiles.h"
#include "support/Controllers.h"
#include "support/SkinFixture.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

namespace {

// The main window shown, its controller and the seek slider's controller
// writing down what they are asked.
class Bridge : public ::testing::Test {
  protected:
    testsupport::SkinFixture p;
    Main& m = p.form<Main>();
    DataForm& d = p.form<DataForm>();
    ctlScrollbar& seek = m.SliderMoveMultimedia(0);
    QStringList log;

    void SetUp() override {
        m.controllerSlot().set(std::make_unique<testsupport::RecordingMain>(*p.app, log));
        seek.Controller().set(std::make_unique<testsupport::RecordingMain>(*p.app, log));
        m.Show();
    }
    bool hostLoaded() { return p.app->isLoaded<frmBass>(); }
    ui::Control* focused() { return p.app->focusedControl(); }
    // Five hours of silence playing through the audio host.
    frmBass& playLong() {
        frmBass& host = p.form<frmBass>();
        host.FileToPlay.setText(
            testsupport::writeLongSilence(p.program.file("long.wav"), 5 * 3600));
        host.PLAYtheBass();
        host.BassON.setCaption("True");  // as the controller does when it starts the host
        EXPECT_NE(host.Chan.Caption(), "0");
        return host;
    }
    std::uint64_t position(frmBass& host) {
        return p.app->bass().BASS_ChannelGetPosition(host.Chan.Caption().toUInt(),
                                                     audio::BASS_POS_BYTE);
    }
    void press(ui::PictureBox& part) { part.MouseDown.raise(ui::vbLeftButton, 0, 5, 5); }
    void release(ui::PictureBox& part) { part.MouseUp.raise(ui::vbLeftButton, 0, 5, 5); }
};

TEST_F(Bridge, ScrollingMediaOfTheMediaEngineTouchesNoHostAndNoFlag) {
    seek.setValue(10);
    for (int i = 0; i < 3; ++i)
        m.SliderMoveMultimedia_Scroll();
    EXPECT_FALSE(hostLoaded()) << "the bridge never loads the audio host";
    EXPECT_EQ(m.StartMoveSlider.Caption(), "False");
    EXPECT_TRUE(log.isEmpty());
}

TEST_F(Bridge, TheMediaEngineSeekGesturePressReleaseAndFocusLoss) {
    press(seek.Picture2);
    EXPECT_EQ(focused(), &seek) << "a press gives the slider the focus";
    EXPECT_EQ(m.StartMoveSlider.Caption(), "True");
    EXPECT_FALSE(hostLoaded());
    release(seek.Picture2);
    EXPECT_EQ(log, QStringList({"SliderMultimediaChange", "ChangeVolume"}))
        << "one seek at the release, then the volume once after the focus left";
    EXPECT_EQ(m.StartMoveSlider.Caption(), "False");
    EXPECT_FALSE(hostLoaded());
    EXPECT_EQ(focused(), &m.KeyFocus) << "keys reach the shortcuts again";
}

TEST_F(Bridge, EveryScrollSeeksAStreamToTheWhole64BitPosition) {
    frmBass& host = playLong();
    host.Scrolling.setCaption("True");
    seek.setValue(37);
    for (int i = 0; i < 3; ++i) {
        m.SliderMoveMultimedia_Scroll();
        EXPECT_EQ(position(host), 3'700'000u);
        EXPECT_EQ(host.Scrolling.Caption(), "False");
    }
    seek.setMax(31'000);
    seek.setValue(30'000);
    m.ScrollbarScroll();
    EXPECT_EQ(position(host), 3'000'000'000u) << "past 2^31 bytes, some 3 h 9 min in";
}

TEST_F(Bridge, ABadChannelOrValueSkipsTheSeekAndStillEndsScrolling) {
    frmBass& host = playLong();
    seek.setValue(37);
    m.ScrollbarScroll();
    const QString chan = host.Chan.Caption();
    for (const char* bad : {"abc", "0", "", "99999999999"}) {
        host.Chan.setCaption(bad);
        seek.setValue(50);
        m.ScrollbarScroll();
        EXPECT_EQ(host.Scrolling.Caption(), "False") << bad;
    }
    host.Chan.setCaption(chan);
    EXPECT_EQ(position(host), 3'700'000u) << "no bad seek reached the stream";
    for (double value : {std::numeric_limits<double>::quiet_NaN(), 1e308, -1e308}) {
        seek.setValue(value);
        m.ScrollbarScroll();
        EXPECT_EQ(host.Scrolling.Caption(), "False");
    }
    p.app->bass().BASS_StreamFree(chan.toUInt());
    m.ScrollbarScroll();
    EXPECT_EQ(host.Scrolling.Caption(), "False") << "a freed handle fails quietly";
}

TEST_F(Bridge, FocusInFullScreenRestartsTheIdleCountOnlyForTheMediaEngine) {
    d.FullScreenStat.setCaption("True");
    m.FullScreenSec.setCaption("5");
    m.ScrollbarFocus();
    EXPECT_EQ(m.FullScreenSec.Caption(), "0");
    EXPECT_EQ(m.StartMoveSlider.Caption(), "True") << "also in full screen";
    EXPECT_FALSE(hostLoaded());
    m.ScrollbarLostFocus();

    frmBass& host = playLong();
    m.FullScreenSec.setCaption("5");
    m.ScrollbarFocus();
    EXPECT_EQ(host.Scrolling.Caption(), "True");
    EXPECT_EQ(m.FullScreenSec.Caption(), "5");
    EXPECT_EQ(m.StartMoveSlider.Caption(), "False");
    m.ScrollbarLostFocus();
    EXPECT_EQ(host.Scrolling.Caption(), "False");
}

TEST_F(Bridge, FocusLossFocusesTheKeySinkOfTheWindowInUse) {
    m.StartMoveSlider.setCaption("True");
    m.ScrollbarLostFocus();
    EXPECT_EQ(focused(), &m.KeyFocus);
    EXPECT_EQ(log, QStringList({"ChangeVolume"}));
    log.clear();

    MiniForm& mini = p.form<MiniForm>();
    mini.Show();
    d.MiniMode.setCaption("True");
    m.ScrollbarLostFocus();
    EXPECT_EQ(focused(), &mini.KeyFocus);
    EXPECT_TRUE(log.isEmpty()) << "the mini window applies its own volume";
    m.VolumFocus();
    EXPECT_EQ(focused(), &mini.KeyFocus);

    mini.Hide();
    d.MiniMode.setCaption("False");
    m.Hide();
    m.VolumFocus();
    m.ScrollbarLostFocus();
    EXPECT_EQ(focused(), &mini.KeyFocus) << "a sink that cannot take the focus is skipped";
}

TEST_F(Bridge, FocusingTheKeySinkInMiniModeNeverLoadsTheMiniWindow) {
    d.MiniMode.setCaption("True");
    m.VolumFocus();
    m.ScrollbarLostFocus();
    EXPECT_FALSE(p.app->isLoaded<MiniForm>());
    d.MiniMode.setCaption("Video");
    m.VolumFocus();
    EXPECT_FALSE(p.app->isLoaded<MiniForm>());
}

TEST_F(Bridge, TheVolumeTakesTheMediaEngineWhileNothingPlaysThroughTheHost) {
    m.Volum_Change();
    m.Volum_Scroll();
    EXPECT_EQ(log, QStringList({"ChangeVolume", "ChangeVolume"}));
    EXPECT_FALSE(hostLoaded());
    d.FullScreenStat.setCaption("True");
    m.FullScreenSec.setCaption("3");
    m.Volum_GotFocus();
    EXPECT_EQ(m.FullScreenSec.Caption(), "0");
    EXPECT_EQ(focused(), &m.KeyFocus) << "the volume slider never keeps the focus";

    frmBass& host = playLong();
    m.Volum.setValue(40);
    m.VolumChange();
    EXPECT_EQ(log.size(), 2) << "through the host while it plays";
    EXPECT_NEAR(p.app->bass().BASS_GetConfig(audio::BASS_CONFIG_GVOL_STREAM), 4000, 1);
    (void)host;
}

TEST_F(Bridge, TheEqualizerRoutesSendAllElevenBandsAndTheButtonsPicture) {
    Options& o = p.form<Options>();
    auto bandTips = [&] {
        QStringList tips;
        for (int i = 0; i <= 10; ++i)
            tips << m.sldEQR(i).ToolTipText();
        return tips;
    };
    auto clearTips = [&] {
        for (int i = 0; i <= 10; ++i)
            m.sldEQR(i).setToolTipText("");
    };
    o.Option12.setValue(true);
    for (int i = 0; i <= 10; ++i)
        m.sldEQR(i).setValue(10 + i);
    clearTips();
    m.UpdateEqualizer();
    EXPECT_EQ(bandTips(),
              QStringList({"40", "39", "38", "37", "36", "35", "34", "33", "32", "31", "80"}));
    auto pictureOf = [&](const char* file) {
        return SkinFiles::picture(*p.app, QString("\\") + file).image();
    };
    clearTips();
    m.OnOffEq();
    EXPECT_EQ(m.ImgButton2.picture().image(), pictureOf("button2.bmp"));
    EXPECT_FALSE(bandTips().contains(""));
    o.Option13.setValue(true);
    clearTips();
    m.OnOffEq();
    EXPECT_EQ(m.ImgButton2.picture().image(), pictureOf("button2b.bmp"));
    EXPECT_EQ(bandTips(), QStringList(10, "0") << "50")
        << "with the equalizer off every band reads flat";
}

// The button shows the pictures of the skin applied: files taken away or
// spoiled since, or a skin name that names nothing, never leave it showing
// the other state.
TEST_F(Bridge, AMissingOrBrokenButtonPictureLeavesTheStateShown) {
    DataForm& d = p.form<DataForm>();
    QFile::remove(p.skinFile("Default", "button2b.bmp"));
    p.form<Options>().Option13.setValue(true);
    m.OnOffEq();
    EXPECT_TRUE(m.ImgButton2.picture() == d.ImgButton2b.picture());
    p.program.write("Skins/Default/button2.bmp", "not a picture");
    p.form<Options>().Option12.setValue(true);
    m.OnOffEq();
    EXPECT_TRUE(m.ImgButton2.picture() == d.ImgButton2.picture());
    p.form<Options>().SkinName.setText("");
    p.form<Options>().Option13.setValue(true);
    m.OnOffEq();
    EXPECT_TRUE(m.ImgButton2.picture() == d.ImgButton2b.picture());
}

// The button's pictures are read from the skin once, and again when a skin is applied.
TEST_F(Bridge, TheEqualizerButtonIsReadOncePerSkinApplied) {
    p.form<Options>().Option12.setValue(true);
    m.OnOffEq();
    const QImage before = m.ImgButton2.picture().image();
    QImage other(3, 3, QImage::Format_RGB32);
    other.fill(Qt::red);
    ASSERT_TRUE(other.save(p.skinFile("Default", "button2.bmp"), "BMP"));
    m.OnOffEq();
    EXPECT_EQ(m.ImgButton2.picture().image(), before);
    p.pick("Default");
    m.OnOffEq();
    EXPECT_EQ(m.ImgButton2.picture().image().size(), QSize(3, 3));
}

}  // namespace
