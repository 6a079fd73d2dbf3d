// What a release on any slider does beyond the slider: the media engine's
// seek (hook A), the volume re-applied after a track release and the
// keyboard focus sent to the volume slider of the window in use.
#include <gtest/gtest.h>

#include "controls/ctlScrollbar.h"
#include "core/frmBass.h"
#include "platform/audio/Bass.h"
#include "platform/ui/Twips.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/Controllers.h"
#include "support/SkinFixture.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

namespace {

class ReleaseHooks : public ::testing::Test {
  protected:
    testsupport::SkinFixture p;
    Main& m = p.form<Main>();
    DataForm& d = p.form<DataForm>();
    ctlScrollbar& list = p.form<Playlist>().ScrollBar;
    QStringList log;

    void SetUp() override {
        for (ctlScrollbar* s : {&list, &m.Volum, &m.sldEQR(3)})
            s->Controller().set(std::make_unique<testsupport::RecordingMain>(*p.app, log));
        m.Show();
        p.form<Playlist>().Show();
        // Nothing holds the keyboard on the main window's sliders to start with.
        list.SetFocus();
    }
    ui::Control* focused() { return p.app->focusedControl(); }
    // The volume slider took the focus: it hands it on to the main window's key sink.
    bool volumeTookFocus() { return focused() == &m.KeyFocus; }
    void releaseThumb(ctlScrollbar& s) {
        s.Picture2_MouseDown(ui::vbLeftButton, 0, 2, 2);
        s.Picture2_MouseUp(ui::vbLeftButton, 0, 2, 2);
    }
    // A press and release on the track below the thumb, the pointer over it.
    void releaseTrack(ctlScrollbar& s) {
        QWidget* track = s.Picture4.widget();
        p.app->pointer().script(track->mapToGlobal(QPoint(2, track->height() - 2)));
        const float y = static_cast<float>(s.Picture4.ScaleHeight() - 2);
        s.Picture4_MouseDown(ui::vbLeftButton, 0, 2, y);
        s.Picture4_MouseUp(ui::vbLeftButton, 0, 2, y);
    }
};

TEST_F(ReleaseHooks, HookASeeksTheMediaEngineOnlyWhileItsSeekRuns) {
    m.StartMoveSlider.setCaption("False");
    releaseThumb(m.sldEQR(3));
    EXPECT_TRUE(log.isEmpty()) << log.join(", ").toStdString();

    m.StartMoveSlider.setCaption("True");
    releaseThumb(m.sldEQR(3));
    EXPECT_EQ(log, QStringList({"SliderMultimediaChange"})) << "any slider's release seeks";
    EXPECT_TRUE(volumeTookFocus());
}

TEST_F(ReleaseHooks, FocusGoesToTheVolumeSliderOfTheWindowInUse) {
    for (const char* other : {"True", "false", ""}) {
        list.SetFocus();
        d.MiniMode.setCaption(other);
        releaseThumb(list);
        EXPECT_EQ(focused(), &list) << "no focus moves with MiniMode \"" << other << "\"";
    }
    d.MiniMode.setCaption("False");
    releaseThumb(list);
    EXPECT_TRUE(volumeTookFocus());
    EXPECT_FALSE(p.app->isLoaded<MiniForm>()) << "the mini window is never loaded by a release";
}

TEST_F(ReleaseHooks, AHiddenVolumeSliderTakesNoFocusAndTheReleaseGoesOn) {
    m.Volum.setVisible(false);
    m.StartMoveSlider.setCaption("True");
    releaseThumb(list);
    EXPECT_EQ(focused(), &list);
    EXPECT_EQ(log, QStringList({"SliderMultimediaChange"}));
}

TEST_F(ReleaseHooks, ATrackReleaseOnThePlaylistBarReappliesTheVolume) {
    m.Volum.setValue(37);
    releaseTrack(list);
    EXPECT_EQ(log, QStringList({"ChangeVolume"})) << "nothing plays through the host";
    EXPECT_FALSE(p.app->isLoaded<MiniForm>());

    log.clear();
    frmBass& host = p.form<frmBass>();
    host.BassON.setCaption("True");
    p.app->bass().BASS_SetConfig(audio::BASS_CONFIG_GVOL_STREAM, 0);
    releaseTrack(list);
    EXPECT_TRUE(log.isEmpty()) << "the host takes the volume itself";
    EXPECT_EQ(p.app->bass().BASS_GetConfig(audio::BASS_CONFIG_GVOL_STREAM), 3700u);
}

}  // namespace
