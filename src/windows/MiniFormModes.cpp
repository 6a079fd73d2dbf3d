#include "controls/Snap.h"
#include "options/Options.h"
#include "platform/ui/RuntimeError.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

using ui::step;

namespace {

bool outsideFullScreen(PlayerForm& f) {
    return f.form<DataForm>().FullScreenStat.Caption() == "False";
}

}  // namespace

void MiniForm::placeMainHere() {
    const float top = Top();
    const float left = Left();
    Main& main = form<Main>();
    step([&] { main.setTop(top); });
    step([&] { main.setLeft(left); });
}

// The docked windows' offsets are taken afresh; a video open in Main makes
// Main take this window's place.
void MiniForm::Form_Activate() {
    if (!isLoaded()) return;
    app().module<Snap>().recordDockOffsets(*this);
    DataForm& d = form<DataForm>();
    step([&] { d.MiniMode.setCaption("True"); });
    step([&] {
        if (d.PlaylistON.Caption() == "0") form<Playlist>().setVisible(false);
    });
    step([&] { d.Magnet.setCaption("1"); });
    bool video = false;
    step([&] { video = form<Main>().videoOpen(); });
    if (!video) return step([&] { KeyFocus.SetFocus(); });
    HandOverToMain();
}

void MiniForm::HandOverToMain() {
    if (!isLoaded()) return;
    placeMainHere();
    step([&] { Unload(); });
    step([&] { form<Main>().setVisible(true); });
    step([&] { form<DataForm>().MiniMode.setCaption("False"); });
}

void MiniForm::Form_Deactivate() {
    step([&] { form<DataForm>().Magnet.setCaption("0"); });
}

// Edges and caption buttons follow the size; a value the window cannot take
// (negative while minimized) skips that one statement.
void MiniForm::Form_Resize() {
    const float w = Width();
    const float h = Height();
    step([&] { ImgLeft.setHeight(h - 300); });
    step([&] { ImgRight.setHeight(h - 300); });
    step([&] { ImgRight.setLeft(w - 180); });
    step([&] { ImgTopCenter.setWidth(w - 2800); });
    step([&] { ImgTopRight.setLeft(w - 1500); });
    step([&] { ImgBottomLeft.setTop(h - 180); });
    step([&] { ImgBottomCenter.setTop(h - 180); });
    step([&] { ImgBottomCenter.setWidth(w - 2800); });
    step([&] { ImgBottomRight.setTop(h - 180); });
    step([&] { ImgBottomRight.setLeft(w - 1500); });
    step([&] { MinimizeButton.setLeft(w - 1150); });
    step([&] { CloseButton.setLeft(w - 750); });
}

// Back to the main window in its full layout, where this window stood.
void MiniForm::LabelVideo_DblClick() {
    if (!isLoaded()) return;
    placeMainHere();
    step([&] { Unload(); });
    DataForm& d = form<DataForm>();
    step([&] { d.MiniMode.setCaption("False"); });
    step([&] { d.MainMode.setCaption("Full"); });
    Main& main = form<Main>();
    step([&] { main.setWidth(6100); });
    step([&] { main.setHeight(3530); });
    for (ui::Control* c : std::initializer_list<ui::Control*>{&main.Image3, &main.Image4,
                                                              &main.InfoLabel, &main.PlaylistLabel})
        step([&] { c->setVisible(true); });
    step([&] { main.Logo.setTop(main.Height() - 650); });
    step([&] { main.RightFrame.setHeight(2295); });
    step([&] { main.MainFrame(1).setHeight(2900); });
    step([&] { main.setVisible(true); });
}

// Minimized with the docked windows hidden; Main's window check restores them.
void MiniForm::MinimizeButton_Click() {
    if (!isLoaded() || !outsideFullScreen(*this)) return;
    DataForm& d = form<DataForm>();
    step([&] { setWindowState(vbMinimized); });
    step([&] { d.PlaylistON.setCaption(form<Playlist>().Visible() ? "1" : "0"); });
    step([&] { d.MediaOn.setCaption(form<MediaLibrary>().Visible() ? "1" : "0"); });
    step([&] {
        setCaption(form<Options>().Check1.Value() == 1 ? Titlu.Caption()
                                                       : QStringLiteral("Plenk Player        "));
    });
    step([&] { form<Playlist>().setVisible(false); });
    step([&] { form<MediaLibrary>().setVisible(false); });
}

// Main takes this place first, so the settings keep where this window stood.
void MiniForm::CloseButton_Click() {
    if (!isLoaded()) return;
    placeMainHere();
    if (outsideFullScreen(*this)) controller().ClosePlenk();
}
