#pragma once

#include <cstddef>
#include <cstdint>

namespace audio {

// What the first frame of an MPEG layer III file may say about the file: a Xing
// or Info header (the frame holds no audio), the frames that follow it, and from
// a LAME extension the encoder's delay and padding in samples.
struct InfoFrame {
    bool present = false;
    std::int64_t frames = -1;  // -1 where not given
    int delay = -1;
    int padding = -1;
};

// Reads a frame's 32-bit header and its body (the bytes after the header).
InfoFrame readInfoFrame(unsigned long header, const unsigned char* body, std::size_t bytes);

// Samples an MPEG layer III decoder's output lags its input.
inline constexpr int kDecoderDelay = 529;

}  // namespace audio
