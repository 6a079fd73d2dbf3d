#pragma once

#include <QString>

#include "core/ClsMain.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/Timer.h"
#include "platform/ui/UserControl.h"

// The transport strip: Back, Play, Pause, Stop and Next laid out as a cross.
// It draws nothing itself: skin bitmaps in image areas, a button's hover or
// pressed image moved into place or below the strip (Top 1000).  Each press
// calls the strip's own controller.  Coordinates are twips from its corner.
class Butoane : public ui::UserControl {
  public:
    enum Button { kBack, kPlay, kPause, kStop, kNext };

    Butoane(ui::Form& form, QString name);

    // The handlers of the five hit areas, for any mouse button.
    void ButtonDown(Button b);
    void ButtonDblClick(Button b) { ButtonDown(b); }
    void ButtonMove(Button b);
    void ButtonUp(Button b);
    void OnlyOnLoad_Timer();
    void FocusTimer_Timer();

    ControllerSlot& Controller() { return controller_; }
    const QString& LastSkin() const { return lastSkin_; }

    // Bottom to top: the background, the hover images, the pressed images, the hit areas.
    ui::Image Background{parentForm(), "Background"};
    ui::Image BackFocus{parentForm(), "BackFocus"};
    ui::Image PlayFocus{parentForm(), "PlayFocus"};
    ui::Image PauzaFocus{parentForm(), "PauzaFocus"};
    ui::Image StopFocus{parentForm(), "StopFocus"};
    ui::Image NextFocus{parentForm(), "NextFocus"};
    ui::Image BackPressed{parentForm(), "BackPressed"};
    ui::Image PlayPressed{parentForm(), "PlayPressed"};
    ui::Image PauzaPressed{parentForm(), "PauzaPressed"};
    ui::Image StopPressed{parentForm(), "StopPressed"};
    ui::Image NextPressed{parentForm(), "NextPressed"};
    ui::Label BackButon{parentForm(), "BackButon"};
    ui::Label PlayButon{parentForm(), "PlayButon"};
    ui::Label PauzaButon{parentForm(), "PauzaButon"};
    ui::Label StopButon{parentForm(), "StopButon"};
    ui::Label NextButon{parentForm(), "NextButon"};
    ui::Timer OnlyOnLoad{parentForm(), "OnlyOnLoad"};
    ui::Timer FocusTimer{parentForm(), "FocusTimer"};

  protected:
    void UserControl_Initialize() override;
    void UserControl_Terminate() override;

  private:
    struct Parts {
        ui::Label& hit;
        ui::Image& focus;
        ui::Image& pressed;
    };
    Parts parts(Button b);
    ui::Picture skinPicture(const QString& file) const;
    void show(ui::Image& image, Button b);
    void connectButtons();

    QString lastSkin_;
    ControllerSlot controller_;
};
