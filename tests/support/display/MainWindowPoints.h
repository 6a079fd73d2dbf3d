#pragma once

#include <QPoint>
#include <QString>

// The main window as the display tests find and point at it: its title, and
// points of its full layout in pixels from its corner.
namespace displaytest::mainwindow {

inline const QString kTitle = "Plenk Player";
inline constexpr QPoint kTitleStrip(287, 9);
inline constexpr QPoint kFileHead(31, 5);
inline constexpr QPoint kOptionsHead(100, 8);
inline constexpr QPoint kMinimize(340, 9);
inline constexpr QPoint kClose(368, 8);

}  // namespace displaytest::mainwindow
