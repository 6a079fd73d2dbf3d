#pragma once

#include "core/ClsMain.h"
#include "core/Id3v1Tag.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/ControlArray.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Image.h"
#include "platform/ui/Label.h"
#include "platform/ui/Line.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/Timer.h"
#include "shared/PlayerForm.h"

// The media library window: three pages in one place of which one is shown,
// the ID3v1 tag editor with the MPEG and media timing readouts, the (empty)
// library page and the Top 20.  Borderless: dragged by almost any of its
// edges and its title, sized by the grip of the library page, never smaller
// than 6100 x 3530 twips.
class MediaLibrary : public PlayerForm {
  public:
    explicit MediaLibrary(ui::Application& app);

    void Form_Load() override;
    void Form_Resize() override;
    void Form_Activate() override;
    void Form_MouseDown(int Button, int Shift, float X, float Y) override;
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;
    // Drags the window, while it is in its normal state and no video fills
    // the screen; the argument is not read.
    void FormMove();
    void CloseButton_Click();
    void CloseButton_MouseMove(int Button, int Shift, float X, float Y);
    // Also ImgTopRight's: the close button looks normal again.
    void ImgRight_MouseMove(int Button, int Shift, float X, float Y);
    void FrameLibrary_MouseMove(int Button, int Shift, float X, float Y);
    // Over the grip the size pointer shows; the left button sizes the window.
    void ResizeArea_MouseMove(int Button, int Shift, float X, float Y);
    void FrameTop10_MouseMove(int Button, int Shift, float X, float Y);
    // The title under the pointer turns red and the pointer a hand.
    void Song_MouseMove(int Index, int Button, int Shift, float X, float Y);
    // Plays the ranked title from the playlist, as its double-click would; a
    // title no longer in the playlist is reported, a free row does nothing.
    void Song_Click(int Index);
    // The tag editor's save button: writes the edited tag into the file it
    // was read from; a file that cannot be written is reported.
    void Command6_Click();
    // One step of the Top 20 sort.
    void TimerClasament_Timer();
    // Fills the tag editor from a tag record, each text in its full fixed
    // width; a genre outside the genre list clears the genre box.
    void showTag(const Id3v1Tag& tag);
    // Reads a file's tag into the shared record and shows it in the editor.
    void readTag(const QString& path);

    ui::Frame FrameIDTag{*this, "FrameIDTag"};
    ui::Frame FrameLibrary{*this, "FrameLibrary"};
    ui::Frame FrameTop10{*this, "FrameTop10"};

    // Tag page, left column: the editor.
    ui::Label Label8{*this, "Label8"};
    ui::Label Label1{*this, "Label1"};
    ui::Label Label2{*this, "Label2"};
    ui::Label Label3{*this, "Label3"};
    ui::Label Label4{*this, "Label4"};
    ui::Label Label5{*this, "Label5"};
    ui::Label Label6{*this, "Label6"};
    ui::TextBox Text1T{*this, "Text1T"};
    ui::TextBox Text2T{*this, "Text2T"};
    ui::TextBox Text3T{*this, "Text3T"};
    ui::TextBox Text4T{*this, "Text4T"};
    ui::TextBox Text5T{*this, "Text5T"};
    ui::ComboBox Combo1T{*this, "Combo1T", ui::ComboBox::vbComboDropdownList};
    ui::CommandButton Command6{*this, "Command6"};
    ui::Label Label14{*this, "Label14"};
    ui::Label ID3Path{*this, "ID3Path"};

    // Tag page, right column: media timing and MPEG header flags.
    ui::Label Label13{*this, "Label13"};
    ui::Label TotalFramesL{*this, "TotalFramesL"};
    ui::Label Label15{*this, "Label15"};
    ui::Label Label16{*this, "Label16"};
    ui::Label Label17{*this, "Label17"};
    ui::ControlArray<ui::Label> LbTotalFrames{*this, "LbTotalFrames"};
    ui::ControlArray<ui::Label> LbTotalTime{*this, "LbTotalTime"};
    ui::ControlArray<ui::Label> LbFramesPerSecond{*this, "LbFramesPerSecond"};
    ui::ControlArray<ui::Label> LbCurrentTime{*this, "LbCurrentTime"};
    ui::Label Label11{*this, "Label11"};
    ui::Label Label18{*this, "Label18"};
    ui::Label Label19{*this, "Label19"};
    ui::Label Label20{*this, "Label20"};
    ui::Label labCRC{*this, "labCRC"};
    ui::Label labCopy{*this, "labCopy"};
    ui::Label labOriginal{*this, "labOriginal"};
    ui::Label labEmphasis{*this, "labEmphasis"};

    // Top 20 page: row i is rank i + 1.
    ui::Label Label9{*this, "Label9"};
    ui::Label Label10{*this, "Label10"};
    ui::Label Label12{*this, "Label12"};
    ui::ControlArray<ui::Label> TopLabel{*this, "TopLabel"};
    ui::ControlArray<ui::Label> Song{*this, "Song"};
    ui::ControlArray<ui::Label> CountPlayed{*this, "CountPlayed"};
    ui::ListBox ListaAsteptare{*this, "ListaAsteptare"};
    ui::Timer TimerClasament{*this, "TimerClasament"};
    ui::ControlArray<ui::Line> TopLine{*this, "TopLine"};

    // Window furniture.
    ui::Image ImgTopLeft{*this, "ImgTopLeft"};
    ui::Image ImgTopCenter{*this, "ImgTopCenter"};
    ui::Image ImgTopRight{*this, "ImgTopRight"};
    ui::Image ImgLeft{*this, "ImgLeft"};
    ui::Image ImgRight{*this, "ImgRight"};
    ui::Image ImgBottomLeft{*this, "ImgBottomLeft"};
    ui::Image ImgBottomCenter{*this, "ImgBottomCenter"};
    ui::Image ImgBottomRight{*this, "ImgBottomRight"};
    ui::Label Label7{*this, "Label7"};
    ui::Image CloseButton{*this, "CloseButton"};
    ui::PictureBox ResizeArea{*this, "ResizeArea"};

    ControllerSlot MainCtl{app()};

    // The window's own pointer: 2 a pointing hand (over a ranked title), 0
    // the default.
    int MousePointer() const { return mousePointer_; }
    void setMousePointer(int value);

  private:
    void designPages();
    void designEditor();
    void designReadouts();
    void designTopPage();
    void designFurniture();
    void connectEvents();
    void layoutEdges();
    void paintGrip();
    void whiteTitles();

    int mousePointer_ = 0;
};
