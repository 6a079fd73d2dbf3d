#include "windows/MiniForm.h"

#include "controls/Snap.h"
#include "core/frmBass.h"

MiniForm::MiniForm(ui::Application& app) : PlayerForm(app, "MiniForm") {
    setBorderStyle(vbBSNone);
    setCaption("Plenk Player");
    Move(500, 500, 6105, 1485);
    Visualisation.Move(3960, 360, 1935, 615);
    Visualisation.setBorderStyle(0);
    KeyFocus.Move(7000, 0, 255, 255);
    Timer1.setInterval(500);
    Visualisation.DblClick.connect([this] { form<frmBass>().NextSpectrumMode(); });
}

void MiniForm::Form_Load() {
    app().module<Snap>().SnapWindow(*this);
}

void MiniForm::Form_Unload(int&) {
    app().module<Snap>().UnsnapWindow(*this);
}
