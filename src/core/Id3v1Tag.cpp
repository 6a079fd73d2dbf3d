#include "core/Id3v1Tag.h"

#include <QFile>

#include "platform/files/Files.h"
#include "shared/TextCodec.h"

namespace {

constexpr QByteArrayView kMarker = "TAG";
constexpr int kMarkerSize = 3;
// Other programs keep a track number in the comment's last byte, behind a
// zero: the comment is then 28 characters long at most.
constexpr int kTrackAt = Id3v1Tag::kBlockSize - 2;
constexpr int kTrackCommentWidth = 28;

template <int Width>
void take(QByteArrayView block, int& at, FixedText<Width>& field) {
    field = shared::fromCp1252(block.sliced(at, Width).toByteArray());
    at += Width;
}

template <int Width>
void put(QByteArray& block, const FixedText<Width>& field) {
    block += shared::toCp1252(field.text());
}

bool hasMarker(QByteArrayView block) {
    return block.size() == Id3v1Tag::kBlockSize && block.first(kMarkerSize) == kMarker;
}

// The last 128 bytes of an open file; empty when it is shorter.
QByteArray lastBlock(QFile& file) {
    const qint64 size = file.size();
    if (size < Id3v1Tag::kBlockSize || !file.seek(size - Id3v1Tag::kBlockSize)) return {};
    return file.read(Id3v1Tag::kBlockSize);
}

// Reading takes the track byte as comment text, so a comment saved back as
// the editor shows it would blank the track for every other program.
void keepTrack(QByteArrayView old, const FixedText<30>& comment, QByteArray& block) {
    const bool holdsTrack = old[kTrackAt - 1] == '\0' && old[kTrackAt] != '\0';
    if (!holdsTrack || comment.withoutPadding().size() > kTrackCommentWidth) return;
    block[kTrackAt - 1] = old[kTrackAt - 1];
    block[kTrackAt] = old[kTrackAt];
}

}  // namespace

Id3v1Tag Id3v1Tag::blank() {
    Id3v1Tag tag;
    tag.Title = tag.Artist = tag.Album = tag.Comment = QString();
    tag.Year = QString();
    tag.Genre = kNoGenre;
    return tag;
}

QByteArray Id3v1Tag::toBlock() const {
    QByteArray block = kMarker.toByteArray();
    put(block, Title);
    put(block, Artist);
    put(block, Album);
    put(block, Year);
    put(block, Comment);
    block += static_cast<char>(Genre);
    return block;
}

std::optional<Id3v1Tag> Id3v1Tag::fromBlock(QByteArrayView block) {
    if (!hasMarker(block)) return std::nullopt;
    Id3v1Tag tag;
    int at = kMarkerSize;
    take(block, at, tag.Title);
    take(block, at, tag.Artist);
    take(block, at, tag.Album);
    take(block, at, tag.Year);
    take(block, at, tag.Comment);
    tag.Genre = static_cast<std::uint8_t>(block[at]);
    return tag;
}

std::optional<Id3v1Tag> Id3v1Tag::readFrom(const QString& path) {
    QFile file(path);
    if (!files::openRegularFile(file, QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    return fromBlock(lastBlock(file));
}

bool Id3v1Tag::writeTo(const QString& path) const {
    QFile file(path);
    if (!files::openRegularFile(file, QIODevice::ReadWrite)) return false;
    const qint64 size = file.size();
    const QByteArray old = lastBlock(file);
    const bool tagged = hasMarker(old);
    QByteArray block = toBlock();
    if (tagged) keepTrack(old, Comment, block);
    const QByteArray bytes = tagged ? block.sliced(kMarkerSize) : block;
    const qint64 at = tagged ? size - bytes.size() : size;
    if (file.seek(at) && file.write(bytes) == bytes.size() && file.flush()) return true;
    if (!tagged) file.resize(size);
    return false;
}
