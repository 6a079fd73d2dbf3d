#pragma once

#include <QByteArray>
#include <QString>

namespace shared {

// Windows-1252, one byte per character; characters it cannot hold become "?".
QString fromCp1252(const QByteArray& bytes);
QByteArray toCp1252(const QString& text);

// Text files are UTF-8 without a byte-order mark; a file that is not valid
// UTF-8 is read as Windows-1252, so files of the original program load.  A
// byte-order mark is not recognised: it stays part of the text.
QString decodeText(const QByteArray& bytes);
QByteArray encodeText(const QString& text);

}  // namespace shared
