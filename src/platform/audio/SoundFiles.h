#pragma once

#include <memory>
#include <string>

#include "platform/audio/Decoder.h"

namespace audio {

// The decoders openSoundFile chooses between; each gives null when the file is not
// of its kind or holds no decodable frame.
std::unique_ptr<Decoder> openMpeg(const std::string& utf8Path);
std::unique_ptr<Decoder> openVorbis(const std::string& utf8Path);
// Anything but MPEG audio and Ogg Vorbis, which have decoders of their own.
std::unique_ptr<Decoder> openLibSndFile(const std::string& utf8Path);

// Whether libopenmpt's own probe of the file's first bytes takes it for a module.
bool isModule(const std::string& utf8Path);

// Frames beyond this are a lying header, not a file (about 280 days at 44.1 kHz).
inline constexpr std::uint64_t kMaxFrames = std::uint64_t{1} << 40;

}  // namespace audio
