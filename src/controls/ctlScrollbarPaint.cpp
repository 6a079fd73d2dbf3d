#include <cmath>

#include "controls/ctlScrollbar.h"
#include "platform/ui/Application.h"
#include "platform/ui/Twips.h"

namespace {

constexpr int kDrawnLength = 17;
constexpr ui::OleColor kButtonText = 0x80000012, kButtonShadow = 0x80000010;

// The edge style of a bevel code; another code draws nothing.
int edgeOf(int code) {
    constexpr int styles[] = {ui::EDGE_RAISED, ui::EDGE_SUNKEN,     ui::EDGE_BUMP,
                              ui::EDGE_ETCHED, ui::BDR_RAISEDOUTER, ui::BDR_SUNKENOUTER};
    return code >= 0 && code < 6 ? styles[code] : 0;
}

}  // namespace

// A part of the control as the repaint treats it.
struct ctlScrollbar::Part {
    ui::PictureBox& box;
    int index;  // 0 up/left button, 1 down/right button, 2 thumb
    bool Live::*flag;
    ui::Timer& tracker;
};

int ctlScrollbar::HimetricToPixels(int himetric) {
    const double pixels = std::floor(himetric / (291.0 / 11.0) + 0.5);
    if (!(pixels >= -32768 && pixels <= 32767)) throw ui::RuntimeError(ui::kOverflow);
    return static_cast<int>(pixels);
}

void ctlScrollbar::SetObjSize(ui::PictureBox& part, double width, double height) {
    part.setWidth(static_cast<float>(width));
    part.setHeight(static_cast<float>(height));
}

void ctlScrollbar::SetObjPos(ui::PictureBox& part, double left, double top) {
    part.Move(static_cast<float>(left), static_cast<float>(top));
}

int ctlScrollbar::windowUnderPointer() const {
    return parentForm().application().pointer().WindowUnderPointerWithin(*widget());
}

bool ctlScrollbar::IsMouseOver(int hWnd) const {
    return hWnd != 0 && windowUnderPointer() == hWnd;
}

void ctlScrollbar::ArrangeParts() {
    const double w = ScaleWidth(), h = ScaleHeight();
    SetObjPos(Picture1, 0, 0);
    if (isHorizontal()) {
        SetObjPos(Picture3, w - Picture3.Width(), 0);
        SetObjPos(Picture4, Picture1.Width(), 0);
        SetObjSize(Picture4, std::max(0.0, double(Picture3.Left() - Picture4.Left())), h);
    } else {
        SetObjPos(Picture3, 0, h - Picture3.Height());
        SetObjPos(Picture4, 0, Picture1.Height());
        SetObjSize(Picture4, w, std::max(0.0, double(Picture3.Top() - Picture4.Top())));
    }
}

// Rows of 1, 3, 5 and 7 pixels pointing back (up or left) or forward.
void ctlScrollbar::DrawArrow(ui::PictureBox& part, bool pressed, bool upOrLeft) {
    const int mid =
        static_cast<int>(std::floor((isHorizontal() ? ScaleHeight() : ScaleWidth()) / 2 + 0.5));
    const int alongCentre = kDrawnLength / 2 + 1, shift = pressed ? 1 : 0;
    for (int i = 0; i < 4; ++i) {
        const int a = alongCentre + (upOrLeft ? -2 : -3) + i;
        const int from = mid + (upOrLeft ? -1 - i : -4 + i), to = mid + (upOrLeft ? i : 3 - i);
        if (isHorizontal())
            part.Line(a + shift, from + shift, a + shift, to + shift, kButtonText);
        else
            part.Line(from + shift, a + shift, to + shift, a + shift, kButtonText);
    }
}

ctlScrollbar::Look ctlScrollbar::lookOf(const Part& part, int hovered) const {
    const bool over = part.box.hWnd() != 0 && part.box.hWnd() == hovered;
    if (live_.*part.flag && over) return kDown;
    const bool others = live_.upPressed + live_.thumbDragging + live_.downPressed +
                            live_.pageUpPressed + live_.pageDownPressed -
                            (live_.*part.flag ? 1 : 0) >
                        0;
    return over && !others ? kHover : kNormal;
}

void ctlScrollbar::paintPart(const Part& part, int hovered) {
    const Look look = lookOf(part, hovered);
    if (look == kHover) part.tracker.setEnabled(true);
    const int codes[] = {props_.stateNormal, props_.stateOver, props_.stateDown};
    if (props_.usePicture[part.index]) {
        const ui::Picture& pic = props_.pictures[part.index][look];
        if (pic.isEmpty()) throw ui::RuntimeError(ui::kInvalidPicture);
        part.box.setHeight(HimetricToPixels(pic.Height()));
        part.box.setWidth(HimetricToPixels(pic.Width()));
        part.box.PaintPicture(pic, 0, 0);
        ArrangeParts();
        return;
    }
    if (isHorizontal())
        SetObjSize(part.box, kDrawnLength, ScaleHeight());
    else
        SetObjSize(part.box, ScaleWidth(), kDrawnLength);
    ArrangeParts();
    if (part.index != 2) DrawArrow(part.box, look == kDown, part.index == 0);
    part.box.DrawEdge(0, 0, static_cast<int>(part.box.ScaleWidth()),
                      static_cast<int>(part.box.ScaleHeight()), edgeOf(codes[look]), ui::BF_RECT);
}

double ctlScrollbar::travel() const {
    return isHorizontal() ? Picture4.ScaleWidth() - Picture2.ScaleWidth()
                          : Picture4.ScaleHeight() - Picture2.ScaleHeight();
}

void ctlScrollbar::placeThumb() {
    if (isHorizontal())
        SetObjPos(Picture2, live_.thumbPos, 0);
    else
        SetObjPos(Picture2, 0, live_.thumbPos);
}

// With no range the scale is 0, the thumb's start gives min; nothing
// non-finite ever reaches value.
void ctlScrollbar::deriveValue() {
    const double range = props_.max - props_.min;
    const double ppu = range != 0 ? travel() / range : 0;
    live_.pixelsPerUnit = std::isfinite(ppu) ? ppu : 0;
    const double v = live_.pixelsPerUnit != 0
                         ? std::floor(live_.thumbPos / live_.pixelsPerUnit + 0.5) + props_.min
                         : props_.min;
    props_.value = std::isfinite(v) ? v : props_.min;
}

void ctlScrollbar::paintTrack() {
    Picture4.setBackColor(props_.trackColor);
    Picture4.Cls();
    const float w = Picture4.ScaleWidth(), h = Picture4.ScaleHeight();
    if (isHorizontal()) {
        Picture4.Line(0, 0, w, 0, kButtonShadow);
        Picture4.Line(0, h - 1, w, h - 1, kButtonShadow);
    } else {
        Picture4.Line(0, 0, 0, h, kButtonShadow);
        Picture4.Line(w - 1, 0, w - 1, h, kButtonShadow);
    }
}

void ctlScrollbar::tileBackground() {
    const ui::Picture& tile = props_.background;
    if (tile.isEmpty()) return;
    const int tw = HimetricToPixels(tile.Width()), th = HimetricToPixels(tile.Height());
    if (tw <= 0 || th <= 0) return;
    const double w = Picture4.ScaleWidth(), h = Picture4.ScaleHeight();
    const auto row = [&](double y) {
        if (w > tw)
            for (double x = 0; x <= w; x += tw)
                Picture4.PaintPicture(tile, float(x), float(y));
        else
            Picture4.PaintPicture(tile, 0, float(y));
    };
    if (h > th)
        for (double y = 0; y <= h; y += th)
            row(y);
    else
        row(0);
}

// Every step stands alone: a failing one is skipped and the next runs.
void ctlScrollbar::Redraw() {
    const Part parts[] = {{Picture1, 0, &Live::upPressed, Tracking1},
                          {Picture2, 2, &Live::thumbDragging, Tracking2},
                          {Picture3, 1, &Live::downPressed, Tracking3}};
    for (ui::PictureBox* p : {&Picture1, &Picture2, &Picture3, &Picture4})
        ui::step([&] { p->Cls(); });
    ui::step([&] { ArrangeParts(); });
    int hovered = 0;
    ui::step([&] { hovered = windowUnderPointer(); });
    for (const Part& part : parts)
        ui::step([&] { paintPart(part, hovered); });
    ui::step([&] { ArrangeParts(); });
    ui::step([&] { placeThumb(); });
    ui::step([&] { deriveValue(); });
    ui::step([&] { paintTrack(); });
    ui::step([&] { tileBackground(); });
}
