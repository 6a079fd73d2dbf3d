#include "platform/media/ShortPath.h"

#include <sys/stat.h>

#include "platform/media/Text.h"

namespace media {

std::uint32_t GetShortPathNameA(const char* longPath, char* buffer, std::uint32_t size) {
    struct stat info {};
    if (longPath == nullptr || *longPath == '\0' || ::stat(longPath, &info) != 0) {
        copyToBuffer({}, buffer, size);
        return 0;
    }
    return copyWholeToBuffer(longPath, buffer, size);
}

}  // namespace media
