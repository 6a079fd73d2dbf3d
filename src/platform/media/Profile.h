#pragma once

#include <cstdint>
#include <set>
#include <string>

namespace media {

// The profile-string calls the player makes on "system.ini", kept on private
// files in the per-user settings folder.  Whatever folder a file name carries
// (the player builds it from GetWindowsDirectoryA, with backslashes), only its
// last part counts and the file is the one of that name in the settings
// folder: a real system file is never read or written.
//
// Files are "key=value" lines under "[section]" headers; section and key names
// are matched without regard to case, values are returned trimmed.  Writing
// keeps every other line as it was and replaces the file in one step.  A
// folder, pipe or device in a file's place (links followed) reads as a
// missing file, said once on standard error, and is never written over.
class Profile {
  public:
    explicit Profile(std::string settingsFolder) : folder_(std::move(settingsFolder)) {}

    // The settings folder.  Returns its length, or, when the buffer is too
    // small, the size needed (with the NUL) and an empty buffer.
    std::uint32_t GetWindowsDirectoryA(char* buffer, std::uint32_t size) const;
    // The value, or the default when the file, section or key is missing; cut
    // to fit the buffer.  Returns the number of characters copied.
    std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                           const char* defaultValue, char* buffer,
                                           std::uint32_t size, const char* fileName) const;
    // Returns false when nothing was written (bad arguments, unwritable folder).
    bool WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                    const char* fileName) const;

  private:
    std::string privatePath(const char* fileName) const;
    // Whether a folder, pipe or device stands in the file's place.
    bool passedOver(const std::string& path) const;
    std::string folder_;
    mutable std::set<std::string> passedOver_;
};

}  // namespace media
