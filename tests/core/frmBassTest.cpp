#include <QFile>

#include "BassHostFixture.h"
#include "options/Options.h"
#include "playlist/MediaLibrary.h"

using namespace audio;

namespace bashost {
namespace {

constexpr DWORD kFileFlags = BASS_SAMPLE_FX | BASS_UNICODE;

class HostPlayTest : public BassHostTest {};

TEST_F(HostPlayTest, StreamGetsTenBandsAndAReverbThenPlays) {
    Options& o = p.form<Options>();
    o.Option12.setValue(true);
    for (int i = 0; i <= 10; ++i)
        main().sldEQR(i).setValue(50);
    play(tone("tone.wav"));
    frmBass& h = host();
    ASSERT_NE(channel(), 0u);
    BASS_CHANNELINFO info{};
    ASSERT_TRUE(bass().BASS_ChannelGetInfo(channel(), &info));
    EXPECT_EQ(info.flags, kFileFlags) << "a stream with effects, the path as UTF-16";
    EXPECT_EQ(bass().BASS_ChannelIsActive(channel()), BASS_ACTIVE_PLAYING);
    const float centres[] = {80, 150, 300, 500, 750, 1000, 3000, 8000, 12000, 15000};
    for (int i = 0; i < 10; ++i) {
        BASS_DX8_PARAMEQ band{};
        ASSERT_TRUE(bass().BASS_FXGetParameters(h.FxHandles[i], &band)) << i;
        EXPECT_FLOAT_EQ(band.fCenter, centres[i]) << i;
        EXPECT_FLOAT_EQ(band.fBandwidth, 18) << i;
        EXPECT_FLOAT_EQ(band.fGain, 0) << i;
        if (i > 0) {
            EXPECT_GT(h.FxHandles[i], h.FxHandles[i - 1]) << "attached in band order";
        }
    }
    EXPECT_GT(h.FxHandles[10], h.FxHandles[9]) << "the reverb comes last";
    BASS_DX8_REVERB reverb{};
    ASSERT_TRUE(bass().BASS_FXGetParameters(h.FxHandles[10], &reverb));
    EXPECT_FLOAT_EQ(reverb.fReverbMix, -12);
    EXPECT_FLOAT_EQ(reverb.fInGain, 0) << "only the mix is ever written";
    EXPECT_FLOAT_EQ(reverb.fReverbTime, 1000);
    EXPECT_FLOAT_EQ(reverb.fHighFreqRTRatio, 0.001f);
    EXPECT_EQ(main().StarePlayer.Caption(), "Playing");
    EXPECT_EQ(h.BassON.Caption(), "True");
    EXPECT_TRUE(h.Timer1.Enabled());
    EXPECT_TRUE(h.tmrSpectrum.Enabled());
    EXPECT_FALSE(main().ResizeArea.Visible());
    EXPECT_TRUE(main().MainFrame(1).Visible());
    EXPECT_EQ(main().LabelVideo.Caption(), "PLENK PLAYER");
}

TEST_F(HostPlayTest, FileNoStreamTakesPlaysAsModuleMusicWithTheSameChain) {
    host().FileToPlay.setText(media.write("tiny.mod", testsupport::tinyModule()));
    host().PLAYtheBass();
    ASSERT_NE(channel(), 0u);
    BASS_CHANNELINFO info{};
    ASSERT_TRUE(bass().BASS_ChannelGetInfo(channel(), &info));
    EXPECT_EQ(info.flags, BASS_MUSIC_RAMP | kFileFlags);
    for (int i = 0; i <= 10; ++i)
        EXPECT_NE(host().FxHandles[i], 0u) << i;
    EXPECT_EQ(bass().BASS_ChannelIsActive(channel()), BASS_ACTIVE_PLAYING);
    EXPECT_TRUE(host().Timer1.Enabled());
}

TEST_F(HostPlayTest, NameOutsideTheCodePageOpens) {
    play(tone("Ștefan – ソング.wav"));
    EXPECT_EQ(bass().BASS_ChannelIsActive(channel()), BASS_ACTIVE_PLAYING);
}

TEST_F(HostPlayTest, HandleTextIsTheSignedReadingOfItsBits) {
    play(tone("a.wav"));
    const QString first = host().Chan.Caption();
    EXPECT_EQ(first, QString::number(static_cast<std::int32_t>(channel())));
    // A new file frees the previous channel before it opens its own.
    play(tone("b.wav"));
    EXPECT_NE(host().Chan.Caption(), first);
    EXPECT_EQ(bass().BASS_ChannelIsActive(first.toUInt()), BASS_ACTIVE_STOPPED);
}

TEST_F(HostPlayTest, PlayWhilePausedOnlyResumesTheSameChannel) {
    play(tone("a.wav", {.seconds = 3}));
    p.clock->advance(500);
    main().controller().Pause();
    EXPECT_EQ(main().StarePlayer.Caption(), "Paused");
    EXPECT_EQ(bass().BASS_ChannelIsActive(channel()), BASS_ACTIVE_PAUSED);
    const auto fx = host().FxHandles;
    const DWORD paused = channel();
    host().FileToPlay.setText(tone("other.wav"));
    host().PLAYtheBass();
    EXPECT_EQ(channel(), paused) << "no new file is opened";
    EXPECT_EQ(host().FxHandles, fx);
    EXPECT_EQ(bass().BASS_ChannelIsActive(paused), BASS_ACTIVE_PLAYING);
    EXPECT_EQ(main().StarePlayer.Caption(), "Paused") << "the caller writes the state";
    p.clock->advance(100);
    EXPECT_EQ(bass().BASS_ChannelGetPosition(paused, BASS_POS_BYTE), 4u * (22050 + 4410));
}

TEST_F(HostPlayTest, PauseThenPlayGoesOnFromThePosition) {
    play(tone("a.wav", {.seconds = 3}));
    p.clock->advance(1000);
    main().controller().Pause();
    p.clock->advance(4000);
    main().controller().Play();
    EXPECT_EQ(main().StarePlayer.Caption(), "Playing");
    p.clock->advance(500);
    EXPECT_EQ(bass().BASS_ChannelGetPosition(channel(), BASS_POS_BYTE), 4u * 66150);
    EXPECT_EQ(main().TSec.Caption(), "0:01") << "the tick went on while paused";
}

TEST_F(HostPlayTest, VolumeSliderBecomesTheStreamVolume) {
    main().Volum.setValue(37);
    play(tone("a.wav"));
    EXPECT_EQ(bass().BASS_GetConfig(BASS_CONFIG_GVOL_STREAM), 3700u) << "applied at play";
    for (auto [slider, volume] : {std::pair{0.0, 0u}, {37.0, 3700u}, {100.0, 10000u}}) {
        main().Volum.setValue(slider);
        host().VolumBass();
        EXPECT_EQ(bass().BASS_GetConfig(BASS_CONFIG_GVOL_STREAM), volume) << slider;
    }
}

TEST_F(HostPlayTest, StopReleasesTheEngineAndEveryValueStartsAgain) {
    play(tone("a.wav"));
    p.clock->advance(1000);
    const DWORD played = channel();
    host().Scrolling.setCaption("True");
    main().controller().SStop();
    EXPECT_EQ(main().StarePlayer.Caption(), "Stopped");
    EXPECT_FALSE(p.app->isLoaded<frmBass>());
    EXPECT_EQ(bass().BASS_ChannelIsActive(played), BASS_ACTIVE_STOPPED);
    const QString other = tone("b.wav");
    EXPECT_EQ(bass().BASS_StreamCreateFile(false, other.utf16(), 0, 0, kFileFlags), 0u);
    EXPECT_EQ(bass().BASS_ErrorGetCode(), BASS_ERROR_INIT) << "the engine was freed";

    frmBass& h = host();
    EXPECT_EQ(h.BassON.Caption(), "False");
    EXPECT_EQ(h.Chan.Caption(), "0");
    EXPECT_EQ(h.FileToPlay.Text(), "");
    EXPECT_EQ(h.StreamLength.Caption(), "0");
    EXPECT_EQ(h.Pozitie.Caption(), "0");
    EXPECT_EQ(h.Scrolling.Caption(), "False");
    EXPECT_EQ(h.SwitchIDTag.Caption(), "0");
    EXPECT_EQ(h.Caption(), "BASS");
    EXPECT_FALSE(h.Visible());
    EXPECT_FALSE(h.Timer1.Enabled());
    EXPECT_EQ(h.Timer1.Interval(), 1000);
    EXPECT_FALSE(h.tmrSpectrum.Enabled());
    EXPECT_EQ(h.tmrSpectrum.Interval(), 25);
    for (std::uint32_t fx : h.FxHandles)
        EXPECT_EQ(fx, 0u);
    const HSTREAM fresh = bass().BASS_StreamCreateFile(false, other.utf16(), 0, 0, kFileFlags);
    EXPECT_NE(fresh, 0u) << "the use initialised the engine again";
}

TEST_F(HostPlayTest, StopWithNothingPlayedCreatesAndReleasesTheHost) {
    ASSERT_TRUE(host().Unload());
    p.form<frmBass>().StopBass();
    EXPECT_FALSE(p.app->isLoaded<frmBass>());
    EXPECT_EQ(main().StarePlayer.Caption(), "Stopped");
    const QString file = tone("a.wav");
    EXPECT_EQ(bass().BASS_StreamCreateFile(false, file.utf16(), 0, 0, kFileFlags), 0u);
    EXPECT_EQ(bass().BASS_ErrorGetCode(), BASS_ERROR_INIT);
}

// Neither loader takes it: nothing is played or shown as playing, yet the
// next tick moves on as at the end of a track.
TEST_F(HostPlayTest, UnplayableFileIsNotStartedAndTheNextTickMovesOn) {
    const QString bad = media.write("bad.mp3", "not audio at all");
    addToPlaylist(bad, "bad");
    addToPlaylist(tone("good.wav"), "good");
    playRow(0);
    frmBass& h = host();
    EXPECT_EQ(h.Chan.Caption(), "0");
    EXPECT_NE(main().StarePlayer.Caption(), "Playing");
    for (std::uint32_t fx : h.FxHandles)
        EXPECT_EQ(fx, 0u);
    EXPECT_TRUE(h.Timer1.Enabled());
    p.clock->advance(1000);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(p.form<Playlist>().PicList.ListIndex(), 1);
    EXPECT_EQ(main().StarePlayer.Caption(), "Playing");
    EXPECT_EQ(bass().BASS_ChannelIsActive(channel()), BASS_ACTIVE_PLAYING);
}

class HostFilterTest : public BassHostTest {
  protected:
    HostFilterTest() { data().ListaManelisti.AddItem("forbidden"); }
    bool refused(const std::function<void()>& start) {
        try {
            start();
        } catch (const ui::ProcessExit&) {
            return true;
        }
        return false;
    }
};

TEST_F(HostFilterTest, NewFilesOwnTagIsChecked) {
    play(tagged(tone("clean.wav"), "Clean artist"));
    p.clock->advance(1000);
    ASSERT_TRUE(p.form<MediaLibrary>().Text2T.Text().startsWith("Clean artist"));
    const QString banned = tagged(tone("banned.wav"), "Forbidden artist");
    bass().BASS_SetConfig(BASS_CONFIG_GVOL_STREAM, 10000);
    main().Volum.setValue(37);
    EXPECT_TRUE(refused([&] { play(banned); }));
    EXPECT_EQ(p.dialogs->count("MsgBox"), 1);
    EXPECT_FALSE(p.app->isLoaded<frmBass>()) << "the refusal released the host";
    EXPECT_EQ(bass().BASS_GetConfig(BASS_CONFIG_GVOL_STREAM), 10000u)
        << "no volume before the check";
}

TEST_F(HostFilterTest, PreviousFilesTagAndTitleAreNotChecked) {
    p.form<MediaLibrary>().Text2T.setText("Forbidden artist");
    main().Titlu.setCaption("Forbidden title");
    addToPlaylist(tagged(tone("clean.wav"), "Clean artist"), "Clean song");
    EXPECT_FALSE(refused([&] { playRow(0); }));
    EXPECT_EQ(main().StarePlayer.Caption(), "Playing");
    EXPECT_EQ(main().Titlu.Caption(), "Clean song         ");
    EXPECT_TRUE(p.form<MediaLibrary>().Text2T.Text().startsWith("Clean artist"));
}

}  // namespace
}  // namespace bashost
