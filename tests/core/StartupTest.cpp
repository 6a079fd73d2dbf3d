#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/ClsMain.h"
#include "options/Options.h"
#include "playlist/JumpForm.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/PlayerFixture.h"
#include "support/StandardError.h"
#include "windows/Main.h"

using testsupport::PlayerFixture;
using testsupport::readAll;

namespace {

// Closes the program and gives back what the shut-down wrote.
void closeProgram(PlayerFixture& p) {
    EXPECT_THROW(p.form<Main>().controller().ClosePlenk(), ui::ProcessExit);
}

QStringList lines(const QString& path) {
    QString text = QString::fromUtf8(readAll(path));
    if (text.endsWith("\r\n")) text.chop(2);
    return text.isEmpty() ? QStringList() : text.split("\r\n");
}

TEST(Startup, TemporaryFilesOfKilledSavesGoAtStart) {
    PlayerFixture p(testsupport::notStarted());
    QFile pidMax("/proc/sys/kernel/pid_max");
    ASSERT_TRUE(pidMax.open(QIODevice::ReadOnly));
    const QString ended = ".saving-" + QString::number(pidMax.readAll().trimmed().toLongLong() + 1);
    const QString running = ".saving-" + QString::number(getppid());
    for (const char* file : {"settings.ini", "eqpreset.ini", "Data/playlist.data", "Data/top.data",
                             "Playlists/mine.mpl"})
        p.program.write(file + ended, "half a li");
    // A save still running holds its temporary file's kernel lock.
    QFile saving(p.program.write("Data/playlist.data" + running, "being written"));
    ASSERT_TRUE(saving.open(QIODevice::ReadOnly));
    ASSERT_EQ(flock(saving.handle(), LOCK_EX), 0);
    p.program.write("Data/notes.saving-soon", "the user's own");
    p.start();
    const auto left = [&](const QString& folder) {
        return QDir(p.program.file(folder)).entryList(QDir::Files).filter(".saving-");
    };
    EXPECT_EQ(left("."), QStringList());
    EXPECT_EQ(left("Data"), QStringList({"notes.saving-soon", "playlist.data" + running}));
    EXPECT_EQ(left("Playlists"), QStringList());
}

TEST(Startup, TheMainWindowComesBackOnScreen) {
    PlayerFixture p(testsupport::notStarted());
    p.program.write("settings.ini", "1.0.0\r\n[Main]\r\n-300\r\n200\r\n");
    p.start();
    EXPECT_EQ(p.form<Main>().Left(), 500.0f);
    EXPECT_EQ(p.form<Main>().Top(), 200.0f);
}

TEST(Startup, AnEdgeAtZeroStaysAndANegativeTopComesBack) {
    PlayerFixture p(testsupport::notStarted());
    p.program.write("settings.ini", "1.0.0\r\n[Main]\r\n0\r\n-1\r\n");
    p.start();
    EXPECT_EQ(p.form<Main>().Left(), 0.0f);
    EXPECT_EQ(p.form<Main>().Top(), 500.0f);
}

TEST(Startup, PlaylistAndNamesComeFromTheDataFiles) {
    PlayerFixture p(testsupport::notStarted());
    p.program.write("Data/plst.data", "/music/a b.mp3\r\n/music/c.d.ogg\r\n/music/noext\r\n");
    p.start();
    EXPECT_EQ(p.form<Playlist>().PicList.items(), QStringList({"a b", "c.d", "noext"}));
    EXPECT_EQ(p.form<JumpForm>().Lista.items(), QStringList({"a b", "c.d", "noext"}));
    EXPECT_EQ(p.form<Main>().Titlu.Caption(), "Plenk Player " + PlenkApp::version());
}

TEST(Startup, TheCommandLineFileIsPlayedByItsLongForm) {
    testsupport::TempDir dir;
    const QString file = dir.write("some video.mpg", "x");
    PlayerFixture p(testsupport::withCommandLine(file, false));
    p.media().addMedium(file.toStdString(), {5000, 25, QSize(160, 120)});
    p.start();
    Main& m = p.form<Main>();
    EXPECT_EQ(m.LbFileName(0).Caption(), file);
    EXPECT_EQ(m.LbActualCx(0).Caption(), "160");
    EXPECT_EQ(m.Titlu.Caption(), "some video");
    EXPECT_EQ(p.form<DataForm>().FromPlaylist.Caption(), "False");
}

TEST(Startup, AMissingOrRelativeCommandLinePath) {
    PlayerFixture missing(testsupport::withCommandLine("/no/such/folder/song.mp3"));
    EXPECT_EQ(missing.form<Main>().LbFileName(0).Caption(), "");
    EXPECT_EQ(missing.dialogs->count("MsgBox"), 0);

    testsupport::TempDir dir;
    dir.write("here.mpg", "x");
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    PlayerFixture relative(testsupport::withCommandLine("here.mpg"));
    QDir::setCurrent(before);
    EXPECT_EQ(relative.form<Main>().LbFileName(0).Caption(), dir.file("here.mpg"));
}

// The path the command line names after start-up, with no message shown.
QString startedWith(const QString& commandLine, const QString& medium = {}) {
    PlayerFixture p(testsupport::withCommandLine(commandLine, false));
    if (!medium.isEmpty()) p.media().addMedium(medium.toStdString(), {5000, 25, QSize(160, 120)});
    p.start();
    EXPECT_EQ(p.dialogs->count("MsgBox"), 0) << commandLine.toStdString();
    return p.form<Main>().LbFileName(0).Caption();
}

TEST(Startup, CommandLinePathsResolveThroughLinksAsTheFileSystemDoes) {
    testsupport::TempDir dir;
    const QString base = QFileInfo(dir.path()).canonicalFilePath();
    QDir(base).mkpath("real/sub");
    const QString clip = dir.write("real/clip.mpg", "x");
    QFile::link(base + "/real/sub", base + "/link");
    QFile::link(base + "/real/clip.mpg", base + "/named.mpg");
    EXPECT_EQ(startedWith(base + "/link/../clip.mpg", base + "/real/clip.mpg"),
              base + "/real/clip.mpg");
    EXPECT_EQ(startedWith(base + "/named.mpg", base + "/named.mpg"), base + "/named.mpg")
        << "a link to the file keeps its own name";
    EXPECT_EQ(startedWith(base + "/real/./sub/../clip.mpg", clip), base + "/real/clip.mpg");
    EXPECT_EQ(startedWith(base + "/link/../../clip.mpg"), "")
        << "real/clip.mpg lies one step lower";
}

TEST(Startup, CommandLinePathsThatNameNothingPlayNothing) {
    testsupport::TempDir dir;
    QString deep = dir.path();
    while (deep.size() < 4096)
        deep += "/abcdefgh";
    const QByteArray latin1 = QFile::encodeName(dir.path()) + "/caf\xe9.mpg";
    const int fd = ::open(latin1.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    for (const QString& path :
         {dir.path() + "/missing/clip.mpg", deep.left(4096), dir.path() + "/" + QString(300, 'n'),
          QString::fromLocal8Bit(latin1), "\"" + dir.path() + "\""}) {
        EXPECT_EQ(startedWith(path), "") << path.size();
    }
    // A name that is not UTF-8 is beyond the temporary folder's own clean-up.
    ::unlink(latin1.constData());
}

// An ID3v1 block with a title and an artist.
QByteArray tag(const QByteArray& title, const QByteArray& artist) {
    const auto field = [](const QByteArray& text, int width) {
        return text + QByteArray(width - text.size(), '\0');
    };
    return "TAG" + field(title, 30) + field(artist, 30) + QByteArray(30 + 4 + 30, '\0') + '\x11';
}

// The saved names show at once; the tags are read after the start, on the
// application clock.
TEST(Startup, InATagModeTheNamesFileLoadsAndTheTagsReplaceItsRows) {
    for (int line : {58, 59}) {
        PlayerFixture p(testsupport::notStarted());
        QStringList settings = lines(QString(PLENK_ASSETS) + "/settings.ini");
        settings[57] = "False";
        settings[line] = "True";
        p.program.write("settings.ini", (settings.join("\r\n") + "\r\n").toUtf8());
        const QString tagged =
            p.program.write("Music/a.mp3", QByteArray(200, 'x') + tag("Song", "Band"));
        const QString plain = p.program.write("Music/b.mp3", QByteArray(200, 'x'));
        p.program.write("Data/plst.data", (tagged + "\r\n" + plain + "\r\n").toUtf8());
        p.program.write("Data/id3.data", "old name of a\r\nsaved name of b\r\n");
        p.start();
        const QStringList saved = {"old name of a", "saved name of b"};
        EXPECT_EQ(p.form<Playlist>().PicList.items(), saved);
        EXPECT_EQ(p.form<JumpForm>().Lista.items(), saved);
        p.clock->advance(1);
        const QString fromTag = line == 58 ? "Band - Song" : "Song - Band";
        EXPECT_EQ(p.form<Playlist>().PicList.items(), QStringList({fromTag, "saved name of b"}));
        EXPECT_EQ(p.form<JumpForm>().Lista.items(), QStringList({fromTag, "saved name of b"}));
    }
}

TEST(Shutdown, RankingsFileHasFortyLinesWhateverTheWaitingList) {
    for (int waiting : {0, 3, 25}) {
        PlayerFixture p;
        MediaLibrary& lib = p.form<MediaLibrary>();
        lib.Song(0).setCaption("best");
        for (int i = 0; i < waiting; ++i)
            lib.ListaAsteptare.AddItem(QString("w%1").arg(i));
        closeProgram(p);
        const QStringList top = lines(p.program.file("Data/top.data"));
        ASSERT_EQ(top.size(), 40) << waiting;
        EXPECT_EQ(top[0], "best");
        EXPECT_EQ(top[1], "");
        for (int i = 0; i < 20; ++i)
            EXPECT_EQ(top[20 + i], i < waiting ? QString("w%1").arg(i) : QString());
    }
}

TEST(Shutdown, FileNameModeLeavesTheNamesFileAndAnEmptyPlaylistIsAnEmptyFile) {
    PlayerFixture p;
    p.program.write("Data/id3.data", "kept\r\n");
    closeProgram(p);
    EXPECT_EQ(readAll(p.program.file("Data/id3.data")), QByteArray("kept\r\n"));
    EXPECT_TRUE(QFile::exists(p.program.file("Data/plst.data")));
    EXPECT_EQ(QFile(p.program.file("Data/plst.data")).size(), 0);
    EXPECT_EQ(lines(p.program.file("settings.ini")).size(), 72);
    EXPECT_EQ(lines(p.program.file("Data/keyboard.data")).size(), 20);
}

TEST(Shutdown, TagModeWritesTheNamesAndAnUnwritableDataFolderStillEnds) {
    PlayerFixture p;
    p.form<Options>().Option18.setValue(true);
    p.form<Playlist>().PicList.AddItem("Artist - Song");
    p.form<DataForm>().ListaCale.AddItem("/music/x.mp3");
    closeProgram(p);
    EXPECT_EQ(readAll(p.program.file("Data/id3.data")), QByteArray("Artist - Song\r\n"));

    PlayerFixture q;
    QDir(q.program.path()).rmdir("Data");
    closeProgram(q);
    EXPECT_TRUE(QFile::exists(q.program.file("settings.ini")));
}

TEST(Shutdown, AFileThatCouldNotBeSavedIsToldAndCanBeSavedAgain) {
    PlayerFixture p;
    p.form<DataForm>().ListaCale.AddItem("/music/x.mp3");
    const QString paths = p.program.write("Data/plst.data", "old\r\n");
    QFile::setPermissions(paths, QFileDevice::ReadOwner);
    p.dialogs->whileShown = [&](const ui::RecordingDialogs::Shown&) {
        QFile::setPermissions(paths, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    };
    closeProgram(p);
    ASSERT_EQ(p.dialogs->count("MsgBox"), 1) << "Retry saved it";
    EXPECT_TRUE(p.dialogs->shown[0].text.contains(paths + ": Permission denied"));
    EXPECT_EQ(p.dialogs->shown[0].buttons & 7, ui::vbRetryCancel);
    EXPECT_EQ(lines(paths), QStringList({"/music/x.mp3"}));

    PlayerFixture q;
    QFile::setPermissions(q.program.write("Data/plst.data", "old\r\n"), QFileDevice::ReadOwner);
    const testsupport::CapturedStandardError told;
    EXPECT_THROW(q.form<Main>().Unload(ui::Form::vbAppTaskManager), ui::ProcessExit);
    EXPECT_TRUE(QString::fromLocal8Bit(told.text())
                    .contains(q.program.file("Data/plst.data") + ": Permission denied"));
    EXPECT_EQ(q.dialogs->count("MsgBox"), 0) << "a signal's close has nobody to ask";
}

}  // namespace
