#include "persistence/DataClass.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <functional>

#include "platform/ui/ListControl.h"
#include "shared/Files.h"
#include "shared/TextCodec.h"
#include "shared/WholeFileWriter.h"

namespace {

constexpr qint64 kReadBlock = 1 << 20;

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

// A line goes to the list as UTF-8 when it is valid UTF-8 and as
// Windows-1252 otherwise, each line on its own, so one odd line changes no
// other; a blank is the same byte in both, so trailing ones go first.
void addLine(QByteArrayView line, ui::ListControl& list) {
    line = withoutTrailingBlanks(line);
    if (line.isValidUtf8())
        list.AddItemUtf8(line);
    else
        list.AddItem(shared::fromCp1252(line));
}

// Hands every whole line of bytes to the list and returns where the unfinished
// last line starts.  A line ends at CR LF, a lone CR or a lone LF; a CR at the
// very end may still be followed by its LF, so it waits for more (unless
// last).
qsizetype addLines(QByteArrayView bytes, bool last, ui::ListControl& list) {
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const char* start = begin;
    // The next CR and LF, each looked for again only once passed.
    const char* cr = nextByte(start, end, '\r');
    const char* lf = nextByte(start, end, '\n');
    while (start < end) {
        const char* stop = std::min(cr, lf);
        if (stop == end || (!last && stop + 1 == end && *stop == '\r')) break;
        addLine(QByteArrayView(start, stop), list);
        start = stop + 1;
        if (*stop == '\r' && start < end && *start == '\n') ++start;
        if (cr < start) cr = nextByte(start, end, '\r');
        if (lf < start) lf = nextByte(start, end, '\n');
    }
    if (last && start < end) {
        addLine(QByteArrayView(start, end), list);
        start = end;
    }
    return start - begin;
}

}  // namespace

void DataClass::IncarcaData(const QString& TheFile, ui::ListControl& TheListBox) {
    if (TheFile.isEmpty()) return;
    shared::removeUnfinishedSaves(TheFile);
    QFile file(TheFile);
    // Only a regular file: a pipe would block and a device read endlessly.
    if (!shared::openRegularFile(file, QIODevice::ReadOnly)) return;
    // Read a block at a time straight into the list: only the line being read
    // is ever held twice.  A file that grows meanwhile is read to its end as
    // found then.
    QByteArray pending;
    for (;;) {
        const qsizetype kept = pending.size();
        pending.resize(kept + kReadBlock);
        const qint64 got = file.read(pending.data() + kept, kReadBlock);
        pending.truncate(kept + std::max<qint64>(got, 0));
        const bool last = got <= 0;
        pending.remove(0, addLines(pending, last, TheListBox));
        if (last) break;
    }
}

namespace {

// The list's lines as its file holds them, handed to flush a block at a time:
// no second copy of a long list as one text.  same turns false at the first
// item the file would not give back as it is.
bool writeLines(const ui::ListControl& list, const std::function<bool(const QByteArray&)>& flush,
                bool& same) {
    QByteArray block;
    const int count = list.ListCount();
    for (int i = 0; i < count; ++i) {
        const qsizetype lineStart = block.size();
        const bool whole = list.appendRowUtf8(i, block);
        const QByteArrayView line = QByteArrayView(block).sliced(lineStart);
        // An item holding a line break would come back as several lines and
        // shift every later line's number: its line stays empty.
        const bool broken = shared::holdsLineBreak(line);
        // A blank at a line's end is cut on reading.
        same = same && whole && !broken && !line.endsWith(' ');
        if (broken) block.truncate(lineStart);
        block += "\r\n";
        if (block.size() > (1 << 20)) {
            if (!flush(block)) return false;
            block.truncate(0);
        }
    }
    return flush(block);
}

}  // namespace

bool DataClass::SalveazaData(const QString& TheFile, const ui::ListControl& TheListBox,
                             bool* readsBackSame) {
    if (TheFile.isEmpty()) return false;
    // A program folder without its Data folder still keeps its lists; a path
    // whose folders are missing further up is left alone.
    QDir().mkdir(QFileInfo(TheFile).path());
    shared::WholeFileWriter file(TheFile);
    if (!file.open()) return false;
    bool same = true;
    if (!writeLines(
            TheListBox, [&](const QByteArray& block) { return file.write(block); }, same) ||
        !file.commit())
        return false;
    if (readsBackSame) *readsBackSame = same;
    return true;
}

bool DataClass::readsBackUnchanged(const ui::ListControl& TheListBox) {
    bool same = true;
    writeLines(
        TheListBox, [](const QByteArray&) { return true; }, same);
    return same;
}

QString readRow(ui::ListControl& list, int row) {
    if (row < 0 || row >= list.ListCount()) return {};
    list.setListIndex(row);
    return list.Text();
}
