#include "playlist/PlaylistLoad.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <climits>

#include "persistence/DataClass.h"
#include "playlist/ClsPl.h"

namespace {

// How much less than the user-interface thread the reading thread asks for.
constexpr int kNiceness = 5;

}  // namespace

PlaylistLoad::PlaylistLoad(const QString& pathsFile, qint64 blockSize)
    : paths_(pathsFile, blockSize), thread_([this](const std::stop_token& stop) { run(stop); }) {}

PlaylistLoad::~PlaylistLoad() {
    thread_.request_stop();
}

void PlaylistLoad::show(Shows what, const QString& titlesFile) {
    {
        const std::scoped_lock lock(mutex_);
        if (showing_) return;
        showing_ = Showing{what, what == Shows::Titles ? titlesFile : QString()};
    }
    changed_.notify_all();
}

std::optional<PlaylistLoad::Slice> PlaylistLoad::take(bool wait) {
    std::unique_lock lock(mutex_);
    if (lastTaken_) return std::nullopt;
    if (wait) changed_.wait(lock, [this] { return !ready_.empty(); });
    if (ready_.empty()) return std::nullopt;
    Slice slice = std::move(ready_.front());
    ready_.pop_front();
    lastTaken_ = slice.last;
    return slice;
}

bool PlaylistLoad::ready() {
    const std::scoped_lock lock(mutex_);
    return !ready_.empty();
}

std::optional<PlaylistLoad::Showing> PlaylistLoad::showing(const std::stop_token& stop) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, stop, [this] { return showing_.has_value(); });
    return showing_;
}

void PlaylistLoad::handOver(Slice slice) {
    {
        const std::scoped_lock lock(mutex_);
        ready_.push_back(std::move(slice));
    }
    changed_.notify_all();
}

void PlaylistLoad::Titles::handOver(int count, ui::ListRows& rows) {
    while (count > 0 && !blocks.empty()) {
        const ui::ListRows& block = blocks.front();
        const int taken = std::min(count, block.size() - firstUnused);
        rows.appendFrom(block, firstUnused, taken);
        firstUnused += taken;
        unused -= taken;
        count -= taken;
        if (firstUnused < block.size()) break;
        blocks.pop_front();
        firstUnused = 0;
    }
}

void PlaylistLoad::makeRows(Slice& slice, Shows what, ListFileReader& titlesFile, Titles& titles) {
    if (what == Shows::Names) {
        slice.rows = ClsPl::namesOf(slice.paths);
        return;
    }
    while (titles.unused < slice.paths.size()) {
        ui::ListRows block;
        if (!titlesFile.next(block)) break;
        titles.unused += block.size();
        titles.blocks.push_back(std::move(block));
    }
    titles.handOver(slice.paths.size(), slice.rows);
    // Paths past the end of a short or missing titles file show their names;
    // the tags replace them once read.
    const int titled = slice.rows.size();
    if (titled < slice.paths.size())
        slice.rows.appendFrom(ClsPl::namesOf(slice.paths), titled, slice.paths.size() - titled);
}

void PlaylistLoad::run(const std::stop_token& stop) {
    // The user's windows come first when the processors are busy.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kNiceness);
    std::optional<Showing> shows;
    std::optional<ListFileReader> titlesFile;
    Titles titles;
    qint64 pathsRead = 0;
    while (!stop.stop_requested()) {
        Slice slice;
        slice.last = !paths_.next(slice.paths);
        pathsRead += slice.paths.size();
        if (paths_.bytesRead() > 0)
            slice.pathsToCome = static_cast<int>(
                std::min<qint64>(pathsRead * paths_.bytesLeft() / paths_.bytesRead(), INT_MAX));
        if (!shows) {
            shows = showing(stop);
            if (!shows) return;
            titlesFile.emplace(shows->titlesFile);
        }
        makeRows(slice, shows->what, *titlesFile, titles);
        slice.rowsReadBack = DataClass::readsBackUnchanged(slice.rows);
        const bool last = slice.last;
        if (last || !slice.paths.empty() || !slice.rows.empty()) handOver(std::move(slice));
        if (last) return;
    }
}
