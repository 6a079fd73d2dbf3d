#include "playlist/ClsPl.h"

#include "app/PlenkApp.h"
#include "core/Id3Module.h"
#include "options/Options.h"
#include "playlist/JumpForm.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "shared/ProgramFolder.h"
#include "windows/Main.h"

namespace {

const QString kSupportedFiles =
    "Media (*.mp3);(*.wav);(*.mpg);(*.avi);(*.mov);(*.wmv);(*.wma);(*.mpv);(*.mpe);(*.mp4);"
    "(*.mpa);(*.qt);(*.ogm);(*.snd);(*rmi);(*.divx);(*.mpeg);(*.cda);(*.mp2);(*.mp1);(*.mid);"
    "(*.midi);(*.asf);(*.VOB);(*.dat);(*.flv);(*.M2V);(*.3gp)"
    "|*.mp3;*.wav;*.mpg;*.avi;*.mov;*.wmv;*.mpv;*.mpe;*.mpa;*.qt;*.ogm;*.snd;*rmi;*.divx;*.wma;"
    "*.mpeg;*.cda;*.mp2;*.mp1;*.mid;*.midi;*.vob;*.dat;*.mp4;*.asf;*.flv;*.M2V;*.3gp;";
const QString kAllFiles = "Media (*.*);|*.*";

// A tag text up to its first zero character, without its double blanks
// (three blanks leave one).
QString tagField(const QString& text) {
    const qsizetype end = text.indexOf(QChar(u'\0'));
    QString field = end < 0 ? text : text.left(end);
    return field.remove(QStringLiteral("  "));
}

}  // namespace

ClsPl::ClsPl(PlenkApp& app) : app_(app) {}

QString ClsPl::displayName(const QString& path) {
    const qsizetype folderEnd = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    const QString name = path.mid(folderEnd + 1);
    // Names without an extension, or with nothing before it, show whole.
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? name.left(dot) : name;
}

QString ClsPl::ShowFileDialog() {
    ui::OpenFileRequest request;
    request.title = "Open file";
    request.filter = app_.form<Options>().Check4.Value() == 1 ? kSupportedFiles : kAllFiles;
    const QStringList chosen = app_.dialogs().openFiles(request);
    return chosen.isEmpty() ? QString() : chosen.first();
}

void ClsPl::ExtractFilename(const QString&, const QString& FullPath) {
    Main& main = app_.form<Main>();
    main.Titlu.setCaption(displayName(FullPath));
    main.PiesaCurenta.setCaption(displayName(FullPath));
}

void ClsPl::ListNoChar(ui::ListControl& List1, const ui::ListControl& List2) {
    for (int i = 0; i < List2.ListCount(); ++i)
        List1.AddItem(displayName(List2.List(i)));
}

void ClsPl::SetJumpList() {
    if (!ListStore) ListStore = std::make_unique<DataClass>();
    ui::ListBox& list = app_.form<Playlist>().PicList;
    ui::ListBox& search = app_.form<JumpForm>().Lista;
    const QString file = app_.form<DataForm>().programFile("\\Data\\playlist.data");
    search.Clear();
    if (ListStore->SalveazaData(file, list)) {
        ListStore->IncarcaData(file, search);
        return;
    }
    // The file could not be written: reading it back would give a stale list.
    for (int i = 0; i < list.ListCount(); ++i)
        search.AddItem(list.List(i));
}

void ClsPl::FileNameToID3() {
    ui::ListBox& list = app_.form<Playlist>().PicList;
    const ui::ListBox& paths = app_.form<DataForm>().ListaCale;
    const bool titleFirst = app_.form<Options>().Option19.Value();
    list.setVisible(false);
    QString previous;
    for (int i = 0; i < paths.ListCount(); ++i) {
        const auto [artist, title] = artistAndTitle(paths.List(i));
        if (artist.isEmpty() || title.isEmpty() || title == previous) continue;
        ui::step([&] {
            list.RemoveItem(i);
            list.AddItem(titleFirst ? title + " - " + artist : artist + " - " + title, i);
        });
        previous = title;
    }
    list.setVisible(true);
    SetJumpList();
}

// Reads the file's tag into the tag editor's title and artist boxes and
// takes them back from there.
std::pair<QString, QString> ClsPl::artistAndTitle(const QString& path) {
    Id3Module& id3 = app_.module<Id3Module>();
    MediaLibrary& library = app_.form<MediaLibrary>();
    id3.ReadId3v1Tag(path);
    library.Text1T.setText(id3.Tag.Title);
    library.Text2T.setText(id3.Tag.Artist);
    return {tagField(library.Text2T.Text()), tagField(library.Text1T.Text())};
}
