#include "core/BassSeek.h"
#include "core/frmBass.h"
#include "options/Options.h"
#include "platform/ui/RuntimeError.h"
#include "shared/DataForm.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"
#include "windows/TwinSliders.h"

using ui::step;

void Main::connectSliders() {
    connectTwinSliders(*this);
    for (int i = 0; i <= 10; ++i) {
        sldEQR(i).Change.connect([this, i] { sldEQR_Change(i); });
        sldEQR(i).Scroll.connect([this, i] { sldEQR_Scroll(i); });
    }
}

void Main::SliderMoveMultimedia_GotFocus() {
    ScrollbarFocus();
}
void Main::SliderMoveMultimedia_LostFocus() {
    ScrollbarLostFocus();
}
void Main::SliderMoveMultimedia_Scroll() {
    ScrollbarScroll();
}
void Main::Volum_Change() {
    VolumChange();
}
void Main::Volum_GotFocus() {
    VolumFocus();
}
void Main::Volum_Scroll() {
    VolumScroll();
}
void Main::sldEQR_Change(int Index) {
    form<frmBass>().MoveScollEq(Index);
}
void Main::sldEQR_Scroll(int Index) {
    form<frmBass>().MoveScollEq(Index);
}

QString Main::bassFlag(ui::Label frmBass::*flag) const {
    if (!app().isLoaded<frmBass>()) return QStringLiteral("False");
    return (form<frmBass>().*flag).Caption();
}

void Main::setBassFlag(ui::Label frmBass::*flag, const QString& value) {
    if (app().isLoaded<frmBass>()) (form<frmBass>().*flag).setCaption(value);
}

// The key sink of the window in use; a sink that cannot take the focus is skipped.
void Main::focusKeySink() {
    if (form<DataForm>().MiniMode.Caption() != "False")
        focusMiniKeySink();
    else
        step([&] { KeyFocus.SetFocus(); });
}

// Focusing never loads the mini window: an unloaded one has no sink to take it.
void Main::focusMiniKeySink() {
    if (app().isLoaded<MiniForm>()) step([&] { form<MiniForm>().KeyFocus.SetFocus(); });
}

void Main::ScrollbarFocus() {
    if (bassFlag(&frmBass::BassON) != "False") {
        setBassFlag(&frmBass::Scrolling, "True");
        return;
    }
    if (form<DataForm>().FullScreenStat.Caption() == "True") FullScreenSec.setCaption("0");
    StartMoveSlider.setCaption("True");
}

void Main::ScrollbarScroll() {
    if (bassFlag(&frmBass::BassON) != "True") return;
    frmBass& bass = form<frmBass>();
    bass.Scrolling.setCaption("True");
    step([&] { BassSeek::seek(app(), bass.Chan.Caption(), SliderMoveMultimedia(0).value()); });
    bass.Scrolling.setCaption("False");
}

void Main::ScrollbarLostFocus() {
    step([&] { SliderMoveMultimedia_Scroll(); });
    StartMoveSlider.setCaption("False");
    setBassFlag(&frmBass::Scrolling, "False");
    const QString mini = form<DataForm>().MiniMode.Caption();
    if (mini == "False") {
        step([&] { KeyFocus.SetFocus(); });
        step([&] { Volum_Scroll(); });
    }
    // The mini window's relay applies its own volume after this returns.
    if (mini == "True") focusMiniKeySink();
}

void Main::VolumChange() {
    if (bassFlag(&frmBass::BassON) == "True")
        form<frmBass>().VolumBass();
    else
        controller().ChangeVolume();
}

void Main::VolumScroll() {
    VolumChange();
}

void Main::VolumFocus() {
    if (form<DataForm>().FullScreenStat.Caption() == "True") FullScreenSec.setCaption("0");
    focusKeySink();
}

void Main::OnOffEq() {
    setToolButton(2, false);
    UpdateEqualizer();
}

void Main::UpdateEqualizer() {
    for (int i = 0; i <= 10; ++i)
        step([&] { sldEQR_Scroll(i); });
}
