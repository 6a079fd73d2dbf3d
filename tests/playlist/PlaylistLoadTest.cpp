#include <gtest/gtest.h>

#include "playlist/PlaylistLoad.h"
#include "support/TempDir.h"

namespace {

QByteArray lines(const char* prefix, int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += prefix + QByteArray::number(i) + "\r\n";
    return bytes;
}

// Slices in order until the last; each but the last has as many rows as
// paths.
std::vector<PlaylistLoad::Slice> slices(PlaylistLoad& load) {
    std::vector<PlaylistLoad::Slice> all;
    for (auto slice = load.take(true); slice; slice = load.take(true)) {
        const bool last = slice->last;
        all.push_back(std::move(*slice));
        if (last) break;
    }
    EXPECT_FALSE(load.take(false));
    return all;
}

// The rows of every slice: as many as its paths.
ui::ListRows rowsOf(PlaylistLoad& load, int paths) {
    ui::ListRows rows;
    int pathCount = 0;
    for (const PlaylistLoad::Slice& slice : slices(load)) {
        EXPECT_EQ(slice.rows.size(), slice.paths.size());
        pathCount += slice.paths.size();
        rows.appendFrom(slice.rows, 0, slice.rows.size());
    }
    EXPECT_EQ(pathCount, paths);
    return rows;
}

TEST(PlaylistLoad, TitlesAreCutToThePathsOfEachSlice) {
    testsupport::TempDir dir;
    const QString paths = dir.write("plst.data", lines("/m/p", 500));
    const QString titles = dir.write("id3.data", lines("a much longer title number ", 503));
    PlaylistLoad load(paths, 64);
    load.show(PlaylistLoad::Shows::Titles, titles);
    const std::vector<PlaylistLoad::Slice> all = slices(load);
    ASSERT_GT(all.size(), 10u);
    int path = 0;
    int title = 0;
    for (const PlaylistLoad::Slice& slice : all) {
        EXPECT_EQ(slice.rows.size(), slice.paths.size());
        for (int i = 0; i < slice.paths.size(); ++i)
            EXPECT_EQ(slice.paths.at(i), QString("/m/p%1").arg(path++));
        for (int i = 0; i < slice.rows.size(); ++i)
            EXPECT_EQ(slice.rows.at(i), QString("a much longer title number %1").arg(title++));
    }
    EXPECT_EQ(path, 500);
    EXPECT_EQ(title, 500) << "titles past the last path are dropped";
}

// A titles file that is missing, empty or short: the paths it has no title
// for show their file names, row for row.
TEST(PlaylistLoad, PathsWithoutATitleShowTheirNames) {
    testsupport::TempDir dir;
    const QString paths = dir.write("plst.data", lines("/m/song ", 300));
    const QString empty = dir.write("empty.data", "");
    const QString shorter = dir.write("short.data", lines("title ", 120));
    for (const QString& titles : {dir.file("missing.data"), empty, shorter}) {
        PlaylistLoad load(paths, 256);
        load.show(PlaylistLoad::Shows::Titles, titles);
        const ui::ListRows rows = rowsOf(load, 300);
        const int titled = titles == shorter ? 120 : 0;
        for (int i = 0; i < rows.size(); ++i)
            EXPECT_EQ(rows.at(i), QString(i < titled ? "title %1" : "song %1").arg(i))
                << titles.toStdString() << " row " << i;
    }
}

TEST(PlaylistLoad, NamesBesideThePaths) {
    testsupport::TempDir dir;
    const QString paths = dir.write("plst.data", "/m/a.mp3\r\n/m/b c.ogg\r\n");
    PlaylistLoad names(paths);
    names.show(PlaylistLoad::Shows::Names, dir.write("id3.data", "not read\r\n"));
    const std::vector<PlaylistLoad::Slice> named = slices(names);
    ASSERT_FALSE(named.empty());
    EXPECT_EQ(named[0].rows.size(), 2);
    EXPECT_EQ(named[0].rows.at(1), "b c");
}

// A missing file is one empty last slice; a load never told what to show
// still ends when dropped.
TEST(PlaylistLoad, AMissingFileAndALoadDroppedEarly) {
    testsupport::TempDir dir;
    PlaylistLoad missing(dir.file("none.data"));
    missing.show(PlaylistLoad::Shows::Titles, dir.file("none either.data"));
    const std::vector<PlaylistLoad::Slice> all = slices(missing);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_TRUE(all[0].paths.empty());
    { PlaylistLoad dropped(dir.write("plst.data", lines("/m/p", 100000))); }
}

}  // namespace
