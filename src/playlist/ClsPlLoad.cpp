// The playlist's entries at start-up: read on a thread of their own and
// brought into the three lists a block at a time, so the windows answer
// while a long playlist is still coming in.
#include "app/PlenkApp.h"
#include "options/Options.h"
#include "persistence/DataClass.h"
#include "playlist/ClsPl.h"
#include "playlist/JumpForm.h"
#include "playlist/Playlist.h"
#include "playlist/PlaylistLoad.h"
#include "shared/DataForm.h"

void ClsPl::StartLoading(const QString& pathsFile) {
    FinishLoading();
    load_ = std::make_unique<PlaylistLoad>(pathsFile);
}

void ClsPl::LoadEntries() {
    if (!load_) return;
    const Options& options = app_.form<Options>();
    const bool tags = options.Option18.Value() || options.Option19.Value();
    loadShows_ = tags                       ? RowsShow::Titles
                 : options.Option15.Value() ? RowsShow::Names
                                            : RowsShow::Nothing;
    load_->setTitles(tags ? app_.form<DataForm>().programFile("\\Data\\id3.data") : QString());
    searchNeedsFile_ = false;
    // The first block is in before the windows first show.
    if (bringIn(*load_, true)) return entriesLoaded();
    setRowsArriving(true);
    loadTimer_ = app_.clock().startTimer(1, [this] {
        if (load_ && bringIn(*load_, false)) entriesLoaded();
    });
}

void ClsPl::FinishLoading() {
    if (!load_) return;
    setRowsArriving(false);
    while (!bringIn(*load_, true)) {
    }
    entriesLoaded();
}

bool ClsPl::bringIn(PlaylistLoad& load, bool wait) {
    std::optional<PlaylistLoad::Slice> slice = load.take(wait);
    if (!slice) return false;
    const ui::ListRows rows = loadShows_ == RowsShow::Titles  ? std::move(slice->titles)
                              : loadShows_ == RowsShow::Names ? namesOf(slice->paths)
                                                              : ui::ListRows();
    ui::ListBox& paths = app_.form<DataForm>().ListaCale;
    ui::ListBox& list = app_.form<Playlist>().PicList;
    ui::ListBox& search = app_.form<JumpForm>().Lista;
    // The lists' own additions must not wait for the rest of the load.
    const bool arriving = list.rowsArriving();
    setRowsArriving(false);
    const int expected = paths.ListCount() + slice->paths.size() + slice->pathsToCome;
    for (ui::ListBox* each : {&paths, &list, &search})
        each->reserveRows(expected);
    paths.AddItemsOf(slice->paths);
    list.AddItemsOf(rows);
    search.AddItemsOf(rows);
    searchNeedsFile_ = searchNeedsFile_ || !DataClass::readsBackUnchanged(rows);
    setRowsArriving(arriving && !slice->last);
    return slice->last;
}

void ClsPl::setRowsArriving(bool arriving) {
    const auto settle = arriving ? std::function<void()>([this] { FinishLoading(); }) : nullptr;
    app_.form<DataForm>().ListaCale.setRowsArriving(settle);
    app_.form<Playlist>().PicList.setRowsArriving(settle);
    app_.form<JumpForm>().Lista.setRowsArriving(settle);
}

void ClsPl::entriesLoaded() {
    setRowsArriving(false);
    if (loadTimer_) app_.clock().stopTimer(std::exchange(loadTimer_, 0));
    load_.reset();
    if (searchNeedsFile_) SetJumpList();
    if (loadShows_ == RowsShow::Titles) FileNameToID3Later();
}
