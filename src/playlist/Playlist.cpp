#include "playlist/Playlist.h"

#include <cmath>

#include "app/PlenkApp.h"
#include "controls/mdlSmooth.h"
#include "persistence/KeyShortcut.h"
#include "platform/ui/RuntimeError.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Twips.h"
#include "platform/ui/WindowMessages.h"
#include "playlist/ClsPl.h"
#include "shared/DataForm.h"
#include "shared/SizeGrip.h"
#include "shared/WindowDrag.h"
#include "windows/FormMeniuri.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

using ui::step;

namespace {

// Rows the list shows before the scrollbar has anything to scroll.
constexpr int kPageRows = 30;

}  // namespace

Playlist::Playlist(ui::Application& app) : PlayerForm(app, "Playlist") {
    design();
    connectFrame();
    connectList();
}

Playlist::~Playlist() = default;

void Playlist::design() {
    setBorderStyle(vbBSNone);
    setShowInTaskbar(false);
    setCaption("Playlist");
    setBackColor(0x000000);
    Move(500, 4100, 6100, 4530);
    ImgTopLeft.Move(0, 0, 1500, 285);
    ImgTopCenter.Move(1440, 0, 3100, 285);
    for (ui::Image* stretched : {&ImgTopCenter, &ImgLeft, &ImgRight, &ImgBottomCenter})
        stretched->setStretch(true);
    ImgLeft.Move(0, 120, 165, 4230);
    CloseButton.Move(5280, 0, 330, 255);
    Meniu1.Move(240, 0, 735, 255);
    Label1.Move(360, 0, 375, 255);
    Meniu2.Move(1080, 0, 855, 255);
    Label3.Move(1200, 0, 615, 255);
    Meniu3.Move(2040, 0, 855, 255);
    for (auto [label, caption] : {std::pair{&Label1, "File"}, std::pair{&Label3, "Options"}}) {
        label->setCaption(caption);
        label->setForeColor(0xFFFFFF);
        label->setBackStyle(0);
    }
    ItemsLabel.setCaption("Total items:");
    ItemsLabel.setForeColor(0x808080);
    ItemsLabel.setBackStyle(0);
    ItemsLabel.setWidth(1575);
    Shape1.setBorderColor(0x404040);
    shared::lookLikeSizeGrip(ResizeArea);
    PicList.setFont({"Verdana", 8.25f});
    // Files and folders dragged from other programs are the window's to add.
    PicList.setOLEDropMode(ui::Control::vbOLEDropManual);
    FrameScroll.setBorderStyle(0);
    ScrollBar.setContainer(&FrameScroll);
    L1.setVisible(false);
    ScrollTimer.setInterval(1000);
    ScrollTimer.setEnabled(true);
    ResizePlaylist();
}

void Playlist::connectFrame() {
    for (ui::Control* edge :
         std::initializer_list<ui::Control*>{&ImgTopLeft, &ImgTopCenter, &ImgTopRight, &ItemsLabel})
        edge->MouseDown.connect([this](int, int, float, float) { FormMove(*this); });
    CloseButton.Click.connect([this] { CloseButton_Click(); });
    CloseButton.MouseMove.connect([this](int, int, float, float) { hover(nullptr, true); });
    for (auto [button, label, menu, x] :
         {std::tuple{&Meniu1, &Label1, &FormMeniuri::PlaylistMenu1, 250.0f},
          std::tuple{&Meniu2, &Label3, &FormMeniuri::PlaylistMenu2, 1100.0f}}) {
        for (ui::Control* c : std::initializer_list<ui::Control*>{button, label}) {
            c->MouseMove.connect([this, button](int, int, float, float) { hover(button); });
            c->MouseUp.connect([this, menu, x](int, int, float, float) {
                step([&] { PopupMenu(form<FormMeniuri>().*menu, 0, x, 300); });
            });
        }
    }
    ImgBottomRight.MouseMove.connect(
        [this](int, int, float, float) { app().screen().setMousePointer(ui::vbDefault); });
    ResizeArea.MouseDown.connect([this](int, int, float, float) { Resizing = true; });
    ResizeArea.MouseMove.connect([this](int b, int, float, float) { ResizeArea_MouseMove(b); });
    ResizeArea.MouseUp.connect([this](int, int, float, float) { Resizing = false; });
    ScrollBar.Scroll.connect([this] { ScrollBar_Scroll(); });
    ScrollBar.Change.connect([this] { ScrollBar_Scroll(); });
    ScrollTimer.TimerEvent.connect([this] { ScrollTimer_Timer(); });
}

ClsPl& Playlist::pl() {
    if (!PlaylistOps) PlaylistOps = std::make_unique<ClsPl>(app());
    return *PlaylistOps;
}

void Playlist::FormMove(ui::Form& frm) {
    if (frm.WindowState() != vbNormal) return;
    handDragToSystem(frm, ui::HTCAPTION);
}

void Playlist::Form_Load() {
    step([&] { mdlSmooth::RoundWindow(*this, 11); });
    for (ui::Image* menu : {&Meniu1, &Meniu2, &Meniu3})
        step([&] { menu->setPicture(form<DataForm>().MeniuNormal.picture()); });
}

void Playlist::ResizePlaylist() {
    step([&] { mdlSmooth::RoundWindow(*this, 9); });
    // Each correction resizes the window, which lays it out again.
    if (Width() < 4000) return setWidth(4000);
    if (Height() < 4530) return setHeight(4530);
    const float w = Width();
    const float h = Height();
    step([&] { ResizeArea.Move(w - 195, h - 195, 195, 195); });
    step([&] { ImgLeft.setHeight(h - 300); });
    step([&] { ImgRight.Move(w - 180, 120, 165, h - 300); });
    step([&] { ImgTopCenter.setWidth(w - 2800); });
    step([&] { ImgTopRight.Move(w - 1500, 0, 1500, 285); });
    step([&] { ImgBottomLeft.Move(0, h - 180, 1500, 165); });
    step([&] { ImgBottomCenter.Move(1440, h - 180, w - 2800, 165); });
    step([&] { ImgBottomRight.Move(w - 1500, h - 180, 1500, 165); });
    step([&] { FrameScroll.Move(w - 350, 370, 255, h - 660); });
    step([&] { PicList.Move(120, 360, w - 180, h - 850); });
    step([&] {
        ScrollBar.Move(w - 320 - FrameScroll.Left(), 380 - FrameScroll.Top(), 255, h - 720);
    });
    step([&] { ScrollBar.setValue(0.0); });
    step([&] { ItemsLabel.Move(240, h - 350, 1575, 255); });
    step([&] { Shape1.Move(120, h - 360, w - 500, Shape1.Height()); });
    step([&] { CloseButton.setLeft(w - 820); });
}

void Playlist::Form_Activate() {
    step([&] { ScrollBar.setMax(PicList.ListCount() - kPageRows); });
    step([&] {
        if (ScrollBar.value() == ScrollBar.max())
            PicList.setTopIndex(PicList.ListCount() - 1);
        else
            PicList.setTopIndex(static_cast<int>(std::nearbyint(ScrollBar.value())));
    });
    DataForm& data = form<DataForm>();
    Main& main = form<Main>();
    step([&] {
        if (data.MiniMode.Caption() == "True" && main.videoOpen())
            form<MiniForm>().HandOverToMain();
    });
    step([&] { MainCtl.get().applyMciLayout(); });
}

void Playlist::Form_KeyDown(int& KeyCode, int) {
    app().module<KeyShortcut>().ProcessShortcutKey(KeyCode);
}

void Playlist::Form_MouseDown(int, int, float, float) {
    FormMove(*this);
}

void Playlist::Form_MouseMove(int, int, float, float) {
    hover(nullptr);
}

void Playlist::CloseButton_Click() {
    setVisible(false);
    form<DataForm>().PlaylistON.setCaption("0");
}

void Playlist::hover(ui::Image* menu, bool overClose) {
    DataForm& data = form<DataForm>();
    if (overClose) {
        step([&] { CloseButton.setPicture(data.CloseFocus.picture()); });
        return;
    }
    if (!menu) {
        app().screen().setMousePointer(ui::vbDefault);
        step([&] { CloseButton.setPicture(data.CloseNormal.picture()); });
    }
    for (ui::Image* m : {&Meniu1, &Meniu2, &Meniu3}) {
        const ui::Image& look = m == menu ? data.MeniuHover : data.MeniuNormal;
        step([&] { m->setPicture(look.picture()); });
    }
}

void Playlist::ResizeArea_MouseMove(int Button) {
    app().screen().setMousePointer(ui::vbSizeNWSE);
    if (Button != ui::vbLeftButton) return;
    handDragToSystem(*this, ui::HTBOTTOMRIGHT);
    Resizing = false;
}

void Playlist::ScrollBar_Scroll() {
    step([&] { ScrollBar.setMax(PicList.ListCount() - kPageRows); });
    step([&] {
        ScrollBar.setLargeChange(10);
        ScrollBar.setSmallChange(1);
    });
    step([&] { PicList.setTopIndex(static_cast<int>(std::nearbyint(ScrollBar.value()))); });
    step([&] {
        if (ScrollBar.value() == ScrollBar.max()) PicList.setTopIndex(PicList.ListCount() - 1);
    });
    step([&] { PicList.SetFocus(); });
}

void Playlist::ScrollTimer_Timer() {
    step([&] { ScrollBar.setValue(PicList.TopIndex()); });
    ItemsLabel.setCaption("Total items: " + QString::number(PicList.ListCount()));
}
