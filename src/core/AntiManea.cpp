#include "core/AntiManea.h"

#include "app/PlenkApp.h"
#include "core/frmBass.h"
#include "persistence/DataClass.h"
#include "playlist/CBoyerMoore.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "windows/Main.h"

AntiManea::AntiManea(ui::Application& app)
    : MainCtl(static_cast<PlenkApp&>(app)), app_(static_cast<PlenkApp&>(app)) {}

void AntiManea::CheckManea(const QString& Path) {
    DataForm& data = app_.form<DataForm>();
    // A control that cannot be read ends the check; the file goes on playing.
    ui::step([&] {
        data.CuvinteCheieManele.setCaption(searchedText(Path));
        for (int i = 0; i < data.ListaManelisti.ListCount(); ++i) {
            const QString word = readRow(data.ListaManelisti, i);
            if (word.isEmpty() || !holdsWord(data.CuvinteCheieManele.Caption(), word)) continue;
            RefuseManea();
            return;
        }
        data.CuvinteCheieManele.setCaption("");
    });
}

// Path, title line, playlist row, tag title and tag artist, one blank apart.
QString AntiManea::searchedText(const QString& path) {
    Main& main = app_.form<Main>();
    MediaLibrary& library = app_.form<MediaLibrary>();
    return QStringList{path, main.Titlu.Caption(), app_.form<Playlist>().PicList.Text(),
                       library.Text1T.Text(), library.Text2T.Text()}
        .join(u' ');
}

// Collects every occurrence of the word in DataForm.lstFoundWords.
bool AntiManea::holdsWord(const QString& text, const QString& word) {
    ui::ListBox& found = app_.form<DataForm>().lstFoundWords;
    CBoyerMoore search;
    search.setCaseSensitive(false);
    search.setFindText(word);
    search.setText(text);
    search.Reset();
    found.Clear();
    qsizetype start = 0, length = 0;
    while (search.FindNext(start, length))
        found.AddItem(text.mid(start - 1, length));
    return found.ListCount() > 0;
}

void AntiManea::RefuseManea() {
    // Whatever fails while stopping, the refused file must not keep playing.
    ui::step([&] { MainCtl.get().SStop(); });
    ui::step([&] { app_.form<frmBass>().StopBass(); });
    app_.dialogs().MsgBox("Manea detectata! Plenk Player nu poate deschide fisierul " +
                              app_.form<Main>().LbFileName(0).Caption(),
                          ui::vbOKOnly, PlenkApp::title());
    MainCtl.get().ClosePlenk();
}
