#include <cmath>

#include "app/PlenkApp.h"
#include "controls/ctlScrollbar.h"
#include "core/BassSeek.h"
#include "core/frmBass.h"
#include "platform/ui/Twips.h"
#include "shared/DataForm.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

namespace {

using MouseHandler = void (ctlScrollbar::*)(int, int, float, float);

void wire(ctlScrollbar& bar, ui::PictureBox& part, MouseHandler down, MouseHandler move,
          MouseHandler up) {
    // A press anywhere on the control gives it the focus first, as a click on
    // any window of the toolkit does; a control that cannot take it is pressed all the same.
    part.MouseDown.connect([&bar, down](int b, int s, float x, float y) {
        ui::step([&bar] { bar.SetFocus(); });
        (bar.*down)(b, s, x, y);
    });
    part.MouseMove.connect(
        [&bar, move](int b, int s, float x, float y) { (bar.*move)(b, s, x, y); });
    part.MouseUp.connect([&bar, up](int b, int s, float x, float y) { (bar.*up)(b, s, x, y); });
}

}  // namespace

void ctlScrollbar::connectParts() {
    wire(*this, Picture1, &ctlScrollbar::Picture1_MouseDown, &ctlScrollbar::Picture1_MouseMove,
         &ctlScrollbar::Picture1_MouseUp);
    wire(*this, Picture2, &ctlScrollbar::Picture2_MouseDown, &ctlScrollbar::Picture2_MouseMove,
         &ctlScrollbar::Picture2_MouseUp);
    wire(*this, Picture3, &ctlScrollbar::Picture3_MouseDown, &ctlScrollbar::Picture3_MouseMove,
         &ctlScrollbar::Picture3_MouseUp);
    wire(*this, Picture4, &ctlScrollbar::Picture4_MouseDown, &ctlScrollbar::Picture4_MouseMove,
         &ctlScrollbar::Picture4_MouseUp);
    Picture1.DblClick.connect([this] { Picture1_DblClick(); });
    Picture3.DblClick.connect([this] { Picture3_DblClick(); });
    ui::connectEach(*this, &ui::Timer::TimerEvent,
                    {{&tmUp, &ctlScrollbar::tmUp_Timer},
                     {&tmDn, &ctlScrollbar::tmDn_Timer},
                     {&tmUp2, &ctlScrollbar::tmUp2_Timer},
                     {&tmDn2, &ctlScrollbar::tmDn2_Timer},
                     {&Tracking1, &ctlScrollbar::Tracking1_Timer},
                     {&Tracking2, &ctlScrollbar::Tracking2_Timer},
                     {&Tracking3, &ctlScrollbar::Tracking3_Timer}});
}

// A step of n units, clamped at 0 and at the travel; value follows before Change.
void ctlScrollbar::stepBy(double units) {
    const double pos = live_.thumbPos + units * live_.pixelsPerUnit;
    if (units < 0)
        live_.thumbPos = pos <= 0 ? 0 : pos;
    else
        live_.thumbPos = pos < travel() ? pos : travel();
    if (!std::isfinite(live_.thumbPos)) live_.thumbPos = 0;
    Redraw();
    Change.raise();
}

void ctlScrollbar::arrowPress(bool up) {
    (up ? live_.upPressed : live_.downPressed) = true;
    (up ? tmUp : tmDn).setEnabled(true);
    Redraw();
}

void ctlScrollbar::arrowMove(bool up, int button) {
    if (button == 0) {
        (up ? live_.upPressed : live_.downPressed) = false;
        (up ? tmUp : tmDn).setEnabled(false);
    }
    Redraw();
}

void ctlScrollbar::arrowRelease(bool up, int button) {
    if (button == ui::vbLeftButton) stepBy(up ? -SmallChange() : SmallChange());
    (up ? live_.upPressed : live_.downPressed) = false;
    (up ? tmUp : tmDn).setEnabled(false);
    Redraw();
    releaseHooks(true);
}

void ctlScrollbar::Picture1_MouseDown(int, int, float, float) {
    arrowPress(true);
}
void ctlScrollbar::Picture1_MouseMove(int Button, int, float, float) {
    arrowMove(true, Button);
}
void ctlScrollbar::Picture1_MouseUp(int Button, int, float, float) {
    arrowRelease(true, Button);
}
void ctlScrollbar::Picture1_DblClick() {
    Picture1_MouseDown(ui::vbLeftButton, 0, 0, 0);
}
void ctlScrollbar::Picture3_MouseDown(int, int, float, float) {
    arrowPress(false);
}
void ctlScrollbar::Picture3_MouseMove(int Button, int, float, float) {
    arrowMove(false, Button);
}
void ctlScrollbar::Picture3_MouseUp(int Button, int, float, float) {
    arrowRelease(false, Button);
}
void ctlScrollbar::Picture3_DblClick() {
    Picture3_MouseDown(ui::vbLeftButton, 0, 0, 0);
}

void ctlScrollbar::Picture2_MouseDown(int Button, int, float X, float Y) {
    if (Button == ui::vbLeftButton) {
        live_.grabOffset = along(X, Y);
        live_.thumbDragging = true;
    }
    Redraw();
}

// The thumb keeps the point where it was taken under the pointer, within the track.
void ctlScrollbar::Picture2_MouseMove(int Button, int, float X, float Y) {
    if (Button == ui::vbLeftButton && live_.thumbDragging) {
        const double d = along(X, Y) - live_.grabOffset;
        if (d != 0) {
            const double pos = live_.thumbPos + d;
            live_.thumbPos = d < 0 ? (pos > 0 ? pos : 0) : (pos < travel() ? pos : travel());
            Redraw();
            Scroll.raise();
        }
    }
    Redraw();
}

void ctlScrollbar::Picture2_MouseUp(int, int, float, float) {
    live_.thumbDragging = false;
    Redraw();
    ui::step([&] { seekHookA(); });
    ui::step([&] { focusRule(); });
}

void ctlScrollbar::Picture4_MouseDown(int Button, int, float X, float Y) {
    if (Button == ui::vbLeftButton && IsMouseOver(Picture4.hWnd())) {
        const double start = isHorizontal() ? Picture2.Left() : Picture2.Top();
        const double end = start + (isHorizontal() ? Picture2.Width() : Picture2.Height());
        const double p = along(X, Y);
        if (p < start) {
            live_.pageUpPressed = true;
            tmUp2.setEnabled(true);
        } else if (p > end) {
            live_.pageDownPressed = true;
            tmDn2.setEnabled(true);
        }
    }
    Redraw();
}

void ctlScrollbar::Picture4_MouseMove(int, int, float, float) {
    Redraw();
}

// A release beside the thumb puts its start 10 pixels before the pointer,
// kept within the track, or at the end one page would reach.
void ctlScrollbar::Picture4_MouseUp(int Button, int, float X, float Y) {
    if (Button == ui::vbLeftButton && IsMouseOver(Picture4.hWnd())) {
        const double start = isHorizontal() ? Picture2.Left() : Picture2.Top();
        const double end = start + (isHorizontal() ? Picture2.Width() : Picture2.Height());
        const double p = along(X, Y), page = LargeChange() * live_.pixelsPerUnit;
        const auto jump = [&](double to) {
            live_.thumbPos = std::clamp(to, 0.0, std::max(0.0, travel()));
            Redraw();
            Change.raise();
        };
        if (live_.pageUpPressed && p < start)
            jump(live_.thumbPos - page <= 0 ? 0 : p - 10);
        else if (live_.pageDownPressed && p > end)
            jump(live_.thumbPos + page < travel() ? p - 10 : travel());
    }
    live_.pageUpPressed = live_.pageDownPressed = false;
    tmDn2.setEnabled(false);
    tmUp2.setEnabled(false);
    Redraw();
    live_.thumbDragging = false;
    ui::step([&] { trackReleaseExtras(); });
    releaseHooks(true);
}

void ctlScrollbar::repeatTick(bool up, bool page) {
    const bool held = page ? (up ? live_.pageUpPressed : live_.pageDownPressed)
                           : (up ? live_.upPressed : live_.downPressed);
    ui::Timer& timer = page ? (up ? tmUp2 : tmDn2) : (up ? tmUp : tmDn);
    if (!held) {
        timer.setEnabled(false);
        return;
    }
    ui::PictureBox& part = page ? Picture4 : (up ? Picture1 : Picture3);
    if (IsMouseOver(part.hWnd())) {
        const double units = page ? LargeChange() : SmallChange();
        stepBy(up ? -units : units);
    }
    Redraw();
}

void ctlScrollbar::tmUp_Timer() {
    repeatTick(true, false);
}
void ctlScrollbar::tmDn_Timer() {
    repeatTick(false, false);
}
void ctlScrollbar::tmUp2_Timer() {
    repeatTick(true, true);
}
void ctlScrollbar::tmDn2_Timer() {
    repeatTick(false, true);
}

void ctlScrollbar::trackingTick(ui::PictureBox& part, ui::Timer& tracker) {
    if (IsMouseOver(part.hWnd())) return;
    Redraw();
    tracker.setEnabled(false);
}

void ctlScrollbar::Tracking1_Timer() {
    trackingTick(Picture1, Tracking1);
}
void ctlScrollbar::Tracking2_Timer() {
    trackingTick(Picture2, Tracking2);
}
void ctlScrollbar::Tracking3_Timer() {
    trackingTick(Picture3, Tracking3);
}

void ctlScrollbar::releaseHooks(bool seekB) {
    ui::step([&] { seekHookA(); });
    if (seekB) ui::step([&] { seekHookB(); });
}

void ctlScrollbar::seekHookA() {
    if (app().form<Main>().StartMoveSlider.Caption() != "True") return;
    controller_.get().SliderMultimediaChange();
    focusRule();
}

void ctlScrollbar::seekHookB() {
    frmBass& bass = app().form<frmBass>();
    if (bass.Scrolling.Caption() != "True") return;
    ui::step([&] {
        BassSeek::seek(app(), bass.Chan.Caption(),
                       app().form<Main>().SliderMoveMultimedia(0).value());
    });
    bass.Scrolling.setCaption("False");
    focusRule();
}

// The mini window's slider takes the focus only while that window exists.
void ctlScrollbar::focusRule() {
    const QString mini = app().form<DataForm>().MiniMode.Caption();
    if (mini == "False") ui::step([&] { app().form<Main>().Volum.SetFocus(); });
    if (mini == "True" && app().isLoaded<MiniForm>())
        ui::step([&] { app().form<MiniForm>().Volum.SetFocus(); });
}

// The mini window's sliders take part only while that window exists.
void ctlScrollbar::trackReleaseExtras() {
    Main& main = app().form<Main>();
    std::vector<ctlScrollbar*> clamped{&main.Volum, &main.SliderMoveMultimedia(0)};
    MiniForm* mini = app().isLoaded<MiniForm>() ? &app().form<MiniForm>() : nullptr;
    if (mini) clamped.insert(clamped.end(), {&mini->Volum, &mini->SliderMoveMultimedia(0)});
    for (ctlScrollbar* s : clamped)
        ui::step([&] {
            if (s->value() < 0) s->setValue(0);
            if (s->max() < s->value()) s->setValue(s->max());
        });
    ui::step([&] {
        if (app().form<frmBass>().BassON.Caption() == "True")
            app().form<frmBass>().VolumBass();
        else
            controller_.get().ChangeVolume();
    });
    if (!mini || !mini->Visible()) return;
    ui::step([&] { main.Volum.setValue(mini->Volum.value()); });
    ui::step([&] { main.VolumChange(); });
}
