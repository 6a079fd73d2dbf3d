#include "shared/Rounding.h"

#include <cfenv>
#include <cmath>

#include "platform/ui/RuntimeError.h"

namespace shared {

double roundHalfEven(double value) {
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5) return lower;
    if (diff > 0.5) return lower + 1;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

std::int16_t CInt(double value) {
    const double r = roundHalfEven(value);
    if (!(r >= -32768 && r <= 32767)) throw ui::RuntimeError(ui::kOverflow);
    return static_cast<std::int16_t>(r);
}

std::int32_t CLng(double value) {
    const double r = roundHalfEven(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw ui::RuntimeError(ui::kOverflow);
    return static_cast<std::int32_t>(r);
}

}  // namespace shared
