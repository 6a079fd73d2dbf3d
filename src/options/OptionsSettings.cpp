#include "controls/modSysTray.h"
#include "core/frmBass.h"
#include "options/Options.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "shared/NumberText.h"
#include "windows/FormMeniuri.h"
#include "windows/Main.h"

void Options::connectSettings() {
    ui::connectEach(*this, &ui::Control::Click,
                    {{&Option1, &Options::Option1_Click},   {&Option2, &Options::Option2_Click},
                     {&Option3, &Options::Option3_Click},   {&Option8, &Options::Option8_Click},
                     {&Option9, &Options::Option9_Click},   {&Option10, &Options::Option10_Click},
                     {&Option11, &Options::Option11_Click}, {&Option12, &Options::Option12_Click},
                     {&Option13, &Options::Option13_Click}, {&Option14, &Options::Option14_Click},
                     {&Option16, &Options::Option16_Click}, {&Option17, &Options::Option17_Click},
                     {&Option15, &Options::Option15_Click}, {&Option18, &Options::Option18_Click},
                     {&Option19, &Options::Option19_Click}, {&Check3, &Options::Check3_Click},
                     {&Check7, &Options::Check7_Click},     {&Check8, &Options::Check8_Click},
                     {&Check17, &Options::Check17_Click},   {&Check18, &Options::Check18_Click}});
    PlaylistFontSize.Click.connect([this] { PlaylistFontSize_Click(); });
    Slider1.Change.connect([this] { Slider1_Change(); });
    for (auto& [i, box] : AsciBox) {
        const int index = i;
        box->Click.connect([this, index] { AsciBox_Click(index); });
        box->KeyUp.connect(
            [this, index](int& code, int shift) { AsciBox_KeyUp(index, code, shift); });
    }
}

ClsPl& Options::playlistOps() {
    if (!PlaylistOps) PlaylistOps = std::make_unique<ClsPl>(app());
    return *PlaylistOps;
}

// The play-order items of the playlist's two menus mirror the group.
void Options::playOrderMarks() {
    FormMeniuri& menus = form<FormMeniuri>();
    menus.MeniuLaRand.setChecked(Option1.Value());
    menus.MeniuAleatoriu.setChecked(Option2.Value());
    menus.MeniuPreferinte.setChecked(Option3.Value());
    menus.ShuffleOfMenu.setChecked(Option1.Value());
    menus.ShuffleOnMenu.setChecked(Option2.Value());
    menus.PlayTheBestMenu.setChecked(Option3.Value());
}

void Options::Option1_Click() {
    playOrderMarks();
}
void Options::Option2_Click() {
    playOrderMarks();
}
void Options::Option3_Click() {
    playOrderMarks();
}

void Options::Option8_Click() {
    form<frmBass>().ChangeSpectrumMode();
}
void Options::Option9_Click() {
    form<frmBass>().ChangeSpectrumMode();
}
void Options::Option10_Click() {
    form<frmBass>().ChangeSpectrumMode();
}
void Options::Option11_Click() {
    form<frmBass>().ChangeSpectrumMode();
}

void Options::Option12_Click() {
    form<Main>().OnOffEq();
}
void Options::Option13_Click() {
    form<Main>().OnOffEq();
}

void Options::videoSize(ui::OptionButton& chosen) {
    Main& m = form<Main>();
    if (m.LbActualCx(0).Caption() != "-1") {
        m.AdjustVideo();
        m.ResizeArea.setVisible(&chosen == &Option14);
    }
    FormMeniuri& menus = form<FormMeniuri>();
    menus.StretchMenu.setChecked(&chosen == &Option14);
    menus.OriginalSizeMenu.setChecked(&chosen == &Option16);
    menus.OriginalSize2Menu.setChecked(&chosen == &Option17);
    if (&chosen != &Option14) return;
    // The window's own minimum size brings it back to its smallest layout.
    m.setHeight(0);
    m.setWidth(0);
    m.AdjustVideo();
}

void Options::Option14_Click() {
    videoSize(Option14);
}
void Options::Option16_Click() {
    videoSize(Option16);
}
void Options::Option17_Click() {
    videoSize(Option17);
}

void Options::Option15_Click() {
    Playlist& list = form<Playlist>();
    list.PicList.Clear();
    playlistOps().ListNoChar(list.PicList, form<DataForm>().ListaCale);
    playlistOps().SetJumpList();
}
void Options::Option18_Click() {
    playlistOps().FileNameToID3();
}
void Options::Option19_Click() {
    playlistOps().FileNameToID3();
}

void Options::Check3_Click() {
    form<Playlist>().PicList.setFontBold(Check3.Value() == 1);
}

// The icon is always added under the main window's one identifier, so the
// removal reaches it however it was added.
void Options::Check7_Click() {
    Main& m = form<Main>();
    if (Check7.Value() == 1) return ui::step([&] { m.addTrayIcon(); });
    ui::step([&] { modSysTray::RemoveTrayIcon(app(), m.trayId()); });
}

void Options::Check8_Click() {
    Playlist& list = form<Playlist>();
    list.ScrollBar.setVisible(Check8.Value() != 1);
    list.FrameScroll.setVisible(Check8.Value() != 1);
}

void Options::PlaylistFontSize_Click() {
    Playlist& list = form<Playlist>();
    try {
        list.PicList.setFontSize(static_cast<float>(shared::toDouble(PlaylistFontSize.Text())));
    } catch (const ui::RuntimeError&) {
        list.PicList.setFontSize(8);
    }
    list.ResizePlaylist();
}

void Options::Slider1_Change() {
    (Slider1.Value() == 100 ? Option7 : Option6).setValue(true);
}

// The next typed character lands in front of the code.
void Options::AsciBox_Click(int Index) {
    AsciBox(Index).setSelStart(0);
}

// The box's first character names the key (what was just typed, or the old
// code's first digit for a key that types nothing); the box keeps the code.
void Options::AsciBox_KeyUp(int Index, int KeyCode, int) {
    ui::TextBox& box = AsciBox(Index);
    box.setSelStart(0);
    box.setSelLength(1);
    AsciText(Index).setText(box.SelText());
    box.setText(QString::number(KeyCode));
}
