#include "playlist/PlaylistLoad.h"

#include <algorithm>
#include <climits>

PlaylistLoad::PlaylistLoad(const QString& pathsFile, qint64 blockSize)
    : paths_(pathsFile, blockSize), thread_([this](const std::stop_token& stop) { run(stop); }) {}

PlaylistLoad::~PlaylistLoad() {
    thread_.request_stop();
}

void PlaylistLoad::setTitles(const QString& titlesFile) {
    {
        const std::scoped_lock lock(mutex_);
        if (titlesFile_) return;
        titlesFile_ = titlesFile;
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

std::optional<QString> PlaylistLoad::titlesFile(const std::stop_token& stop) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, stop, [this] { return titlesFile_.has_value(); });
    return titlesFile_;
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

void PlaylistLoad::run(const std::stop_token& stop) {
    std::optional<ListFileReader> titles;
    Titles unused;
    qint64 pathsRead = 0;
    while (!stop.stop_requested()) {
        Slice slice;
        slice.last = !paths_.next(slice.paths);
        pathsRead += slice.paths.size();
        if (paths_.bytesRead() > 0)
            slice.pathsToCome = static_cast<int>(
                std::min<qint64>(pathsRead * paths_.bytesLeft() / paths_.bytesRead(), INT_MAX));
        if (!titles) {
            const std::optional<QString> file = titlesFile(stop);
            if (!file) return;
            titles.emplace(*file);
        }
        // Every title is wanted once the paths are done.
        while (slice.last || unused.unused < slice.paths.size()) {
            ui::ListRows block;
            if (!titles->next(block)) break;
            unused.unused += block.size();
            unused.blocks.push_back(std::move(block));
        }
        unused.handOver(slice.last ? unused.unused : slice.paths.size(), slice.titles);
        const bool last = slice.last;
        if (last || !slice.paths.empty()) handOver(std::move(slice));
        if (last) return;
    }
}
