#include <QFileInfo>
#include <cmath>

#include "app/PlenkApp.h"
#include "persistence/KeyShortcut.h"
#include "platform/ui/RuntimeError.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Twips.h"
#include "playlist/ClsPl.h"
#include "playlist/MediaLibrary.h"
#include "playlist/MediaTypes.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "windows/FormMeniuri.h"
#include "windows/Main.h"

using ui::step;

namespace {

constexpr int kDeleteKey = 46;

}  // namespace

void Playlist::connectList() {
    PicList.Click.connect([this] { PicList_Click(); });
    PicList.DblClick.connect([this] { PicList_DblClick(); });
    PicList.MouseMove.connect(
        [this](int b, int s, float x, float y) { PicList_MouseMove(b, s, x, y); });
    PicList.DragOver.connect(
        [this](ui::Control& c, float x, float y, int state) { PicList_DragOver(c, x, y, state); });
    PicList.DragDrop.connect(
        [this](ui::Control& c, float x, float y) { PicList_DragDrop(c, x, y); });
    PicList.KeyDown.connect([this](int& code, int shift) { PicList_KeyDown(code, shift); });
    PicList.MouseUp.connect(
        [this](int b, int s, float x, float y) { PicList_MouseUp(b, s, x, y); });
    PicList.OLEDragOver.connect(
        [this](ui::DataObject& d, int& e, int b, int s, float x, float y, int state) {
            PicList_OLEDragOver(d, e, b, s, x, y, state);
        });
    PicList.OLEDragDrop.connect([this](ui::DataObject& d, int& e, int b, int s, float x, float y) {
        PicList_OLEDragDrop(d, e, b, s, x, y);
    });
}

int Playlist::rowUnder(const ui::ListBox& list, float Y) const {
    const int itemHeight = list.SendMessageA(ui::LB_GETITEMHEIGHT, 0, 0);
    const int pixels = static_cast<int>(std::nearbyint(Y / app().screen().TwipsPerPixelY()));
    return pixels / itemHeight + list.TopIndex();
}

int Playlist::ListRowCalc(const ui::ListBox& list, float Y) const {
    return std::min(rowUnder(list, Y), list.ListCount() - 1);
}

void Playlist::ListRowMove(ui::ListControl& pobjLB, int pintOldRow, int pintNewRow) {
    if (pintOldRow == pintNewRow) return;
    pobjLB.moveListText(pintOldRow, pintNewRow);
}

void Playlist::PicList_Click() {
    const int row = PicList.ListIndex();
    if (row < 0) return;
    ui::ListBox& paths = form<DataForm>().ListaCale;
    step([&] { paths.setSelected(row, true); });
    step([&] { form<MediaLibrary>().readTag(paths.Text()); });
}

void Playlist::PicList_DblClick() {
    playSelectedRow(MainCtl.get());
}

void Playlist::playSelectedRow(ClsMain& main) {
    step([&] {
        if (form<Main>().StarePlayer.Caption() == "Paused") main.SStop();
    });
    step([&] { form<DataForm>().FromPlaylist.setCaption("True"); });
    step([&] { main.Play(); });
    step([&] { form<DataForm>().SongNumber.setCaption(QString::number(PicList.ListIndex())); });
}

void Playlist::PicList_MouseMove(int Button, int, float, float Y) {
    hover(nullptr);
    if (Button != ui::vbLeftButton || Resizing) return;
    DragRow = ListRowCalc(PicList, Y);
    PicList.Drag(ui::Control::vbBeginDrag);
}

void Playlist::PicList_DragOver(ui::Control&, float, float Y, int) {
    step([&] { PicList.setListIndex(ListRowCalc(PicList, Y)); });
}

void Playlist::PicList_DragDrop(ui::Control&, float, float Y) {
    step([&] { ListRowMove(PicList, DragRow, ListRowCalc(PicList, Y)); });
    step([&] { ListRowMove(form<DataForm>().ListaCale, DragRow, ListRowCalc(PicList, Y)); });
    step([&] { PicList.setSelected(ListRowCalc(PicList, Y), true); });
}

void Playlist::PicList_KeyDown(int& KeyCode, int) {
    app().module<KeyShortcut>().ProcessShortcutKey(KeyCode);
    if (KeyCode == kDeleteKey) pl().StergeFisier();
}

void Playlist::PicList_MouseUp(int Button, int, float X, float Y) {
    if (Button != ui::vbRightButton) return;
    const ui::Screen& screen = app().screen();
    const int px = static_cast<int>(std::nearbyint(X / screen.TwipsPerPixelX()));
    const int py = static_cast<int>(std::nearbyint(Y / screen.TwipsPerPixelY()));
    // The row lookup rather than the item-from-point message, whose answer
    // keeps 16 bits of the row.
    const int row = PicList.rowAtPoint({px, py});
    step([&] {
        if (row >= 0) PicList.setSelected(row, true);
    });
    step([&] { PopupMenu(form<FormMeniuri>().MeniuPlaylist); });
}

void Playlist::PicList_OLEDragOver(ui::DataObject& Data, int& Effect, int, int, float, float, int) {
    Effect = Data.GetFormat(ui::vbCFFiles) ? ui::vbDropEffectCopy : ui::vbDropEffectNone;
}

void Playlist::PicList_OLEDragDrop(ui::DataObject& Data, int& Effect, int, int, float, float Y) {
    if (!Data.GetFormat(ui::vbCFFiles)) {
        Effect = ui::vbDropEffectNone;
        return;
    }
    DataForm& data = form<DataForm>();
    // The row the files go to is the one under the pointer as the user saw
    // the list: a folder's files, walked first, only append after it.
    const int at = std::clamp(rowUnder(PicList, Y), 0, data.ListaCale.ListCount());
    data.Foldere.Clear();
    step([&] { data.File1.setPath(data.programFile("\\Playlists\\")); });
    L1.Clear();
    for (const QString& item : Data.files()) {
        const QFileInfo info(item);
        if (info.isDir())
            pl().AdaugaFolderDrag(item);
        else if (info.isFile() && isDroppableMedia(item) && fitsOnOneLine(item))
            L1.AddItem(item);
    }
    Effect = ui::vbDropEffectCopy;
    if (L1.ListCount() > 0) insertDropped(at);
}

void Playlist::insertDropped(int at) {
    ui::ListBox& paths = form<DataForm>().ListaCale;
    form<DataForm>().AddToIndex.setCaption(QString::number(at));
    for (int j = 0; j < L1.ListCount(); ++j)
        paths.AddItem(L1.List(j), at + j);
    pl().ListNoCharDragDrop(PicList, L1);
    pl().SetJumpList();
}
