#include "windows/Main.h"

#include "core/frmBass.h"
#include "options/Options.h"
#include "platform/ui/RuntimeError.h"
#include "skins/SkinFiles.h"

using ui::step;

void Main::VolumChange() {
    if (form<frmBass>().BassON.Caption() == "True")
        form<frmBass>().VolumBass();
    else
        controller().ChangeVolume();
}

void Main::OnOffEq() {
    const bool on = form<Options>().Option12.Value();
    step([&] {
        ImgButton2.setPicture(SkinFiles::picture(app(), on ? "\\button2.bmp" : "\\button2b.bmp"));
    });
    UpdateEqualizer();
}

void Main::UpdateEqualizer() {
    for (int i = 0; i <= 10; ++i)
        step([&] { form<frmBass>().MoveScollEq(i); });
}
