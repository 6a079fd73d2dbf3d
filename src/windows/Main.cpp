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
    TimerMisc(0).TimerEvent.connect([this] { TimerMisc_Timer(0); });
    FixWindows.TimerEvent.connect([this] { FixWindows_Timer(); });
    LbActualCx(0).Change.connect([this] { LbActualCx_Change(); });
    CloseButton.Click.connect([this] { CloseButton_Click(); });
}

// Builds the whole application, in this order; a failing step is skipped.
void Main::Form_Load() {
    DataForm& d = form<DataForm>();
    step([&] {
        d.CalePlenkPlayer.AddItem(app().setup().programFolder);
        d.CalePlenkPlayer.setListIndex(0);
    });
    step([&] { Titlu.setCaption("Plenk Player " + PlenkApp::version()); });
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
    Snap& snap = app().module<Snap>();
    step([&] { snap.SnapWindow(*this); });
    step([&] { snap.SnapWindow(form<Playlist>()); });
    step([&] { snap.SnapWindow(form<MediaLibrary>()); });
    step([&] { KeyFocus.setTop(-1000); });
    step([&] {
        if (form<Options>().Check7.Value() == 1) addTrayIcon();
    });
    // With nothing on screen and no tray icon the program could not be
    // reached any more: it closes as the desktop's close does.
    app().setWhenNoWindowShows([this] {
        if (app().tray().icons().empty()) Unload(vbFormControlMenu);
    });
}

// The desktop asks the window to close: polling stops and every medium closes.
void Main::Form_QueryUnload(int&, int) {
    step([&] { TimerMisc(0).setEnabled(false); });
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
