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
        if (!slice.last) {
            EXPECT_EQ(slice.rows.size(), slice.paths.size());
        }
        for (int i = 0; i < slice.paths.size(); ++i)
            EXPECT_EQ(slice.paths.at(i), QString("/m/p%1").arg(path++));
        for (int i = 0; i < slice.rows.size(); ++i)
            EXPECT_EQ(slice.rows.at(i), QString("a much longer title number %1").arg(title++));
    }
    EXPECT_EQ(path, 500);
    EXPECT_EQ(title, 503);
}

TEST(PlaylistLoad, NamesOrNothingBesideThePaths) {
    testsupport::TempDir dir;
    const QString paths = dir.write("plst.data", "/m/a.mp3\r\n/m/b c.ogg\r\n");
    PlaylistLoad names(paths);
    names.show(PlaylistLoad::Shows::Names, dir.write("id3.data", "not read\r\n"));
    const std::vector<PlaylistLoad::Slice> named = slices(names);
    ASSERT_FALSE(named.empty());
    EXPECT_EQ(named[0].rows.size(), 2);
    EXPECT_EQ(named[0].rows.at(1), "b c");
    PlaylistLoad nothing(paths);
    nothing.show(PlaylistLoad::Shows::Nothing);
    EXPECT_TRUE(slices(nothing)[0].rows.empty());
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
