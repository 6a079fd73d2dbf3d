#pragma once

#include <cmath>

namespace ui {

// Geometry is kept in twips; the screen shows 15 twips per logical pixel.
inline constexpr float kTwipsPerPixel = 15.0f;

inline int toPixels(float twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
inline float toTwips(int pixels) {
    return static_cast<float>(pixels) * kTwipsPerPixel;
}
inline float toTwips(double pixels) {
    return static_cast<float>(pixels * kTwipsPerPixel);
}

// Mouse button and shift-state values as event handlers receive them.
enum MouseButton { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum ShiftState { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

}  // namespace ui
