#include "windows/Main.h"

#include "controls/Snap.h"
#include "controls/mdlSmooth.h"
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
#include "shared/NumberText.h"
#include "shared/ProgramFolder.h"
#include "skins/SkinFiles.h"
#include "skins/Skins.h"
#include "windows/FormMeniuri.h"
#include "windows/MiniForm.h"

using ui::step;

namespace {

// A video counts as open while the native width reads above 1.
bool videoOpen(const Main& m) {
    const QString cx = m.LbActualCx(0).Caption();
    return !cx.isEmpty() && shared::Val(cx) > 1;
}

}  // namespace

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
}

void Main::designChrome() {
    ImgTopLeft.Move(0, 0, 1500, 285);
    ImgTopCenter.Move(1440, 0, 3690, 285);
    ImgTopCenter.setStretch(true);
    ImgTopRight.Move(4920, 0, 1500, 285);
    Meniu1.Move(240, 0, 735, 255);
    Label1.Move(360, 0, 375, 255);
    Label1.setCaption("File");
    Meniu2.Move(1080, 0, 855, 255);
    Label3.Move(1200, 0, 615, 255);
    Label3.setCaption("Options");
    Meniu3.Move(2040, 0, 855, 255);
    Label4.Move(2160, 0, 615, 255);
    Label4.setCaption("Help");
    for (ui::Label* l : {&Label1, &Label3, &Label4})
        l->setBackStyle(0);
    LabelVideo.Move(2985, 30, 1815, 195);
    LabelVideo.setBackStyle(0);
    LabelVideo.setForeColor(0xE0E0E0);
    MinimizeButton.Move(5040, 0, 330, 255);
    CloseButton.Move(5400, 0, 330, 255);
    ImgLeft.Move(0, 280, 165, 3675);
    ImgLeft.setStretch(true);
    ImgRight.Move(6360, 120, 165, 3675);
    ImgRight.setStretch(true);
    ImgBottomLeft.Move(0, 3720, 1500, 165);
    ImgBottomCenter.Move(1440, 3720, 3690, 165);
    ImgBottomCenter.setStretch(true);
    ImgBottomRight.Move(5040, 3720, 1500, 165);
}

void Main::designAudioPanel() {
    ui::Frame& panel = MainFrame.add(1);
    panel.Move(120, 360, 4695, 3015);
    panel.setBorderStyle(0);
    ui::Control* inside[] = {
        &Image1,      &TSec,       &TotalTime,           &Titlu,      &InfoIDTag,
        &StarePlayer, &labBitRate, &Visualisation,       &ImgButton2, &ImgButton3,
        &ImgButton4,  &ImgButton5, &MultimediaInfoLabel, &labSize,    &labLength,
        &labLayer,    &labFreqChan};
    for (ui::Control* c : inside)
        c->setContainer(&panel);
    // Not stretched: the skin's main picture gives the panel its width.
    Image1.Move(0, 0, 4695, 3015);
    TSec.Move(240, 75, 975, 255);
    TSec.setCaption("00:00");
    TotalTime.Move(1335, 105, 495, 210);
    TotalTime.setCaption("00:00");
    Titlu.Move(2040, 120, 2535, 255);
    Titlu.setCaption("Plenk Player");
    InfoIDTag.Move(2040, 480, 2535, 240);
    InfoIDTag.setCaption("No media");
    StarePlayer.Move(120, 450, 915, 255);
    StarePlayer.setCaption("Waiting");
    labBitRate.Move(1080, 450, 810, 195);
    labBitRate.setCaption("0 Kbps");
    Visualisation.Move(2040, 720, 2535, 615);
    Visualisation.setBorderStyle(0);
    ImgButton5.Move(120, 840, 615, 255);
    ImgButton4.Move(960, 840, 615, 255);
    ImgButton2.Move(120, 1080, 615, 255);
    ImgButton3.Move(960, 1080, 615, 255);
    MultimediaInfoLabel.Move(120, 1425, 1455, 255);
    MultimediaInfoLabel.setCaption("MPEG info");
    labSize.Move(120, 1665, 1425, 195);
    labSize.setCaption("Size: 0");
    labLength.Move(120, 1845, 1395, 195);
    labLength.setCaption("Length: 0");
    labLayer.Move(120, 2040, 1410, 195);
    labLayer.setCaption("Not playing");
    labFreqChan.Move(120, 2265, 1410, 195);
    labFreqChan.setCaption("0 Frequency");
    for (ui::Label* l : {&TSec, &TotalTime, &Titlu, &InfoIDTag, &StarePlayer, &labBitRate,
                         &MultimediaInfoLabel, &labSize, &labLength, &labLayer, &labFreqChan})
        l->setBackStyle(0);
    for (int i = 0; i <= 10; ++i) {
        ctlScrollbar& band = sldEQR.add(i, ctlScrollbar::vertical);
        band.setContainer(&panel);
        band.Move(i == 10 ? 1680 : 2160 + 240 * i, 1440, 210, 1215);
    }
}

void Main::designRightPanel() {
    RightFrame.Move(4920, 360, 1095, 2175);
    RightFrame.setBorderStyle(0);
    for (ui::Control* c : std::initializer_list<ui::Control*>{&Image3, &Image4, &InfoLabel,
                                                              &PlaylistLabel, &Butoane1})
        c->setContainer(&RightFrame);
    Butoane1.Move(60, 120, 975, 930);
    Image3.Move(0, 1200, 1065, 195);
    InfoLabel.Move(0, 1200, 1095, 255);
    InfoLabel.setCaption("Top 20");
    Image4.Move(0, 1440, 1065, 195);
    PlaylistLabel.Move(0, 1440, 1095, 255);
    PlaylistLabel.setCaption("Playlist");
    InfoLabel.setBackStyle(0);
    PlaylistLabel.setBackStyle(0);
    Logo.Move(4920, 2760, 1095, 585);
}

void Main::designBottomRow() {
    ctlScrollbar& seek = SliderMoveMultimedia.add(0, ctlScrollbar::horizontal);
    seek.Move(120, 3480, 3135, 255);
    seek.setDesign(ctlScrollbar::design(ctlScrollbar::horizontal, 1));
    ImagineVolum.Move(3240, 3480, 195, 165);
    Volum.Move(3480, 3480, 1395, 255);
    Volum.setDesign(ctlScrollbar::design(ctlScrollbar::horizontal, 5));
    ResizeArea.Move(6360, 3720, 195, 195);
    ResizeArea.setCaption("o");
    ResizeArea.setFont({"Marlett", 8.25f});
    ResizeArea.setBackStyle(0);
    ui::Frame& video = FrameVideo.add(0);
    video.Move(120, 4080, 5175, 3045);
    video.setBorderStyle(0);
    video.setBackColor(0);
    ImgButton1.Move(5640, 4680, 615, 255);
    ImgButton6.Move(5640, 4920, 615, 255);
}

void Main::designStatePanel() {
    // The state panel only holds values; it never shows, whatever the window's width.
    ui::Frame& state = MainFrame.add(0);
    state.Move(6600, 0, 4000, 6000);
    state.setBorderStyle(0);
    state.setVisible(false);
    float top = 0;
    auto place = [&](ui::Control& c, const QString& caption = {}) {
        c.setContainer(&state);
        c.Move(0, top, 3900, 255);
        top += 270;
        if (auto* label = dynamic_cast<ui::Label*>(&c)) label->setCaption(caption);
    };
    place(LbActualCx.add(0), "-1");
    place(LbActualCy.add(0), "-1");
    for (auto* array : {&LbCurrentCx, &LbCurrentCy, &LbCurrentRate, &LbCurrPos, &LbProgress,
                        &LbStatus, &LbResult, &LbFileName})
        place(array->add(0));
    place(txtFrom.add(0));
    place(TxtTo.add(0));
    place(Label7, "Current rate:");
    place(PiesaCurenta);
    place(PozInTop);
    place(FullScreenSec, "0");
    place(StartMoveSlider, "False");
    place(KeyFocus);
}

void Main::designTimers() {
    TimeCounter.setInterval(1000);
    FixImages.setInterval(1000);
    FixWindows.setInterval(100);
    ScrollTextTimer.setInterval(300);
    FullScreenTimer.setInterval(1000);
    FullScreenTimer.setEnabled(false);
    VersionCheck.setInterval(1000);
    VersionCheck.setEnabled(false);
    ui::Timer& misc = TimerMisc.add(0);
    misc.setInterval(500);
    misc.setEnabled(false);
}

void Main::connectEvents() {
    TimerMisc(0).TimerEvent.connect([this] { TimerMisc_Timer(0); });
    FixWindows.TimerEvent.connect([this] { FixWindows_Timer(); });
    LbActualCx(0).Change.connect([this] { LbActualCx_Change(); });
    CloseButton.Click.connect([this] { CloseButton_Click(); });
    KeyFocus.KeyDown.connect(
        [this](int& code, int) { app().module<KeyShortcut>().ProcessShortcutKey(code); });
    for (int i = 0; i <= 10; ++i) {
        sldEQR(i).Change.connect([this, i] { form<frmBass>().MoveScollEq(i); });
        sldEQR(i).Scroll.connect([this, i] { form<frmBass>().MoveScollEq(i); });
    }
    Visualisation.DblClick.connect([this] { form<frmBass>().NextSpectrumMode(); });
    ImgButton1.Click.connect([this] { form<frmBass>().NextSpectrumMode(); });
    Volum.Change.connect([this] { VolumChange(); });
    Volum.Scroll.connect([this] { VolumChange(); });
}

void Main::VolumChange() {
    if (form<frmBass>().BassON.Caption() == "True")
        form<frmBass>().VolumBass();
    else
        controller().ChangeVolume();
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

void Main::Form_KeyDown(int& KeyCode, int) {
    app().module<KeyShortcut>().ProcessShortcutKey(KeyCode);
}

void Main::TimerMisc_Timer(int) {
    controller().TimerMixF();
}

void Main::FixWindows_Timer() {
    DataForm& d = form<DataForm>();
    if (d.PlaylistON.Caption() != "1" || d.MiniMode.Caption() != "False" ||
        WindowState() == vbMinimized)
        return;
    if (form<frmBass>().BassON.Caption() == "True") form<frmBass>().tmrSpectrum.setEnabled(true);
}

// A video brings the main window back in place of the mini window.
void Main::LbActualCx_Change() {
    if (!videoOpen(*this) || form<DataForm>().MiniMode.Caption() != "True") return;
    step([&] { app().form<MiniForm>().Unload(); });
    step([&] { form<DataForm>().MiniMode.setCaption("False"); });
    step([&] { Show(); });
}

void Main::OnOffEq() {
    const bool on = form<Options>().Option12.Value();
    step([&] {
        ImgButton2.setPicture(SkinFiles::picture(app(), on ? "\\button2.bmp" : "\\button2b.bmp"));
    });
    UpdateEqualizer();
}

void Main::UpdateEqualizer() {
    for (int i = 0; i <= 10; ++i)
        step([&] { form<frmBass>().MoveScollEq(i); });
}

void Main::AdjustVideo() {
    Form_Resize();
}

// The whole layout follows the size: everything anchored to the right or
// bottom edge keeps its distance from it.
void Main::Form_Resize() {
    step([&] { mdlSmooth::RoundWindow(*this, 9); });
    step([&] { ResizeArea.Move(Width() - 195, Height() - 195); });
    step([&] {
        if (form<DataForm>().FullScreenStat.Caption() == "False" && videoOpen(*this))
            layoutVideo(Width(), Height());
    });
    step([&] { keepMinimumSize(videoOpen(*this)); });
    layoutEdges(Width(), Height());
}

void Main::layoutVideo(float w, float h) {
    Options& o = form<Options>();
    ui::Frame& frame = FrameVideo(0);
    if (o.Option14.Value()) {
        step([&] { frame.Move(frame.Left(), frame.Top(), w - 1450, h - 700); });
        step([&] { controller().ResizeTheVideo(); });
        step([&] { frame.setTop(370); });
        step([&] { ResizeArea.setVisible(true); });
    }
    for (auto [option, scale] : {std::pair{&o.Option16, 15}, {&o.Option17, 30}}) {
        if (!option->Value()) continue;
        step([&] {
            frame.Move(frame.Left(), frame.Top(), shared::toDouble(LbActualCx(0).Caption()) * scale,
                       shared::toDouble(LbActualCy(0).Caption()) * scale);
        });
        // The window follows the video, but never below its minimum size.
        step([&] { setWidth(std::max(6100.0f, frame.Width() + 1450)); });
        step([&] { setHeight(std::max(3530.0f, frame.Height() + 700)); });
        step([&] { controller().ResizeTheVideo(); });
        step([&] { frame.setTop(370); });
        step([&] { ResizeArea.setVisible(false); });
    }
}

void Main::keepMinimumSize(bool video) {
    const bool full = form<DataForm>().MainMode.Caption() == "Full";
    step([&] { FrameVideo(0).setVisible(video); });
    const float minHeight = full || video ? 3530 : 2000;
    if (Width() < 6100) step([&] { setWidth(6100); });
    if (Height() < minHeight) step([&] { setHeight(minHeight); });
}

void Main::layoutEdges(float w, float h) {
    step([&] { RightFrame.setLeft(w - 1200); });
    step([&] { Logo.Move(w - 1100, h - 650); });
    step([&] { ImgLeft.setHeight(h - 300); });
    step([&] { ImgRight.Move(w - 180, ImgRight.Top(), ImgRight.Width(), h - 300); });
    step([&] { ImgTopCenter.setWidth(w - 2800); });
    step([&] { ImgTopRight.setLeft(w - 1500); });
    step([&] { ImgBottomLeft.setTop(h - 180); });
    step([&] {
        ImgBottomCenter.Move(ImgBottomCenter.Left(), h - 180, w - 2800, ImgBottomCenter.Height());
    });
    step([&] { ImgBottomRight.Move(w - 1500, h - 180); });
    step([&] { MinimizeButton.setLeft(w - 1150); });
    step([&] { CloseButton.setLeft(w - 750); });
    step([&] { SliderMoveMultimedia(0).setTop(h - 320); });
    step([&] { Volum.setTop(h - 320); });
    step([&] { ImagineVolum.setTop(h - 270); });
}

// The window's icon in the notification area, under the identifier its removal uses.
void Main::addTrayIcon() {
    modSysTray::AddTrayIcon(app(), *this, trayId(), QIcon(IconPath()), "Plenk Player");
}

// The layout of a medium without picture.
void Main::showAudioLayout() {
    step([&] { ResizeArea.setVisible(false); });
    step([&] { MainFrame(1).setVisible(true); });
    step([&] { controller().ChangeMainMode(); });
    step([&] { LabelVideo.setCaption("PLENK PLAYER"); });
}
