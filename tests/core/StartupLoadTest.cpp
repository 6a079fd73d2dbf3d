// A playlist longer than one block of its file: the first block is in when
// start-up returns and the rest comes in on the clock, while everything that
// changes the lists or reads them whole first brings in the rest.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/ClsMain.h"
#include "options/Options.h"
#include "playlist/ClsPl.h"
#include "playlist/JumpForm.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/PlayerFixture.h"
#include "windows/Main.h"

using testsupport::PlayerFixture;

namespace {

// Enough entries for three blocks of the paths file.
constexpr int kEntries = 60000;

QString path(int i) {
    return QString("/music/folder %1/entry %2.mp3").arg(i % 7).arg(i);
}

QString name(int i) {
    return QString("entry %1").arg(i);
}

QStringList expected(QString (*text)(int), int count = kEntries) {
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows << text(i);
    return rows;
}

QByteArray file(QString (*text)(int), int count = kEntries) {
    return (expected(text, count).join("\r\n") + "\r\n").toUtf8();
}

struct Loading : ::testing::Test {
    PlayerFixture p{testsupport::notStarted()};
    ui::ListBox& paths = p.form<DataForm>().ListaCale;
    ui::ListBox& rows = p.form<Playlist>().PicList;
    ui::ListBox& search = p.form<JumpForm>().Lista;

    void SetUp() override {
        p.program.write("Data/plst.data", file(path));
        p.start();
    }
    // The counts so far, read without waiting for the rest.
    void expectInStepAndPartial() {
        EXPECT_GT(paths.ListCount(), 0);
        EXPECT_LT(paths.ListCount(), kEntries);
        EXPECT_EQ(rows.ListCount(), paths.ListCount());
        EXPECT_EQ(search.ListCount(), paths.ListCount());
    }
    void expectWhole() {
        EXPECT_EQ(paths.items(), expected(path));
        EXPECT_EQ(rows.items(), expected(name));
        EXPECT_EQ(search.items(), expected(name));
    }
};

TEST_F(Loading, TheRestComesInOnTheClockWithTheListsInStep) {
    expectInStepAndPartial();
    rows.setListIndex(1);
    // The reading thread may still be busy: ticks bring in what it has.
    while (paths.rowsArriving()) {
        const int before = paths.ListCount();
        p.clock->advance(10);
        EXPECT_GE(paths.ListCount(), before);
        EXPECT_EQ(rows.ListCount(), paths.ListCount());
        EXPECT_EQ(search.ListCount(), paths.ListCount());
    }
    expectWhole();
    EXPECT_EQ(rows.ListIndex(), 1);
}

TEST_F(Loading, ClosingMeanwhileSavesEveryEntry) {
    expectInStepAndPartial();
    EXPECT_THROW(p.form<Main>().controller().ClosePlenk(), ui::ProcessExit);
    EXPECT_EQ(testsupport::readAll(p.program.file("Data/plst.data")), file(path));
    EXPECT_EQ(testsupport::readAll(p.program.file("Data/playlist.data")), file(name));
}

TEST_F(Loading, AFileAddedMeanwhileComesAfterEveryLoadedEntry) {
    expectInStepAndPartial();
    ClsPl(*p.app).appendEntries({"/music/new/added.mp3"});
    EXPECT_EQ(paths.ListCount(), kEntries + 1);
    EXPECT_EQ(paths.List(kEntries), "/music/new/added.mp3");
    EXPECT_EQ(rows.List(kEntries), "added");
    EXPECT_EQ(rows.List(kEntries - 1), name(kEntries - 1));
    p.clock->advance(1000);
    EXPECT_EQ(paths.ListCount(), kEntries + 1);
}

TEST_F(Loading, AListClearedMeanwhileStaysEmpty) {
    expectInStepAndPartial();
    rows.Clear();
    paths.Clear();
    search.Clear();
    p.clock->advance(1000);
    EXPECT_EQ(paths.ListCount(), 0);
    EXPECT_EQ(rows.ListCount(), 0);
    EXPECT_EQ(search.ListCount(), 0);
}

TEST_F(Loading, ASearchMeanwhileSeesEveryEntry) {
    expectInStepAndPartial();
    EXPECT_EQ(search.rowsHolding(name(kEntries - 1)), std::vector<int>({kEntries - 1}));
    EXPECT_FALSE(rows.rowsArriving());
    expectWhole();
}

TEST_F(Loading, ARowChangedMeanwhileIsTheOnlyChange) {
    expectInStepAndPartial();
    rows.setList(0, "renamed");
    QStringList names = expected(name);
    names[0] = "renamed";
    EXPECT_EQ(rows.items(), names);
    EXPECT_EQ(paths.items(), expected(path));
}

// The shipped settings in a tag mode.
QByteArray tagModeSettings() {
    QStringList settings =
        QString::fromUtf8(testsupport::readAll(QString(PLENK_ASSETS) + "/settings.ini"))
            .split("\r\n");
    settings[57] = "False";
    settings[58] = "True";
    return settings.join("\r\n").toUtf8();
}

QString title(int i) {
    return QString("Artist %1 - Title %1").arg(i);
}

// In a tag mode the rows are the saved titles, however the two files' lines
// fall into blocks, row for row beside the paths: paths past the end of a
// missing, empty or short titles file show their names, titles past the last
// path are dropped.
TEST(LoadingTitles, TitlesStayBesideTheirPaths) {
    for (const int titles : {-1, 0, kEntries / 2, kEntries, kEntries + 3}) {
        PlayerFixture p(testsupport::notStarted());
        p.program.write("settings.ini", tagModeSettings());
        p.program.write("Data/plst.data", file(path));
        if (titles >= 0) p.program.write("Data/id3.data", titles ? file(title, titles) : "");
        p.start();
        ui::ListBox& paths = p.form<DataForm>().ListaCale;
        ui::ListBox& rows = p.form<Playlist>().PicList;
        EXPECT_EQ(rows.ListCount(), paths.ListCount()) << titles;
        p.form<Main>().controller().FinishLoadingPlaylist();
        EXPECT_EQ(paths.items(), expected(path)) << titles;
        QStringList shown = expected(title, std::clamp(titles, 0, kEntries));
        for (int i = static_cast<int>(shown.size()); i < kEntries; ++i)
            shown << name(i);
        EXPECT_TRUE(rows.items() == shown) << titles;
        EXPECT_TRUE(p.form<JumpForm>().Lista.items() == shown) << titles;
    }
}

}  // namespace
