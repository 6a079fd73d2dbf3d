#include "windows/Main.h"

#include "controls/mdlSmooth.h"
#include "options/Options.h"
#include "platform/ui/RuntimeError.h"
#include "shared/DataForm.h"
#include "shared/NumberText.h"

using ui::step;

// A video counts as open while the native width reads above 1.
bool Main::videoOpen() const {
    const QString cx = LbActualCx(0).Caption();
    return !cx.isEmpty() && shared::Val(cx) > 1;
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
        if (form<DataForm>().FullScreenStat.Caption() == "False" && videoOpen())
            layoutVideo(Width(), Height());
    });
    step([&] { keepMinimumSize(videoOpen()); });
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
    keepMinimum(6100, full || video ? 3530 : 2000);
}

// The window takes no input while a minimum is written, so a drag of the
// grip cannot fight the write; each side is written on its own, width first.
void Main::keepMinimum(float width, float height) {
    const auto write = [this](auto set) {
        step([&] { setEnabled(false); });
        step(set);
        step([&] { setEnabled(true); });
    };
    if (Width() < width) write([&] { setWidth(width); });
    if (Height() < height) write([&] { setHeight(height); });
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

// The layout of a medium without picture.
void Main::showAudioLayout() {
    step([&] { ResizeArea.setVisible(false); });
    step([&] { MainFrame(1).setVisible(true); });
    step([&] { controller().ChangeMainMode(); });
    step([&] { LabelVideo.setCaption("PLENK PLAYER"); });
}
