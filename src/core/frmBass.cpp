#include "core/frmBass.h"

frmBass::frmBass(ui::Application& app) : PlayerForm(app, "frmBass") {
    setCaption("BASS");
    BassON.setCaption("False");
    Chan.setCaption("0");
    StreamLength.setCaption("0");
    Pozitie.setCaption("0");
    Scrolling.setCaption("False");
    SwitchIDTag.setCaption("0");
    Timer1.setInterval(1000);
    Timer1.setEnabled(false);
    tmrSpectrum.setInterval(25);
    tmrSpectrum.setEnabled(false);
}

void frmBass::StopBass() {
    // stopping the channel is filled in by the playback issue
    Unload();
}
