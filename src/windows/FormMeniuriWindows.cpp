// The menu window's items that open other windows: options pages, the media
// library, the playlist, the mini window, the presets and the web site.
#include "app/PlenkApp.h"
#include "options/FormPreset.h"
#include "options/Options.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "windows/FormMeniuri.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

using ui::step;

namespace {

// The library's size when an item opens it at the design size.
constexpr float kLibraryWidth = 7725;
constexpr float kLibraryHeight = 5025;

}  // namespace

// The project has no web site of its own yet: a name kept for examples.
const QString FormMeniuri::kSite = QStringLiteral("https://plenkplayer.example");

QString FormMeniuri::versionText() {
    return QString("%1.%2.%3")
        .arg(PlenkApp::versionMajor())
        .arg(PlenkApp::versionMinor())
        .arg(PlenkApp::versionRevision());
}

// Waits until the options window is closed; it opens on the page in Fr.
void FormMeniuri::openOptionsPage(const QString& page) {
    form<Options>().Open(page);
}

void FormMeniuri::MainMenuSettings_Click() {
    openOptionsPage("General");
}

void FormMeniuri::ChangeSkinMenu_Click() {
    openOptionsPage("Skin");
}

void FormMeniuri::LanguageMenu_Click() {
    openOptionsPage("Language");
}

void FormMeniuri::KeyboardShortcutsMenu_Click() {
    openOptionsPage("Keyboard");
}

void FormMeniuri::FileAssociationMenu_Click() {
    openOptionsPage("Association");
}

void FormMeniuri::PlaylistSettingsMenu_Click() {
    openOptionsPage("Playlist");
}

void FormMeniuri::VideoSettingsMenu_Click() {
    openOptionsPage("Video");
}

void FormMeniuri::AboutPlenkMenu_Click() {
    openOptionsPage("About");
}

// The page named last.
void FormMeniuri::MeniuOptiuni_Click() {
    openOptionsPage({});
}

// The library shown on one of its three pages, at the design size or at the
// size the user left it.
void FormMeniuri::showLibraryPage(ui::Control& page, bool designSize) {
    MediaLibrary& lib = form<MediaLibrary>();
    if (designSize) {
        step([&] { lib.setWidth(kLibraryWidth); });
        step([&] { lib.setHeight(kLibraryHeight); });
    }
    step([&] { lib.setVisible(true); });
    for (ui::Control* each :
         {static_cast<ui::Control*>(&lib.FrameIDTag), static_cast<ui::Control*>(&lib.FrameTop10),
          static_cast<ui::Control*>(&lib.FrameLibrary)})
        step([&] { each->setVisible(each == &page); });
}

// The current entry's tag, through the library's one fill routine.
void FormMeniuri::showTagPage() {
    MediaLibrary& lib = form<MediaLibrary>();
    showLibraryPage(lib.FrameIDTag, false);
    step([&] { lib.readTag(form<DataForm>().ListaCale.Text()); });
}

void FormMeniuri::MenuInfo_Click() {
    showTagPage();
}

void FormMeniuri::FileInfoMenu_Click() {
    showTagPage();
}

void FormMeniuri::ID3InfoMenu_Click() {
    showLibraryPage(form<MediaLibrary>().FrameIDTag, true);
}

void FormMeniuri::ShowTop20Menu_Click() {
    showLibraryPage(form<MediaLibrary>().FrameTop10, true);
}

void FormMeniuri::MeniuAfisareClasament_Click() {
    showLibraryPage(form<MediaLibrary>().FrameTop10, false);
}

void FormMeniuri::MediaLibraryMenu_Click() {
    showLibraryPage(form<MediaLibrary>().FrameLibrary, false);
}

void FormMeniuri::ShowPlaylistMenu_Click() {
    Playlist& list = form<Playlist>();
    const bool show = !list.Visible();
    list.setVisible(show);
    form<DataForm>().PlaylistON.setCaption(show ? "1" : "0");
}

void FormMeniuri::FullMiniMenu_Click() {
    DataForm& d = form<DataForm>();
    if (d.MiniMode.Caption() != "False") return form<MiniForm>().HandOverToMain();
    Main& m = form<Main>();
    m.Hide();
    MiniForm& mini = form<MiniForm>();
    mini.setLeft(m.Left());
    mini.setTop(m.Top());
    mini.setIconPath(m.IconPath());
    mini.Show();
    d.MiniMode.setCaption("True");
}

void FormMeniuri::EqualizerMenu_Click() {
    if (app().isLoaded<MiniForm>() && form<MiniForm>().Visible()) {
        form<DataForm>().MainMode.setCaption("Small");
        form<MiniForm>().HandOverToMain();
    }
    MainCtl.get().SwitchMainMode();
}

void FormMeniuri::LoadPreset_Click() {
    form<FormPreset>().Open(FormPreset::Use::Loading);
}

void FormMeniuri::SavePreset_Click() {
    form<FormPreset>().Open(FormPreset::Use::Saving);
}

void FormMeniuri::DeletePreset_Click() {
    form<FormPreset>().Open(FormPreset::Use::Deleting);
}

// The Romanian interface has pages of its own under "/ro".  A missing browser
// shows nothing.
void FormMeniuri::openSite(const QString& page) {
    const bool romanian = form<Options>().LanguageSelector.Selected(1);
    app().shell().ShellExecute(kSite + (romanian ? "/ro" : "") + page);
}

void FormMeniuri::MainMenuHelp_Click() {
    openSite("/");
}

void FormMeniuri::ReportBugsMenu_Click() {
    openSite("/support/contact/");
}

void FormMeniuri::LastVersionMenu_Click() {
    QString version = versionText();
    Updates.get().CheckVersion(version);
}
