#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace ui {

// The rows of a list control, kept compactly: each row is one piece of
// bytes (Latin-1 when every character fits, UTF-8 otherwise, UTF-16 only for
// text UTF-8 cannot carry) in large shared blocks, plus 16 bytes of index.
// A row becomes a QString only when asked for, so a million rows cost about
// their text's length plus the index.
//
// Copying a list, or appending rows of another list, shares the blocks
// holding the text: the bytes are never written twice and stay alive while
// any list uses them.  Once the text of rows a list removed or replaced
// outweighs its rows, the list moves its rows into fresh blocks.
class ListRows {
  public:
    ListRows() = default;
    // A copy shares the text; each list writes new text into blocks of its own.
    ListRows(const ListRows& other);
    ListRows& operator=(const ListRows& other);
    ListRows(ListRows&&) noexcept = default;
    ListRows& operator=(ListRows&&) noexcept = default;
    ~ListRows();

    int size() const { return static_cast<int>(rows_.size()); }
    bool empty() const { return rows_.empty(); }
    QString at(int row) const;
    // Appends the row's text as UTF-8 to out; false when UTF-8 cannot carry
    // it whole (a lone surrogate becomes "?", as QString::toUtf8 gives it).
    bool appendUtf8(int row, QByteArray& out) const;

    void insert(int row, QStringView text);
    // Inserts text given as valid UTF-8, without a QString on the way.
    void insertUtf8(int row, QByteArrayView utf8);
    void replace(int row, QStringView text);
    void erase(int row);
    // Takes row from's text to row to, the rows between moving one place up
    // or down; no text is copied.
    void move(int from, int to);
    void clear();
    void reserve(int rows) { rows_.reserve(static_cast<std::size_t>(rows)); }
    int capacity() const { return static_cast<int>(rows_.capacity()); }
    // Makes room for at least bytes more text in one block (a list about to
    // take a block of a file), so its text is not spread over small blocks.
    void reserveText(std::size_t bytes);
    // Appends the given rows of source, sharing its text.
    void appendFrom(const ListRows& source, std::span<const int> rows);
    // Appends count rows of source from first on, sharing its text.
    void appendFrom(const ListRows& source, int first, int count);
    // Appends, for each row of source, a part of its text, sharing the bytes.
    // byteCut is given the row as Latin-1 or UTF-8 bytes and must return a
    // piece of them that starts and ends beside ASCII characters (or at the
    // ends); rows kept as UTF-16 go through textCut instead.
    // Whether test holds for every row, given as Latin-1 or UTF-8 bytes (a row
    // kept as UTF-16 fails it: UTF-8 cannot carry it).
    bool all(bool (*test)(QByteArrayView)) const;
    using ByteCut = QByteArrayView (*)(QByteArrayView);
    using TextCut = QStringView (*)(QStringView);
    void appendPartsOf(const ListRows& source, ByteCut byteCut, TextCut textCut);

    // The rows whose text holds text, each character compared by its upper
    // case (one UTF-16 unit for one, as QChar::toUpper gives it) unless
    // caseSensitive; an empty text is held nowhere.
    std::vector<int> rowsHolding(const QString& text, bool caseSensitive) const;

  private:
    enum Encoding : std::uint8_t { Latin1, Utf8, Utf16 };
    struct Row {
        const char* bytes;
        std::uint32_t size;
        Encoding encoding;
    };
    struct Block;

    // Room for size bytes in this list's own last block (a new one when full).
    char* place(std::size_t size);
    Row stored(QByteArrayView bytes, Encoding encoding);
    Row encoded(QStringView text);
    void insertRow(int row, Row placed);
    void dropped(const Row& row);
    // Moves the rows into fresh blocks once dead bytes outweigh live ones.
    void compactIfWasteful();
    void share(const std::vector<std::shared_ptr<Block>>& blocks);

    std::vector<Row> rows_;
    // Every block a row may point into; tail_ is where new text goes, and
    // only this list writes there.
    std::vector<std::shared_ptr<Block>> blocks_;
    std::shared_ptr<Block> tail_;
    std::size_t liveBytes_ = 0;
    // Text of rows this list removed or replaced; text it shares with other
    // lists is theirs too and never counts as dead here.
    std::size_t deadBytes_ = 0;
};

}  // namespace ui
