#pragma once

#include <QIcon>
#include <QString>
#include <cstdint>

class PlenkApp;
namespace ui {
class Form;
}

// The player's icon in the desktop's notification area.
namespace modSysTray {
// The icon's clicks and context requests reach frm's Form_MouseMove.
void AddTrayIcon(PlenkApp& app, ui::Form& frm, std::uint32_t Id, const QIcon& Icon,
                 const QString& Tip);
void RemoveTrayIcon(PlenkApp& app, std::uint32_t Id);
}  // namespace modSysTray
