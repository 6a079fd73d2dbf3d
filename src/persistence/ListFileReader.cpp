#include "persistence/ListFileReader.h"

#include <algorithm>
#include <cstring>

#include "platform/files/Files.h"
#include "platform/ui/ListRows.h"
#include "shared/TextCodec.h"
#include "shared/WholeFileWriter.h"

namespace {

// The next c at or after from, or end.
const char* nextByte(const char* from, const char* end, char c) {
    const void* found = std::memchr(from, c, static_cast<size_t>(end - from));
    return found ? static_cast<const char*>(found) : end;
}

QByteArrayView withoutTrailingBlanks(QByteArrayView line) {
    while (!line.isEmpty() && line.back() == ' ')
        line.chop(1);
    return line;
}

// A line is a row as UTF-8 when it is valid UTF-8 and as Windows-1252
// otherwise, each line on its own, so one odd line changes no other; a blank
// is the same byte in both, so trailing ones go first.
void addLine(QByteArrayView line, ui::ListRows& rows) {
    line = withoutTrailingBlanks(line);
    if (line.isValidUtf8())
        rows.insertUtf8(rows.size(), line);
    else
        rows.insert(rows.size(), shared::fromCp1252(line));
}

// Appends every whole line of bytes to rows and returns where the unfinished
// last line starts.  A line ends at CR LF, a lone CR or a lone LF; a CR at the
// very end may still be followed by its LF, so it waits for more (unless
// last).
qsizetype addLines(QByteArrayView bytes, bool last, ui::ListRows& rows) {
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const char* start = begin;
    // The next CR and LF, each looked for again only once passed.
    const char* cr = nextByte(start, end, '\r');
    const char* lf = nextByte(start, end, '\n');
    while (start < end) {
        const char* stop = std::min(cr, lf);
        if (stop == end || (!last && stop + 1 == end && *stop == '\r')) break;
        addLine(QByteArrayView(start, stop), rows);
        start = stop + 1;
        if (*stop == '\r' && start < end && *start == '\n') ++start;
        if (cr < start) cr = nextByte(start, end, '\r');
        if (lf < start) lf = nextByte(start, end, '\n');
    }
    if (last && start < end) {
        addLine(QByteArrayView(start, end), rows);
        start = end;
    }
    return start - begin;
}

// Just past the last CR or LF at or after from; 0 without one.
qsizetype lastLineEnd(QByteArrayView bytes, qsizetype from) {
    for (qsizetype at = bytes.size(); at > from; --at)
        if (bytes[at - 1] == '\r' || bytes[at - 1] == '\n') return at;
    return 0;
}

}  // namespace

ListFileReader::ListFileReader(const QString& file, qint64 blockSize)
    : file_(file), blockSize_(blockSize) {
    if (file.isEmpty()) {
        ended_ = true;
        return;
    }
    shared::removeUnfinishedSaves(file);
    // Only a regular file: a pipe would block and a device read endlessly.
    ended_ = !files::openRegularFile(file_, QIODevice::ReadOnly);
}

bool ListFileReader::next(ui::ListRows& rows) {
    if (ended_) return false;
    const qsizetype kept = pending_.size();
    pending_.resize(kept + blockSize_);
    const qint64 got = file_.read(pending_.data() + kept, blockSize_);
    pending_.truncate(kept + std::max<qint64>(got, 0));
    ended_ = got <= 0;
    // The whole lines' text goes into one block of the rows; a line longer
    // than a block reserves nothing until it ends.  What was kept holds no
    // line end but perhaps a CR waiting for its LF as its last byte.
    const qsizetype whole =
        ended_ ? pending_.size() : lastLineEnd(pending_, std::max<qsizetype>(kept - 1, 0));
    if (whole > 0) rows.reserveText(static_cast<std::size_t>(whole));
    pending_.remove(0, addLines(pending_, ended_, rows));
    if (ended_) file_.close();
    return true;
}
