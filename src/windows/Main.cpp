#include "windows/Main.h"

#include "controls/Snap.h"
#include "controls/modSysTray.h"
#include "core/MCore.h"
#include "core/frmBass.h"
#include "options/Options.h"
#include "persistence/KeyShortcut.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/JumpForm.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "shared/ProgramFolder.h"
#include "skins/Skins.h"
#include "windows/FormMeniuri.h"
#include "windows/MiniForm.h"

using ui::step;

Main::Main(ui::Application& app) : PlayerForm(app, "Main") {
    setBorderStyle(vbBSNone);
    setCaption("Plenk Player");
    Move(500, 500, 6100, 3530);
    designChrome();
    designAudioPanel();
    designRightPanel();
    designBottomRow();
    designStatePanel();
    designTimers();
    connectEvents();
    connectInput();
}

void Main::connectEvents() {
    connectTimers();
    LbActualCx(0).Change.connect([this] { LbActualCx_Change(); });
    CloseButton.Click.connect([this] { CloseButton_Click(); });
    CloseButton.MouseMove.connect(
        [this](int b, int s, float x, float y) { CloseButton_MouseMove(b, s, x, y); });
}

// Builds the whole application, in this order; a failing step is skipped.
void Main::Form_Load() {
    DataForm& d = form<DataForm>();
    step([&] {
        d.CalePlenkPlayer.AddItem(app().setup().programFolder);
        d.CalePlenkPlayer.setListIndex(0);
    });
    step([&] { Titlu.setCaption("Plenk Player " + PlenkApp::version()); });
    VersionTicks = 0;
    VersionChecked = false;
    step([&] { setIconPath(d.programFile("\\audio.ico")); });
    step([&] { form<Playlist>(); });
    step([&] { form<FormMeniuri>(); });
    step([&] { form<Options>(); });
    step([&] { form<MediaLibrary>(); });
    step([&] { form<JumpForm>(); });
    step([&] { app().module<Skins>().ShowDesignPictures(); });
    step([&] { controller().LoadPlenk(); });
    step([&] { app().module<Skins>().ApplySkin(); });
    step([&] { FrameVideo(0).setTop(370); });
    MCore& mci = app().module<MCore>();
    for (auto [key, driver] : {std::pair{"MPEGVideo", "mciqtz.drv"},
                               {"sequencer", "mciseq.drv"},
                               {"avivideo", "mciavi.drv"}})
        step([&] {
            if (mci.ReadMciDriver(key) != driver) mci.WriteMciDriver(key, driver);
        });
    InfoStep = 0;
    ElapsedSeconds = 0;
    Snap& snap = app().module<Snap>();
    step([&] { snap.SnapWindow(*this); });
    step([&] { snap.SnapWindow(form<Playlist>()); });
    step([&] { snap.SnapWindow(form<MediaLibrary>()); });
    step([&] { KeyFocus.setTop(-1000); });
    step([&] {
        if (form<Options>().Check7.Value() == 1) addTrayIcon();
    });
    // The mini window started in place of this one wears this window's skin.
    if (app().isLoaded<MiniForm>() && form<MiniForm>().Visible()) form<MiniForm>().copyFromMain();
    // With nothing on screen and no tray icon the program could not be
    // reached any more: it closes as the desktop's close does.
    app().setWhenNoWindowShows([this] {
        if (app().tray().icons().empty()) Unload(vbFormControlMenu);
    });
}

// The docked windows' places relative to this one, then docking on.
void Main::Form_Activate() {
    app().module<Snap>().recordDockOffsets(*this);
    DataForm& d = form<DataForm>();
    step([&] {
        if (d.PlaylistON.Caption() == "0") form<Playlist>().Hide();
    });
    step([&] { d.Magnet.setCaption("1"); });
}

void Main::Form_Deactivate() {
    step([&] { form<DataForm>().Magnet.setCaption("0"); });
}

void Main::Form_LostFocus() {
    step([&] { form<FormMeniuri>().SysTrayMenu.setVisible(false); });
}

void Main::CloseButton_MouseMove(int, int, float, float) {
    DataForm& d = form<DataForm>();
    step([&] { MinimizeButton.setPicture(d.MinimizeNormal.picture()); });
    step([&] { CloseButton.setPicture(d.CloseFocus.picture()); });
}

// The desktop asks the window to close: polling stops, what is queued runs,
// and every medium closes.  The close is never refused.
void Main::Form_QueryUnload(int&, int UnloadMode) {
    closedBySystem_ = UnloadMode == vbAppWindows || UnloadMode == vbAppTaskManager;
    step([&] { TimerMisc(0).setEnabled(false); });
    app().DoEvents();
    step([&] { app().module<MCore>().CloseAllMedia(); });
}

void Main::Form_Unload(int&) {
    step([&] { controller().SStop(); });
    controller().ClosePlenk();
}

void Main::CloseButton_Click() {
    if (form<DataForm>().FullScreenStat.Caption() == "False")
        controller().ClosePlenk();
    else
        controller().SwitchToFullScreen();
}

// The window's icon in the notification area, under the identifier its removal uses.
void Main::addTrayIcon() {
    modSysTray::AddTrayIcon(app(), *this, trayId(), QIcon(IconPath()), "Plenk Player");
}
