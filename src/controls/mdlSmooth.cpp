#include "controls/mdlSmooth.h"

#include <algorithm>
#include <cmath>

#include "platform/system/WindowServices.h"
#include "platform/ui/Form.h"
#include "platform/ui/Twips.h"
#include "shared/Rounding.h"

namespace mdlSmooth {

namespace {

// Rounded to whole pixels, halves to even; what no region can use (no
// number, below 0, beyond any side) is cut to the region's own limits.
int wholePixels(double value) {
    if (!std::isfinite(value) || value <= 0) return 0;
    return static_cast<int>(shared::roundHalfEven(std::min(value, double{sys::kMaxRegionSide})));
}

}  // namespace

void RoundWindow(ui::Form& frm, double Radius) {
    const int w = wholePixels(frm.Width() / ui::kTwipsPerPixel);
    const int h = wholePixels(frm.Height() / ui::kTwipsPerPixel);
    sys::SetWindowRgn(frm.widget(), w, h, wholePixels(Radius));
}

}  // namespace mdlSmooth
