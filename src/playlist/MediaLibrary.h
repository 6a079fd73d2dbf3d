#pragma once

#include "platform/ui/ComboBox.h"
#include "platform/ui/ControlArray.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/Timer.h"
#include "shared/PlayerForm.h"

// The media library window: the information page, the Top 20 and the ID3v1
// tag editor, three frames in one place of which one is shown.
class MediaLibrary : public PlayerForm {
  public:
    explicit MediaLibrary(ui::Application& app);

    ui::Frame FrameLibrary{*this, "FrameLibrary"};
    ui::Frame FrameTop10{*this, "FrameTop10"};
    ui::Frame FrameIDTag{*this, "FrameIDTag"};

    // Information page.
    ui::ControlArray<ui::Label> LbCurrentTime{*this, "LbCurrentTime"};
    ui::ControlArray<ui::Label> LbFramesPerSecond{*this, "LbFramesPerSecond"};
    ui::ControlArray<ui::Label> LbTotalFrames{*this, "LbTotalFrames"};
    ui::ControlArray<ui::Label> LbTotalTime{*this, "LbTotalTime"};
    ui::Label labCRC{*this, "labCRC"};
    ui::Label labCopy{*this, "labCopy"};
    ui::Label labEmphasis{*this, "labEmphasis"};
    ui::Label labOriginal{*this, "labOriginal"};

    // Top 20 page.
    ui::ControlArray<ui::Label> Song{*this, "Song"};
    ui::ControlArray<ui::Label> CountPlayed{*this, "CountPlayed"};
    ui::ListBox ListaAsteptare{*this, "ListaAsteptare"};
    ui::Timer TimerClasament{*this, "TimerClasament"};

    // Tag editor page.
    ui::TextBox Text1T{*this, "Text1T"};
    ui::TextBox Text2T{*this, "Text2T"};
    ui::TextBox Text3T{*this, "Text3T"};
    ui::TextBox Text4T{*this, "Text4T"};
    ui::TextBox Text5T{*this, "Text5T"};
    ui::ComboBox Combo1T{*this, "Combo1T", ui::ComboBox::vbComboDropdownList};
    ui::Label ID3Path{*this, "ID3Path"};

  private:
    void designInformationPage();
    void designTopPage();
    void designTagPage();
};
