#pragma once

#include <QString>
#include <cstdint>

class PlenkApp;

// The seek slider counts a stream played through the audio engine in units of
// 100000 bytes of the decoded stream.
namespace BassSeek {

// The byte position of a slider value: value x 100000, halves to even, in 64
// bits, so positions past 2^31 bytes (some 3 h 22 min of CD audio) keep their
// place.  A value that is no number, negative or beyond 2^63 bytes fails with
// an overflow (ui::RuntimeError).
std::uint64_t bytePosition(double sliderValue);

// Seeks the channel whose handle the text names to the slider value's byte
// position; the engine's answer is not examined.  A handle text that is no
// whole number fails with a type mismatch and a bad position with an
// overflow, both before anything is sought.
void seek(PlenkApp& app, const QString& channel, double sliderValue);

}  // namespace BassSeek
