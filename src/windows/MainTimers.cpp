#include "windows/Main.h"

#include "core/frmBass.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "windows/MiniForm.h"

using ui::step;

void Main::TimerMisc_Timer(int) {
    controller().TimerMixF();
}

void Main::FixWindows_Timer() {
    DataForm& d = form<DataForm>();
    if (d.PlaylistON.Caption() != "1" || d.MiniMode.Caption() != "False" ||
        WindowState() == vbMinimized)
        return;
    if (form<frmBass>().BassON.Caption() == "True") form<frmBass>().tmrSpectrum.setEnabled(true);
}

// A video brings the main window back in place of the mini window.
void Main::LbActualCx_Change() {
    if (!videoOpen() || form<DataForm>().MiniMode.Caption() != "True") return;
    step([&] { app().form<MiniForm>().Unload(); });
    step([&] { form<DataForm>().MiniMode.setCaption("False"); });
    step([&] { Show(); });
}
