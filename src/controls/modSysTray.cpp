#include "controls/modSysTray.h"

#include "app/PlenkApp.h"

namespace modSysTray {

void AddTrayIcon(PlenkApp& app, ui::Form& frm, std::uint32_t Id, const QIcon& Icon,
                 const QString& Tip) {
    app.tray().Shell_NotifyIconA(sys::NIM_ADD, Id, Icon, Tip, &frm);
}

void RemoveTrayIcon(PlenkApp& app, std::uint32_t Id) {
    app.tray().Shell_NotifyIconA(sys::NIM_DELETE, Id, {}, {});
}

}  // namespace modSysTray
