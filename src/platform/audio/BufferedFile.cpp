#include "platform/audio/BufferedFile.h"

#include <sys/stat.h>

namespace audio {

BufferedFile::BufferedFile(const std::string& utf8Path)
    : file_(std::fopen(utf8Path.c_str(), "rbe")) {
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

// Asked of the file, not found by seeking, which would drop the read buffer.
std::int64_t BufferedFile::length() {
    struct stat info {};
    return fstat(fileno(file_), &info) == 0 ? info.st_size : -1;
}

}  // namespace audio
