#include <gtest/gtest.h>

#include <QFile>

#include "persistence/ListFileReader.h"
#include "platform/ui/ListRows.h"
#include "support/TempDir.h"

namespace {

QStringList texts(const ui::ListRows& rows) {
    QStringList out;
    for (int i = 0; i < rows.size(); ++i)
        out << rows.at(i);
    return out;
}

QStringList readAllRows(const QString& file, qint64 block) {
    ListFileReader reader(file, block);
    ui::ListRows rows;
    while (reader.next(rows)) {
    }
    return texts(rows);
}

// Lines of every kind, 4,096-character paths among them, read through blocks
// of every size give the same rows: no line is cut or joined at a block's
// edge, a CR LF split across two blocks is one line end.
TEST(ListFileReader, EveryBlockSizeGivesTheSameRows) {
    testsupport::TempDir dir;
    const QByteArray longPath = "/" + QByteArray(4095, 'p');
    const QByteArray bytes = "a  \r\n\r\n" + longPath + "\r\nb\rc\nd\r\r\n\xe9t\xe9\r\n" +
                             longPath + "x\r\n\xc3\xa9t\xc3\xa9\r\nlast";
    const QString file = dir.write("list.data", bytes);
    const QStringList want = {"a", "",    QString::fromLatin1(longPath),       "b",   "c",   "d",
                              "",  "été", QString::fromLatin1(longPath + "x"), "été", "last"};
    for (const qint64 block : {1, 2, 3, 7, 64, 4095, 4096, 4097, 1 << 20})
        EXPECT_EQ(readAllRows(file, block), want) << block;
}

// A list file that grows while it is read (another copy of the program
// saving over it in place, say) is read to the end it has when the reader
// gets there: a line half written before is read whole, nothing is lost.
TEST(ListFileReader, AFileGrowingWhileReadIsReadToItsNewEnd) {
    testsupport::TempDir dir;
    const QString path = dir.write("list.data", "one\r\ntwo\r\nthr");
    ListFileReader reader(path, 8);
    ui::ListRows rows;
    ASSERT_TRUE(reader.next(rows));
    EXPECT_EQ(texts(rows), QStringList({"one"}));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("ee\r\nfour\r\n");
    file.close();
    while (reader.next(rows)) {
    }
    EXPECT_EQ(texts(rows), QStringList({"one", "two", "three", "four"}));
}

// A line far longer than a block makes no room in the rows until it ends,
// and then comes whole.
TEST(ListFileReader, ALineOfManyBlocksComesWhole) {
    testsupport::TempDir dir;
    const QByteArray line(3 << 20, 'z');
    const QString file = dir.write("list.data", line + "\r\nend\r\n");
    ListFileReader reader(file, 4096);
    ui::ListRows rows;
    int reads = 0;
    while (reader.next(rows))
        ++reads;
    EXPECT_GT(reads, 700);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(0).size(), line.size());
    EXPECT_EQ(rows.at(1), "end");
}

// A thousand 4,096-character paths come back whole.
TEST(ListFileReader, LongPathsComeBackWhole) {
    testsupport::TempDir dir;
    QByteArray bytes;
    QStringList want;
    for (int i = 0; i < 1000; ++i) {
        const QByteArray path = "/" + QByteArray::number(i) + QByteArray(4095, 'q').left(4095 - 4);
        bytes += path + "\r\n";
        want << QString::fromLatin1(path);
    }
    const QString file = dir.write("list.data", bytes);
    EXPECT_EQ(readAllRows(file, ListFileReader::kBlock), want);
}

TEST(ListFileReader, NothingToReadReadsNothing) {
    testsupport::TempDir dir;
    for (const QString& file : {QString(), dir.file("missing.data"), dir.path()}) {
        ListFileReader reader(file);
        ui::ListRows rows;
        EXPECT_FALSE(reader.next(rows));
        EXPECT_TRUE(rows.empty());
    }
}

}  // namespace
