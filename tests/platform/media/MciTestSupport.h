#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "platform/media/Mci.h"

namespace media {

// Error codes show as numbers in test failures.
inline void PrintTo(MciError error, std::ostream* out) {
    *out << code(error);
}

}  // namespace media

namespace mcitest {

struct Sent {
    std::uint32_t code;
    std::string reply;
};

// Sends a command with a 128-character reply buffer, as the player does.
inline Sent send(media::Mci& mci, const std::string& command) {
    char reply[128] = "untouched";
    const std::uint32_t code = mci.mciSendStringA(command.c_str(), reply, sizeof reply, 0);
    return {code, reply};
}

// The mode and the position of the device "movie", as "stopped 50".
inline std::string modeAndPosition(media::Mci& mci) {
    return send(mci, "status movie mode").reply + " " + send(mci, "status movie position").reply;
}

}  // namespace mcitest
