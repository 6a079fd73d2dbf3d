#pragma once

#include <QIcon>
#include <QString>
#include <cstdint>

class PlenkApp;

// The player's icon in the desktop's notification area.
namespace modSysTray {
void AddTrayIcon(PlenkApp& app, std::uint32_t Id, const QIcon& Icon, const QString& Tip);
void RemoveTrayIcon(PlenkApp& app, std::uint32_t Id);
}  // namespace modSysTray
