// Start-up and shut-down: the settings, lists and keyboard map are loaded
// once at start and saved by the one way out of the program.
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "app/PlenkApp.h"
#include "controls/Snap.h"
#include "controls/modSysTray.h"
#include "core/ClsMain.h"
#include "core/MCore.h"
#include "core/frmBass.h"
#include "options/Options.h"
#include "persistence/DataClass.h"
#include "persistence/KeyShortcut.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/ClsPl.h"
#include "playlist/JumpForm.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "shared/ProgramFolder.h"
#include "shared/WholeFileWriter.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

using ui::step;

// Every component must exist; a relative path is taken from the folder the
// program was started in.  The folders resolve as the file system does, so
// ".." after a link steps back from where the link leads; the file keeps the
// name it was given, a link to it included.
QString ClsMain::GetLongPath(const QString& path) {
    if (path.isEmpty()) return {};
    const QString raw = QDir::isAbsolutePath(path) ? path : QDir::currentPath() + '/' + path;
    const QFileInfo file(raw);
    if (!file.exists()) return {};
    const qsizetype slash = raw.lastIndexOf('/');
    const QString name = raw.mid(slash + 1);
    const QString folder = QFileInfo(raw.left(slash + 1)).canonicalFilePath();
    if (folder.isEmpty() || name.isEmpty() || name == "." || name == "..")
        return file.canonicalFilePath();
    return QDir(folder).filePath(name);
}

void ClsMain::LoadPlenk() {
    DataForm& d = shared();
    // Saves a killed program left unfinished are settled before any list is read.
    step([&] {
        shared::finishUnfinishedSaves(
            {d.programFile(""), d.programFile("\\Data"), d.programFile("\\Playlists")});
    });
    // The paths need no setting: they are read while the settings load, and
    // the rest comes in while the windows already answer.
    step([&] { playlistOps().StartLoading(d.programFile("\\Data\\plst.data")); });
    step([&] { IncarcaSetari(); });
    step([&] { playlistOps().LoadEntries(); });
    step([&] { app_.module<KeyShortcut>().LoadKeyboardSettings(); });
    Main& m = main();
    step([&] {
        if (m.Left() < 0) m.setLeft(500);
    });
    step([&] {
        if (m.Top() < 0) m.setTop(500);
    });
    if (app_.setup().loaded) app_.setup().loaded();
    const QString argument = app_.commandLine();
    if (argument.isEmpty()) return;
    QString path;
    step([&] { path = GetLongPath(argument); });
    step([&] { d.FullScreenStat.setCaption("False"); });
    step([&] { m.LbFileName(0).setCaption(path); });
    step([&] { d.FromPlaylist.setCaption("False"); });
    step([&] { Play(); });
    step([&] { playlistOps().ExtractFilename(m.Titlu.Caption(), path); });
}

void ClsMain::FinishLoadingPlaylist() {
    playlistOps().FinishLoading();
}

void ClsMain::saveRankings() {
    DataForm& d = shared();
    MediaLibrary& lib = app_.form<MediaLibrary>();
    d.ListaClasament.Clear();
    for (int i = 0; i < 20; ++i)
        d.ListaClasament.AddItem(lib.Song(i).Caption());
    for (int i = 0; i < 20; ++i)
        d.ListaClasament.AddItem(readRow(lib.ListaAsteptare, i));
    data().SalveazaData(d.programFile("\\Data\\top.data"), d.ListaClasament);
}

// What was changed since the start is lost with a file that cannot be
// saved, so the user hears of it, and may free some room and try again.
void ClsMain::saveForClose() {
    for (;;) {
        const FailedSaves failed;
        saveEverything();
        if (failed.list().isEmpty() || !retryFailedSaves(failed.list())) return;
    }
}

void ClsMain::saveEverything() {
    DataForm& d = shared();
    Options& o = app_.form<Options>();
    step([&] { saveRankings(); });
    step([&] { SalveazaSetari(); });
    step([&] { app_.module<KeyShortcut>().SaveKeyboardSettings(); });
    // Entries still coming in are saved too.
    step([&] { FinishLoadingPlaylist(); });
    step([&] {
        std::vector<DataClass::Save> lists{
            {d.programFile("\\Data\\plst.data"), &d.ListaCale},
            {d.programFile("\\Data\\playlist.data"), &app_.form<JumpForm>().Lista}};
        if (o.Option18.Value() || o.Option19.Value())
            lists.push_back({d.programFile("\\Data\\id3.data"), &app_.form<Playlist>().PicList});
        data().SalveazaToate(lists);
    });
}

void ClsMain::saveWithoutClose() {
    const FailedSaves failed;
    saveEverything();
    tellNotSaved(failed.list());
}

void ClsMain::tellNotSaved(const QStringList& failed) {
    for (const QString& file : failed)
        std::fprintf(stderr, "plenk-player: not saved: %s\n", qPrintable(file));
}

// A close the system asked for has nobody to ask: standard error is told.
bool ClsMain::retryFailedSaves(const QStringList& failed) {
    if (main().closedBySystem()) {
        tellNotSaved(failed);
        return false;
    }
    const QString text = "These files could not be saved:\n\n" + failed.join('\n') +
                         "\n\nWhat was changed in them since the start is not saved. Free some "
                         "room and choose Retry to save them again, or Cancel to close without "
                         "saving them.";
    return app_.dialogs().MsgBox(text, ui::vbRetryCancel | ui::vbExclamation, PlenkApp::title()) ==
           ui::vbRetry;
}

void ClsMain::ClosePlenk() {
    Playlist& list = app_.form<Playlist>();
    Main& m = main();
    step([&] { modSysTray::RemoveTrayIcon(app_, m.trayId()); });
    saveForClose();
    step([&] { stopPlayback(); });
    Snap& snap = app_.module<Snap>();
    step([&] { snap.UnsnapWindow(m); });
    step([&] { snap.UnsnapWindow(list); });
    step([&] { snap.UnsnapWindow(app_.form<MediaLibrary>()); });
    step([&] {
        if (app_.isLoaded<MiniForm>()) snap.UnsnapWindow(app_.form<MiniForm>());
    });
    step([&] { m.FixWindows.setEnabled(false); });
    step([&] { m.Hide(); });
    step([&] { list.Hide(); });
    step([&] {
        if (app_.isLoaded<frmBass>()) app_.form<frmBass>().Unload();
    });
    step([&] { app_.module<MCore>().CloseAllMedia(); });
    app_.endProcess(0);
}
