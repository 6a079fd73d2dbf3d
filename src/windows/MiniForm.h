#pragma once

#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/Timer.h"
#include "shared/PlayerForm.h"

// The mini window that stands in for the main window in mini mode.
class MiniForm : public PlayerForm {
  public:
    explicit MiniForm(ui::Application& app);

    // The window snaps while it is loaded.
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

    ui::Label TSec{*this, "TSec"};
    ui::Label StarePlayer{*this, "StarePlayer"};
    ui::Label TotalTime{*this, "TotalTime"};
    ui::Label Titlu{*this, "Titlu"};
    ui::Label Label1{*this, "Label1"};
    ui::Label Label3{*this, "Label3"};
    ui::Label Label4{*this, "Label4"};
    ui::Image Meniu1{*this, "Meniu1"};
    ui::Image Meniu2{*this, "Meniu2"};
    ui::Image Meniu3{*this, "Meniu3"};
    ui::Image MinimizeButton{*this, "MinimizeButton"};
    ui::Image CloseButton{*this, "CloseButton"};
    ui::Image ImagineVolum{*this, "ImagineVolum"};
    ui::PictureBox Visualisation{*this, "Visualisation"};
    ui::PictureBox KeyFocus{*this, "KeyFocus"};
    ui::Timer Timer1{*this, "Timer1"};
};
