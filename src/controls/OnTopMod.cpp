#include "controls/OnTopMod.h"

#include "platform/system/WindowServices.h"
#include "platform/ui/Form.h"

namespace OnTopMod {

void SetTopMost(ui::Form& window) {
    sys::SetWindowPos(window.widget(), sys::HWND_TOPMOST);
}
void SetNotTopMost(ui::Form& window) {
    sys::SetWindowPos(window.widget(), sys::HWND_NOTOPMOST);
}

}  // namespace OnTopMod
