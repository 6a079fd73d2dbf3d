#include "persistence/DataClass.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

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

bool endsLine(char c) {
    return c == '\r' || c == '\n';
}

// The byte ranges of the lines: a line ends at CR LF, a lone CR or a lone LF
// (files from any system); a last line without an ending is still a line.
std::vector<QByteArrayView> splitLines(const QByteArray& bytes) {
    std::vector<QByteArrayView> lines;
    const char* start = bytes.constBegin();
    const char* const end = bytes.constEnd();
    while (start < end) {
        const char* stop = std::find_if(start, end, endsLine);
        lines.emplace_back(start, stop - start);
        if (stop == end) break;
        start = stop + 1;
        if (*stop == '\r' && start < end && *start == '\n') ++start;
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
        const QString item = TheListBox.List(i);
        if (!shared::holdsLineBreak(item)) block += shared::encodeText(item);
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
