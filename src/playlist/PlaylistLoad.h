#pragma once

#include <QString>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

#include "persistence/ListFileReader.h"
#include "platform/ui/ListRows.h"

// Reads the playlist's files on a thread of its own and hands them over in
// slices: a block of the paths file's rows, and beside them exactly as many
// rows the playlist shows for them (the titles file's rows, or their file
// names), so the lists they go to stay in step however the two files' lines
// are cut into blocks.  Paths the titles file has no row for show their file
// names; titles past the last path are dropped.  Touches no list control: the
// one taking the slices brings them in.
class PlaylistLoad {
  public:
    enum class Shows { Names, Titles };
    struct Slice {
        ui::ListRows paths;
        ui::ListRows rows;
        // Whether every row comes back unchanged from a list file.
        bool rowsReadBack = true;
        // About how many paths are still to come after these, going by the
        // rows per byte so far (for lists to make room once).
        int pathsToCome = 0;
        bool last = false;
    };

    // Starts reading the paths file (see ListFileReader for what it reads).
    explicit PlaylistLoad(const QString& pathsFile, qint64 blockSize = ListFileReader::kBlock);
    // Stops reading and waits for the thread.
    ~PlaylistLoad();
    PlaylistLoad(const PlaylistLoad&) = delete;
    PlaylistLoad& operator=(const PlaylistLoad&) = delete;

    // What the rows show: the paths' file names, or the rows of the titles
    // file.  No slice is handed over before this is known; only the
    // first call counts.
    void show(Shows what, const QString& titlesFile = {});
    // The next slice: waiting for it when wait, otherwise nothing when none
    // is ready yet.  Nothing ever after the last slice was taken.
    std::optional<Slice> take(bool wait);
    // Whether a slice is ready to take.
    bool ready();

  private:
    // The titles read but not handed over yet, a block's rows at a time.
    struct Titles {
        std::deque<ui::ListRows> blocks;
        int firstUnused = 0;
        int unused = 0;
        // Moves up to count rows, from the oldest on, into rows.
        void handOver(int count, ui::ListRows& rows);
    };

    void run(const std::stop_token& stop);
    struct Showing {
        Shows what;
        QString titlesFile;
    };
    // Waits to know what the rows show; nothing once told to stop meanwhile.
    std::optional<Showing> showing(const std::stop_token& stop);
    // The rows shown for the slice's paths, titles taken from titles.
    void makeRows(Slice& slice, Shows what, ListFileReader& titlesFile, Titles& titles);
    void handOver(Slice slice);

    ListFileReader paths_;
    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::optional<Showing> showing_;
    std::deque<Slice> ready_;
    bool lastTaken_ = false;
    // Last: it stops and joins before the members it reads go.
    std::jthread thread_;
};
