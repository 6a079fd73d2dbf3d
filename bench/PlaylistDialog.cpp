// The playlist file dialog with a 100,000-entry playlist: loading a .mpl file
// with file-name titles (paths, display texts and the search list) and saving
// the playlist to one.
#include <QCoreApplication>

#include "BenchMain.h"
#include "PlaylistFile.h"
#include "options/Options.h"
#include "playlist/DialogForm.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/PlayerFixture.h"

namespace {

void open(DialogForm& dialog, const QString& page) {
    dialog.setVisible(true);
    dialog.Fereastra.setCaption(page);
    dialog.Form_Activate();
}

void BM_LoadPlaylistFile(benchmark::State& state) {
    testsupport::PlayerFixture p;
    p.program.write("Playlists/Big.mpl", playlistFile(100000));
    p.form<Options>().Option15.setValue(true);
    for (auto _ : state) {
        DialogForm& dialog = p.form<DialogForm>();
        open(dialog, "LoadPlaylist");
        dialog.File1.setText("Big.mpl");
        dialog.Command2_Click();
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = p.form<Playlist>().PicList.ListCount();
}
BENCHMARK(BM_LoadPlaylistFile)->Unit(benchmark::kMillisecond);

void BM_SavePlaylistFile(benchmark::State& state) {
    testsupport::PlayerFixture p;
    const QByteArray lines = playlistFile(100000);
    for (const QByteArray& line : lines.split('\n'))
        if (!line.isEmpty()) p.form<DataForm>().ListaCale.AddItem(QString(line).trimmed());
    DialogForm& dialog = p.form<DialogForm>();
    for (auto _ : state) {
        open(dialog, "SavePlaylist");
        dialog.PlaylistName.setText("Big");
        dialog.Command4_Click();
    }
}
BENCHMARK(BM_SavePlaylistFile)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
