#pragma once

#include "platform/ui/ListBox.h"
#include "shared/PlayerForm.h"

// The equalizer preset window.
class FormPreset : public PlayerForm {
  public:
    explicit FormPreset(ui::Application& app);

    ui::ListBox ListaPreset{*this, "ListaPreset"};
    ui::ListBox ValoriPreset{*this, "ValoriPreset"};
};
