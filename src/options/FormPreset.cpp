#include "options/FormPreset.h"

FormPreset::FormPreset(ui::Application& app) : PlayerForm(app, "FormPreset") {
    setCaption("Load Equalizer Preset");
    Move(3000, 3000, 4320, 4410);
    ListaPreset.Move(120, 120, 4080, 3000);
    ValoriPreset.setVisible(false);
}
