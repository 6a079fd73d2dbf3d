#pragma once

#include <array>
#include <cstdint>

#include "core/ClsMain.h"
#include "platform/ui/Label.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/Timer.h"
#include "shared/PlayerForm.h"

// The hidden window that hosts playback through the audio engine.  It is
// unloaded on every stop and loaded again at its next use, so each of its
// values starts from its design value every time; loading it initialises the
// engine and unloading frees it.
class frmBass : public PlayerForm {
public:
    explicit frmBass(ui::Application& app);

    void UpdateFX(int b);
    // Opens the file named by FileToPlay and starts it.
    void PLAYtheBass();
    void MoveScollEq(int Index);
    void Pauza();
    // Stops the channel and releases the host; its next use creates it afresh.
    void StopBass();
    void ResumeBass();
    // The volume slider as the engine's global stream volume.
    void VolumBass();
    void ChangeSpectrumMode();
    void NextSpectrumMode();

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void Timer1_Timer();
    void StreamLength_Change();
    void tmrSpectrum_Timer();

    ui::Label BassON{*this, "BassON"};
    ui::Label Chan{*this, "Chan"};
    ui::TextBox FileToPlay{*this, "FileToPlay"};
    ui::Label StreamLength{*this, "StreamLength"};
    ui::Label Pozitie{*this, "Pozitie"};
    ui::Label Scrolling{*this, "Scrolling"};
    ui::Label SwitchIDTag{*this, "SwitchIDTag"};
    ui::Timer Timer1{*this, "Timer1"};
    ui::Timer tmrSpectrum{*this, "tmrSpectrum"};

    // The current channel's ten equalizer bands and its reverb.
    std::array<std::uint32_t, 11> FxHandles{};

private:
    // The channel handle in Chan, as the engine takes it.
    std::uint32_t channel();

    ControllerSlot controller_{app()};
};
