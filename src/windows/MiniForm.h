#pragma once

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

    ui::PictureBox Visualisation{*this, "Visualisation"};
    ui::PictureBox KeyFocus{*this, "KeyFocus"};
    ui::Timer Timer1{*this, "Timer1"};
};
