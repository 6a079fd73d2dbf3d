#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace audio {

// A file read through a large buffer: the decoders read a few hundred bytes at a
// time, and each read of the file itself would be a system call. The calls match
// what the decoding libraries ask of their readers.
class BufferedFile {
  public:
    static constexpr std::size_t kBufferBytes = 64 * 1024;

    explicit BufferedFile(const std::string& utf8Path);
    ~BufferedFile();
    BufferedFile(const BufferedFile&) = delete;
    BufferedFile& operator=(const BufferedFile&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    // Bytes read, 0 at the end or on an error.
    std::size_t read(void* to, std::size_t bytes);
    // The new offset, -1 when the seek failed.
    std::int64_t seek(std::int64_t offset, int whence);
    std::int64_t tell();
    std::int64_t length();

    // The file behind a decoding library's opaque handle.
    static BufferedFile& of(void* handle) { return *static_cast<BufferedFile*>(handle); }

  private:
    std::FILE* file_;
};

}  // namespace audio
