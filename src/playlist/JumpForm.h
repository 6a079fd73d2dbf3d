#pragma once

#include "platform/ui/ComboBox.h"
#include "platform/ui/Timer.h"
#include "shared/PlayerForm.h"

// The search window over the playlist's display texts.
class JumpForm : public PlayerForm {
  public:
    explicit JumpForm(ui::Application& app);

    ui::ComboBox Lista{*this, "Lista"};
    ui::Timer Actualizare{*this, "Actualizare"};
};
