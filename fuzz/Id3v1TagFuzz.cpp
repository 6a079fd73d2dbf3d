// Arbitrary files through the ID3v1 tag reader and writer: a tag is found
// exactly when the last 128 bytes start with "TAG", it reads back byte for
// byte, and writing one changes nothing but the tag.
#include <cstdint>

#include "core/Id3v1Tag.h"
#include "fuzz/ScratchFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString path = writeScratch(bytes);

    const std::optional<Id3v1Tag> tag = Id3v1Tag::readFrom(path);
    const bool tagged = bytes.size() >= 128 && bytes.right(128).startsWith("TAG");
    if (tag.has_value() != tagged) std::abort();
    if (tag && tag->toBlock() != bytes.right(128)) std::abort();

    Id3v1Tag written = tag.value_or(Id3v1Tag::blank());
    written.Title = QString::fromUtf8(bytes.left(40));
    written.Year = QString::fromLatin1(bytes.right(6));
    if (!written.writeTo(path)) std::abort();
    const QByteArray after = readScratch(path);
    const qsizetype kept = tagged ? bytes.size() - 125 : bytes.size();
    const qsizetype grown = tagged ? 0 : 128;
    if (after.size() != bytes.size() + grown || after.left(kept) != bytes.left(kept)) std::abort();
    const std::optional<Id3v1Tag> reread = Id3v1Tag::readFrom(path);
    if (!reread || reread->toBlock() != written.toBlock()) std::abort();
    return 0;
}
