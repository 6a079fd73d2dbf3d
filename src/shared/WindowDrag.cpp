#include "shared/WindowDrag.h"

#include "platform/ui/WindowMessages.h"
#include "shared/DataForm.h"
#include "shared/PlayerForm.h"

void handDragToSystem(ui::Form& window, int hitCode) {
    ui::ReleaseCapture(window.application());
    ui::SendMessageA(window, ui::WM_NCLBUTTONDOWN, hitCode, 0);
}

void dragWindow(PlayerForm& window, int hitCode) {
    if (window.WindowState() != ui::Form::vbNormal) return;
    if (window.form<DataForm>().FullScreenStat.Caption() != "False") return;
    handDragToSystem(window, hitCode);
}
