#pragma once

#include <cstdint>
#include <string_view>

namespace media {

// Copies text into a caller's character buffer of the given size, cut to fit
// and always terminated (unless the buffer is null or of size 0, when nothing
// is written).  Returns the number of characters written before the NUL.
std::uint32_t copyToBuffer(std::string_view text, char* buffer, std::uint32_t size);

// The path-returning calls' contract: the whole text and its length when it
// fits with its NUL; otherwise an empty buffer and the size it would need.
std::uint32_t copyWholeToBuffer(std::string_view text, char* buffer, std::uint32_t size);

// The text without blanks, tabs and line ends at either end.
std::string_view trimmed(std::string_view text);

// ASCII letters compared without regard to case; other bytes exactly.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace media
