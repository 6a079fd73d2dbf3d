#pragma once

#include <QString>
#include <cstdint>

namespace sys {

class Registry;

// The small outside component that writes 32-bit values into the registry by
// full key path, as the subtitle filter's settings are written.
class RegistryWriter {
  public:
    explicit RegistryWriter(Registry& registry) : registry_(registry) {}

    // keyPath is the root key's name, a backslash and the path below it
    // ("HKEY_CURRENT_USER\Software\..."); the key is made when missing.
    // Returns ERROR_SUCCESS, or ERROR_INVALID_HANDLE for a root it does not
    // know or an empty path below it.
    long WriteDword(const QString& keyPath, const QString& valueName, std::int32_t value);

  private:
    Registry& registry_;
};

}  // namespace sys
