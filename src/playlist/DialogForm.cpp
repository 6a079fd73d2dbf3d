#include "playlist/DialogForm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "controls/mdlSmooth.h"
#include "options/Options.h"
#include "platform/files/Files.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/RuntimeError.h"
#include "platform/ui/WindowMessages.h"
#include "playlist/ClsPl.h"
#include "playlist/JumpForm.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "shared/WindowDrag.h"
#include "windows/Main.h"

namespace {

struct Page {
    const char* name;
    ui::Frame DialogForm::*frame;
    const char* caption;
    const char* title;
};

const Page kPages[] = {
    {"LoadPlaylist", &DialogForm::LoadPlaylistFrame, "Load playlist", "Load playlist file"},
    {"SavePlaylist", &DialogForm::SavePlaylistFrame, "Save Playlist", "Save playlist"},
    {"CDFrame", &DialogForm::CdFrame, "Open CD / DVD", "Open CD"},
};

const QString kExtension = ".mpl";

// Why a typed playlist name cannot be a file in Playlists; empty when it can.
QString refusal(const QString& name) {
    if (name.isEmpty()) return "Please write a name for the playlist.";
    if (name.startsWith(u'.')) return "A playlist name cannot begin with \".\".";
    if (name.contains(u'/') || name.contains(u'\\'))
        return "A playlist name cannot contain \"/\" or \"\\\".";
    return {};
}

bool readableFile(const QString& path) {
    QFile file(path);
    return files::openRegularFile(file, QIODevice::ReadOnly);
}

void button(ui::CommandButton& b, ui::Frame& page, float left, float top, float width,
            const QString& text) {
    b.setContainer(&page);
    b.Move(left, top, width, 375);
    b.setCaption(text);
}

// A file page's bottom row: delete (off until a file is clicked), the page's
// own action and cancel.
void buttonRow(ui::Frame& page, ui::CommandButton& remove, ui::CommandButton& action,
               const QString& actionText, ui::CommandButton& cancel) {
    button(remove, page, 120, 2580, 1695, "Delete selected");
    remove.setEnabled(false);
    button(action, page, 2640, 2580, 1335, actionText);
    button(cancel, page, 4200, 2580, 1335, "Cancel");
}

void label(ui::Label& l, ui::Frame& page, float top, float width, const QString& text) {
    l.setContainer(&page);
    l.Move(120, top, width, 255);
    l.setCaption(text);
}

}  // namespace

DialogForm::DialogForm(ui::Application& app) : PlayerForm(app, "DialogForm") {
    setBorderStyle(vbBSNone);
    setShowInTaskbar(false);
    setCaption("Plenk Player");
    Move(3000, 3000, 5910, 3720);
    Fereastra.setCaption("0");
    Fereastra.setVisible(false);
    TitluMesaj.Move(240, 120, 4935, 255);
    TitluMesaj.setCaption("Plenk Player");
    TitluMesaj.setFontBold(true);
    ImageClose.Move(5400, 120, 330, 255);
    for (const Page& page : kPages) {
        ui::Frame& frame = this->*page.frame;
        frame.Move(120, 480, 5670, 3120);
        frame.setCaption(page.caption);
    }
    designLoadPage();
    designSavePage();
    designCdPage();
    connectHandlers();
}

DialogForm::~DialogForm() = default;

void DialogForm::designLoadPage() {
    File1.setContainer(&LoadPlaylistFrame);
    File1.Move(120, 240, 5415, 2175);
    File1.setPattern("*" + kExtension);
    buttonRow(LoadPlaylistFrame, Command6, Command2, "Load", Command3);
}

void DialogForm::designSavePage() {
    label(Label3, SavePlaylistFrame, 280, 1335, "Playlist name:");
    PlaylistName.setContainer(&SavePlaylistFrame);
    PlaylistName.Move(1560, 240, 3975, 315);
    PlaylistName.setText("Playlist");
    label(Label4, SavePlaylistFrame, 660, 1575, "Existing playlists:");
    File2.setContainer(&SavePlaylistFrame);
    File2.Move(120, 920, 5415, 1035);
    File2.setPattern("*" + kExtension);
    label(Label2, SavePlaylistFrame, 2000, 5415,
          "Note: If the playlist already exist, it will be overwrited. Write a playlist name and "
          "press ok to save.");
    Label2.setHeight(480);
    Label2.setWordWrap(true);
    buttonRow(SavePlaylistFrame, Command7, Command4, "Save", Command5);
}

void DialogForm::designCdPage() {
    label(Label1, CdFrame, 720, 5415, "Press OK after insert the CD.");
    button(Command1, CdFrame, 2160, 1440, 1335, "Ok");
}

void DialogForm::connectHandlers() {
    // A page named while the window is already active shows at once.
    Fereastra.Change.connect([this] { showPage(Fereastra.Caption()); });
    TitluMesaj.MouseDown.connect(
        [this](int b, int s, float x, float y) { TitluMesaj_MouseDown(b, s, x, y); });
    ImageClose.Click.connect([this] { ImageClose_Click(); });
    Command1.Click.connect([this] { Command1_Click(); });
    Command2.Click.connect([this] { Command2_Click(); });
    Command3.Click.connect([this] { Command3_Click(); });
    Command4.Click.connect([this] { Command4_Click(); });
    Command5.Click.connect([this] { Command5_Click(); });
    Command6.Click.connect([this] { Command6_Click(); });
    Command7.Click.connect([this] { Command7_Click(); });
    File1.Click.connect([this] { File1_Click(); });
    File1.DblClick.connect([this] { File1_DblClick(); });
    File2.Click.connect([this] { File2_Click(); });
    PlaylistName.KeyPress.connect([this](int& key) { PlaylistName_KeyPress(key); });
}

void DialogForm::Form_Load() {
    ui::step([&] { ImageClose.setPicture(form<Main>().CloseButton.picture()); });
}

void DialogForm::Form_Activate() {
    showPage(Fereastra.Caption());
    ui::step([&] { File1.setPath(playlistsFolder()); });
    ui::step([&] { File2.setPath(playlistsFolder()); });
}

void DialogForm::Form_Resize() {
    mdlSmooth::RoundWindow(*this, 11);
}

void DialogForm::Form_MouseDown(int, int, float, float) {
    FormMove();
}

void DialogForm::TitluMesaj_MouseDown(int, int, float, float) {
    FormMove();
}

void DialogForm::FormMove() {
    dragWindow(*this, ui::HTCAPTION);
}

void DialogForm::showPage(const QString& name) {
    for (const Page& page : kPages) {
        if (name != page.name) continue;
        for (const Page& other : kPages)
            (this->*other.frame).setVisible(&other == &page);
        TitluMesaj.setCaption(page.title);
    }
}

QString DialogForm::playlistsFolder() const {
    return form<DataForm>().programFile("\\Playlists\\");
}

DataClass& DialogForm::store() {
    if (!Data) Data = std::make_unique<DataClass>();
    return *Data;
}

void DialogForm::tell(const QString& message) {
    app().dialogs().MsgBox(message, ui::vbOKOnly | ui::vbExclamation, PlenkApp::title());
}

void DialogForm::Command2_Click() {
    loadPlaylist();
}

void DialogForm::File1_DblClick() {
    loadPlaylist();
}

void DialogForm::File1_Click() {
    if (File1.ListIndex() >= 0) Command6.setEnabled(true);
}

void DialogForm::Command6_Click() {
    deletePlaylist(File1);
}

void DialogForm::Command4_Click() {
    savePlaylist();
}

void DialogForm::PlaylistName_KeyPress(int& KeyAscii) {
    if (KeyAscii == ui::vbKeyReturn) savePlaylist();
}

void DialogForm::File2_Click() {
    if (File2.ListIndex() < 0) return;
    Command7.setEnabled(true);
    PlaylistName.setText(QString(File2.FileName()).remove(kExtension, Qt::CaseSensitive));
}

void DialogForm::Command7_Click() {
    deletePlaylist(File2);
}

void DialogForm::Command3_Click() {
    Hide();
}

void DialogForm::Command5_Click() {
    Hide();
}

void DialogForm::ImageClose_Click() {
    Hide();
}

void DialogForm::Command1_Click() {
    ui::step([&] { MainCtl.get().SetCDState(false); });
    Hide();
}

// The current playlist goes only once the file has been found readable, and
// the entry playing goes on playing.
void DialogForm::loadPlaylist() {
    if (File1.ListIndex() < 0) {
        app().dialogs().MsgBox("Please chose a playlist file to load", ui::vbOKOnly,
                               PlenkApp::title());
        return;
    }
    const QString file = QDir(playlistsFolder()).filePath(File1.FileName());
    if (!readableFile(file)) {
        tell("The playlist file \"" + file + "\" cannot be read. The playlist was left as it was.");
        ui::step([&] { File1.Refresh(); });
        return;
    }
    DataForm& data = form<DataForm>();
    form<Playlist>().PicList.Clear();
    data.ListaCale.Clear();
    form<JumpForm>().Lista.Clear();
    store().IncarcaData(file, data.ListaCale);
    rebuildDisplayTexts();
    Unload();
}

void DialogForm::rebuildDisplayTexts() {
    if (!PlaylistOps) PlaylistOps = std::make_unique<ClsPl>(app());
    const Options& options = form<Options>();
    ui::step(
        [&] { PlaylistOps->ListNoChar(form<Playlist>().PicList, form<DataForm>().ListaCale); });
    ui::step([&] { PlaylistOps->SetJumpList(); });
    if (options.Option18.Value()) ui::step([&] { PlaylistOps->FileNameToID3(); });
    if (options.Option19.Value()) ui::step([&] { PlaylistOps->FileNameToID3(); });
}

void DialogForm::savePlaylist() {
    const QString name = PlaylistName.Text();
    if (const QString why = refusal(name); !why.isEmpty()) {
        tell(why);
        return;
    }
    const QString file = QDir(playlistsFolder()).filePath(name + kExtension);
    if (!store().SalveazaData(file, form<DataForm>().ListaCale)) {
        tell("The playlist could not be saved to \"" + file + "\".");
        return;
    }
    Hide();
}

void DialogForm::deletePlaylist(ui::FileListBox& list) {
    if (list.ListIndex() >= 0) QFile::remove(QDir(playlistsFolder()).filePath(list.FileName()));
    ui::step([&] { list.Refresh(); });
    Hide();
}
