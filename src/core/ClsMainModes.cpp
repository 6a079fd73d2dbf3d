// The controller's window modes: the full-screen video view and the main
// window's two layouts, "Full" and "Small".
#include "app/PlenkApp.h"
#include "controls/OnTopMod.h"
#include "controls/ctlScrollbar.h"
#include "controls/mdlSmooth.h"
#include "core/ClsMain.h"
#include "platform/ui/RuntimeError.h"
#include "shared/DataForm.h"
#include "shared/NumberText.h"
#include "windows/Main.h"

using ui::step;

namespace {

bool noVideo(const Main& m) {
    const QString cx = m.LbActualCx(0).Caption();
    return cx == "-1" || cx.isEmpty();
}

}  // namespace

// The size is set first: the resize handler already sees the stored mode, and
// the logo follows the height the window has after it.
void ClsMain::applyLayout(bool full) {
    Main& m = main();
    step([&] { m.setWidth(6100); });
    step([&] { m.setHeight(full ? 3530 : 2000); });
    for (ui::Control* c :
         std::initializer_list<ui::Control*>{&m.Image3, &m.Image4, &m.InfoLabel, &m.PlaylistLabel})
        step([&] { c->setVisible(full); });
    step([&] { m.Logo.setTop(m.Height() - 650); });
    step([&] { m.Logo.setVisible(full); });
    step([&] { m.RightFrame.setHeight(full ? 2295 : 1260); });
    step([&] { m.MainFrame(1).setHeight(full ? 2900 : 1300); });
}

void ClsMain::SwitchMainMode() {
    DataForm& d = shared();
    if (shared::Val(main().LbActualCx(0).Caption()) >= 1) return;
    const QString mode = d.MainMode.Caption();
    if (mode != "Small" && mode != "Full") return;
    const bool toFull = mode == "Small";
    step([&] { d.MiniMode.setCaption("False"); });
    step([&] { d.MainMode.setCaption(toFull ? "Full" : "Small"); });
    applyLayout(toFull);
}

void ClsMain::ChangeMainMode() {
    applyLayout(shared().MainMode.Caption() != "Small");
}

void ClsMain::SwitchToFullScreen() {
    if (noVideo(main())) return;
    if (shared().FullScreenStat.Caption() == "False")
        enterFullScreen();
    else
        leaveFullScreen();
}

void ClsMain::enterFullScreen() {
    Main& m = main();
    DataForm& d = shared();
    d.FullScreenStat.setCaption("True");
    d.VideoSizeHeight.setCaption(shared::formatSingle(m.Height()));
    d.VideoSizeWidth.setCaption(shared::formatSingle(m.Width()));
    d.VideoSizeLeft.setCaption(shared::formatSingle(m.Left()));
    d.VideoSizeTop.setCaption(shared::formatSingle(m.Top()));
    m.setTop(0);
    m.setLeft(-100);
    m.setWidth(app_.screenWidth() + 200);
    m.setHeight(app_.screenHeight() + 100);
    ui::Frame& frame = m.FrameVideo(0);
    frame.Move(0, 600, m.Width(), m.Height());
    OnTopMod::SetTopMost(m);
    ResizeTheVideo();
    mdlSmooth::RoundWindow(m, 1);
    m.FullScreenSec.setCaption("0");
    m.FullScreenTimer.setEnabled(true);
    m.RightFrame.setVisible(false);
    for (ui::Control* slider :
         std::initializer_list<ui::Control*>{&m.SliderMoveMultimedia(0), &m.Volum})
        slider->Move(slider->Left() + 10, 300);
    m.ResizeArea.setVisible(false);
    m.MinimizeButton.setVisible(false);
}

void ClsMain::leaveFullScreen() {
    Main& m = main();
    DataForm& d = shared();
    d.FullScreenStat.setCaption("False");
    m.setHeight(shared::toDouble(d.VideoSizeHeight.Caption()));
    m.setWidth(shared::toDouble(d.VideoSizeWidth.Caption()));
    m.setTop(shared::toDouble(d.VideoSizeTop.Caption()));
    m.setLeft(shared::toDouble(d.VideoSizeLeft.Caption()));
    m.FrameVideo(0).setLeft(120);
    OnTopMod::SetNotTopMost(m);
    mdlSmooth::RoundWindow(m, 9);
    m.FullScreenTimer.setEnabled(false);
    m.RightFrame.setVisible(true);
    for (ui::Control* slider :
         std::initializer_list<ui::Control*>{&m.SliderMoveMultimedia(0), &m.Volum}) {
        slider->setVisible(true);
        slider->setLeft(slider->Left() - 10);
    }
    m.ResizeArea.setVisible(true);
    m.MinimizeButton.setVisible(true);
}
