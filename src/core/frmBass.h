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

    // Slider b's position into effect b of the channel: 0 to 9 the bands, 10
    // the reverb.
    void UpdateFX(int b);
    // Opens the file named by FileToPlay and starts it.  Of the codecs an Ogg
    // file may hold, the audio library decodes some; false when it cannot
    // open an Ogg file, which is then the media engine's, as pictures are.
    bool PLAYtheBass();
    // The slider's level text, then UpdateFX.
    void MoveScollEq(int Index);
    void Pauza();
    // Stops the channel and releases the host; its next use creates it afresh.
    void StopBass();
    void ResumeBass();
    // The channel opened and is playing.
    bool Playing();
    // The volume slider as the engine's global stream volume.
    void VolumBass();
    // The visualisation mode of the selected option; the picture starts empty.
    void ChangeSpectrumMode();
    // The next of the four modes, also selected on the options window.
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

    // The host's own controller: the main window's layout and the end of a
    // track go through it.  Tests hand one in to watch it.
    ControllerSlot MainCtl{app()};

    // "m:ss" of a time rounded to whole seconds (halves to even); minutes take
    // as many digits as they need, a negative time shows as 0.
    static QString TimeText(double seconds);

  private:
    // The channel handle in Chan, as the engine takes it.
    std::uint32_t channel();
    void setChannel(std::uint32_t handle);
    void openChannel();
    void startChannel();
    void showTitle();
    void showInformationLine();
    void prepareSpectrum();
    void spectrumModeFromOptions();
};
