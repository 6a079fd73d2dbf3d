// Playing, the per-track display, the effects and the visualisation of the
// audio host come with their own change; until then a file does not start.
#include "core/frmBass.h"

void frmBass::UpdateFX(int) {}
void frmBass::PLAYtheBass() {}
void frmBass::MoveScollEq(int) {}
void frmBass::ChangeSpectrumMode() {}
void frmBass::NextSpectrumMode() {}
void frmBass::Timer1_Timer() {}
void frmBass::StreamLength_Change() {}
void frmBass::tmrSpectrum_Timer() {}
