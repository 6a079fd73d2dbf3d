// The menu window's playback, queue, exit, playlist and play-order items.
#include "options/Options.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/ClsPl.h"
#include "playlist/DialogForm.h"
#include "playlist/JumpForm.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "windows/FormMeniuri.h"
#include "windows/Main.h"

using ui::step;

// The row the user right-clicked plays as a double-click would play it; with
// no row selected there is nothing to play.
void FormMeniuri::MeniuPlayPl_Click() {
    Playlist& list = form<Playlist>();
    if (list.PicList.ListIndex() < 0) return;
    list.playSelectedRow(MainCtl.get());
}

void FormMeniuri::SysTrayPlay_Click() {
    MainCtl.get().Play();
}

void FormMeniuri::SysTrayPause_Click() {
    MainCtl.get().Pause();
}

void FormMeniuri::SysTrayStop_Click() {
    MainCtl.get().SStop();
}

void FormMeniuri::SysTrayBack_Click() {
    MainCtl.get().PlayPrevious();
}

void FormMeniuri::SysTrayNext_Click() {
    MainCtl.get().PlayNext();
}

void FormMeniuri::MainOpenFile_Click() {
    MainCtl.get().OpenAndPlayFile();
}

void FormMeniuri::SysTrayOpen_Click() {
    MainCtl.get().OpenAndPlayFile();
}

// An empty text would be taken at the end of the song, match no row and stop
// playback, so with no row selected nothing is queued.
void FormMeniuri::MeniuProgrameaza_Click() {
    ui::ListBox& rows = form<Playlist>().PicList;
    if (rows.ListIndex() < 0) return;
    form<DataForm>().ListaProgramate.AddItem(rows.Text());
}

void FormMeniuri::OpenCdMenu_Click() {
    MainCtl.get().SetCDState(true);
    showDialogPage("CDFrame");
}

void FormMeniuri::MainClosePlenk_Click() {
    MainCtl.get().ClosePlenk();
}

// The settings take the main window's visibility for mini mode and the
// playlist's for its own line, so only what was in use comes back before the
// save.
void FormMeniuri::SysTrayClose_Click() {
    DataForm& d = form<DataForm>();
    if (d.MiniMode.Caption() == "False") {
        Main& m = form<Main>();
        step([&] { m.setWindowState(vbNormal); });
        step([&] { m.setVisible(true); });
    }
    if (d.PlaylistON.Caption() == "1") {
        Playlist& list = form<Playlist>();
        step([&] { list.Show(); });
        step([&] { list.setVisible(true); });
    }
    MainCtl.get().ClosePlenk();
}

void FormMeniuri::MeniuAdaugaFisier_Click() {
    playlistOps().AdaugaFisier();
}

void FormMeniuri::MenuAddFile_Click() {
    playlistOps().AdaugaFisier();
}

void FormMeniuri::MeniuAdaugaFolder_Click() {
    playlistOps().AdaugaFolder();
}

void FormMeniuri::MenuAddFolder_Click() {
    playlistOps().AdaugaFolder();
}

void FormMeniuri::MeniuStergeFisier_Click() {
    step([&] { playlistOps().StergeFisier(); });
}

void FormMeniuri::clearPlaylist() {
    form<Playlist>().PicList.Clear();
    form<DataForm>().ListaCale.Clear();
    playlistOps().SetJumpList();
}

void FormMeniuri::MeniuStergeLista_Click() {
    clearPlaylist();
}

void FormMeniuri::MenuClearPlaylist_Click() {
    clearPlaylist();
}

void FormMeniuri::NewPlaylistMenu_Click() {
    clearPlaylist();
}

// The dialog picks its page when it is activated, after this code.
void FormMeniuri::showDialogPage(const QString& page) {
    DialogForm& dialog = form<DialogForm>();
    dialog.setVisible(true);
    dialog.Fereastra.setCaption(page);
}

void FormMeniuri::MenuOpenPlaylist_Click() {
    showDialogPage("LoadPlaylist");
}

void FormMeniuri::MenuSavePlaylist_Click() {
    showDialogPage("SavePlaylist");
}

void FormMeniuri::JumpToFileMenu_Click() {
    form<JumpForm>().setVisible(true);
}

void FormMeniuri::SearchInPlMenu_Click() {
    form<JumpForm>().setVisible(true);
}

void FormMeniuri::SysTrayJump_Click() {
    form<JumpForm>().setVisible(true);
}

// Selecting the option runs its own handler, which checks the items of both
// play-order menus.
void FormMeniuri::selectPlayOrder(int option) {
    Options& o = form<Options>();
    ui::OptionButton* const buttons[] = {&o.Option1, &o.Option2, &o.Option3};
    buttons[option]->setValue(true);
    MeniuLaRand.setChecked(option == 0);
    MeniuAleatoriu.setChecked(option == 1);
    MeniuPreferinte.setChecked(option == 2);
}

void FormMeniuri::MeniuLaRand_Click() {
    selectPlayOrder(0);
}

void FormMeniuri::MeniuAleatoriu_Click() {
    selectPlayOrder(1);
}

void FormMeniuri::MeniuPreferinte_Click() {
    selectPlayOrder(2);
}

void FormMeniuri::ShuffleOfMenu_Click() {
    form<Options>().Option1.setValue(true);
}

void FormMeniuri::ShuffleOnMenu_Click() {
    form<Options>().Option2.setValue(true);
}

void FormMeniuri::PlayTheBestMenu_Click() {
    form<Options>().Option3.setValue(true);
}

void FormMeniuri::StretchMenu_Click() {
    form<Options>().Option14.setValue(true);
}

void FormMeniuri::OriginalSizeMenu_Click() {
    form<Options>().Option16.setValue(true);
}

void FormMeniuri::OriginalSize2Menu_Click() {
    form<Options>().Option17.setValue(true);
}
