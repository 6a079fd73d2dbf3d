#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace shared {

// Windows-1252, one byte per character; characters it cannot hold become "?".
QString fromCp1252(QByteArrayView bytes);
QByteArray toCp1252(const QString& text);

// Text files are written as UTF-8 without a byte-order mark.
QByteArray encodeText(const QString& text);
// One piece of UTF-8, or nothing when it is not valid UTF-8.  A byte-order
// mark at the start of a file (first) is not recognised: it stays in the text.
std::optional<QString> decodeUtf8(QByteArrayView bytes, bool first);
// One line of a text file: UTF-8 when it is valid UTF-8, Windows-1252
// otherwise, so lists written on Windows in its code page load and one odd
// line never changes how the others read.
QString decodeLine(QByteArrayView bytes, bool first);
// A CR or LF, either of which ends a line of a text file: text that holds
// one (as encodeText gives it) is no item of a list file.
bool holdsLineBreak(QByteArrayView encoded);

}  // namespace shared
