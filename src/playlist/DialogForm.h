#pragma once

#include "shared/PlayerForm.h"

// The dialog window that loads, saves and deletes playlist files and closes
// the CD door.
class DialogForm : public PlayerForm {
  public:
    explicit DialogForm(ui::Application& app);
};
