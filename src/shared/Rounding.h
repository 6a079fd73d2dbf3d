#pragma once

#include <cstdint>

namespace shared {

// Fractions to whole numbers go to the nearest, halves to the even neighbour
// (2.5 gives 2, 3.5 gives 4).
double roundHalfEven(double value);
// To a 16-bit or 32-bit whole number; a value that does not fit fails with Overflow.
std::int16_t CInt(double value);
std::int32_t CLng(double value);

}  // namespace shared
