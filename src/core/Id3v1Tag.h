#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <optional>

// A text of fixed width: a value put in is cut to the width or padded on the
// right with blanks.  A new one holds zero characters.
template <int Width>
class FixedText {
  public:
    static constexpr int width = Width;

    FixedText() : text_(Width, QChar(u'\0')) {}
    FixedText& operator=(const QString& value) {
        text_ = value.left(Width).leftJustified(Width, u' ');
        return *this;
    }
    const QString& text() const { return text_; }
    // The text without the blanks and zero characters that pad it out.
    QString withoutPadding() const {
        qsizetype end = text_.size();
        while (end > 0 && (text_[end - 1] == u' ' || text_[end - 1] == u'\0'))
            --end;
        return text_.left(end);
    }
    operator const QString&() const { return text_; }
    bool operator==(const FixedText&) const = default;

  private:
    QString text_;
};

// The ID3v1 tag: the last 128 bytes of a media file, "TAG" followed by the
// fields in this order, one Windows-1252 byte per character, no separators.
// A text read from a file keeps every character as stored, zeros and blanks
// included.
struct Id3v1Tag {
    FixedText<30> Title;
    FixedText<30> Artist;
    FixedText<30> Album;
    FixedText<4> Year;
    FixedText<30> Comment;
    std::uint8_t Genre = 0;

    static constexpr int kBlockSize = 128;
    static constexpr std::uint8_t kNoGenre = 255;

    // What a file without a tag has: blank texts and no genre.
    static Id3v1Tag blank();
    bool operator==(const Id3v1Tag&) const = default;

    // The 128-byte block, marker included.
    QByteArray toBlock() const;
    // The tag a block holds: exactly 128 bytes beginning with "TAG" in
    // capitals; anything else is no tag.
    static std::optional<Id3v1Tag> fromBlock(QByteArrayView block);

    // The tag at the end of a file; nothing when the file has none or cannot
    // be read.
    static std::optional<Id3v1Tag> readFrom(const QString& path);
    // Stores the tag over the file's own, or appends one when it has none.
    // A file that cannot be written is left as it was and false comes back.
    // A track number the file's tag holds stays when the comment leaves it
    // room.
    bool writeTo(const QString& path) const;
};
