#include "controls/Butoane.h"

#include "app/PlenkApp.h"
#include "options/Options.h"
#include "shared/DataForm.h"
#include "skins/SkinFiles.h"
#include "windows/Main.h"

namespace {

constexpr float kHiddenTop = 1000;

struct Layout {
    float hitLeft, hitTop, hitWidth, hitHeight;
    float showLeft, showTop, width, height;
    const char* hover;
    const char* pressed;
};

// By Butoane::Button.
constexpr Layout kLayout[] = {
    {0, 360, 255, 255, 1, 190, 225, 555, "\\back-hover.bmp", "\\back-mousedown.bmp"},
    {240, 240, 495, 375, 260, 240, 465, 480, "\\play-hover.bmp", "\\play-mousedown.bmp"},
    {240, 0, 495, 255, 210, 1, 555, 210, "\\pause-hover.bmp", "\\pause-mousedown.bmp"},
    {240, 720, 495, 255, 240, 720, 495, 240, "\\stop-hover.bmp", "\\stop-mousedown.bmp"},
    {720, 360, 255, 255, 770, 180, 225, 570, "\\next-hover.bmp", "\\next-mousedown.bmp"},
};
constexpr Butoane::Button kAll[] = {Butoane::kBack, Butoane::kPlay, Butoane::kPause, Butoane::kStop,
                                    Butoane::kNext};

}  // namespace

Butoane::Butoane(ui::Form& form, QString name)
    : ui::UserControl(form, std::move(name)),
      controller_(static_cast<PlenkApp&>(form.application())) {
    Background.setContainer(this);
    Background.Move(0, 0, 990, 960);
    for (Button b : kAll) {
        const Layout& l = kLayout[b];
        Parts p = parts(b);
        p.hit.setContainer(this);
        p.hit.setBackStyle(0);
        p.hit.Move(l.hitLeft, l.hitTop, l.hitWidth, l.hitHeight);
        for (ui::Image* image : {&p.focus, &p.pressed}) {
            image->setContainer(this);
            image->Move(l.showLeft, kHiddenTop, l.width, l.height);
        }
    }
    OnlyOnLoad.setInterval(500);
    FocusTimer.setInterval(1000);
    FocusTimer.setEnabled(false);
    keepDesign(lastSkin_);
    connectButtons();
}

Butoane::Parts Butoane::parts(Button b) {
    switch (b) {
        case kBack:
            return {BackButon, BackFocus, BackPressed};
        case kPlay:
            return {PlayButon, PlayFocus, PlayPressed};
        case kPause:
            return {PauzaButon, PauzaFocus, PauzaPressed};
        case kStop:
            return {StopButon, StopFocus, StopPressed};
        default:
            return {NextButon, NextFocus, NextPressed};
    }
}

void Butoane::connectButtons() {
    for (Button b : kAll) {
        ui::Label& hit = parts(b).hit;
        hit.MouseDown.connect([this, b](int, int, float, float) { ButtonDown(b); });
        hit.DblClick.connect([this, b] { ButtonDblClick(b); });
        hit.MouseMove.connect([this, b](int, int, float, float) { ButtonMove(b); });
        hit.MouseUp.connect([this, b](int, int, float, float) { ButtonUp(b); });
    }
    OnlyOnLoad.TimerEvent.connect([this] { OnlyOnLoad_Timer(); });
    FocusTimer.TimerEvent.connect([this] { FocusTimer_Timer(); });
}

void Butoane::UserControl_Initialize() {
    FocusTimer.setEnabled(true);
}

void Butoane::UserControl_Terminate() {
    FocusTimer.setEnabled(false);
}

ui::Picture Butoane::skinPicture(const QString& file) const {
    return SkinFiles::picture(static_cast<PlenkApp&>(parentForm().application()), file);
}

void Butoane::show(ui::Image& image, Button b) {
    image.Move(kLayout[b].showLeft, kLayout[b].showTop);
}

// First the action, then the pressed image; Play decides by the exact state text.
void Butoane::ButtonDown(Button b) {
    ClsMain& ctl = controller_.get();
    PlenkApp& app = static_cast<PlenkApp&>(parentForm().application());
    switch (b) {
        case kBack:
            ctl.PlayPrevious();
            break;
        case kNext:
            ctl.PlayNext();
            break;
        case kPause:
            ctl.Pause();
            break;
        case kStop:
            ctl.SStop();
            show(StopPressed, kStop);
            return;
        case kPlay: {
            const QString state = app.form<Main>().StarePlayer.Caption();
            if (state == "Playing") return ctl.Pause();
            if (state.isEmpty())
                ctl.OpenAndPlayFile();
            else
                ctl.Play();
            break;
        }
    }
    show(parts(b).pressed, b);
}

void Butoane::ButtonMove(Button b) {
    show(parts(b).focus, b);
}

void Butoane::ButtonUp(Button b) {
    parts(b).pressed.setTop(kHiddenTop);
}

void Butoane::FocusTimer_Timer() {
    for (ui::Image* image : {&PauzaFocus, &BackFocus, &NextFocus, &StopFocus, &PlayFocus})
        image->setTop(kHiddenTop);
    const QString skin =
        static_cast<PlenkApp&>(parentForm().application()).form<Options>().SkinName.Text();
    if (skin != lastSkin_) OnlyOnLoad.setEnabled(true);
    lastSkin_ = skin;
}

// Each picture on its own: a missing or unreadable file keeps the one it had.
void Butoane::OnlyOnLoad_Timer() {
    PlenkApp& app = static_cast<PlenkApp&>(parentForm().application());
    if (app.form<DataForm>().CalePlenkPlayer.Text().isEmpty()) return;
    ui::step([&] { Background.setPicture(skinPicture("\\controls-background.bmp")); });
    const Button hoverOrder[] = {kPause, kStop, kNext, kBack, kPlay};
    for (Button b : hoverOrder)
        ui::step([&] { parts(b).focus.setPicture(skinPicture(kLayout[b].hover)); });
    for (Button b : hoverOrder)
        ui::step([&] { parts(b).pressed.setPicture(skinPicture(kLayout[b].pressed)); });
    OnlyOnLoad.setEnabled(false);
}
