#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace shared {

// Windows-1252, one byte per character; characters it cannot hold become "?".
QString fromCp1252(const QByteArray& bytes);
QByteArray toCp1252(const QString& text);

// Text files are UTF-8 without a byte-order mark; a file that is not valid
// UTF-8 is read as Windows-1252, so files of the original program load.
// One piece of UTF-8, or nothing when it is not valid UTF-8.  A byte-order
// mark at the start of a file (first) is not recognised: it stays in the text.
std::optional<QString> decodeUtf8(QByteArrayView bytes, bool first);
QByteArray encodeText(const QString& text);

}  // namespace shared
