#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <cstdio>

#include "persistence/DataClass.h"
#include "platform/ui/Application.h"
#include "platform/ui/ListBox.h"
#include "shared/WholeFileWriter.h"
#include "support/FileLimits.h"
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
    // The user's own folder, where saves written in place keep their journal.
    const QString journal = dir.file("state");

    DataClassTest() { shared::setSaveJournal(journal); }
    // Hooks a test set are put back even when it stopped at a failure.
    ~DataClassTest() override {
        shared::setSaveJournal({});
        shared::saveStepHook = nullptr;
        shared::saveLock = ::flock;
    }

    // The files in the test's folder.
    QStringList names() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
    }

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

// Only private nodes as targets: a save that went wrong must not replace a
// device of the system.
TEST_F(DataClassTest, SaveLeavesPipesDevicesAndFoldersAlone) {
    list.AddItem("x");
    const QString pipe = dir.file("pipe.data");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(data.SalveazaData(pipe, list));
    QFile::link(pipe, dir.file("link.data"));
    EXPECT_FALSE(data.SalveazaData(dir.file("link.data"), list));
    EXPECT_FALSE(data.SalveazaData(dir.path(), list));
    struct stat node {};
    EXPECT_TRUE(stat(QFile::encodeName(pipe).constData(), &node) == 0 && S_ISFIFO(node.st_mode));
    EXPECT_TRUE(QFileInfo(dir.file("link.data")).isSymLink());
    if (testsupport::makeNullDevice(dir.file("null.data"))) {
        EXPECT_FALSE(data.SalveazaData(dir.file("null.data"), list));
        EXPECT_TRUE(testsupport::isDevice(dir.file("null.data")));
    }
    EXPECT_EQ(names().filter(".saving-"), QStringList());
}

TEST_F(DataClassTest, AFullDiskLeavesTheOldFileWholeAndNoTemporaryFile) {
    const QString path = dir.write("plst.data", "old 1\r\nold 2\r\n");
    for (int i = 0; i < 20000; ++i)
        list.AddItem(QString("/music/album %1/a long enough file name.mp3").arg(i));
    {
        testsupport::FileSizeLimit full(64 * 1024);
        EXPECT_FALSE(data.SalveazaData(path, list));
    }
    EXPECT_EQ(testsupport::readAll(path), QByteArray("old 1\r\nold 2\r\n"));
    EXPECT_EQ(names(), QStringList({"plst.data"}));
    EXPECT_TRUE(data.SalveazaData(path, list)) << "with room again";
    EXPECT_EQ(load(testsupport::readAll(path)).size(), 20000);
}

TEST_F(DataClassTest, AWritableFileInAFolderThatCannotBeWrittenIsSavedInPlace) {
    testsupport::PermissionsHold hold;
    const QString path = dir.write("locked/keyboard.data", "old\r\n");
    const QString folder = dir.file("locked");
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    list.AddItem("new");
    EXPECT_TRUE(data.SalveazaData(path, list));
    EXPECT_EQ(testsupport::readAll(path), QByteArray("new\r\n"));
    for (int i = 0; i < 5000; ++i)
        list.AddItem(QString("line %1 of a list too long for the room left").arg(i));
    {
        testsupport::FileSizeLimit full(4096);
        EXPECT_FALSE(data.SalveazaData(path, list));
    }
    EXPECT_EQ(testsupport::readAll(path), QByteArray("new\r\n")) << "the file stays whole";
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"keyboard.data"}));
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// Without a journal nothing is written in place.
TEST_F(DataClassTest, AJournalThatCannotBeMadeFailsTheSaveAsTheFolderRefusedIt) {
    testsupport::PermissionsHold hold;
    shared::setSaveJournal(dir.write("state", "") + "/journal");
    const QString path = dir.write("locked/keyboard.data", "old\r\n");
    QFile::setPermissions(dir.file("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    list.AddItem("new");
    const FailedSaves failed;
    EXPECT_FALSE(data.SalveazaData(path, list));
    QFile::setPermissions(dir.file("locked"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(failed.list(), QStringList({path + ": " + strerror(EACCES)}));
}

namespace {

// Saves bytes over path in a child process killed at the stop-th step of the
// save; true when the save ended before it.
bool saveKilledAt(const QString& path, const QByteArray& bytes, int stop) {
    const pid_t child = fork();
    if (child == 0) {
        static int steps = 0;
        static int killAt = 0;
        killAt = stop;
        shared::saveStepHook = [] {
            if (++steps == killAt) raise(SIGKILL);
        };
        shared::WholeFileWriter file(path);
        _exit(file.open() && file.write(bytes) && file.commit() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) || WEXITSTATUS(status) == 0) << "stop " << stop;
    return WIFEXITED(status);
}

QByteArray numberedLines(const char* text, int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += QByteArray(text) + QByteArray::number(i) + "\r\n";
    return bytes;
}

}  // namespace

// Written in place (a folder that cannot be written) or by rename, a save
// killed after any of its steps gives, after the next start, the old list or
// the new one and no other file.
TEST_F(DataClassTest, ASaveKilledAtAnyStepLeavesTheOldOrTheNewListAfterTheNextStart) {
    testsupport::PermissionsHold hold;
    const QByteArray old = numberedLines("/music/an old album/an old entry ", 8000);
    const QByteArray fresh = numberedLines("/music/new/entry ", 9000);
    ASSERT_LT(fresh.size(), old.size()) << "a new list shorter than the old one";
    for (const char* name : {"locked", "open"}) {
        const QString folder = dir.file(name);
        const QString path = folder + "/plst.data";
        bool ended = false;
        for (int stop = 1; !ended; ++stop) {
            dir.write(name + QString("/plst.data"), old);
            if (QString(name) == "locked")
                QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            ended = saveKilledAt(path, fresh, stop);
            shared::finishUnfinishedSaves({folder});
            QFile::setPermissions(
                folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
            const QByteArray now = testsupport::readAll(path);
            EXPECT_TRUE(now == old || now == fresh) << name << " stop " << stop;
            EXPECT_TRUE(now == fresh || !ended) << name << " stop " << stop;
            EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList({"plst.data"}));
            EXPECT_EQ(QDir(journal).entryList(QDir::Files), QStringList()) << "stop " << stop;
            ASSERT_LT(stop, 100);
        }
    }
}

// A save still running holds its temporary file's kernel lock.
TEST_F(DataClassTest, AKilledSavesTemporaryFileGoesAtTheNextLoad) {
    QFile pidMax("/proc/sys/kernel/pid_max");
    ASSERT_TRUE(pidMax.open(QIODevice::ReadOnly));
    const QString ended = QString::number(pidMax.readAll().trimmed().toLongLong() + 1);
    const QString running = QString::number(QCoreApplication::applicationPid());
    const QString path = dir.write("plst.data", "a\r\n");
    dir.write("plst.data.saving-" + ended, "a\r\nhalf a li");
    QFile saving(dir.write("plst.data.saving-" + running, "being written"));
    ASSERT_TRUE(saving.open(QIODevice::ReadOnly));
    ASSERT_EQ(flock(saving.handle(), LOCK_EX), 0);
    dir.write("plst.data.backup", "the user's own");
    dir.write("top.data.saving-" + ended, "another list's");
    data.IncarcaData(path, list);
    EXPECT_EQ(list.items(), QStringList({"a"}));
    EXPECT_EQ(names(), QStringList({"plst.data", "plst.data.backup", "plst.data.saving-" + running,
                                    "top.data.saving-" + ended}));
}

// A save's temporary file takes its file's mode, which may let its owner
// write it but not read it.
TEST_F(DataClassTest, AKilledSavesTemporaryFileItsOwnerCannotReadGoesAtTheNextLoad) {
    testsupport::PermissionsHold hold;
    const QString path = dir.write("plst.data", "a\r\n");
    QFile::setPermissions(dir.write("plst.data.saving-1", "a\r\nhalf a li"),
                          QFileDevice::WriteOwner);
    data.IncarcaData(path, list);
    EXPECT_EQ(names(), QStringList({"plst.data"}));
}

namespace {

// Of this process's descriptors open on a save's temporary file, how many
// were seen at the save's steps and how many a program started then would
// get.
int savingSeen = 0;
int savingInherited = 0;

void countSavingDescriptors() {
    const testsupport::OpenDescriptors saving = testsupport::descriptorsOn(".saving-");
    savingSeen += saving.open;
    savingInherited += saving.inherited;
}

}  // namespace

// A program started meanwhile (a link opened, the media engine) must not
// hold the file, and its lock, after the save.
TEST_F(DataClassTest, NoDescriptorOfASaveIsLeftToProgramsStartedMeanwhile) {
    list.AddItem("x");
    shared::saveStepHook = countSavingDescriptors;
    EXPECT_TRUE(data.SalveazaData(dir.file("plst.data"), list));
    EXPECT_GT(savingSeen, 0);
    EXPECT_EQ(savingInherited, 0);
}

namespace {

// The folders a start run at each step of a save looks in, and whether one
// took away a file that was there.
QString startFolder;
QString startJournal;
bool startTookAFile = false;

QStringList filesAStartLooksAt() {
    return QDir(startFolder).entryList(QDir::Files | QDir::Hidden) +
           QDir(startJournal).entryList(QDir::Files | QDir::Hidden);
}

void startMeanwhile() {
    // The start finishes saves through the same steps, which call this again.
    static bool starting = false;
    if (starting) return;
    starting = true;
    const QStringList before = filesAStartLooksAt();
    shared::finishUnfinishedSaves({startFolder});
    startTookAFile = startTookAFile || filesAStartLooksAt() != before;
    starting = false;
}

int noLocks(int, int) {
    errno = ENOLCK;
    return -1;
}

}  // namespace

// As on a network file system without locks: the start cannot tell the
// save's files from an ended save's by their locks.
TEST_F(DataClassTest, AStartNeverTakesTheFilesOfASaveThatCouldNotLockThem) {
    testsupport::PermissionsHold hold;
    list.AddItem("new");
    startJournal = journal;
    shared::saveLock = noLocks;
    shared::saveStepHook = startMeanwhile;
    for (const char* name : {"open", "locked"}) {
        const QString path = dir.write(name + QString("/plst.data"), "old\r\n");
        startFolder = dir.file(name);
        if (QString(name) == "locked")
            QFile::setPermissions(startFolder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool saved = data.SalveazaData(path, list);
        EXPECT_FALSE(startTookAFile) << name;
        EXPECT_TRUE(saved || QString(name) == "locked") << "saves by rename go on";
        EXPECT_EQ(testsupport::readAll(path), QByteArray(saved ? "new\r\n" : "old\r\n")) << name;
    }
    QFile::setPermissions(startFolder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

namespace {

// The journal entry a save killed while it wrote in place left.
QString entryOfAKilledSave(const QString& path, const QByteArray& bytes, const QString& journal) {
    const auto entries = [&] { return QDir(journal, "*.journal-*").entryList(QDir::Files); };
    for (int stop = 1; entries().isEmpty(); ++stop)
        if (saveKilledAt(path, bytes, stop) || stop > 100) return {};
    return journal + '/' + entries().front();
}

}  // namespace

// locked/plst.data, of old lines, with the entry a save of new lines killed
// in place left, its folder writable again.
class LeftEntryTest : public DataClassTest {
  protected:
    testsupport::PermissionsHold hold;
    const QString folder = dir.file("locked");
    const QString path = dir.write("locked/plst.data", numberedLines("old ", 8000));
    QString entry;

    void SetUp() override {
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        entry = entryOfAKilledSave(path, numberedLines("new ", 8000), journal);
        QFile::setPermissions(
            folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        ASSERT_FALSE(entry.isEmpty());
    }
};

// After a restart process ids start again: the id in the entry's name may be
// a live process's.
TEST_F(LeftEntryTest, AnEntryWhoseProcessIdALiveProcessHoldsIsReplayedAtTheNextStart) {
    QFile::rename(entry, entry.left(entry.lastIndexOf('-') + 1) + "1");
    shared::finishUnfinishedSaves({folder});
    EXPECT_EQ(testsupport::readAll(path), numberedLines("new ", 8000));
}

TEST_F(LeftEntryTest, AnEntryIsNeverReplayedOverALaterSaveOfItsFile) {
    list.AddItem("later");
    ASSERT_TRUE(data.SalveazaData(path, list));
    shared::finishUnfinishedSaves({folder});
    EXPECT_EQ(testsupport::readAll(path), QByteArray("later\r\n"));
}

// Replaced by another program (an editor's save), so no save swept the entry.
TEST_F(LeftEntryTest, AnEntryIsNeverReplayedOverAFileReplacedSince) {
    const QString edited = dir.write("locked/edited", "edited\r\n");
    ASSERT_EQ(std::rename(QFile::encodeName(edited), QFile::encodeName(path)), 0);
    shared::finishUnfinishedSaves({folder});
    EXPECT_EQ(testsupport::readAll(path), QByteArray("edited\r\n"));
}

TEST_F(LeftEntryTest, AnEntryWhoseFileIsNowADeviceIsPassedOver) {
    QFile::remove(path);
    if (!testsupport::makeNullDevice(path)) GTEST_SKIP() << "no right to make a device";
    shared::finishUnfinishedSaves({folder});
    EXPECT_EQ(QDir(journal).entryList(QDir::Files), QStringList());
    EXPECT_TRUE(testsupport::isDevice(path));
}

TEST_F(DataClassTest, SaveMakesAMissingDataFolder) {
    list.AddItem("x");
    EXPECT_TRUE(data.SalveazaData(dir.file("Data/plst.data"), list));
    EXPECT_EQ(testsupport::readAll(dir.file("Data/plst.data")), QByteArray("x\r\n"));
}

TEST_F(DataClassTest, SaveThroughALinkReplacesTheLinkedFileAndKeepsItsMode) {
    const QString real = dir.write("real/plst.data", "old\r\n");
    QFile::setPermissions(
        real, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    QFile::link(real, dir.file("plst.data"));
    list.AddItem("new");
    EXPECT_TRUE(data.SalveazaData(dir.file("plst.data"), list));
    EXPECT_TRUE(QFileInfo(dir.file("plst.data")).isSymLink());
    EXPECT_EQ(testsupport::readAll(real), QByteArray("new\r\n"));
    EXPECT_EQ(QFile::permissions(real) & 0x7077,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
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
    testsupport::PermissionsHold hold;
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

// The file is read a megabyte at a time: a CR LF split across two reads is
// one line end, and a line longer than a read is one line.
TEST_F(DataClassTest, LinesAcrossReadBlocksStayWhole) {
    constexpr int kBlock = 1 << 20;
    QByteArray bytes(kBlock - 1, 'a');
    bytes += "\r\nnext\r";
    bytes += QByteArray(3 * kBlock, 'b');
    bytes += "\rtail";
    const QStringList items = load(bytes);
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0].size(), kBlock - 1);
    EXPECT_EQ(items[1], "next");
    EXPECT_EQ(items[2].size(), 3 * kBlock);
    EXPECT_EQ(items[3], "tail");
    QByteArray lone(kBlock - 1, 'c');
    lone += "\r";
    EXPECT_EQ(load(lone).size(), 1);
}

TEST_F(DataClassTest, AMillionEmptyLinesLoadAsAMillionEmptyItems) {
    QByteArray bytes;
    for (int i = 0; i < 1000000; ++i)
        bytes += "\r\n";
    const QStringList items = load(bytes);
    ASSERT_EQ(items.size(), 1000000);
    EXPECT_TRUE(items.front().isEmpty());
    EXPECT_TRUE(items.back().isEmpty());
}

TEST_F(DataClassTest, SaveTellsWhetherReadingBackGivesEveryItemUnchanged) {
    const QString file = dir.file("out.data");
    const auto readsBackSame = [&](const QString& item) {
        list.Clear();
        list.AddItem("plain /path/é/日本");
        list.AddItem(item);
        bool same = false;
        EXPECT_TRUE(data.SalveazaData(file, list, &same));
        return same;
    };
    EXPECT_TRUE(readsBackSame("another"));
    EXPECT_TRUE(readsBackSame(""));
    EXPECT_FALSE(readsBackSame("blank at the end "));
    EXPECT_FALSE(readsBackSame("line\nbreak"));
    EXPECT_FALSE(readsBackSame(QString("lone ") + QChar(char16_t(0xDC00))));
}
