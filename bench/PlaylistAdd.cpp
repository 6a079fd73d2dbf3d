// Adding to the playlist and working on a long one (warm cache): a 10,000-file
// folder tree added in the file-name format (to an empty and to a
// 100,000-entry playlist) and in a tag format; 100 files dropped on row 50,000
// of 100,000; and on 100,000 entries a scrollbar step, a scroll timer tick, a
// first-to-last row drag and a delete, also on 1,000,000 entries.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QUrl>

#include "BenchMain.h"
#include "TaggedFiles.h"
#include "options/Options.h"
#include "playlist/ClsPl.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/PlayerFixture.h"

namespace {

constexpr int kLong = 100000;

// 100 folders of 100 empty media files.
struct Tree {
    testsupport::TempDir folder;
    Tree() {
        for (int d = 0; d < 100; ++d) {
            const QString sub = folder.file(QString("album %1").arg(d, 3, 10, QChar('0')));
            QDir().mkpath(sub);
            for (int f = 0; f < 100; ++f)
                QFile(sub + QString("/%1 track.mp3").arg(f, 3, 10, QChar('0')))
                    .open(QIODevice::WriteOnly);
        }
    }
};

struct Bench {
    testsupport::PlayerFixture p;
    ClsPl pl{*p.app};
    Playlist& w = p.form<Playlist>();
    ui::ListBox& rows = w.PicList;
    ui::ListBox& paths = p.form<DataForm>().ListaCale;

    void fill(int count) {
        for (int i = 0; i < count; ++i) {
            paths.AddItem(QString("/music/entry %1.mp3").arg(i));
            rows.AddItem(QString("entry %1").arg(i));
        }
    }
    void cutTo(int count) {
        while (paths.ListCount() > count) {
            paths.RemoveItem(paths.ListCount() - 1);
            rows.RemoveItem(rows.ListCount() - 1);
        }
    }
};

void addTree(benchmark::State& state, int before) {
    Bench b;
    const Tree tree;
    b.fill(before);
    for (auto _ : state) {
        b.pl.AdaugaFolderDrag(tree.folder.path());
        state.PauseTiming();
        b.cutTo(before);
        state.ResumeTiming();
    }
    b.pl.AdaugaFolderDrag(tree.folder.path());
    state.counters["added"] = b.paths.ListCount() - before;
}

void BM_AddTreeToEmpty(benchmark::State& state) {
    addTree(state, 0);
}
BENCHMARK(BM_AddTreeToEmpty)->Unit(benchmark::kMillisecond);

void BM_AddTreeToLongPlaylist(benchmark::State& state) {
    addTree(state, kLong);
}
BENCHMARK(BM_AddTreeToLongPlaylist)->Unit(benchmark::kMillisecond);

void BM_AddTaggedTree(benchmark::State& state) {
    Bench b;
    const TaggedFiles media;
    if (!media.ready(state)) return;
    b.p.form<Options>().Option18.setValue(true);
    for (auto _ : state) {
        b.pl.AdaugaFolderDrag(media.folder.path());
        state.PauseTiming();
        b.cutTo(0);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddTaggedTree)->Unit(benchmark::kMillisecond);

void BM_Drop100OnRow50000(benchmark::State& state) {
    Bench b;
    const Tree tree;
    b.fill(kLong);
    QMimeData mime;
    QList<QUrl> urls;
    for (int f = 0; f < 100; ++f)
        urls << QUrl::fromLocalFile(
            tree.folder.file(QString("album 000/%1 track.mp3").arg(f, 3, 10, QChar('0'))));
    mime.setUrls(urls);
    for (auto _ : state) {
        b.rows.setTopIndex(50000);
        ui::DataObject data(&mime);
        int effect = 0;
        b.w.PicList_OLEDragDrop(data, effect, 1, 0, 10, 10);
        state.PauseTiming();
        for (int i = 0; i < 100; ++i) {
            b.paths.RemoveItem(50000);
            b.rows.RemoveItem(50000);
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Drop100OnRow50000)->Unit(benchmark::kMillisecond);

void BM_ThumbStep(benchmark::State& state) {
    Bench b;
    b.fill(static_cast<int>(state.range(0)));
    b.w.Form_Activate();
    double value = 0;
    for (auto _ : state) {
        value = value >= 90000 ? 0 : value + 1000;
        b.w.ScrollBar.setValue(value);
        b.w.ScrollBar_Scroll();
    }
}
BENCHMARK(BM_ThumbStep)->Arg(kLong)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void BM_ScrollTimerTick(benchmark::State& state) {
    Bench b;
    b.fill(static_cast<int>(state.range(0)));
    b.rows.setTopIndex(60000);
    for (auto _ : state)
        b.w.ScrollTimer_Timer();
}
BENCHMARK(BM_ScrollTimerTick)->Arg(kLong)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void BM_DragFirstToLast(benchmark::State& state) {
    Bench b;
    b.fill(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        b.w.DragRow = 0;
        b.w.PicList_DragDrop(b.rows, 10, 1e9f);
    }
}
BENCHMARK(BM_DragFirstToLast)->Arg(kLong)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_DeleteOne(benchmark::State& state) {
    Bench b;
    b.fill(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        b.rows.setListIndex(0);
        b.pl.StergeFisier();
        state.PauseTiming();
        b.paths.AddItem("/music/again.mp3", 0);
        b.rows.AddItem("again", 0);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteOne)->Arg(kLong)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
