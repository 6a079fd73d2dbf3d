#pragma once

#include <memory>

#include "core/ClsMain.h"
#include "persistence/DataClass.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/ControlArray.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/Line.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/OptionButton.h"
#include "platform/ui/Slider.h"
#include "platform/ui/TextBox.h"
#include "playlist/ClsPl.h"
#include "shared/PlayerForm.h"

namespace sys {
class RegistryWriter;
}

// The options window: the preferences window and, through its controls, the
// program's live settings, read directly by every other window.  It is loaded
// hidden at start-up, shown modally on a page and hidden again; it is never
// unloaded while the program runs, so every control keeps its value.
//
// The page to open is named by the hidden label Fr, read at every activation.
// Option buttons form groups by the frame that holds them.
class Options : public PlayerForm {
  public:
    explicit Options(ui::Application& app);
    ~Options() override;

    // What a menu item or button does to open the window: names the page in
    // Fr (an empty name keeps the page shown last) and shows the window
    // modally with no owner.  Returns once OK or the close button hid it.
    void Open(const QString& page = QString());

    // Frame: pages, activation, hover, dragging, OK.
    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_MouseDown(int Button, int Shift, float X, float Y) override;
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;
    void Label2_Click();
    void Label3_Click();
    void Label15_Click();
    void Label13_Click();
    void Label4_Click();
    void Label5_Click();
    void Label6_Click();
    void Label25_Click();
    void Label8_Click();
    void PageLabel_MouseMove(ui::Label& label);
    void LinksFrame_MouseMove();
    void CloseButton_MouseMove();
    void Tlabel_MouseDown();
    void TopImage_MouseDown();
    void Command1_Click();
    void CloseButton_Click();
    void FormMove(ui::Form& frm);
    // The whole of a regular file as text (each line UTF-8, else
    // Windows-1252); fails with error 53 when path names no regular file.
    QString FileText(const QString& path) const;

    // Live settings.
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option8_Click();
    void Option9_Click();
    void Option10_Click();
    void Option11_Click();
    void Option12_Click();
    void Option13_Click();
    void Option14_Click();
    void Option16_Click();
    void Option17_Click();
    void Option15_Click();
    void Option18_Click();
    void Option19_Click();
    void Check3_Click();
    void Check7_Click();
    void Check8_Click();
    void PlaylistFontSize_Click();
    void Slider1_Change();
    void AsciBox_Click(int Index);
    void AsciBox_KeyUp(int Index, int KeyCode, int Shift);

    // Association page.
    void Check17_Click();
    void Check18_Click();
    void Command2_Click();

    // Subtitles: writes the delay and the visibility for the video engine.
    void Command3_Click();
    // The window's one registry writer, made by the first "Apply now".
    const sys::RegistryWriter* registryWriter() const { return Writer.get(); }

    // Skin and language lists.
    void GetSubDirs(const QString& currPath);
    void SkinSelector_MouseDown();
    void SkinSelector_MouseUp();
    void LanguageSelector_MouseDown();
    void LanguageSelector_MouseUp();

    // Frame of the window.
    ui::Image TopImage{*this, "TopImage"};
    ui::Image CloseButton{*this, "CloseButton"};
    ui::Frame LinksFrame{*this, "LinksFrame"};
    ui::Label Label7{*this, "Label7"};
    ui::Label Label2{*this, "Label2"};
    ui::Label Label3{*this, "Label3"};
    ui::Label Label15{*this, "Label15"};
    ui::Label Label13{*this, "Label13"};
    ui::Label Label4{*this, "Label4"};
    ui::Label Label5{*this, "Label5"};
    ui::Label Label6{*this, "Label6"};
    ui::Label Label25{*this, "Label25"};
    ui::Label Label8{*this, "Label8"};
    ui::Line Line1{*this, "Line1"};
    ui::Line Line2{*this, "Line2"};
    ui::Line Line5{*this, "Line5"};
    ui::Label Tlabel{*this, "Tlabel"};
    ui::CommandButton Command1{*this, "Command1"};
    ui::Label Fr{*this, "Fr"};
    ui::Label Label9{*this, "Label9"};

    // Pages.
    ui::Frame GeneralFrame{*this, "GeneralFrame"};
    ui::Frame PlaylistFrame{*this, "PlaylistFrame"};
    ui::Frame AudioFrame{*this, "AudioFrame"};
    ui::Frame VideoFrame{*this, "VideoFrame"};
    ui::Frame AssociationFrame{*this, "AssociationFrame"};
    ui::Frame SkinFrame{*this, "SkinFrame"};
    ui::Frame LanguageFrame{*this, "LanguageFrame"};
    ui::Frame KeyboardFrame{*this, "KeyboardFrame"};
    ui::Frame InfoFrame{*this, "InfoFrame"};

    // General page.
    ui::CheckBox Check7{*this, "Check7"};
    ui::CheckBox Check6{*this, "Check6"};
    ui::CheckBox Check4{*this, "Check4"};
    ui::CheckBox Check2{*this, "Check2"};
    ui::CheckBox Check1{*this, "Check1"};
    ui::Frame Frame2{*this, "Frame2"};
    ui::OptionButton Option4{*this, "Option4"};
    ui::OptionButton Option5{*this, "Option5"};
    ui::Label Label1{*this, "Label1"};
    ui::Frame Frame5{*this, "Frame5"};
    ui::OptionButton Option8{*this, "Option8"};
    ui::OptionButton Option9{*this, "Option9"};
    ui::OptionButton Option10{*this, "Option10"};
    ui::OptionButton Option11{*this, "Option11"};

    // Playlist page.
    ui::Frame Frame1{*this, "Frame1"};
    ui::OptionButton Option1{*this, "Option1"};
    ui::OptionButton Option2{*this, "Option2"};
    ui::OptionButton Option3{*this, "Option3"};
    ui::Frame Frame9{*this, "Frame9"};
    ui::OptionButton Option15{*this, "Option15"};
    ui::OptionButton Option18{*this, "Option18"};
    ui::OptionButton Option19{*this, "Option19"};
    ui::Frame Frame8{*this, "Frame8"};
    ui::Label Label42{*this, "Label42"};
    ui::ComboBox PlaylistFontSize{*this, "PlaylistFontSize"};
    ui::CheckBox Check3{*this, "Check3"};
    ui::CheckBox Check8{*this, "Check8"};

    // Audio page.
    ui::Frame Frame6{*this, "Frame6"};
    ui::OptionButton Option12{*this, "Option12"};
    ui::OptionButton Option13{*this, "Option13"};

    // Video page.
    ui::Frame Frame7{*this, "Frame7"};
    ui::OptionButton Option14{*this, "Option14"};
    ui::OptionButton Option16{*this, "Option16"};
    ui::OptionButton Option17{*this, "Option17"};
    ui::Frame Frame10{*this, "Frame10"};
    ui::Label Label44{*this, "Label44"};
    ui::TextBox SubDelay{*this, "SubDelay"};
    ui::Label Label45{*this, "Label45"};
    ui::CheckBox Check5{*this, "Check5"};
    ui::CommandButton Command3{*this, "Command3"};

    // Association page.
    ui::Label Label14{*this, "Label14"};
    ui::Label Label18{*this, "Label18"};
    ui::ListBox TpfAudio{*this, "TpfAudio", ui::ListControl::vbMultiSelectSimple};
    ui::ListBox TpfVideo{*this, "TpfVideo", ui::ListControl::vbMultiSelectSimple};
    ui::CheckBox Check17{*this, "Check17"};
    ui::CheckBox Check18{*this, "Check18"};
    ui::CommandButton Command2{*this, "Command2"};
    ui::Label Label19{*this, "Label19"};
    ui::ListBox FAudio{*this, "FAudio"};
    ui::ListBox FVideo{*this, "FVideo"};

    // Skins page, with its transparency group.
    ui::Label Label12{*this, "Label12"};
    ui::ListBox SkinSelector{*this, "SkinSelector", ui::ListControl::vbMultiSelectSimple};
    ui::Label Label11{*this, "Label11"};
    ui::TextBox SkinName{*this, "SkinName"};
    ui::Label Label10{*this, "Label10"};
    ui::Frame Frame3{*this, "Frame3"};
    ui::OptionButton Option6{*this, "Option6"};
    ui::OptionButton Option7{*this, "Option7"};
    ui::Slider Slider1{*this, "Slider1"};
    ui::Label Label16{*this, "Label16"};
    ui::Label Label17{*this, "Label17"};

    // Language page.
    ui::ListBox LanguageSelector{*this, "LanguageSelector", ui::ListControl::vbMultiSelectSimple};

    // Keyboard page: one row per action, the key code and its character.
    ui::Label Label29{*this, "Label29"};
    ui::Label Label27{*this, "Label27"};
    ui::Label Label28{*this, "Label28"};
    ui::Label Label26{*this, "Label26"};
    ui::Label Label30{*this, "Label30"};
    ui::Label Label31{*this, "Label31"};
    ui::Label Label32{*this, "Label32"};
    ui::Label Label33{*this, "Label33"};
    ui::Label Label34{*this, "Label34"};
    ui::Label Label35{*this, "Label35"};
    ui::Label Label36{*this, "Label36"};
    ui::Label Label37{*this, "Label37"};
    ui::Label Label38{*this, "Label38"};
    ui::ControlArray<ui::TextBox> AsciBox{*this, "AsciBox"};
    ui::ControlArray<ui::TextBox> AsciText{*this, "AsciText"};

    // Info page.
    ui::TextBox Readme{*this, "Readme", true, ui::TextBox::vbVertical};

    // The list being pressed: its current row at the press, and the counter
    // of the loop that clears its marks.
    short SelectorSavedIndex = 0;
    short SelectorLoopIndex = 0;

  private:
    void designFrame();
    void designPages();
    void designGeneralPage();
    void designPlaylistPage();
    void designKeyboardPage();
    void designVideoPage();
    void designAssociationPage();
    void designSkinPages();
    void connectFrame();
    void connectSettings();
    void connectPages();

    void openPage(int page);
    void closeHover(bool focus);
    void playOrderMarks();
    void videoSize(ui::OptionButton& chosen);
    void markAll(ui::CheckBox& all, ui::ListBox& types);
    void selectorPressed(ui::ListBox& list);
    void selectorRemark(ui::ListBox& list);
    ClsPl& playlistOps();
    ClsMain& controller() { return MainCtl.get(); }

    std::unique_ptr<ClsPl> PlaylistOps;
    ControllerSlot MainCtl{app()};
    DataClass DataList;
    std::unique_ptr<sys::RegistryWriter> Writer;
};
