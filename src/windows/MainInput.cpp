#include "core/frmBass.h"
#include "options/Options.h"
#include "persistence/KeyShortcut.h"
#include "platform/ui/RuntimeError.h"
#include "platform/ui/Twips.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "shared/NumberText.h"
#include "shared/WindowDrag.h"
#include "windows/FormMeniuri.h"
#include "windows/Main.h"
#include "windows/MenuHeads.h"

using ui::step;

namespace {

using Mouse = ui::Event<int, int, float, float>;

// The sizing pointer over the grip, and the default one.
constexpr int kSizeNwSe = 8;
constexpr int kDefaultPointer = 0;

void onMove(ui::Control& c, std::function<void()> hover) {
    c.MouseMove.connect([hover = std::move(hover)](int, int, float, float) { hover(); });
}

}  // namespace

void Main::connectInput() {
    connectSliders();
    connectDrags();
    connectHovers();
    connectBackground();
    ui::connectEach(*this, &ui::Control::Click,
                    {{&ImgButton1, &Main::ImgButton1_Click},
                     {&ImgButton2, &Main::ImgButton2_Click},
                     {&ImgButton3, &Main::ImgButton3_Click},
                     {&ImgButton4, &Main::ImgButton4_Click},
                     {&ImgButton5, &Main::ImgButton5_Click},
                     {&ImgButton6, &Main::ImgButton6_Click},
                     {&InfoLabel, &Main::InfoLabel_Click},
                     {&Image3, &Main::Image3_Click},
                     {&Image4, &Main::Image4_Click},
                     {&MinimizeButton, &Main::MinimizeButton_Click},
                     {&PlaylistLabel, &Main::PlaylistLabel_Click}});
    ui::connectEach(*this, &ui::Control::DblClick,
                    {{&ImgTopCenter, &Main::ImgTopCenter_DblClick},
                     {&LabelVideo, &Main::LabelVideo_DblClick},
                     {&ImgTopRight, &Main::ImgTopRight_DblClick},
                     {&Visualisation, &Main::Visualisation_DblClick}});
    KeyFocus.KeyDown.connect([this](int& code, int shift) { KeyFocus_KeyDown(code, shift); });
    Butoane1.LostFocus.connect([this] { Butoane1_LostFocus(); });
    ResizeArea.MouseMove.connect(
        [this](int b, int s, float x, float y) { ResizeArea_MouseMove(b, s, x, y); });
}

// A press of any button on these drags the window.
void Main::connectDrags() {
    for (ui::Control* c :
         std::initializer_list<ui::Control*>{&Image1,        &ImagineVolum,   &ImgBottomCenter,
                                             &ImgBottomLeft, &ImgBottomRight, &ImgLeft,
                                             &ImgRight,      &ImgTopCenter,   &ImgTopLeft,
                                             &ImgTopRight,   &InfoIDTag,      &labBitRate,
                                             &labFreqChan,   &labLayer,       &labLength,
                                             &labSize,       &LabelVideo,     &MultimediaInfoLabel,
                                             &RightFrame,    &StarePlayer,    &Titlu,
                                             &TotalTime,     &TSec,           &Visualisation,
                                             &Logo})
        c->MouseDown.connect([this](int, int, float, float) { FormMove(*this); });
}

void Main::connectHovers() {
    ui::Image* tools[] = {&ImgButton1, &ImgButton2, &ImgButton3,
                          &ImgButton4, &ImgButton5, &ImgButton6};
    for (int i = 1; i <= 6; ++i)
        onMove(*tools[i - 1], [this, i] { ImgButton_MouseMove(i); });
    onMove(Image1, [this] { Image1_MouseMove(); });
    onMove(Image3, [this] { Image3_MouseMove(); });
    onMove(InfoLabel, [this] { Image3_MouseMove(); });
    onMove(Image4, [this] { Image4_MouseMove(); });
    ui::Control* heads[][2] = {{&Label1, &Meniu1}, {&Label3, &Meniu2}, {&Label4, &Meniu3}};
    for (int h = 1; h <= 3; ++h)
        for (ui::Control* c : heads[h - 1]) {
            onMove(*c, [this, h] { MenuHead_MouseMove(h); });
            c->MouseUp.connect([this, h](int, int, float, float) { MenuHead_MouseUp(h); });
        }
    for (ui::Control* c : {&ImgRight, &ImgBottomRight, &Logo})
        onMove(*c, [this] { DefaultPointer_MouseMove(); });
    onMove(LabelVideo, [this] { LabelVideo_MouseMove(); });
    onMove(MinimizeButton, [this] { MinimizeButton_MouseMove(); });
    onMove(PlaylistLabel, [this] { PlaylistLabel_MouseMove(); });
    onMove(RightFrame, [this] { RightFrame_MouseMove(); });
}

// The video frame and the picture drawn in it take no input of their own:
// their mouse events are the window's, in the window's coordinates.
void Main::connectBackground() {
    ui::Frame& video = FrameVideo(0);
    auto relay = [this, &video](Mouse& event, void (Main::*handler)(int, int, float, float)) {
        event.connect([this, &video, handler](int b, int s, float x, float y) {
            (this->*handler)(b, s, x + video.Left(), y + video.Top());
        });
    };
    relay(video.MouseDown, &Main::Form_MouseDown);
    relay(video.MouseMove, &Main::Form_MouseMove);
    relay(video.MouseUp, &Main::Form_MouseUp);
    video.Click.connect([this] { Form_Click(); });
    video.DblClick.connect([this] { Form_DblClick(); });
}

void Main::FormMove(PlayerForm& frm) {
    dragWindow(frm, ui::HTCAPTION);
}

void Main::leaveFullScreen() {
    if (form<DataForm>().FullScreenStat.Caption() != "False")
        step([&] { controller().SwitchToFullScreen(); });
}

// Double-clicks: the background toggles full screen; the title strip switches
// the layout without a video and toggles full screen with one.
void Main::Form_DblClick() {
    controller().SwitchToFullScreen();
}
void Main::ImgTopCenter_DblClick() {
    step([&] { controller().SwitchMainMode(); });
    if (LbActualCx(0).Caption() != "-1") step([&] { controller().SwitchToFullScreen(); });
}
void Main::LabelVideo_DblClick() {
    ImgTopCenter_DblClick();
}
void Main::ImgTopRight_DblClick() {
    controller().SwitchMainMode();
}
void Main::Visualisation_DblClick() {
    form<frmBass>().NextSpectrumMode();
}

// Tool buttons.
void Main::ImgButton1_Click() {
    form<frmBass>().NextSpectrumMode();
}

void Main::ImgButton2_Click() {
    Options& o = form<Options>();
    const bool on = !o.Option12.Value();
    step([&] { (on ? o.Option12 : o.Option13).setValue(true); });
    setToolButton(2, false);
    UpdateEqualizer();
}

void Main::ImgButton3_Click() {
    PopupMenu(form<FormMeniuri>().PresetMenu);
}
void Main::ImgButton4_Click() {
    PlaylistLabel_Click();
}

void Main::ImgButton5_Click() {
    MediaLibrary& lib = form<MediaLibrary>();
    step([&] { lib.setVisible(true); });
    step([&] { lib.FrameIDTag.setVisible(false); });
    step([&] { lib.FrameTop10.setVisible(true); });
    step([&] { lib.FrameLibrary.setVisible(false); });
}

void Main::ImgButton6_Click() {
    form<Options>().Open("General");
}

// The library on its Top 20 page, or hidden; hidden it is not brought back
// on a restore, as after its own close button.
void Main::InfoLabel_Click() {
    MediaLibrary& lib = form<MediaLibrary>();
    if (!lib.Visible()) return ImgButton5_Click();
    step([&] { lib.Hide(); });
    form<DataForm>().MediaOn.setCaption("0");
}
void Main::Image3_Click() {
    InfoLabel_Click();
}
void Main::Image4_Click() {
    PlaylistLabel_Click();
}

// Hover looks.  A tool button's state picture is its normal picture while
// what it stands for is on (or always, for 1 and 3), else its "b" picture.
bool Main::toolButtonOn(int i) {
    switch (i) {
        case 2:
            return form<Options>().Option12.Value();
        case 4:
            return form<Playlist>().Visible();
        case 5:
            return form<MediaLibrary>().Visible();
        case 6:
            return form<Options>().Visible();
        default:
            return true;
    }
}

void Main::setToolButton(int i, bool hover) {
    DataForm& d = form<DataForm>();
    ui::Image* tools[] = {&ImgButton1, &ImgButton2, &ImgButton3,
                          &ImgButton4, &ImgButton5, &ImgButton6};
    ui::Image* normal[] = {&d.ImgButton1, &d.ImgButton2, &d.ImgButton3,
                           &d.ImgButton4, &d.ImgButton5, &d.ImgButton6};
    ui::Image* hovers[] = {&d.ImgButton1Hover, &d.ImgButton2Hover, &d.ImgButton3Hover,
                           &d.ImgButton4Hover, &d.ImgButton5Hover, &d.ImgButton6Hover};
    ui::Image* off[] = {&d.ImgButton1,  &d.ImgButton2b, &d.ImgButton3,
                        &d.ImgButton4b, &d.ImgButton5b, &d.ImgButton6b};
    ui::Image* look = hover ? hovers[i - 1] : toolButtonOn(i) ? normal[i - 1] : off[i - 1];
    step([&] { tools[i - 1]->setPicture(look->picture()); });
}

void Main::showToolButtonStates() {
    for (int i = 1; i <= 6; ++i)
        setToolButton(i, false);
}

// The hovered button shows its hover look (the equalizer button keeps its
// off look while the equalizer is off); the rest of its group their state.
void Main::ImgButton_MouseMove(int i) {
    const int first = i <= 3 ? 1 : 4;
    for (int j = first; j < first + 3; ++j)
        setToolButton(j, j == i && (j != 2 || toolButtonOn(2)));
}

void Main::Image1_MouseMove() {
    showToolButtonStates();
}

void Main::Image3_MouseMove() {
    Image3.setPicture(form<DataForm>().ImgButtonFocus.picture());
    Image4.setPicture(form<DataForm>().ImgButton.picture());
}
void Main::Image4_MouseMove() {
    Image4.setPicture(form<DataForm>().ImgButtonFocus.picture());
    Image3.setPicture(form<DataForm>().ImgButton.picture());
}
void Main::PlaylistLabel_MouseMove() {
    Image4_MouseMove();
}
void Main::RightFrame_MouseMove() {
    Image3.setPicture(form<DataForm>().ImgButton.picture());
    Image4.setPicture(form<DataForm>().ImgButton.picture());
}

void Main::MenuHead_MouseMove(int head) {
    DataForm& d = form<DataForm>();
    ui::Image* pictures[] = {&Meniu1, &Meniu2, &Meniu3};
    for (int h = 1; h <= 3; ++h)
        pictures[h - 1]->setPicture((h == head ? d.MeniuHover : d.MeniuNormal).picture());
}

void Main::DefaultPointer_MouseMove() {
    app().screen().setMousePointer(kDefaultPointer);
}

void Main::LabelVideo_MouseMove() {
    DataForm& d = form<DataForm>();
    app().screen().setMousePointer(kDefaultPointer);
    MinimizeButton.setPicture(d.MinimizeNormal.picture());
    CloseButton.setPicture(d.CloseNormal.picture());
    if (d.FullScreenStat.Caption() == "True") FullScreenSec.setCaption("0");
}

void Main::MinimizeButton_MouseMove() {
    MinimizeButton.setPicture(form<DataForm>().MinimizeFocus.picture());
    CloseButton.setPicture(form<DataForm>().CloseNormal.picture());
}

// Menu heads: out of full screen first, then the menu under the head.
void Main::MenuHead_MouseUp(int head) {
    leaveFullScreen();
    const MenuHead& h = kMenuHeads[head - 1];
    PopupMenu(form<FormMeniuri>().*h.menu, 0, h.x, kMenuHeadsY);
}

// The background.  The tray's clicks arrive here as moves with a button.
void Main::Form_MouseDown(int, int, float, float) {
    if (form<DataForm>().FullScreenStat.Caption() == "False") FormMove(*this);
}

void Main::Form_MouseMove(int Button, int, float, float) {
    DataForm& d = form<DataForm>();
    app().screen().setMousePointer(kDefaultPointer);
    MinimizeButton.setPicture(d.MinimizeNormal.picture());
    CloseButton.setPicture(d.CloseNormal.picture());
    Image3.setPicture(d.ImgButton.picture());
    Image4.setPicture(d.ImgButton.picture());
    restoreFromTray(Button);
    if (d.FullScreenStat.Caption() == "True") FullScreenTimer.setEnabled(true);
}

// Only a window put away (minimized, or hidden in the tray) answers the tray;
// in mini mode the mini window stands in for this one, which stays hidden.
void Main::restoreFromTray(int Button) {
    ui::Form& player = playerWindow();
    if (player.WindowState() != vbMinimized && player.Visible()) return;
    if (Button == ui::vbRightButton) {
        FormMeniuri& menus = form<FormMeniuri>();
        step([&] { menus.SysTrayMenu.setVisible(true); });
        step([&] { PopupMenu(menus.SysTrayMenu); });
    } else if (Button == ui::vbLeftButton) {
        step([&] { player.setWindowState(vbNormal); });
        step([&] { player.setVisible(true); });
    }
}

void Main::Form_Click() {
    if (form<DataForm>().FullScreenStat.Caption() != "True") return;
    FullScreenTimer.setEnabled(true);
    FullScreenSec.setCaption("0");
    step([&] { SliderMoveMultimedia(0).setVisible(true); });
    step([&] { Volum.setVisible(true); });
}

void Main::Form_MouseUp(int Button, int, float, float) {
    if (Button != ui::vbRightButton || !FrameVideo(0).Visible()) return;
    PopupMenu(form<FormMeniuri>().VideoMenu);
}

// Keys go to the shortcut dispatcher, by key code alone.
void Main::Form_KeyDown(int& KeyCode, int) {
    app().module<KeyShortcut>().ProcessShortcutKey(KeyCode);
}
void Main::KeyFocus_KeyDown(int& KeyCode, int Shift) {
    Form_KeyDown(KeyCode, Shift);
}
void Main::Butoane1_LostFocus() {
    step([&] { KeyFocus.SetFocus(); });
}

// Minimizing puts the other windows away and stops the timers that only
// matter on screen; with the tray icon really shown the window goes there.
void Main::MinimizeButton_Click() {
    DataForm& d = form<DataForm>();
    Options& o = form<Options>();
    if (d.FullScreenStat.Caption() == "False") {
        step([&] { setWindowState(vbMinimized); });
        d.PlaylistON.setCaption(form<Playlist>().Visible() ? "1" : "0");
        d.MediaOn.setCaption(form<MediaLibrary>().Visible() ? "1" : "0");
        setCaption(o.Check1.Value() == 1 ? Titlu.Caption()
                                         : QStringLiteral("Plenk Player        "));
        step([&] { form<Playlist>().Hide(); });
        step([&] { form<MediaLibrary>().Hide(); });
    }
    if (!VersionChecked) VersionCheck.setEnabled(true);
    if (o.Check7.Value() == 1 && app().tray().shown(trayId())) step([&] { Hide(); });
    form<Playlist>().ScrollTimer.setEnabled(false);
    FixImages.setEnabled(false);
    if (app().isLoaded<frmBass>()) form<frmBass>().tmrSpectrum.setEnabled(false);
    MinimizeButton.setPicture(d.MinimizeNormal.picture());
}

void Main::PlaylistLabel_Click() {
    Playlist& list = form<Playlist>();
    const bool show = !list.Visible();
    step([&] { show ? list.Show() : list.Hide(); });
    form<DataForm>().PlaylistON.setCaption(show ? "1" : "0");
    setToolButton(4, false);
}

// The grip: the sizing pointer; with the left button alone the size loop,
// and then, with a video open, the size reached as the video size.
void Main::ResizeArea_MouseMove(int Button, int, float, float) {
    app().screen().setMousePointer(kSizeNwSe);
    if (Button != ui::vbLeftButton) return;
    handDragToSystem(*this, ui::HTBOTTOMRIGHT);
    const QString cx = LbActualCx(0).Caption();
    if (cx == "-1" || cx.isEmpty()) return;
    DataForm& d = form<DataForm>();
    d.VideoSizeHeight2.setCaption(shared::formatSingle(Height()));
    d.VideoSizeWidth2.setCaption(shared::formatSingle(Width()));
}
