#include "platform/ui/ListRows.h"

#include "platform/ui/UpperCase.h"

#include <QChar>
#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_set>

namespace ui {

namespace {

constexpr std::size_t kSmallestBlock = 256;
constexpr std::size_t kLargestBlock = std::size_t{1} << 20;
// Dead bytes tolerated beyond the live ones before the rows are moved.
constexpr std::size_t kSlack = std::size_t{1} << 16;

bool fitsLatin1(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x100; });
}

bool isAscii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
}

// What each Latin-1 byte is compared as.
using ByteMap = std::array<char16_t, 256>;

const ByteMap& byteMap(bool caseSensitive) {
    static const ByteMap same = [] {
        ByteMap map{};
        for (std::size_t b = 0; b < map.size(); ++b)
            map[b] = char16_t(b);
        return map;
    }();
    static const ByteMap upper = [] {
        ByteMap map{};
        for (std::size_t b = 0; b < map.size(); ++b)
            map[b] = upperCase(char16_t(b));
        return map;
    }();
    return caseSensitive ? same : upper;
}

bool holds(const unsigned char* bytes, std::size_t size, const ByteMap& map, QStringView needle) {
    const auto m = static_cast<std::size_t>(needle.size());
    if (m > size) return false;
    const char16_t first = needle[0].unicode();
    for (std::size_t p = 0; p + m <= size; ++p) {
        if (map[bytes[p]] != first) continue;
        std::size_t i = 1;
        while (i < m && map[bytes[p + i]] == needle[i].unicode())
            ++i;
        if (i == m) return true;
    }
    return false;
}

}  // namespace

struct ListRows::Block {
    explicit Block(std::size_t size) : bytes(new char[size]), capacity(size) {}
    std::unique_ptr<char[]> bytes;
    std::size_t capacity;
    std::size_t used = 0;
};

ListRows::ListRows(const ListRows& other)
    : rows_(other.rows_),
      blocks_(other.blocks_),
      liveBytes_(other.liveBytes_),
      deadBytes_(other.deadBytes_) {}

ListRows& ListRows::operator=(const ListRows& other) {
    if (this != &other) *this = ListRows(other);
    return *this;
}

ListRows::~ListRows() = default;

QString ListRows::at(int row) const {
    const Row& r = rows_[static_cast<std::size_t>(row)];
    const auto size = static_cast<qsizetype>(r.size);
    switch (r.encoding) {
        case Latin1:
            return QString::fromLatin1(r.bytes, size);
        case Utf8:
            return QString::fromUtf8(r.bytes, size);
        case Utf16:
            break;
    }
    QString text(size / 2, Qt::Uninitialized);
    if (size > 0) std::memcpy(text.data(), r.bytes, static_cast<std::size_t>(size));
    return text;
}

bool ListRows::appendUtf8(int row, QByteArray& out) const {
    const Row& r = rows_[static_cast<std::size_t>(row)];
    const QByteArrayView bytes(r.bytes, r.size);
    if (r.encoding == Utf8 || (r.encoding == Latin1 && isAscii(bytes)))
        out.append(bytes);
    else
        out.append(at(row).toUtf8());
    return r.encoding != Utf16;
}

char* ListRows::place(std::size_t size) {
    if (!tail_ || tail_->capacity - tail_->used < size) {
        const std::size_t grown = std::clamp(liveBytes_, kSmallestBlock, kLargestBlock);
        tail_ = std::make_shared<Block>(std::max(grown, size));
        blocks_.push_back(tail_);
    }
    char* at = tail_->bytes.get() + tail_->used;
    tail_->used += size;
    liveBytes_ += size;
    return at;
}

void ListRows::reserveText(std::size_t bytes) {
    if (tail_ && tail_->capacity - tail_->used >= bytes) return;
    tail_ = std::make_shared<Block>(bytes);
    blocks_.push_back(tail_);
}

ListRows::Row ListRows::stored(QByteArrayView bytes, Encoding encoding) {
    if (bytes.isEmpty()) return {nullptr, 0, encoding};
    const auto size = static_cast<std::size_t>(bytes.size());
    char* at = place(size);
    std::memcpy(at, bytes.data(), size);
    return {at, static_cast<std::uint32_t>(size), encoding};
}

ListRows::Row ListRows::encoded(QStringView text) {
    if (text.isEmpty()) return {nullptr, 0, Latin1};
    if (fitsLatin1(text)) {
        const auto size = static_cast<std::size_t>(text.size());
        char* at = place(size);
        std::transform(text.begin(), text.end(), at,
                       [](QChar c) { return static_cast<char>(c.unicode()); });
        return {at, static_cast<std::uint32_t>(size), Latin1};
    }
    // Lone surrogates do not survive UTF-8: such text keeps its UTF-16.
    if (!text.isValidUtf16())
        return stored(QByteArrayView(reinterpret_cast<const char*>(text.utf16()), text.size() * 2),
                      Utf16);
    return stored(text.toUtf8(), Utf8);
}

void ListRows::insertRow(int row, Row placed) {
    rows_.insert(rows_.begin() + row, placed);
}

void ListRows::insert(int row, QStringView text) {
    insertRow(row, encoded(text));
}

void ListRows::insertUtf8(int row, QByteArrayView utf8) {
    insertRow(row, stored(utf8, isAscii(utf8) ? Latin1 : Utf8));
}

void ListRows::replace(int row, QStringView text) {
    const Row placed = encoded(text);
    dropped(rows_[static_cast<std::size_t>(row)]);
    rows_[static_cast<std::size_t>(row)] = placed;
    compactIfWasteful();
}

void ListRows::erase(int row) {
    dropped(rows_[static_cast<std::size_t>(row)]);
    rows_.erase(rows_.begin() + row);
    compactIfWasteful();
}

void ListRows::move(int from, int to) {
    const auto at = [this](int row) { return rows_.begin() + row; };
    if (from < to)
        std::rotate(at(from), at(from + 1), at(to + 1));
    else if (to < from)
        std::rotate(at(to), at(from), at(from + 1));
}

void ListRows::clear() {
    *this = ListRows();
}

void ListRows::dropped(const Row& row) {
    liveBytes_ -= row.size;
    deadBytes_ += row.size;
}

void ListRows::share(const std::vector<std::shared_ptr<Block>>& blocks) {
    std::unordered_set<const Block*> held;
    for (const auto& block : blocks_)
        held.insert(block.get());
    for (const auto& block : blocks) {
        if (held.insert(block.get()).second) blocks_.push_back(block);
    }
}

void ListRows::appendFrom(const ListRows& source, std::span<const int> rows) {
    share(source.blocks_);
    rows_.reserve(rows_.size() + rows.size());
    for (const int row : rows) {
        const Row& r = source.rows_[static_cast<std::size_t>(row)];
        rows_.push_back(r);
        liveBytes_ += r.size;
    }
}

void ListRows::appendFrom(const ListRows& source, int first, int count) {
    share(source.blocks_);
    const auto begin = source.rows_.begin() + first;
    rows_.insert(rows_.end(), begin, begin + count);
    for (auto r = begin; r != begin + count; ++r)
        liveBytes_ += r->size;
}

bool ListRows::all(bool (*test)(QByteArrayView)) const {
    return std::all_of(rows_.begin(), rows_.end(), [test](const Row& r) {
        return r.encoding != Utf16 && test(QByteArrayView(r.bytes, r.size));
    });
}

void ListRows::appendPartsOf(const ListRows& source, ByteCut byteCut, TextCut textCut) {
    share(source.blocks_);
    rows_.reserve(rows_.size() + source.rows_.size());
    for (int i = 0; i < source.size(); ++i) {
        const Row& r = source.rows_[static_cast<std::size_t>(i)];
        if (r.encoding == Utf16) {
            const QString text = source.at(i);
            rows_.push_back(encoded(textCut(text)));
            continue;
        }
        const QByteArrayView part = byteCut(QByteArrayView(r.bytes, r.size));
        rows_.push_back({part.data(), static_cast<std::uint32_t>(part.size()), r.encoding});
        liveBytes_ += rows_.back().size;
    }
}

void ListRows::compactIfWasteful() {
    if (deadBytes_ <= liveBytes_ + kSlack) return;
    ListRows fresh;
    fresh.rows_.reserve(rows_.size());
    for (const Row& r : rows_)
        fresh.rows_.push_back(fresh.stored(QByteArrayView(r.bytes, r.size), r.encoding));
    *this = std::move(fresh);
}

std::vector<int> ListRows::rowsHolding(const QString& text, bool caseSensitive) const {
    std::vector<int> found;
    if (text.isEmpty()) return found;
    const QString needle = caseSensitive ? text : upperCased(text);
    const ByteMap& map = byteMap(caseSensitive);
    for (int i = 0; i < size(); ++i) {
        const Row& r = rows_[static_cast<std::size_t>(i)];
        const bool hit =
            r.encoding == Latin1
                ? holds(reinterpret_cast<const unsigned char*>(r.bytes), r.size, map, needle)
                : (caseSensitive ? at(i) : upperCased(at(i))).contains(needle);
        if (hit) found.push_back(i);
    }
    return found;
}

}  // namespace ui
