#pragma once

#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/Timer.h"
#include "shared/PlayerForm.h"

// The hidden window that hosts playback through the audio engine.  It is
// unloaded on every stop and loaded again at its next use, so each of its
// values starts from its design value every time.
class frmBass : public PlayerForm {
  public:
    explicit frmBass(ui::Application& app);

    // Stops the channel and releases the host; its next use creates it afresh.
    void StopBass();

    ui::Label BassON{*this, "BassON"};
    ui::Label Chan{*this, "Chan"};
    ui::TextBox FileToPlay{*this, "FileToPlay"};
    ui::Label StreamLength{*this, "StreamLength"};
    ui::Label Pozitie{*this, "Pozitie"};
    ui::Label Scrolling{*this, "Scrolling"};
    ui::Label SwitchIDTag{*this, "SwitchIDTag"};
    ui::Timer Timer1{*this, "Timer1"};
    ui::Timer tmrSpectrum{*this, "tmrSpectrum"};
};
