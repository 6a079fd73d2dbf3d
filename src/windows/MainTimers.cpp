#include "windows/Main.h"

#include <cmath>
#include <limits>

#include "core/frmBass.h"
#include "options/Options.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "shared/NumberText.h"
#include "windows/FormMeniuri.h"
#include "windows/MiniForm.h"

using ui::step;

namespace {

constexpr int kMarqueeLength = 50;

// The BASS host counts as in use only while it is loaded: asking never loads it.
bool bassInUse(ui::Application& app) {
    return app.isLoaded<frmBass>() && app.form<frmBass>().BassON.Caption() == "True";
}

// "#00" and "00": at least two digits, a sign in front of them.
QString twoDigits(std::int32_t value) {
    const QString digits = QString::number(std::abs(static_cast<long long>(value)));
    return (value < 0 ? "-" : "") + digits.rightJustified(2, '0');
}

// Whole characters, so a character outside the basic plane moves as one.
QString rotatedMarquee(const QString& title) {
    QList<uint> chars = title.toUcs4();
    chars.resize(kMarqueeLength, uint(u' '));
    std::rotate(chars.begin(), chars.begin() + 1, chars.end());
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.constData()), chars.size());
}

void putBack(ui::Image& image, const ui::Image& normal) {
    step([&] { image.setPicture(normal.picture()); });
}

}  // namespace

void Main::connectTimers() {
    TimerMisc(0).TimerEvent.connect([this] { TimerMisc_Timer(0); });
    FixImages.TimerEvent.connect([this] { FixImages_Timer(); });
    FixWindows.TimerEvent.connect([this] { FixWindows_Timer(); });
    FullScreenTimer.TimerEvent.connect([this] { FullScreenTimer_Timer(); });
    ScrollTextTimer.TimerEvent.connect([this] { ScrollTextTimer_Timer(); });
    TimeCounter.TimerEvent.connect([this] { TimeCounter_Timer(); });
    VersionCheck.TimerEvent.connect([this] { VersionCheck_Timer(); });
}

void Main::TimerMisc_Timer(int) {
    controller().TimerMixF();
}

// Hover looks go back to the skin's normal pictures.
void Main::FixImages_Timer() {
    DataForm& d = form<DataForm>();
    const QString mode = d.MiniMode.Caption();
    const auto captionButtons = [&](auto& w) {
        for (ui::Image* head : {&w.Meniu1, &w.Meniu2, &w.Meniu3})
            putBack(*head, d.MeniuNormal);
        putBack(w.MinimizeButton, d.MinimizeNormal);
        putBack(w.CloseButton, d.CloseNormal);
    };
    if (mode == "False") captionButtons(*this);
    if (mode == "True" && app().isLoaded<MiniForm>()) captionButtons(form<MiniForm>());
    Playlist& list = form<Playlist>();
    for (ui::Image* head : {&list.Meniu1, &list.Meniu2, &list.Meniu3})
        putBack(*head, d.MeniuNormal);
    putBack(list.CloseButton, d.CloseNormal);
    putBack(Image3, d.ImgButton);
    putBack(Image4, d.ImgButton);
}

ui::Form& Main::playerWindow() {
    if (form<DataForm>().MiniMode.Caption() == "True") return form<MiniForm>();
    return *this;
}

// The playlist and library follow the player window in use: hidden while it
// is minimized, back (with what minimizing stopped) once it is restored.
void Main::FixWindows_Timer() {
    DataForm& d = form<DataForm>();
    const QString mode = d.MiniMode.Caption();
    const bool mini = mode == "True";
    if (mini && !app().isLoaded<MiniForm>()) return;
    ui::Form& player = playerWindow();
    const bool minimized = player.WindowState() == vbMinimized;
    Playlist& list = form<Playlist>();
    if (mini || mode == "False") {
        const bool shown = d.PlaylistON.Caption() == "1";
        if (minimized) {
            restorePending_ = true;
            if (shown) step([&] { list.Hide(); });
        } else {
            if (shown) step([&] { list.Show(); });
            if (restorePending_ || !FixImages.Enabled() || player.Caption() != "Plenk Player")
                restoreAfterMinimize(player);
        }
    }
    MediaLibrary& library = form<MediaLibrary>();
    if (minimized)
        step([&] { library.Hide(); });
    else if (d.MediaOn.Caption() == "1")
        step([&] { library.Show(); });
}

// What minimizing stopped comes back once.  Only then: the visualisation's
// tick rests by itself while a stream is paused, and must not be woken.
void Main::restoreAfterMinimize(ui::Form& player) {
    restorePending_ = false;
    step([&] { player.setCaption("Plenk Player"); });
    step([&] { form<Playlist>().ScrollTimer.setEnabled(true); });
    step([&] { FixImages.setEnabled(true); });
    step([&] {
        if (bassInUse(app())) form<frmBass>().tmrSpectrum.setEnabled(true);
    });
    // A video that ended while the window was minimized could not size it.
    if (&player == this && !videoOpen() && !MainFrame(1).Visible())
        step([&] { showAudioLayout(); });
}

// In full screen the sliders go away after some seconds without the mouse.
void Main::FullScreenTimer_Timer() {
    double seconds = 0;
    step([&] {
        seconds = shared::Val(FullScreenSec.Caption()) + 1;
        FullScreenSec.setCaption(shared::formatDouble(seconds));
    });
    const bool show = seconds < 6;
    if (!show) step([&] { FullScreenSec.setCaption("0"); });
    step([&] { SliderMoveMultimedia(0).setVisible(show); });
    step([&] { Volum.setVisible(show); });
    if (!show) step([&] { FullScreenTimer.setEnabled(false); });
    step([&] { FrameVideo(0).setTop(show ? 600 : 0); });
}

// The title line scrolls by one character; minimized windows show it in
// the task bar when the option asks for it.
void Main::ScrollTextTimer_Timer() {
    step([&] { Titlu.setCaption(rotatedMarquee(Titlu.Caption())); });
    step([&] {
        if (form<Options>().Check1.Value() != 1) return;
        if (WindowState() == vbMinimized) setCaption(Titlu.Caption());
        if (!app().isLoaded<MiniForm>()) return;
        MiniForm& mini = form<MiniForm>();
        if (mini.WindowState() == vbMinimized) mini.setCaption(mini.Titlu.Caption());
    });
}

// Elapsed time, the video's title bar, the MCI state and the information line.
void Main::TimeCounter_Timer() {
    MediaLibrary& library = form<MediaLibrary>();
    step([&] {
        const std::optional<double> seconds =
            shared::parseNumber(library.LbCurrentTime(0).Caption());
        if (!seconds || !(std::abs(*seconds) <= std::numeric_limits<std::int32_t>::max())) return;
        ElapsedSeconds = static_cast<std::int32_t>(std::nearbyint(*seconds));
    });
    step([&] {
        TSec.setCaption(twoDigits(ElapsedSeconds / 60) + ":" + twoDigits(ElapsedSeconds % 60));
    });
    step([&] {
        LabelVideo.setCaption(LbActualCx(0).Caption() != "-1"
                                  ? TSec.Caption() + "  " + Titlu.Caption()
                                  : QString("PLENK PLAYER"));
    });
    step([&] {
        if (!bassInUse(app())) StarePlayer.setCaption(LbStatus(0).Caption());
    });
    if (LbStatus(0).Caption() != "Playing") return;
    InfoStep = static_cast<std::int16_t>(InfoStep + 1);
    const std::pair<int, std::function<QString()>> cycle[] = {
        {1, [&] { return "Artist: " + library.Text2T.Text(); }},
        {4, [&] { return "Album: " + library.Text3T.Text(); }},
        {8, [&] { return "Year: " + library.Text4T.Text(); }},
        {12, [&] { return PozInTop.Caption(); }},
    };
    for (const auto& [at, text] : cycle)
        if (InfoStep == at) step([&] { InfoIDTag.setCaption(text()); });
    if (InfoStep >= 15) InfoStep = 0;
}

// Once a run, some seconds after the first minimize, the update component
// is handed the version.
void Main::VersionCheck_Timer() {
    if (VersionTicks < std::numeric_limits<std::int16_t>::max()) ++VersionTicks;
    if (form<Options>().Check6.Value() == 0) {
        VersionCheck.setEnabled(false);
        return;
    }
    if (VersionTicks != 5) return;
    QString version = PlenkApp::version();
    step([&] { updateChecker_.get().CheckVersion(version); });
    VersionChecked = true;
    VersionCheck.setEnabled(false);
}

// A video opening in mini mode brings the main window in the mini window's
// place; its end takes the mini window back.
void Main::LbActualCx_Change() {
    ui::Label& cx = LbActualCx(0);
    // The write runs this handler again with "-1", which does the work.
    if (cx.Caption().isEmpty()) return step([&] { cx.setCaption("-1"); });
    if (videoOpen())
        swapInForVideo();
    else
        afterVideo();
}

void Main::swapInForVideo() {
    DataForm& d = form<DataForm>();
    if (d.MiniMode.Caption() != "True") {
        SwappedForVideo = false;
        return;
    }
    MiniForm& mini = form<MiniForm>();
    if (mini.WindowState() == vbMinimized) return;
    SwappedForVideo = true;
    mini.HandOverToMain();
    step([&] { form<FormMeniuri>().FullMiniMenu.setEnabled(false); });
}

// Without a video the window takes its mode's size again, and a swap for the
// video is undone.
void Main::afterVideo() {
    if (WindowState() == vbMinimized) return;
    if (!MainFrame(1).Visible()) step([&] { showAudioLayout(); });
    if (SwappedForVideo) swapBackToMini();
}

void Main::swapBackToMini() {
    step([&] { Hide(); });
    MiniForm& mini = form<MiniForm>();
    step([&] { mini.setIconPath(IconPath()); });
    step([&] { mini.setTop(Top()); });
    step([&] { mini.setLeft(Left()); });
    step([&] { mini.Show(); });
    step([&] { form<DataForm>().MiniMode.setCaption("True"); });
    step([&] { form<FormMeniuri>().FullMiniMenu.setEnabled(true); });
    // Back to normal: a later end of an audio medium must not swap again.
    SwappedForVideo = false;
}
