#include "playlist/JumpForm.h"

JumpForm::JumpForm(ui::Application& app) : PlayerForm(app, "JumpForm") {
    setCaption("Jump to file");
    Move(3000, 3000, 5400, 1200);
    Lista.Move(120, 120, 5040, 315);
    Actualizare.setInterval(250);
    Actualizare.setEnabled(false);
}
