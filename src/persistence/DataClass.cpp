#include "persistence/DataClass.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <algorithm>
#include <cstring>
#include <functional>
#include <future>
#include <vector>

#include "persistence/ListFileReader.h"
#include "platform/files/Files.h"
#include "platform/ui/ListControl.h"
#include "shared/TextCodec.h"
#include "shared/WholeFileWriter.h"

void DataClass::IncarcaData(const QString& TheFile, ui::ListControl& TheListBox) {
    ListFileReader reader(TheFile);
    // A block at a time straight into the list: only the line being read is
    // ever held twice.
    for (ui::ListRows rows; reader.next(rows); rows.clear())
        TheListBox.AddItemsOf(rows);
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
    TheListBox.settleRows();
    shared::WholeFileWriter file(TheFile);
    bool same = true;
    if (!file.open() ||
        !writeLines(
            TheListBox, [&](const QByteArray& block) { return file.write(block); }, same) ||
        !file.commit()) {
        FailedSaves::note(TheFile, file.error());
        return false;
    }
    if (readsBackSame) *readsBackSame = same;
    return true;
}

namespace {

// Line breaks and blanks are the same bytes in Latin-1 and UTF-8.
bool readsBack(QByteArrayView text) {
    return !shared::holdsLineBreak(text) && !text.endsWith(' ');
}

}  // namespace

void DataClass::SalveazaToate(std::span<const Save> saves) {
    // Rows still arriving come in, and the lists' windows load, here on the
    // thread the lists live on.
    for (const Save& save : saves) {
        save.list->settleRows();
        save.list->ListCount();
    }
    std::vector<std::future<bool>> others;
    for (const Save& save : saves.subspan(std::min<std::size_t>(saves.size(), 1)))
        others.push_back(std::async(std::launch::async,
                                    [this, &save] { return SalveazaData(save.file, *save.list); }));
    if (!saves.empty()) SalveazaData(saves.front().file, *saves.front().list);
    for (std::future<bool>& other : others)
        other.wait();
}

bool DataClass::readsBackUnchanged(const ui::ListControl& TheListBox) {
    return TheListBox.allRows(readsBack);
}

bool DataClass::readsBackUnchanged(const ui::ListRows& rows) {
    return rows.all(readsBack);
}

namespace {

QMutex failedSavesLock;
FailedSaves* failedSaves = nullptr;

}  // namespace

FailedSaves::FailedSaves() {
    const QMutexLocker hold(&failedSavesLock);
    failedSaves = this;
}

FailedSaves::~FailedSaves() {
    const QMutexLocker hold(&failedSavesLock);
    failedSaves = nullptr;
}

QStringList FailedSaves::list() const {
    const QMutexLocker hold(&failedSavesLock);
    return failed_;
}

void FailedSaves::note(const QString& file, const QString& why) {
    const QMutexLocker hold(&failedSavesLock);
    if (failedSaves) failedSaves->failed_ << file + ": " + why;
}

QString readRow(ui::ListControl& list, int row) {
    if (row < 0 || row >= list.ListCount()) return {};
    list.setListIndex(row);
    return list.Text();
}
