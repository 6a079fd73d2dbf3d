#pragma once

#include "platform/ui/PictureBox.h"
#include "platform/ui/Timer.h"
#include "shared/PlayerForm.h"

// The mini window that stands in for the main window in mini mode.
class MiniForm : public PlayerForm {
  public:
    explicit MiniForm(ui::Application& app);

    ui::PictureBox Visualisation{*this, "Visualisation"};
    ui::PictureBox KeyFocus{*this, "KeyFocus"};
    ui::Timer Timer1{*this, "Timer1"};
};
