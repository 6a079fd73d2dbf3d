#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QFile>
#include <QFileInfo>

#include "persistence/DataClass.h"
#include "platform/ui/Application.h"
#include "platform/ui/ListBox.h"
#include "support/TempDir.h"

namespace {

class Lists : public ui::Form {
  public:
    explicit Lists(ui::Application& app) : ui::Form(app, "Lists") {
        List.Click.connect([this] { ++clicks; });
    }
    ui::ListBox List{*this, "List"};
    int clicks = 0;
};

class DataClassTest : public ::testing::Test {
  protected:
    ui::Application app{std::make_unique<ui::ManualClock>(),
                        std::make_unique<ui::RecordingDialogs>()};
    ui::ListBox& list = app.form<Lists>().List;
    testsupport::TempDir dir;
    DataClass data;

    QStringList load(const QByteArray& bytes) {
        list.Clear();
        data.IncarcaData(dir.write("list.data", bytes), list);
        return list.items();
    }
};

TEST_F(DataClassTest, LinesEndAtCrLfLoneCrOrLoneLfAndLoseTrailingBlanks) {
    EXPECT_EQ(load("a  \r\nb\r\n"), QStringList({"a", "b"}));
    EXPECT_EQ(load("x\r\ny"), QStringList({"x", "y"}));
    EXPECT_EQ(load(""), QStringList());
    EXPECT_EQ(load("\r\n\r\n"), QStringList({"", ""}));
    EXPECT_EQ(load("a\nb\r\n"), QStringList({"a", "b"}));
    EXPECT_EQ(load("unix\nlines\n"), QStringList({"unix", "lines"}));
    EXPECT_EQ(load("a\n\rb\r\r\nc"), QStringList({"a", "", "b", "", "c"}));
    EXPECT_EQ(load("one\rtwo\r"), QStringList({"one", "two"}));
    EXPECT_EQ(load("  lead\t \r\n"), QStringList({"  lead\t"}));
}

TEST_F(DataClassTest, LoadAppendsAndLeavesTheSelectionAlone) {
    list.AddItem("old1");
    list.AddItem("old2");
    list.setListIndex(1);
    data.IncarcaData(dir.write("three.data", "1\r\n2\r\n3\r\n"), list);
    EXPECT_EQ(list.items(), QStringList({"old1", "old2", "1", "2", "3"}));
    EXPECT_EQ(list.ListIndex(), 1);
}

TEST_F(DataClassTest, MissingEmptyNameOrFolderLeavesTheListAsItWas) {
    list.AddItem("kept");
    data.IncarcaData("", list);
    data.IncarcaData(dir.file("missing.data"), list);
    data.IncarcaData(dir.path(), list);
    EXPECT_EQ(list.items(), QStringList({"kept"}));
}

TEST_F(DataClassTest, PipesDevicesAndFoldersLoadNothingAndNeverBlock) {
    list.AddItem("kept");
    const QString pipe = dir.file("pipe.data");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    data.IncarcaData(pipe, list);
    for (const char* target : {"/dev/zero", "/dev/null"}) {
        const QString link = dir.file(QString("link-to-%1.data").arg(QFileInfo(target).fileName()));
        ASSERT_TRUE(QFile::link(target, link));
        data.IncarcaData(link, list);
    }
    QFile::link(dir.path(), dir.file("link-to-folder.data"));
    data.IncarcaData(dir.file("link-to-folder.data"), list);
    EXPECT_EQ(list.items(), QStringList({"kept"}));
}

TEST_F(DataClassTest, SaveWritesEveryItemWithCrLfAndReplacesLongerFiles) {
    const QString path = dir.write("out.data", "a much longer old content\r\nwith lines\r\n");
    list.AddItem("");
    list.AddItem("x ");
    EXPECT_TRUE(data.SalveazaData(path, list));
    EXPECT_EQ(testsupport::readAll(path), QByteArray("\r\nx \r\n"));
    EXPECT_EQ(load(testsupport::readAll(path)), QStringList({"", "x"}));
    list.Clear();
    data.SalveazaData(path, list);
    EXPECT_EQ(QFile(path).size(), 0);
}

TEST_F(DataClassTest, SaveIntoAMissingFolderOrOverAReadOnlyFileWritesNothing) {
    list.AddItem("x");
    EXPECT_FALSE(data.SalveazaData(dir.file("no/such/folder/out.data"), list));
    EXPECT_FALSE(QFile::exists(dir.file("no/such/folder/out.data")));
    const QString locked = dir.write("locked.data", "original\r\n");
    QFile::setPermissions(locked, QFileDevice::ReadOwner);
    EXPECT_FALSE(data.SalveazaData(locked, list));
    EXPECT_EQ(testsupport::readAll(locked), QByteArray("original\r\n"));
    EXPECT_FALSE(data.SalveazaData("", list));
}

TEST_F(DataClassTest, NonAsciiPathsRoundTripAsUtf8AndOldFilesLoadAsWindows1252) {
    list.AddItem(QString::fromUtf8("/muzică/Ștefan – café.mp3"));
    const QString path = dir.file(QString::fromUtf8("listă ü.data"));
    data.SalveazaData(path, list);
    EXPECT_EQ(testsupport::readAll(path),
              QString::fromUtf8("/muzică/Ștefan – café.mp3\r\n").toUtf8());
    EXPECT_EQ(load(testsupport::readAll(path)),
              QStringList({QString::fromUtf8("/muzică/Ștefan – café.mp3")}));
    EXPECT_EQ(load("C:\\M\xfazic\xe3\\Beyonc\xe9.mp3\r\n"),
              QStringList({QString::fromUtf8("C:\\Múzicã\\Beyoncé.mp3")}));
}

TEST_F(DataClassTest, OneLineInAnotherEncodingLeavesTheOtherLinesUtf8) {
    const QByteArray utf8 = QString::fromUtf8("/muzică/Ștefan.mp3").toUtf8();
    const QStringList items = load(utf8 + "\r\nC:\\Beyonc\xe9.mp3\r\n" + utf8 + "\r\n");
    EXPECT_EQ(items, QStringList({QString::fromUtf8("/muzică/Ștefan.mp3"),
                                  QString::fromUtf8("C:\\Beyoncé.mp3"),
                                  QString::fromUtf8("/muzică/Ștefan.mp3")}));
    const QString path = dir.file("mixed.data");
    data.SalveazaData(path, list);
    EXPECT_EQ(
        testsupport::readAll(path),
        utf8 + "\r\n" + QString::fromUtf8("C:\\Beyoncé.mp3").toUtf8() + "\r\n" + utf8 + "\r\n");
}

TEST_F(DataClassTest, AnItemHoldingALineBreakIsNotWrittenAndLaterLinesKeepTheirNumbers) {
    for (const char* item : {"before", "one\rtwo", "three\nfour", "five\r\nsix", "after"})
        list.AddItem(item);
    const QString path = dir.file("breaks.data");
    EXPECT_TRUE(data.SalveazaData(path, list));
    EXPECT_EQ(testsupport::readAll(path), QByteArray("before\r\n\r\n\r\n\r\nafter\r\n"));
    EXPECT_EQ(load(testsupport::readAll(path)), QStringList({"before", "", "", "", "after"}));
}

TEST_F(DataClassTest, BinaryFilesLoadWithoutHarm) {
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i)
        bytes.append(static_cast<char>(i * 7919 % 256));
    const QStringList items = load(bytes);
    EXPECT_GT(items.size(), 0);
}

TEST_F(DataClassTest, HugeFileLoadsWhole) {
    const QByteArray line = QByteArray(10000, 'x') + "\r\n";
    QFile f(dir.file("huge.data"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    for (int i = 0; i < 10000; ++i)
        f.write(line);
    f.close();
    data.IncarcaData(f.fileName(), list);
    EXPECT_EQ(list.ListCount(), 10000);
    EXPECT_EQ(list.List(9999).size(), 10000);
}

TEST_F(DataClassTest, UnreadableFileLeavesTheListAsItWas) {
    const QString path = dir.write("secret.data", "a\r\n");
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    if (QFile(path).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights to read anything";
    data.IncarcaData(path, list);
    EXPECT_EQ(list.ListCount(), 0);
}

TEST_F(DataClassTest, PositionalReadSelectsTheRowOrGivesTheEmptyText) {
    for (const char* s : {"a", "b", "c"})
        list.AddItem(s);
    auto& form = app.form<Lists>();
    form.clicks = 0;
    EXPECT_EQ(readRow(list, 1), "b");
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(readRow(list, 5), "");
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(readRow(list, 2), "c");
    EXPECT_EQ(form.clicks, 2);
    list.Clear();
    EXPECT_EQ(readRow(list, 0), "");
}

}  // namespace
