#include "controls/mdlSmooth.h"

#include "platform/system/WindowServices.h"
#include "platform/ui/Form.h"
#include "platform/ui/Twips.h"
#include "shared/Rounding.h"

namespace mdlSmooth {

void RoundWindow(ui::Form& frm, double Radius) {
    const int w = static_cast<int>(shared::roundHalfEven(frm.Width() / ui::kTwipsPerPixel));
    const int h = static_cast<int>(shared::roundHalfEven(frm.Height() / ui::kTwipsPerPixel));
    sys::SetWindowRgn(frm.widget(), w, h, static_cast<int>(shared::roundHalfEven(Radius)));
}

}  // namespace mdlSmooth
