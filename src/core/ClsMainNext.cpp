// The controller's choice of the next entry: the play-next queue first, then
// the play order (in list order, random, or by the rankings).
#include <random>

#include "app/PlenkApp.h"
#include "core/ClsMain.h"
#include "core/frmBass.h"
#include "options/Options.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/Playlist.h"
#include "playlist/Top10.h"
#include "shared/DataForm.h"
#include "shared/NumberText.h"
#include "windows/Main.h"

using ui::step;

// Selects a playlist row (raising the playlist's click handling) and the row
// of the same index among the paths.
void ClsMain::selectRow(int row) {
    app_.form<Playlist>().PicList.setListIndex(row);
    shared().ListaCale.setListIndex(row);
}

// Takes queued titles until one names a playlist row.  A title that no row
// carries any more (deleted, or shown under another name) is dropped and the
// next one tried; false when none was left, so the play order decides.
bool ClsMain::takeQueuedEntry() {
    DataForm& d = shared();
    Playlist& list = app_.form<Playlist>();
    step([&] {
        app_.form<frmBass>().Unload();
        app_.form<frmBass>();
    });
    while (d.ListaProgramate.ListCount() > 0) {
        step([&] { d.ListaProgramate.setListIndex(0); });
        const QString queued = d.ListaProgramate.Text();
        step([&] { list.PicList.setText(queued); });
        const bool found = list.PicList.ListIndex() >= 0 &&
                           list.PicList.Text().compare(queued, Qt::CaseInsensitive) == 0;
        if (!found) {
            step([&] { d.ListaProgramate.RemoveItem(0); });
            continue;
        }
        step([&] { d.ListaCale.setListIndex(list.PicList.ListIndex()); });
        step([&] { main().LbStatus(0).setCaption(""); });
        step([&] { d.ListaProgramate.RemoveItem(0); });
        step([&] { inner().Play(); });
        step([&] { d.SongNumber.setCaption(QString::number(list.PicList.ListIndex())); });
        return true;
    }
    return false;
}

// Wraps after the last row; a stale number (rows deleted since) starts over
// at the first row.
void ClsMain::stepInListOrder() {
    DataForm& d = shared();
    const int rows = app_.form<Playlist>().PicList.ListCount();
    if (rows == 0) return;
    int current = static_cast<int>(shared::Val(d.SongNumber.Caption()));
    if (current == rows - 1 || current < -1 || current >= rows) current = -1;
    d.SongNumber.setCaption(QString::number(current + 1));
    selectRow(current + 1);
    inner().Play();
}

void ClsMain::randomPick() {
    const int rows = app_.form<Playlist>().PicList.ListCount();
    if (rows == 0) return;
    std::uniform_int_distribution<int> pick(0, rows - 1);
    selectRow(pick(app_.random()));
}

void ClsMain::EndOfSong() {
    DataForm& d = shared();
    Options& o = app_.form<Options>();
    step([&] { inner().SStop(); });
    step([&] { d.FromPlaylist.setCaption("True"); });
    step([&] {
        if (d.FullScreenStat.Caption() == "True") SwitchToFullScreen();
    });
    // As at the end of a list that does not repeat: stopped it stays.
    if (everyRowFailed()) return;
    if (d.ListaProgramate.ListCount() > 0 && takeQueuedEntry()) return;
    if (o.Option1.Value()) return step([&] { PlayNext(); });
    if (o.Option2.Value()) {
        step([&] { randomPick(); });
        step([&] {
            if (!app_.form<Playlist>().PicList.Text().isEmpty())
                inner().Play();
            else
                inner().SStop();
        });
    }
    if (o.Option3.Value()) step([&] { app_.module<Top10>().PlayByPreference(); });
}

void ClsMain::PlayNext() {
    DataForm& d = shared();
    Options& o = app_.form<Options>();
    if (pausedMedium()) inner().SStop();
    d.FromPlaylist.setCaption("True");
    if (d.ListaProgramate.ListCount() > 0 && takeQueuedEntry()) return;
    if (o.Option1.Value()) stepInListOrder();
    if (o.Option2.Value()) {
        randomPick();
        if (app_.form<Playlist>().PicList.ListIndex() >= 0) inner().Play();
    }
    if (o.Option3.Value()) stepInListOrder();
}

// From the first row (or a number outside the list) Previous goes to the last.
void ClsMain::PlayPrevious() {
    DataForm& d = shared();
    const int rows = app_.form<Playlist>().PicList.ListCount();
    if (pausedMedium()) inner().SStop();
    d.FromPlaylist.setCaption("True");
    if (rows == 0) return;
    int current = static_cast<int>(shared::Val(d.SongNumber.Caption()));
    if (current <= 0 || current > rows) current = rows;
    d.SongNumber.setCaption(QString::number(current - 1));
    selectRow(current - 1);
    inner().Play();
}
