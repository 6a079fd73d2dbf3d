#include "playlist/DialogForm.h"

DialogForm::DialogForm(ui::Application& app) : PlayerForm(app, "DialogForm") {
    setBorderStyle(vbBSNone);
    Move(3000, 3000, 5400, 3600);
}
