#pragma once

#include <cstdint>

namespace media {

// Return codes of the command interface.  0 is success; every other code has
// one sentence that mciErrorText gives and that the player shows as it is.
enum class MciError : std::uint32_t {
    None = 0,
    InvalidDeviceName = 301,
    UnrecognizedCommand,
    UnrecognizedKeyword,
    MissingCommand,
    MissingDeviceName,
    MissingParameter,
    BadInteger,
    OutOfRange,
    NoClosingQuote,
    DuplicateKeyword,
    CannotUseAll,
    DuplicateAlias,
    UnknownDeviceType,
    FilenameRequired,
    FileNotFound,
    InvalidFile,
    LoadTimeout,
    BadWindowHandle,
    NoWindow,
    UnsupportedFunction,
    NoCdDrive,
    DeviceFailed,
    EngineUnavailable,
};

inline std::uint32_t code(MciError error) {
    return static_cast<std::uint32_t>(error);
}

// The sentence for a return code, or nullptr for a code that is not ours.
const char* mciErrorText(std::uint32_t code);

}  // namespace media
