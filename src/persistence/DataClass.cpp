#include "persistence/DataClass.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

#include "platform/ui/ListControl.h"
#include "shared/Files.h"
#include "shared/TextCodec.h"
#include "shared/WholeFileWriter.h"

namespace {

QString withoutTrailingBlanks(QString line) {
    qsizetype end = line.size();
    while (end > 0 && line[end - 1] == u' ')
        --end;
    line.truncate(end);
    return line;
}

// The next c at or after from, or end.
const char* nextByte(const char* from, const char* end, char c) {
    const void* found = std::memchr(from, c, static_cast<size_t>(end - from));
    return found ? static_cast<const char*>(found) : end;
}

// The byte ranges of the lines: a line ends at CR LF, a lone CR or a lone LF
// (files from any system); a last line without an ending is still a line.
std::vector<QByteArrayView> splitLines(const QByteArray& bytes) {
    std::vector<QByteArrayView> lines;
    if (bytes.isEmpty()) return lines;
    const char* start = bytes.constBegin();
    const char* const end = bytes.constEnd();
    // The next CR and LF, each looked for again only once passed.
    const char* cr = nextByte(start, end, '\r');
    const char* lf = nextByte(start, end, '\n');
    while (start < end) {
        const char* stop = std::min(cr, lf);
        lines.emplace_back(start, stop - start);
        if (stop == end) break;
        start = stop + 1;
        if (*stop == '\r' && start < end && *start == '\n') ++start;
        if (cr < start) cr = nextByte(start, end, '\r');
        if (lf < start) lf = nextByte(start, end, '\n');
    }
    return lines;
}

// Lines decode one by one, so a long list never exists twice as a whole text
// and a line in another encoding changes no other line.
std::vector<QString> decodeLines(const QByteArray& bytes) {
    const std::vector<QByteArrayView> raw = splitLines(bytes);
    std::vector<QString> lines;
    lines.reserve(raw.size());
    for (const QByteArrayView line : raw)
        lines.push_back(withoutTrailingBlanks(shared::decodeLine(line, lines.empty())));
    return lines;
}

}  // namespace

void DataClass::IncarcaData(const QString& TheFile, ui::ListControl& TheListBox) {
    if (TheFile.isEmpty()) return;
    shared::removeUnfinishedSaves(TheFile);
    QFile file(TheFile);
    // Only a regular file: a pipe would block and a device read endlessly.
    if (!shared::openRegularFile(file, QIODevice::ReadOnly)) return;
    const QByteArray bytes = file.readAll();
    file.close();
    for (const QString& line : decodeLines(bytes))
        TheListBox.AddItem(line);
}

bool DataClass::SalveazaData(const QString& TheFile, const ui::ListControl& TheListBox) {
    if (TheFile.isEmpty()) return false;
    // A program folder without its Data folder still keeps its lists; a path
    // whose folders are missing further up is left alone.
    QDir().mkdir(QFileInfo(TheFile).path());
    shared::WholeFileWriter file(TheFile);
    if (!file.open()) return false;
    // Written in blocks: no second copy of a long list as one text.
    QByteArray block;
    const int count = TheListBox.ListCount();
    for (int i = 0; i < count; ++i) {
        // An item holding a line break would come back as several lines and
        // shift every later line's number: its line stays empty.
        const qsizetype lineStart = block.size();
        block += shared::encodeText(TheListBox.List(i));
        if (shared::holdsLineBreak(QByteArrayView(block).sliced(lineStart)))
            block.truncate(lineStart);
        block += "\r\n";
        if (block.size() > (1 << 20)) {
            if (!file.write(block)) return false;
            block.clear();
        }
    }
    return file.write(block) && file.commit();
}

QString readRow(ui::ListControl& list, int row) {
    if (row < 0 || row >= list.ListCount()) return {};
    list.setListIndex(row);
    return list.Text();
}
