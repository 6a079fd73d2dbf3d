#include "shared/TextCodec.h"

#include <QStringDecoder>
#include <array>

namespace shared {

namespace {

// Bytes 0x80 to 0x9F; the five unassigned ones map to the same C1 code points.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char toByte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

}  // namespace

QString fromCp1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (unsigned char b : bytes)
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b));
    return text;
}

QByteArray toCp1252(const QString& text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (QChar c : text)
        *out++ = toByte(c.unicode());
    return bytes;
}

std::optional<QString> decodeUtf8(QByteArrayView bytes, bool first) {
    QStringConverter::Flags flags = QStringConverter::Flag::Stateless;
    if (first) flags |= QStringConverter::Flag::ConvertInitialBom;
    QStringDecoder utf8(QStringDecoder::Utf8, flags);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) return std::nullopt;
    return text;
}

QString decodeLine(QByteArrayView bytes, bool first) {
    if (auto text = decodeUtf8(bytes, first)) return std::move(*text);
    return fromCp1252(bytes);
}

bool holdsLineBreak(QByteArrayView encoded) {
    return encoded.contains('\r') || encoded.contains('\n');
}

QByteArray encodeText(const QString& text) {
    return text.toUtf8();
}

}  // namespace shared
