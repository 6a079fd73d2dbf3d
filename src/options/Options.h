#pragma once

#include "platform/ui/CheckBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/ControlArray.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/OptionButton.h"
#include "platform/ui/Slider.h"
#include "platform/ui/TextBox.h"
#include "playlist/ClsPl.h"
#include "shared/PlayerForm.h"

// The options window, whose controls are the program's live settings.  Its
// option buttons form groups by the frame that holds them.
class Options : public PlayerForm {
  public:
    explicit Options(ui::Application& app);

    // "Apply changes" of the association page: registers every chosen file
    // type and removes every other one.
    void Command2_Click();

    // Actions of the live settings, run whenever a value changes.
    void PlayOrder_Click();
    void SpectrumType_Click();
    void Equalizer_Click();
    void VideoSize_Click(int option);
    void TitleFormat_Click(int option);
    void Check3_Click();
    void Check7_Click();
    void Check8_Click();
    void AssociateAll_Click(ui::CheckBox& all, ui::ListBox& types);
    void PlaylistFontSize_Click();
    void Slider1_Change();

    // Pages.
    ui::Frame GeneralFrame{*this, "GeneralFrame"};
    ui::Frame PlaylistFrame{*this, "PlaylistFrame"};
    ui::Frame KeyboardFrame{*this, "KeyboardFrame"};
    ui::Frame AudioFrame{*this, "AudioFrame"};
    ui::Frame VideoFrame{*this, "VideoFrame"};
    ui::Frame SkinFrame{*this, "SkinFrame"};
    ui::Frame AssociationFrame{*this, "AssociationFrame"};
    ui::Label Fr{*this, "Fr"};
    // The caption's close button, showing the skin's picture.
    ui::Image CloseButton{*this, "CloseButton"};

    // Option groups and their frames.
    ui::Frame Frame1{*this, "Frame1"};
    ui::OptionButton Option1{*this, "Option1"};
    ui::OptionButton Option2{*this, "Option2"};
    ui::OptionButton Option3{*this, "Option3"};
    ui::Frame Frame2{*this, "Frame2"};
    ui::OptionButton Option4{*this, "Option4"};
    ui::OptionButton Option5{*this, "Option5"};
    ui::Frame Frame3{*this, "Frame3"};
    ui::OptionButton Option6{*this, "Option6"};
    ui::OptionButton Option7{*this, "Option7"};
    ui::Slider Slider1{*this, "Slider1"};
    ui::Frame Frame5{*this, "Frame5"};
    ui::OptionButton Option8{*this, "Option8"};
    ui::OptionButton Option9{*this, "Option9"};
    ui::OptionButton Option10{*this, "Option10"};
    ui::OptionButton Option11{*this, "Option11"};
    ui::Frame Frame6{*this, "Frame6"};
    ui::OptionButton Option12{*this, "Option12"};
    ui::OptionButton Option13{*this, "Option13"};
    ui::Frame Frame7{*this, "Frame7"};
    ui::OptionButton Option14{*this, "Option14"};
    ui::OptionButton Option16{*this, "Option16"};
    ui::OptionButton Option17{*this, "Option17"};
    ui::Frame Frame9{*this, "Frame9"};
    ui::OptionButton Option15{*this, "Option15"};
    ui::OptionButton Option18{*this, "Option18"};
    ui::OptionButton Option19{*this, "Option19"};

    // Check boxes.
    ui::CheckBox Check1{*this, "Check1"};
    ui::CheckBox Check2{*this, "Check2"};
    ui::CheckBox Check3{*this, "Check3"};
    ui::CheckBox Check4{*this, "Check4"};
    ui::CheckBox Check5{*this, "Check5"};
    ui::CheckBox Check6{*this, "Check6"};
    ui::CheckBox Check7{*this, "Check7"};
    ui::CheckBox Check8{*this, "Check8"};
    ui::CheckBox Check17{*this, "Check17"};
    ui::CheckBox Check18{*this, "Check18"};

    // Lists and text settings.
    ui::ComboBox PlaylistFontSize{*this, "PlaylistFontSize"};
    ui::ControlArray<ui::TextBox> AsciBox{*this, "AsciBox"};
    ui::ControlArray<ui::TextBox> AsciText{*this, "AsciText"};
    ui::ListBox TpfAudio{*this, "TpfAudio", ui::ListControl::vbMultiSelectSimple};
    ui::ListBox TpfVideo{*this, "TpfVideo", ui::ListControl::vbMultiSelectSimple};
    ui::ListBox FAudio{*this, "FAudio"};
    ui::ListBox FVideo{*this, "FVideo"};
    ui::TextBox SkinName{*this, "SkinName"};
    ui::ListBox SkinSelector{*this, "SkinSelector"};
    ui::ListBox LanguageSelector{*this, "LanguageSelector"};
    ui::TextBox SubDelay{*this, "SubDelay"};
    ui::CommandButton Command2{*this, "Command2"};

  private:
    void designPages();
    void designGroups();
    void designChecks();
    void designLists();
    void connectActions();
    ClsPl& playlistOps();

    std::unique_ptr<ClsPl> PlaylistOps;
};
