// The playlist's entries at start-up: read on a thread of their own and
// brought into the three lists a block at a time, so the windows answer
// while a long playlist is still coming in.
#include <QElapsedTimer>

#include "app/PlenkApp.h"
#include "options/Options.h"
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
    loadingTitles_ = options.Option18.Value() || options.Option19.Value();
    // Rows beside every path, as an added file gets them whatever the option.
    load_->show(loadingTitles_ ? PlaylistLoad::Shows::Titles : PlaylistLoad::Shows::Names,
                app_.form<DataForm>().programFile("\\Data\\id3.data"));
    searchNeedsFile_ = false;
    // The first block is in before the windows first show.
    if (bringIn(true)) return entriesLoaded();
    setRowsArriving(true);
    app_.form<Playlist>().PicList.holdView(true);
    loadTimer_ = app_.clock().startTimer(kLoadInterval, [this] { bringInSome(); });
}

void ClsPl::FinishLoading() {
    if (!load_) return;
    setRowsArriving(false);
    while (!bringIn(true)) {
    }
    entriesLoaded();
}

// A few blocks at a time: the lists' views lay their rows out again after
// each tick's blocks, not after each block.
void ClsPl::bringInSome() {
    QElapsedTimer spent;
    spent.start();
    while (load_ && spent.elapsed() < kLoadBudget) {
        if (bringIn(false)) return entriesLoaded();
        if (!load_->ready()) return;
    }
}

bool ClsPl::bringIn(bool wait) {
    std::optional<PlaylistLoad::Slice> slice = load_->take(wait);
    if (!slice) return false;
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
    list.AddItemsOf(slice->rows);
    search.AddItemsOf(slice->rows);
    searchNeedsFile_ = searchNeedsFile_ || !slice->rowsReadBack;
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
    app_.form<Playlist>().PicList.holdView(false);
    if (loadTimer_) app_.clock().stopTimer(std::exchange(loadTimer_, 0));
    load_.reset();
    if (searchNeedsFile_) SetJumpList();
    if (loadingTitles_) FileNameToID3Later();
}
