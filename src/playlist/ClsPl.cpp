#include "playlist/ClsPl.h"

#include <cstring>
#include <utility>

#include "app/PlenkApp.h"
#include "core/Id3Module.h"
#include "options/Options.h"
#include "playlist/JumpForm.h"
#include "playlist/MediaLibrary.h"
#include "playlist/MediaTypes.h"
#include "playlist/Playlist.h"
#include "playlist/PlaylistLoad.h"
#include "shared/DataForm.h"
#include "shared/ProgramFolder.h"
#include "windows/Main.h"

namespace {

const QString kSupportedFiles =
    "Media (*.mp3);(*.wav);(*.mpg);(*.avi);(*.mov);(*.wmv);(*.wma);(*.mpv);(*.mpe);(*.mp4);"
    "(*.mpa);(*.qt);(*.ogm);(*.snd);(*rmi);(*.divx);(*.mpeg);(*.cda);(*.mp2);(*.mp1);(*.mid);"
    "(*.midi);(*.asf);(*.VOB);(*.dat);(*.flv);(*.M2V);(*.3gp);(*.ogg)"
    "|*.mp3;*.wav;*.mpg;*.avi;*.mov;*.wmv;*.mpv;*.mpe;*.mpa;*.qt;*.ogm;*.snd;*rmi;*.divx;*.wma;"
    "*.mpeg;*.cda;*.mp2;*.mp1;*.mid;*.midi;*.vob;*.dat;*.mp4;*.asf;*.flv;*.M2V;*.3gp;*.ogg;";
const QString kAllFiles = "Media (*.*);|*.*";

// A tag text up to its first zero character, without its double blanks
// (three blanks leave one) and without trailing blanks, which the list files
// would trim away.
QString tagField(const QString& text) {
    const qsizetype end = text.indexOf(QChar(u'\0'));
    QString field = end < 0 ? text : text.left(end);
    field.remove(QStringLiteral("  "));
    qsizetype keep = field.size();
    while (keep > 0 && field[keep - 1] == u' ')
        --keep;
    return field.left(keep);
}

qsizetype lastOf(QByteArrayView text, char c) {
    // An empty view may have no data at all, which memrchr must not be given.
    if (text.isEmpty()) return -1;
    const void* at = memrchr(text.data(), c, static_cast<std::size_t>(text.size()));
    return at ? static_cast<const char*>(at) - text.data() : -1;
}
qsizetype lastOf(QStringView text, char c) {
    return text.lastIndexOf(QLatin1Char(c));
}

// The file name without folder and extension, as a piece of the path (a name
// without a dot, or with nothing before it, stays whole).  The same for text
// and for Latin-1 or UTF-8 bytes: the separators and the dot are ASCII.
template <typename View>
View displayPart(View path) {
    const qsizetype folderEnd = std::max(lastOf(path, '/'), lastOf(path, '\\'));
    const View name = path.sliced(folderEnd + 1);
    const qsizetype dot = lastOf(name, '.');
    return dot > 0 ? name.first(dot) : name;
}

}  // namespace

ClsPl::ClsPl(PlenkApp& app) : app_(app) {}

ClsPl::~ClsPl() = default;

QString ClsPl::GetLastBackSlash(const QString& text) {
    const qsizetype folderEnd = std::max(text.lastIndexOf(u'/'), text.lastIndexOf(u'\\'));
    return text.mid(folderEnd + 1);
}

QString ClsPl::CutAtLastChar(const QString& text, QChar character) {
    const qsizetype at = text.lastIndexOf(character);
    return at < 0 ? QString() : text.left(at);
}

QString ClsPl::displayName(const QString& path) {
    return displayPart(QStringView(path)).toString();
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

QString ClsPl::entryText(const QString& path) {
    const Options& options = app_.form<Options>();
    if (!options.Option18.Value() && !options.Option19.Value()) return displayName(path);
    const QString tagged = taggedText(path);
    return tagged.isEmpty() ? displayName(path) : tagged;
}

void ClsPl::appendEntries(const QStringList& files) {
    ui::ListBox& paths = app_.form<DataForm>().ListaCale;
    ui::ListBox& rows = app_.form<Playlist>().PicList;
    for (const QString& file : files) {
        if (!fitsOnOneLine(file)) continue;
        const QString text = entryText(file);
        paths.AddItem(file);
        rows.AddItem(text);
    }
}

void ClsPl::AdaugaFisier() {
    const QString path = ShowFileDialog();
    if (path.isEmpty()) return;
    appendEntries({path});
    SetJumpList();
}

void ClsPl::StergeFisier() {
    ui::ListBox& rows = app_.form<Playlist>().PicList;
    const int row = rows.ListIndex();
    if (row < 0) return;
    ui::ListBox& paths = app_.form<DataForm>().ListaCale;
    rows.RemoveItem(row);
    paths.RemoveItem(row);
}

// The names share the paths' text.
void ClsPl::ListNoChar(ui::ListControl& List1, const ui::ListControl& List2) {
    List1.AddPartsOf(List2, displayPart<QByteArrayView>, displayPart<QStringView>);
}

ui::ListRows ClsPl::namesOf(const ui::ListRows& paths) {
    ui::ListRows names;
    names.appendPartsOf(paths, displayPart<QByteArrayView>, displayPart<QStringView>);
    return names;
}

void ClsPl::ListNoCharDragDrop(ui::ListControl& List1, const ui::ListControl& List2) {
    const int at = dropRow(app_.form<DataForm>().AddToIndex.Caption(), List1.ListCount());
    for (int i = 0; i < List2.ListCount(); ++i)
        List1.AddItem(entryText(List2.List(i)), at + i);
}

int ClsPl::dropRow(const QString& caption, int count) {
    bool number = false;
    const int row = caption.toInt(&number);
    if (!number || row < 0) return 0;
    return std::min(row, count);
}

void ClsPl::SetJumpList() {
    if (!ListStore) ListStore = std::make_unique<DataClass>();
    ui::ListBox& list = app_.form<Playlist>().PicList;
    ui::ListBox& search = app_.form<JumpForm>().Lista;
    const QString file = app_.form<DataForm>().programFile("\\Data\\playlist.data");
    search.Clear();
    bool same = false;
    if (ListStore->SalveazaData(file, list, &same)) {
        // Rows the file gives back unchanged are shared, not read again.
        if (same)
            search.AddItemsOf(list);
        else
            ListStore->IncarcaData(file, search);
        return;
    }
    // The file could not be written: reading it back would give a stale list.
    for (int i = 0; i < list.ListCount(); ++i)
        search.AddItem(list.List(i));
}

void ClsPl::FileNameToID3() {
    stopTagReading();
    ui::ListBox& list = app_.form<Playlist>().PicList;
    const int count = app_.form<DataForm>().ListaCale.ListCount();
    list.setVisible(false);
    for (int i = 0; i < count; ++i)
        retag(i);
    list.setVisible(true);
    SetJumpList();
}

// A row whose text the tag would not change is left alone (and stays selected).
void ClsPl::retag(int row) {
    ui::ListBox& list = app_.form<Playlist>().PicList;
    const QString text = taggedText(app_.form<DataForm>().ListaCale.List(row));
    if (text.isEmpty() || (row < list.ListCount() && list.List(row) == text)) return;
    ui::step([&] {
        list.RemoveItem(row);
        list.AddItem(text, row);
    });
}

void ClsPl::FileNameToID3Later() {
    stopTagReading();
    tagRow_ = 0;
    tagTimer_ = app_.clock().startTimer(kTagInterval, [this] { readTagSlice(); });
}

void ClsPl::readTagSlice() {
    const Options& options = app_.form<Options>();
    // Switched to file names meanwhile: the rows are names now.
    if (!options.Option18.Value() && !options.Option19.Value()) return stopTagReading();
    const int count = std::min(app_.form<DataForm>().ListaCale.ListCount(),
                               app_.form<Playlist>().PicList.ListCount());
    const int stop = std::min(count, tagRow_ + kTagSlice);
    for (; tagRow_ < stop; ++tagRow_)
        retag(tagRow_);
    if (tagRow_ < count) return;
    stopTagReading();
    SetJumpList();
}

void ClsPl::stopTagReading() {
    if (tagTimer_) app_.clock().stopTimer(std::exchange(tagTimer_, 0));
}

QString ClsPl::taggedText(const QString& path) {
    const bool titleFirst = app_.form<Options>().Option19.Value();
    const auto [artist, title] = artistAndTitle(path);
    if (artist.isEmpty() || title.isEmpty()) return {};
    return titleFirst ? title + " - " + artist : artist + " - " + title;
}

// Reads the file's tag into the tag editor and takes the title and artist
// back from its boxes.
std::pair<QString, QString> ClsPl::artistAndTitle(const QString& path) {
    Id3Module& id3 = app_.module<Id3Module>();
    MediaLibrary& library = app_.form<MediaLibrary>();
    id3.ReadId3v1Tag(path);
    // The whole tag, so the editor never shows one file's title with
    // another file's album.
    library.showTag(id3.Tag);
    return {tagField(library.Text2T.Text()), tagField(library.Text1T.Text())};
}
