#include "platform/media/Text.h"

#include <algorithm>
#include <cstring>

namespace media {

std::uint32_t copyToBuffer(std::string_view text, char* buffer, std::uint32_t size) {
    if (buffer == nullptr || size == 0) return 0;
    const auto count = static_cast<std::uint32_t>(std::min<std::size_t>(text.size(), size - 1));
    if (count > 0) std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return count;
}

std::uint32_t copyWholeToBuffer(std::string_view text, char* buffer, std::uint32_t size) {
    if (text.size() < size) return copyToBuffer(text, buffer, size);
    copyToBuffer({}, buffer, size);
    return static_cast<std::uint32_t>(text.size() + 1);
}

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace media
