#pragma once

#include <cstdint>
#include <vector>

#include "core/ClsMain.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/TextBox.h"
#include "platform/ui/Timer.h"
#include "shared/PlayerForm.h"

// The type-ahead search over the playlist: about half a second after the last
// keystroke the entries of the search list Lista whose display text holds the
// typed text (its first 50 characters, any case) are listed once each, in
// playlist order; choosing one plays it.
class JumpForm : public PlayerForm {
  public:
    explicit JumpForm(ui::Application& app);

    // Plays the playlist entry of the selected result: the row it was found
    // at, or when that row holds another text now (the search list is not
    // refreshed on a delete) the first playlist row equal to it, trailing
    // blanks aside.  A result no row matches any more does nothing.
    void PlaySelected();

    void Cautare_Change();
    void Cautare_Click();
    void Cautare_KeyDown(int& KeyCode, int Shift);
    void Rezultate_DblClick();
    void Rezultate_KeyDown(int& KeyCode, int Shift);
    void Command1_Click();
    void Command2_Click();
    void Form_Activate() override;
    void Actualizare_Timer();

    // Timer ticks since the typed text last changed.
    std::int16_t Ticks() const { return ticks_; }

    ui::Label Label1{*this, "Label1"};
    ui::TextBox Cautare{*this, "Cautare"};
    ui::ListBox Rezultate{*this, "Rezultate"};
    ui::CommandButton Command1{*this, "Command1"};
    ui::CommandButton Command2{*this, "Command2"};
    // The query actually searched.
    ui::TextBox RealSearch{*this, "RealSearch"};
    ui::TextBox ClearText{*this, "ClearText"};
    // The search list: a copy of the playlist's display texts.
    ui::ListBox Lista{*this, "Lista"};
    ui::Timer Actualizare{*this, "Actualizare"};

    ControllerSlot MainCtl{app()};

  private:
    void search();
    void selectResult(int row);
    // The playlist row of result, as above; -1 if none.
    int playlistRow(int result) const;

    std::int16_t ticks_ = 0;
    // The search list's row of each result.
    std::vector<int> resultRows_;
};
