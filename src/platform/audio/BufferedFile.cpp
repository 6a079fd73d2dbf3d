#include "platform/audio/BufferedFile.h"

namespace audio {

BufferedFile::BufferedFile(const std::string& utf8Path)
    : file_(std::fopen(utf8Path.c_str(), "rb")) {
    if (file_) std::setvbuf(file_, nullptr, _IOFBF, kBufferBytes);
}

BufferedFile::~BufferedFile() {
    if (file_) std::fclose(file_);
}

std::size_t BufferedFile::read(void* to, std::size_t bytes) {
    return std::fread(to, 1, bytes, file_);
}

std::int64_t BufferedFile::seek(std::int64_t offset, int whence) {
    return fseeko(file_, offset, whence) == 0 ? ftello(file_) : -1;
}

std::int64_t BufferedFile::tell() {
    return ftello(file_);
}

std::int64_t BufferedFile::length() {
    const off_t at = ftello(file_);
    if (fseeko(file_, 0, SEEK_END) != 0) return -1;
    const off_t end = ftello(file_);
    fseeko(file_, at, SEEK_SET);
    return end;
}

}  // namespace audio
