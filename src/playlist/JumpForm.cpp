#include "playlist/JumpForm.h"

#include "platform/ui/KeyMap.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "windows/Main.h"

namespace {

constexpr int kQueryLength = 50;
constexpr int kSearchTick = 2;
constexpr int kIdleTick = 20;
constexpr int kVisibleRows = 30;

QString withoutTrailingBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == u' ')
        --end;
    return text.left(end);
}

}  // namespace

JumpForm::JumpForm(ui::Application& app) : PlayerForm(app, "JumpForm") {
    setCaption("Search");
    Move(3000, 3000, 5310, 4650);
    Label1.Move(120, 240, 735, 375);
    Label1.setCaption("Search:");
    Cautare.Move(840, 240, 4335, 375);
    Rezultate.Move(120, 720, 5055, 3375);
    Command1.Move(1320, 4200, 1335, 375);
    Command1.setCaption("Jump");
    Command2.Move(2760, 4200, 1215, 375);
    Command2.setCaption("Cancel");
    // Outside the client area: kept for the code, never seen.
    RealSearch.Move(1680, 4680, 3015, 375);
    ClearText.Move(1680, 5160, 3015, 375);
    Lista.Move(5400, 720, 2000, 3375);
    Actualizare.setInterval(250);
    Actualizare.setEnabled(false);

    Cautare.Change.connect([this] { Cautare_Change(); });
    Cautare.Click.connect([this] { Cautare_Click(); });
    Cautare.KeyDown.connect([this](int& key, int shift) { Cautare_KeyDown(key, shift); });
    Rezultate.DblClick.connect([this] { Rezultate_DblClick(); });
    Rezultate.KeyDown.connect([this](int& key, int shift) { Rezultate_KeyDown(key, shift); });
    Command1.Click.connect([this] { Command1_Click(); });
    Command2.Click.connect([this] { Command2_Click(); });
    Actualizare.TimerEvent.connect([this] { Actualizare_Timer(); });
}

void JumpForm::Cautare_Change() {
    ui::step([&] { RealSearch.setText(Cautare.Text().left(kQueryLength)); });
    ui::step([&] { Rezultate.Clear(); });
    resultRows_.clear();
    ticks_ = 0;
    ui::step([&] { Actualizare.setEnabled(true); });
}

void JumpForm::Cautare_Click() {
    Cautare.setText("");
}

void JumpForm::Cautare_KeyDown(int& KeyCode, int) {
    if (Rezultate.ListIndex() >= 0) {
        if (KeyCode == ui::vbKeyReturn) PlaySelected();
        if (KeyCode == ui::vbKeyDown) selectResult(Rezultate.ListIndex() + 1);
        if (KeyCode == ui::vbKeyUp) selectResult(Rezultate.ListIndex() - 1);
    }
    if (KeyCode == ui::vbKeyEscape) Hide();
}

void JumpForm::Rezultate_DblClick() {
    PlaySelected();
}

void JumpForm::Rezultate_KeyDown(int& KeyCode, int) {
    if (KeyCode == ui::vbKeyReturn && Rezultate.ListIndex() >= 0) PlaySelected();
}

void JumpForm::Command1_Click() {
    if (Rezultate.ListIndex() >= 0) PlaySelected();
}

void JumpForm::Command2_Click() {
    Hide();
}

void JumpForm::Form_Activate() {
    ui::step([&] { Cautare.setText(""); });
    ui::step([&] { Cautare.SetFocus(); });
}

void JumpForm::Actualizare_Timer() {
    ++ticks_;
    if (ticks_ == kSearchTick && !RealSearch.Text().isEmpty()) {
        search();
        ticks_ = 0;
        Actualizare.setEnabled(false);
    }
    if (ticks_ == kIdleTick) {
        ticks_ = 3;
        Actualizare.setEnabled(false);
    }
}

// Each row is listed once, however often it holds the query; the results
// share the search list's text.
void JumpForm::search() {
    resultRows_ = Lista.rowsHolding(RealSearch.Text());
    Rezultate.AddItemsOf(Lista, resultRows_);
    if (Rezultate.ListCount() > 0) Rezultate.setListIndex(0);
}

void JumpForm::selectResult(int row) {
    // Past either end the selection stays.
    if (row >= 0 && row < Rezultate.ListCount()) Rezultate.setListIndex(row);
}

int JumpForm::playlistRow(int result) const {
    if (result < 0 || result >= Rezultate.ListCount()) return -1;
    const QString wanted = withoutTrailingBlanks(Rezultate.List(result));
    const ui::ListBox& rows = form<Playlist>().PicList;
    // Equal texts are told apart by the row each was found at.
    const std::size_t index = static_cast<std::size_t>(result);
    if (index < resultRows_.size()) {
        const int found = resultRows_[index];
        if (found < rows.ListCount() && withoutTrailingBlanks(rows.List(found)) == wanted)
            return found;
    }
    for (int i = 0; i < rows.ListCount(); ++i)
        if (withoutTrailingBlanks(rows.List(i)) == wanted) return i;
    return -1;
}

void JumpForm::PlaySelected() {
    const int row = playlistRow(Rezultate.ListIndex());
    if (row < 0) return;
    if (form<Main>().StarePlayer.Caption() == "Paused") ui::step([&] { MainCtl.get().SStop(); });
    DataForm& data = form<DataForm>();
    Playlist& playlist = form<Playlist>();
    data.FromPlaylist.setCaption("True");
    ui::step([&] { playlist.PicList.setListIndex(row); });
    ui::step([&] { data.ListaCale.setListIndex(row); });
    data.SongNumber.setCaption(QString::number(row));
    ui::step([&] { playlist.ScrollBar.setMax(playlist.PicList.ListCount() - kVisibleRows); });
    ui::step([&] { playlist.ScrollBar.setValue(playlist.PicList.TopIndex()); });
    ui::step([&] { playlist.PicList.SetFocus(); });
    Hide();
    ui::step([&] { MainCtl.get().Play(); });
    ui::step([&] { Cautare.setText(ClearText.Text()); });
    ui::step([&] { Cautare.setText(""); });
}
