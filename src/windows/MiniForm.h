#pragma once

#include "controls/Butoane.h"
#include "controls/ctlScrollbar.h"
#include "core/ClsMain.h"
#include "platform/ui/ControlArray.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/Timer.h"
#include "shared/PlayerForm.h"

class Main;

// The mini window that stands in for the main window in mini mode.  It keeps
// no playback state: its labels and sliders mirror Main's every 500 ms, and
// what the user does on its sliders is copied into Main's sliders and handed
// to Main's slider members.  It is loaded at every switch into mini mode and
// unloaded at every way back, so each load builds its look afresh from the
// skin folder and from Main.  A read of the window never loads it: callers
// ask isLoaded first.
class MiniForm : public PlayerForm {
  public:
    explicit MiniForm(ui::Application& app);

    // Construction and load (MiniForm.cpp).
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    // Main's colours and volume icon as the skin loader left them; the video
    // line keeps its own colour.
    void copyFromMain();

    // Activation, the ways back, minimize, close and layout (MiniFormModes.cpp).
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_Resize() override;
    // Main takes this window's place and is shown; this window unloads and
    // mini mode ends.  Nothing of this window is touched after its unload.
    void HandOverToMain();
    void LabelVideo_DblClick();
    void ImgTopCenter_DblClick() { LabelVideo_DblClick(); }
    void MinimizeButton_Click();
    void CloseButton_Click();

    // Pointer and keys (MiniFormInput.cpp).  FormMove always drags this window,
    // whichever window it is given.
    void FormMove(ui::Form& frm);
    void Form_MouseDown(int Button, int Shift, float X, float Y) override;
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;
    // The menu heads: 1, 2 or 3.
    void MenuHead_MouseUp(int head);
    enum class HoverSource { Window, Background, MenuHead1, MenuHead2, MenuHead3, Minimize, Close };
    void ShowHover(HoverSource over);
    void KeyFocus_KeyDown(int& KeyCode, int Shift);

    // The mirror and the slider relays (MiniFormSliders.cpp).
    void Timer1_Timer();
    void SliderMoveMultimedia_GotFocus();
    void SliderMoveMultimedia_LostFocus();
    void SliderMoveMultimedia_Scroll();
    void SliderMoveMultimedia_Change();
    void Volum_Change();
    void Volum_GotFocus();
    void Volum_Scroll();

    // The window's own controller; it only ever shuts the program down.
    ClsMain& controller() { return controller_.get(); }
    ControllerSlot& Controller() { return controller_; }

    // Edges first: the pieces laid over them later lie above them.
    ui::Image ImgTopLeft{*this, "ImgTopLeft"};
    ui::Image ImgTopCenter{*this, "ImgTopCenter"};
    ui::Image ImgTopRight{*this, "ImgTopRight"};
    ui::Image ImgRight{*this, "ImgRight"};
    ui::Image ImgBottomRight{*this, "ImgBottomRight"};
    ui::Image ImgBottomCenter{*this, "ImgBottomCenter"};
    ui::Image ImgBottomLeft{*this, "ImgBottomLeft"};
    ui::Image ImgLeft{*this, "ImgLeft"};
    ui::Image Image1{*this, "Image1"};
    ui::Image ImagineVolum{*this, "ImagineVolum"};

    // Menu heads and caption buttons.
    ui::Image Meniu1{*this, "Meniu1"};
    ui::Image Meniu2{*this, "Meniu2"};
    ui::Image Meniu3{*this, "Meniu3"};
    ui::Label Label1{*this, "Label1"};
    ui::Label Label3{*this, "Label3"};
    ui::Label Label4{*this, "Label4"};
    ui::Image MinimizeButton{*this, "MinimizeButton"};
    ui::Image CloseButton{*this, "CloseButton"};

    // The display: copies of Main's labels of the same names.
    ui::Label LabelVideo{*this, "LabelVideo"};
    ui::Label TSec{*this, "TSec"};
    ui::Label TotalTime{*this, "TotalTime"};
    ui::Label StarePlayer{*this, "StarePlayer"};
    ui::Label Titlu{*this, "Titlu"};
    ui::PictureBox Visualisation{*this, "Visualisation"};

    // Sliders, transport strip, key sink and the mirror's timer.
    ctlScrollbar Volum{*this, "Volum", ctlScrollbar::horizontal};
    ui::ControlArray<ctlScrollbar> SliderMoveMultimedia{*this, "SliderMoveMultimedia"};
    Butoane Butoane1{*this, "Butoane1"};
    ui::TextBox KeyFocus{*this, "KeyFocus"};
    ui::Timer Timer1{*this, "Timer1"};

  private:
    void designFrame();
    void designDisplay();
    void designSliders();
    void connectEvents();
    void connectSliders();
    // Copies a slider's value into Main's twin, then runs Main's member.
    void relay(ctlScrollbar& mine, ctlScrollbar& mains, void (Main::*member)());
    void loadPictures(int firstRow, int lastRow);
    void loadSliderPictures(ctlScrollbar& slider);
    // Main takes this window's place, read before anything unloads it.
    void placeMainHere();

    ControllerSlot controller_{app()};
};
