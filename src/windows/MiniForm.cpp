#include "windows/MiniForm.h"

#include "controls/Snap.h"
#include "controls/mdlSmooth.h"
#include "platform/ui/RuntimeError.h"
#include "shared/DataForm.h"
#include "skins/SkinFiles.h"
#include "skins/SkinTables.h"
#include "windows/Main.h"

using ui::step;

namespace {

// The images the load gives a skin file, in the load's order: the edges,
// then the caption buttons, then the background.
const std::pair<const char*, ui::Image MiniForm::*> kImageFiles[] = {
    {"\\top-left.bmp", &MiniForm::ImgTopLeft},
    {"\\top.bmp", &MiniForm::ImgTopCenter},
    {"\\top-right.bmp", &MiniForm::ImgTopRight},
    {"\\right.bmp", &MiniForm::ImgRight},
    {"\\bottom-right.bmp", &MiniForm::ImgBottomRight},
    {"\\bottom.bmp", &MiniForm::ImgBottomCenter},
    {"\\bottom-left.bmp", &MiniForm::ImgBottomLeft},
    {"\\left.bmp", &MiniForm::ImgLeft},
    {"\\minimize-normal.bmp", &MiniForm::MinimizeButton},
    {"\\close-normal.bmp", &MiniForm::CloseButton},
    {"\\main-mini.jpg", &MiniForm::Image1},
};
constexpr int kEdgeRows = 8;
constexpr int kButtonRows = 10;

}  // namespace

MiniForm::MiniForm(ui::Application& app) : PlayerForm(app, "MiniForm") {
    setBorderStyle(vbBSNone);
    setCaption("Plenk Player");
    setWidth(6105);
    setHeight(1485);
    designFrame();
    designDisplay();
    designSliders();
    connectEvents();
    connectSliders();
}

void MiniForm::designFrame() {
    ImgTopLeft.Move(0, 0, 1500, 285);
    ImgTopCenter.Move(1440, 0, 3090, 285);
    ImgTopRight.Move(4440, 0, 1500, 285);
    ImgRight.Move(5880, 285, 165, 1035);
    ImgBottomRight.Move(4560, 1320, 1500, 165);
    ImgBottomCenter.Move(1440, 1320, 3090, 165);
    ImgBottomLeft.Move(0, 1320, 1500, 165);
    ImgLeft.Move(0, 285, 165, 1035);
    for (ui::Image* stretched :
         {&ImgTopCenter, &ImgRight, &ImgBottomCenter, &ImgLeft, &Meniu1, &Meniu2, &Meniu3})
        stretched->setStretch(true);
    Meniu1.Move(240, 0, 735, 255);
    Meniu2.Move(1080, 0, 855, 255);
    Meniu3.Move(2040, 0, 855, 255);
    for (auto [label, left, width, caption] :
         {std::tuple{&Label1, 360, 375, "File"}, std::tuple{&Label3, 1200, 615, "Options"},
          std::tuple{&Label4, 2160, 615, "Help"}}) {
        label->Move(left, 0, width, 255);
        label->setCaption(caption);
        label->setForeColor(0xFFFFFF);
    }
    MinimizeButton.Move(4920, 0, 330, 255);
    CloseButton.Move(5280, 0, 330, 255);
}

void MiniForm::designDisplay() {
    constexpr ui::OleColor kLight = 0xE0E0E0;
    Image1.Move(1920, 360, 2895, 735);
    LabelVideo.Move(2985, 30, 1815, 195);
    LabelVideo.setForeColor(kLight);
    TSec.Move(2160, 480, 735, 255);
    TSec.setCaption("00:00");
    TSec.setForeColor(kLight);
    TSec.setFont({"Tahoma", 12.0f, true});
    TotalTime.Move(3135, 480, 495, 210);
    TotalTime.setCaption("0:00");
    TotalTime.setForeColor(kLight);
    TotalTime.setFont({"Tahoma", 8.25f});
    StarePlayer.Move(3840, 480, 915, 255);
    StarePlayer.setCaption("Waiting");
    StarePlayer.setForeColor(0xC0C0C0);
    StarePlayer.setFont({"Tahoma", 8.25f});
    Titlu.Move(2040, 810, 2775, 255);
    Titlu.setCaption("Plenk Player");
    Titlu.setForeColor(kLight);
    Titlu.setFont({"Tahoma", 9.75f, true});
    for (ui::Label* l :
         {&Label1, &Label3, &Label4, &LabelVideo, &TSec, &TotalTime, &StarePlayer, &Titlu})
        l->setBackStyle(0);
    Visualisation.Move(75, 405, 1815, 615);
    Visualisation.setBorderStyle(0);
    ImagineVolum.Move(120, 1200, 195, 165);
    step([&] { ImagineVolum.setPicture(SkinFiles::designPicture("\\vol-pic.bmp")); });
    Butoane1.Move(4995, 345, 975, 930);
    KeyFocus.Move(4440, 840, 495, 285);
    // The key sink lies off the window: locked, it blinks no caret.
    KeyFocus.setLocked(true);
    Timer1.setInterval(500);
}

void MiniForm::designSliders() {
    Volum.Move(360, 1080, 1455, 255);
    Volum.setDesign(ctlScrollbar::design(ctlScrollbar::horizontal, 5));
    ctlScrollbar& seek = SliderMoveMultimedia.add(0, ctlScrollbar::horizontal);
    seek.Move(1920, 1080, 3015, 255);
    seek.setDesign(ctlScrollbar::design(ctlScrollbar::horizontal, 1));
}

// Builds the window's look from the skin folder and from Main as they are
// now; each statement that fails is skipped.  It neither shows, places nor
// captions the window.
void MiniForm::Form_Load() {
    step([&] { mdlSmooth::RoundWindow(*this, 9); });
    step([&] { KeyFocus.setTop(-2000); });
    loadPictures(0, kEdgeRows);
    Main& main = form<Main>();
    step([&] { Label1.setCaption(main.Label1.Caption()); });
    step([&] { Label3.setCaption(main.Label3.Caption()); });
    step([&] { Label4.setCaption(main.Label4.Caption()); });
    for (ui::Image* menu : {&Meniu1, &Meniu2, &Meniu3})
        step([&] { menu->setPicture(form<DataForm>().MeniuNormal.picture()); });
    loadPictures(kEdgeRows, kButtonRows);
    loadSliderPictures(Volum);
    ctlScrollbar& seek = SliderMoveMultimedia(0);
    // Main's volume slider may be drawn without pictures: nothing to copy then.
    for (int slot = 0; slot < SkinTables::kSliderSlotCount; ++slot)
        step([&] {
            const ui::Picture picture = SkinTables::sliderPicture(main.Volum, slot);
            if (!picture.isEmpty()) SkinTables::setSliderPicture(seek, slot, picture);
        });
    loadSliderPictures(seek);
    loadPictures(kButtonRows, std::size(kImageFiles));
    copyFromMain();
    step([&] { app().module<Snap>().SnapWindow(*this); });
}

void MiniForm::loadPictures(int firstRow, int lastRow) {
    for (int row = firstRow; row < lastRow; ++row) {
        const auto [file, image] = kImageFiles[row];
        step([&] { (this->*image).setPicture(SkinFiles::picture(app(), file)); });
    }
}

void MiniForm::loadSliderPictures(ctlScrollbar& slider) {
    const auto& files = SkinTables::horizontalSliderFiles();
    for (int slot = 0; slot < SkinTables::kSliderSlotCount; ++slot)
        step([&] {
            SkinTables::setSliderPicture(slider, slot, SkinFiles::picture(app(), files[slot]));
        });
}

void MiniForm::copyFromMain() {
    Main& main = form<Main>();
    step([&] { setBackColor(main.BackColor()); });
    step([&] { ImagineVolum.setPicture(main.ImagineVolum.picture()); });
    for (auto [mini, from] : {std::pair{&TSec, &main.TSec},
                              {&StarePlayer, &main.StarePlayer},
                              {&TotalTime, &main.TotalTime},
                              {&Titlu, &main.Titlu},
                              {&Label1, &main.Label1},
                              {&Label3, &main.Label3},
                              {&Label4, &main.Label4}})
        step([&] { mini->setForeColor(from->ForeColor()); });
    step([&] { Visualisation.setBackColor(BackColor()); });
}

void MiniForm::Form_Unload(int&) {
    step([&] { app().module<Snap>().UnsnapWindow(*this); });
}
