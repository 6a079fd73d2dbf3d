#pragma once

#include <cstdint>

namespace media {

// Paths here have no short form: an existing path comes back as it is (its
// length returned; when the buffer is too small, the size needed and an empty
// buffer); a path that does not exist gives "" and 0.
std::uint32_t GetShortPathNameA(const char* longPath, char* buffer, std::uint32_t size);

}  // namespace media
