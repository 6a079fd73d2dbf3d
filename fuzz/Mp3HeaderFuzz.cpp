// Arbitrary bytes through the MPEG header reader: in memory with a file
// length taken from the input (so huge files and the 32-bit bit-count rule
// are reached), and as a real file, which must read the same.
#include <cstdint>
#include <cstring>

#include "core/Mp3InfoMod.h"
#include "fuzz/ScratchFile.h"

namespace {

bool same(const Mp3Info& a, const Mp3Info& b) {
    return a.Bitrate == b.Bitrate && a.ChannelMode == b.ChannelMode && a.Copyright == b.Copyright &&
           a.Crc == b.Crc && a.Emphasis == b.Emphasis && a.Frequency == b.Frequency &&
           a.Layer == b.Layer && a.Length == b.Length && a.Version == b.Version &&
           a.Original == b.Original && a.FileSize == b.FileSize;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Mp3InfoMod reader;

    std::uint64_t raw = 0;
    std::memcpy(&raw, data, std::min(size, sizeof raw));
    const auto length = static_cast<std::int64_t>(raw >> 1);
    Mp3Info inMemory;
    reader.readHead(bytes, length, inMemory);
    if (!inMemory.FileSize.isEmpty() && inMemory.FileSize != QString::number(length)) std::abort();

    Mp3Info fromFile, expected;
    reader.ReadMp3Info(writeScratch(bytes), fromFile);
    reader.readHead(bytes, bytes.size(), expected);
    if (!same(fromFile, expected)) std::abort();
    return 0;
}
