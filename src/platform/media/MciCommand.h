#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/media/MciErrors.h"
#include "platform/media/Text.h"

namespace media {

enum class Verb { Open, Close, Play, Pause, Resume, Stop, Seek, Status, Set, Put, Where, SetAudio };
enum class StatusItem { Mode, Length, Position, Speed };
enum class TimeFormat { Milliseconds, Frames };
enum class Channel { Both, Left, Right };
// The picture's own size, or the window it is drawn into.
enum class WhereRect { Destination, Source };

struct OpenArgs {
    std::string element;  // a file path, or a device name such as "cdaudio"; may be empty
    std::string type;     // the device type as written; empty when not given
    std::string alias;    // empty when not given
    std::optional<int> parent;
};

// An absent from/to means the current position / the end of the medium.
struct PlayArgs {
    std::optional<std::int64_t> from;
    std::optional<std::int64_t> to;
    bool wait = false;  // return only when the range has played out
};

struct SetArgs {
    std::optional<TimeFormat> timeFormat;
    std::optional<bool> doorOpen;
};

struct SeekArgs {
    std::int64_t to = 0;
};

struct WindowRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct SetAudioArgs {
    Channel channel = Channel::Both;
    int volume = 0;  // 0 to 1000
};

struct MciCommand {
    Verb verb = Verb::Close;
    // The alias or device name the command is for, as written ("all" for close all);
    // for open, the name the new device will answer to.
    std::string device;
    std::variant<std::monostate, OpenArgs, PlayArgs, StatusItem, SetArgs, SeekArgs, WindowRect,
                 WhereRect, SetAudioArgs>
        args;
};

struct ParsedCommand {
    MciError error = MciError::None;
    MciCommand command;
};

// Reads one command string: keywords in any letter case, words separated by
// blanks, a word in double quotes may hold blanks.  The element of an open
// command may also hold blanks unquoted, as paths on this system do: it runs up
// to the last "type" keyword that starts a valid list of open flags, or,
// without one, up to the first word from which the rest is a valid list.
ParsedCommand parseMciCommand(std::string_view text);

}  // namespace media
