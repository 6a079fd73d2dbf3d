#include "core/frmBass.h"
#include "persistence/KeyShortcut.h"
#include "platform/ui/RuntimeError.h"
#include "shared/DataForm.h"
#include "shared/WindowDrag.h"
#include "windows/FormMeniuri.h"
#include "windows/MenuHeads.h"
#include "windows/MiniForm.h"

using ui::step;

namespace {

// Which picture a hover gives a button: untouched, normal or lit.
enum class Look { Keep, Normal, Lit };

// The menu head lit (1 to 3, 0 none, -1 heads untouched) and the caption
// buttons' looks, per place the pointer moves over.
struct HoverRow {
    int litHead;
    Look minimize;
    Look close;
};
HoverRow hoverRow(MiniForm::HoverSource over) {
    using S = MiniForm::HoverSource;
    switch (over) {
        case S::Window:
            return {0, Look::Normal, Look::Normal};
        case S::Background:
            return {0, Look::Keep, Look::Keep};
        case S::MenuHead1:
            return {1, Look::Keep, Look::Keep};
        case S::MenuHead2:
            return {2, Look::Keep, Look::Keep};
        case S::MenuHead3:
            return {3, Look::Keep, Look::Keep};
        case S::Minimize:
            return {-1, Look::Lit, Look::Normal};
        case S::Close:
            break;
    }
    return {-1, Look::Normal, Look::Lit};
}

}  // namespace

void MiniForm::connectEvents() {
    for (ui::Control* c :
         std::initializer_list<ui::Control*>{&Image1, &ImgTopCenter, &LabelVideo, &StarePlayer,
                                             &Titlu, &TotalTime, &TSec, &Visualisation})
        c->MouseDown.connect([this](int, int, float, float) { FormMove(*this); });
    LabelVideo.DblClick.connect([this] { LabelVideo_DblClick(); });
    ImgTopCenter.DblClick.connect([this] { ImgTopCenter_DblClick(); });
    using S = HoverSource;
    const std::tuple<ui::Image*, ui::Label*, S> heads[] = {{&Meniu1, &Label1, S::MenuHead1},
                                                           {&Meniu2, &Label3, S::MenuHead2},
                                                           {&Meniu3, &Label4, S::MenuHead3}};
    int head = 1;
    for (auto [image, label, source] : heads) {
        for (ui::Control* c : std::initializer_list<ui::Control*>{image, label}) {
            c->MouseUp.connect([this, head](int, int, float, float) { MenuHead_MouseUp(head); });
            c->MouseMove.connect([this, source](int, int, float, float) { ShowHover(source); });
        }
        ++head;
    }
    for (ui::Control* c : std::initializer_list<ui::Control*>{&Image1, &ImgTopLeft, &ImgTopCenter})
        c->MouseMove.connect([this](int, int, float, float) { ShowHover(S::Background); });
    MinimizeButton.MouseMove.connect([this](int, int, float, float) { ShowHover(S::Minimize); });
    CloseButton.MouseMove.connect([this](int, int, float, float) { ShowHover(S::Close); });
    MinimizeButton.Click.connect([this] { MinimizeButton_Click(); });
    CloseButton.Click.connect([this] { CloseButton_Click(); });
    KeyFocus.KeyDown.connect([this](int& code, int shift) { KeyFocus_KeyDown(code, shift); });
    Visualisation.DblClick.connect([this] { form<frmBass>().NextSpectrumMode(); });
    Timer1.TimerEvent.connect([this] { Timer1_Timer(); });
}

// Dragged by the caption in its normal state and outside full screen.
void MiniForm::FormMove(ui::Form&) {
    if (isLoaded()) dragWindow(*this, ui::HTCAPTION);
}

void MiniForm::Form_MouseDown(int, int, float, float) {
    FormMove(*this);
}

void MiniForm::Form_MouseMove(int, int, float, float) {
    ShowHover(HoverSource::Window);
}

void MiniForm::MenuHead_MouseUp(int head) {
    if (!isLoaded() || form<DataForm>().FullScreenStat.Caption() != "False") return;
    if (head < 1 || head > 3) return;
    const MenuHead& h = kMenuHeads[head - 1];
    step([&] { PopupMenu(form<FormMeniuri>().*h.menu, 0, h.x, kMenuHeadsY); });
}

void MiniForm::ShowHover(HoverSource over) {
    if (!isLoaded()) return;
    const HoverRow row = hoverRow(over);
    DataForm& d = form<DataForm>();
    ui::Image* const heads[] = {&Meniu1, &Meniu2, &Meniu3};
    for (int i = 0; row.litHead >= 0 && i < 3; ++i)
        step([&] {
            heads[i]->setPicture((i + 1 == row.litHead ? d.MeniuHover : d.MeniuNormal).picture());
        });
    const auto show = [&](ui::Image& button, Look look, ui::Image& normal, ui::Image& lit) {
        if (look != Look::Keep)
            step([&] { button.setPicture((look == Look::Lit ? lit : normal).picture()); });
    };
    show(MinimizeButton, row.minimize, d.MinimizeNormal, d.MinimizeFocus);
    show(CloseButton, row.close, d.CloseNormal, d.CloseFocus);
}

// The key code alone goes to the shortcuts, as a copy; the shift state does not.
void MiniForm::KeyFocus_KeyDown(int& KeyCode, int) {
    app().module<KeyShortcut>().ProcessShortcutKey(KeyCode);
}
