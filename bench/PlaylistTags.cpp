// Rebuilding the display texts of a 10,000-entry playlist of tagged MP3
// files from their ID3v1 tags (warm cache), as switching the playlist to tag
// titles does.
#include <QCoreApplication>

#include "BenchMain.h"
#include "TaggedFiles.h"
#include "options/Options.h"
#include "playlist/ClsPl.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/PlayerFixture.h"

namespace {

void BM_FileNameToID3(benchmark::State& state) {
    testsupport::PlayerFixture p;
    const TaggedFiles media;
    if (!media.ready(state)) return;
    const QStringList& files = media.paths;
    ui::ListBox& paths = p.form<DataForm>().ListaCale;
    ui::ListBox& rows = p.form<Playlist>().PicList;
    for (const QString& file : files)
        paths.AddItem(file);
    ClsPl pl(*p.app);
    pl.ListNoChar(rows, paths);
    p.form<Options>().Option18.setValue(true);
    for (auto _ : state) {
        pl.FileNameToID3();
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = rows.ListCount();
    state.counters["tagged"] = rows.List(9999) == "Artist 8 - Title 9999";
}
BENCHMARK(BM_FileNameToID3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
