#pragma once

#include "controls/Butoane.h"
#include "controls/ctlScrollbar.h"
#include "core/ClsMain.h"
#include "core/UpdateChecker.h"
#include "platform/ui/ControlArray.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/Timer.h"
#include "shared/PlayerForm.h"

class frmBass;

// The main window: a borderless, skinned window with the audio panel, the
// video frame, the sliders and, outside its visible area, the state panel
// whose labels hold the play state.
class Main : public PlayerForm {
  public:
    explicit Main(ui::Application& app);

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;
    void Form_Resize() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;
    void Form_MouseDown(int Button, int Shift, float X, float Y) override;
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;
    void Form_MouseUp(int Button, int Shift, float X, float Y) override;
    void Form_Click() override;
    void Form_DblClick() override;
    // Lays the window and the video area out again for the chosen video size
    // (virtual so tests can count the calls).
    virtual void AdjustVideo();
    // A video is open while its native width reads above 1.
    bool videoOpen() const;
    void LbActualCx_Change();
    void TimerMisc_Timer(int Index);
    void FixWindows_Timer();
    void CloseButton_Click();
    void addTrayIcon();
    void showAudioLayout();
    // The identifier of the tray icon, the same for adding and removing it.
    std::uint32_t trayId() const { return static_cast<std::uint32_t>(hWnd()); }
    // The close under way was asked for by the system (a signal, the end of
    // the session), not by the user: nobody is there to answer a question.
    bool closedBySystem() const { return closedBySystem_; }
    // The window's own controller.
    ClsMain& controller() { return controller_.get(); }
    // Tests hand in a controller to watch it.
    ControllerSlot& controllerSlot() { return controller_; }

    // --- Input (MainInput.cpp): dragging, double-clicks, tool buttons, hover
    // looks, menu heads, keys, minimize, the playlist toggle and the grip.

    // Hands a drag of frm to the system's move loop, only while frm is in its
    // normal state and no video fills the screen.
    void FormMove(PlayerForm& frm);
    void ImgTopCenter_DblClick();
    void LabelVideo_DblClick();
    void ImgTopRight_DblClick();
    void Visualisation_DblClick();
    void ImgButton1_Click();
    void ImgButton2_Click();
    void ImgButton3_Click();
    void ImgButton4_Click();
    void ImgButton5_Click();
    void ImgButton6_Click();
    void InfoLabel_Click();
    void Image3_Click();
    void Image4_Click();
    // Hover looks: tool button i (1 to 6) hovered, and the other controls.
    void ImgButton_MouseMove(int i);
    void Image1_MouseMove();
    void Image3_MouseMove();
    void Image4_MouseMove();
    void MenuHead_MouseMove(int head);
    void DefaultPointer_MouseMove();
    void LabelVideo_MouseMove();
    void MinimizeButton_MouseMove();
    void PlaylistLabel_MouseMove();
    void RightFrame_MouseMove();
    // A release on menu head 1 to 3 (Label1/Meniu1, Label3/Meniu2, Label4/Meniu3).
    void MenuHead_MouseUp(int head);
    void KeyFocus_KeyDown(int& KeyCode, int Shift);
    void Butoane1_LostFocus();
    void MinimizeButton_Click();
    void PlaylistLabel_Click();
    void ResizeArea_MouseMove(int Button, int Shift, float X, float Y);

    // --- Slider, volume and equalizer bridge (MainSliders.cpp); the mini
    // window's sliders relay to the same public members.
    void SliderMoveMultimedia_GotFocus();
    void SliderMoveMultimedia_LostFocus();
    void SliderMoveMultimedia_Scroll();
    void Volum_Change();
    void Volum_GotFocus();
    void Volum_Scroll();
    void sldEQR_Change(int Index);
    void sldEQR_Scroll(int Index);
    // Hands the eleven equalizer sliders, reverb included, on to playback, in
    // band order (after a preset was written into them).
    void UpdateEqualizer();
    // The seek slider took the focus: the audio host's Scrolling, or else
    // StartMoveSlider, so that the slider's release seeks.
    void ScrollbarFocus();
    // The seek slider let the focus go: a last seek, both seek flags off, the
    // focus to the key sink of the window in use (and the volume again on the main window).
    void ScrollbarLostFocus();
    // Seeks a stream of the audio host to the seek slider's value.
    void ScrollbarScroll();
    // Applies the volume slider's value to the engine in use.
    void VolumChange();
    void VolumFocus();
    void VolumScroll();
    // The equalizer button's look for on or off, and every band applied again.
    void OnOffEq();
    // Each tool button shows the picture of its state, as after a hover elsewhere.
    void showToolButtonStates();

    // Activation, shut-down and the timers.
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_LostFocus() override;
    void CloseButton_MouseMove(int Button, int Shift, float X, float Y);
    void FixImages_Timer();
    void FullScreenTimer_Timer();
    void ScrollTextTimer_Timer();
    void TimeCounter_Timer();
    void VersionCheck_Timer();
    // The update component the update check hands the version to.
    UpdateCheckerSlot& updateChecker() { return updateChecker_; }
    // Counters the load zeroes: the last elapsed time read, the step of the
    // information line's cycle and the update check's ticks and outcome.
    std::int32_t ElapsedSeconds = 0;
    std::int16_t InfoStep = 0;
    std::int16_t VersionTicks = 0;
    bool VersionChecked = false;
    // Set while the main window stands in for the mini window because a
    // video opened in mini mode.
    bool SwappedForVideo = false;

    // Frame pictures, menu heads and caption buttons.
    ui::Image ImgTopLeft{*this, "ImgTopLeft"};
    ui::Image ImgTopCenter{*this, "ImgTopCenter"};
    ui::Image ImgTopRight{*this, "ImgTopRight"};
    ui::Image ImgLeft{*this, "ImgLeft"};
    ui::Image ImgRight{*this, "ImgRight"};
    ui::Image ImgBottomLeft{*this, "ImgBottomLeft"};
    ui::Image ImgBottomCenter{*this, "ImgBottomCenter"};
    ui::Image ImgBottomRight{*this, "ImgBottomRight"};
    ui::Image Meniu1{*this, "Meniu1"};
    ui::Image Meniu2{*this, "Meniu2"};
    ui::Image Meniu3{*this, "Meniu3"};
    ui::Label Label1{*this, "Label1"};
    ui::Label Label3{*this, "Label3"};
    ui::Label Label4{*this, "Label4"};
    ui::Label LabelVideo{*this, "LabelVideo"};
    ui::Image MinimizeButton{*this, "MinimizeButton"};
    ui::Image CloseButton{*this, "CloseButton"};

    // Panels: MainFrame(1) the audio panel, MainFrame(0) the state panel.
    ui::ControlArray<ui::Frame> MainFrame{*this, "MainFrame"};
    ui::ControlArray<ui::Frame> FrameVideo{*this, "FrameVideo"};
    ui::Frame RightFrame{*this, "RightFrame"};

    // The audio panel.
    ui::Image Image1{*this, "Image1"};
    ui::Label TSec{*this, "TSec"};
    ui::Label TotalTime{*this, "TotalTime"};
    ui::Label Titlu{*this, "Titlu"};
    ui::Label InfoIDTag{*this, "InfoIDTag"};
    ui::Label StarePlayer{*this, "StarePlayer"};
    ui::Label labBitRate{*this, "labBitRate"};
    ui::PictureBox Visualisation{*this, "Visualisation"};
    Butoane Butoane1{*this, "Butoane1"};
    ui::Image ImgButton2{*this, "ImgButton2"};
    ui::Image ImgButton3{*this, "ImgButton3"};
    ui::Image ImgButton4{*this, "ImgButton4"};
    ui::Image ImgButton5{*this, "ImgButton5"};
    ui::Label MultimediaInfoLabel{*this, "MultimediaInfoLabel"};
    ui::Label labSize{*this, "labSize"};
    ui::Label labLength{*this, "labLength"};
    ui::Label labLayer{*this, "labLayer"};
    ui::Label labFreqChan{*this, "labFreqChan"};
    ui::ControlArray<ctlScrollbar> sldEQR{*this, "sldEQR"};

    // The right panel and the lower right corner.
    ui::Image Image3{*this, "Image3"};
    ui::Image Image4{*this, "Image4"};
    ui::Label InfoLabel{*this, "InfoLabel"};
    ui::Label PlaylistLabel{*this, "PlaylistLabel"};
    ui::Image Logo{*this, "Logo"};

    // Bottom row, grip and the tool buttons below the panels.
    ui::ControlArray<ctlScrollbar> SliderMoveMultimedia{*this, "SliderMoveMultimedia"};
    ui::Image ImagineVolum{*this, "ImagineVolum"};
    ctlScrollbar Volum{*this, "Volum", ctlScrollbar::horizontal};
    ui::Label ResizeArea{*this, "ResizeArea"};
    ui::Image ImgButton1{*this, "ImgButton1"};
    ui::Image ImgButton6{*this, "ImgButton6"};

    // The state panel.
    ui::ControlArray<ui::Label> LbActualCx{*this, "LbActualCx"};
    ui::ControlArray<ui::Label> LbActualCy{*this, "LbActualCy"};
    ui::ControlArray<ui::Label> LbCurrentCx{*this, "LbCurrentCx"};
    ui::ControlArray<ui::Label> LbCurrentCy{*this, "LbCurrentCy"};
    ui::ControlArray<ui::Label> LbCurrentRate{*this, "LbCurrentRate"};
    ui::ControlArray<ui::Label> LbCurrPos{*this, "LbCurrPos"};
    ui::ControlArray<ui::Label> LbProgress{*this, "LbProgress"};
    ui::ControlArray<ui::Label> LbStatus{*this, "LbStatus"};
    ui::ControlArray<ui::Label> LbResult{*this, "LbResult"};
    ui::ControlArray<ui::Label> LbFileName{*this, "LbFileName"};
    ui::ControlArray<ui::TextBox> txtFrom{*this, "txtFrom"};
    ui::ControlArray<ui::TextBox> TxtTo{*this, "TxtTo"};
    ui::Label Label7{*this, "Label7"};
    ui::Label PiesaCurenta{*this, "PiesaCurenta"};
    ui::Label PozInTop{*this, "PozInTop"};
    ui::Label FullScreenSec{*this, "FullScreenSec"};
    ui::Label StartMoveSlider{*this, "StartMoveSlider"};
    // The key sink: a text box on the window itself, above its top edge.
    ui::TextBox KeyFocus{*this, "KeyFocus"};

    // Timers.
    ui::Timer TimeCounter{*this, "TimeCounter"};
    ui::Timer FixImages{*this, "FixImages"};
    ui::Timer FixWindows{*this, "FixWindows"};
    ui::Timer ScrollTextTimer{*this, "ScrollTextTimer"};
    ui::Timer FullScreenTimer{*this, "FullScreenTimer"};
    ui::Timer VersionCheck{*this, "VersionCheck"};
    ui::ControlArray<ui::Timer> TimerMisc{*this, "TimerMisc"};

  private:
    void layoutVideo(float w, float h);
    void keepMinimumSize(bool video);
    void layoutEdges(float w, float h);
    void designChrome();
    void designAudioPanel();
    void designRightPanel();
    void designBottomRow();
    void designStatePanel();
    void designTimers();
    void connectEvents();
    void connectTimers();
    void swapInForVideo();
    void afterVideo();
    void swapBackToMini();
    void keepMinimum(float width, float height);
    void restoreAfterMinimize(ui::Form& player);
    void connectInput();
    void connectSliders();
    void connectDrags();
    void connectHovers();
    void connectBackground();
    // A flag of the audio host read or written without loading it: an
    // unloaded host counts as its design values and drops writes.
    QString bassFlag(ui::Label frmBass::*flag) const;
    void setBassFlag(ui::Label frmBass::*flag, const QString& value);
    void focusKeySink();
    void focusMiniKeySink();
    void setToolButton(int i, bool hover);
    bool toolButtonOn(int i);
    void restoreFromTray(int Button);
    // In mini mode the mini window stands in for this one.
    ui::Form& playerWindow();
    void leaveFullScreen();

    ControllerSlot controller_{app()};
    UpdateCheckerSlot updateChecker_;
    // The player window was seen minimized and is not restored yet.
    bool restorePending_ = false;
    bool closedBySystem_ = false;
};
