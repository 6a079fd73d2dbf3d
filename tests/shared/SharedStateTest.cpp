#include <gtest/gtest.h>

#include <QFile>

#include "core/frmBass.h"
#include "options/Options.h"
#include "platform/files/Files.h"
#include "playlist/MediaLibrary.h"
#include "shared/DataForm.h"
#include "shared/ProgramFolder.h"
#include "support/PlayerFixture.h"
#include "windows/Main.h"

using testsupport::PlayerFixture;

TEST(SharedState, DataFormStartsFromItsDesignValues) {
    PlayerFixture p;
    DataForm& d = p.form<DataForm>();
    EXPECT_EQ(d.FromPlaylist.Caption(), "True");
    EXPECT_EQ(d.FullScreenStat.Caption(), "False");
    EXPECT_EQ(d.MiniMode.Caption(), "False");
    EXPECT_EQ(d.SongNumber.Caption(), "-1");
    EXPECT_EQ(d.ListaCale.ListCount(), 0);
}

TEST(SharedState, OptionGroupsAreSeparateAndStartOnTheirFirstChoice) {
    PlayerFixture p(testsupport::notStarted());
    Options& o = p.form<Options>();
    EXPECT_TRUE(o.Option1.Value());
    EXPECT_TRUE(o.Option8.Value());
    EXPECT_TRUE(o.Option15.Value());
    EXPECT_TRUE(o.Option7.Value());
    o.Option2.setValue(true);
    EXPECT_FALSE(o.Option1.Value());
    EXPECT_TRUE(o.Option8.Value()) << "another frame's group is untouched";
    EXPECT_EQ(o.TpfAudio.ListCount(), 11);
    EXPECT_EQ(o.TpfVideo.List(17), "3gp");
    EXPECT_EQ(o.AsciBox(9).Text(), "0");
}

TEST(SharedState, BassHostComesBackWithDesignValuesAfterEveryUnload) {
    PlayerFixture p;
    frmBass& host = p.form<frmBass>();
    host.BassON.setCaption("True");
    host.Chan.setCaption("12345");
    host.Timer1.setEnabled(true);
    host.Unload();
    EXPECT_FALSE(p.app->isLoaded<frmBass>());
    EXPECT_EQ(host.Chan.Caption(), "0");
    EXPECT_EQ(host.BassON.Caption(), "False");
    EXPECT_FALSE(host.Timer1.Enabled());
    EXPECT_TRUE(p.app->isLoaded<frmBass>()) << "reading a value creates the host again";
}

TEST(SharedState, MainWindowHasItsStatePanelAndDesignLayout) {
    PlayerFixture p;
    Main& m = p.form<Main>();
    EXPECT_EQ(m.LbActualCx(0).Caption(), "-1");
    EXPECT_EQ(m.StarePlayer.Caption(), "Waiting");
    EXPECT_EQ(m.Width(), 6100.0f);
    EXPECT_EQ(m.Height(), 3530.0f);
    EXPECT_EQ(m.sldEQR(10).Left(), 1680.0f);
    EXPECT_EQ(m.FrameVideo(0).Container(), nullptr);
    EXPECT_NE(p.app->handles().widget(m.FrameVideo(0).hWnd()), nullptr);
    EXPECT_THROW(m.TimerMisc(1), ui::RuntimeError);
}

TEST(SharedState, ClosingTheMainWindowEndsTheProcess) {
    PlayerFixture p;
    EXPECT_THROW(p.form<Main>().Unload(ui::Form::vbFormControlMenu), ui::ProcessExit);
}

TEST(SharedState, LibraryTagEditorTakesAnyLengthTheWidthsApplyOnSave) {
    PlayerFixture p;
    MediaLibrary& lib = p.form<MediaLibrary>();
    lib.Text4T.setText("19991");
    EXPECT_EQ(lib.Text4T.Text(), "19991");
    EXPECT_EQ(lib.Song.Count(), 20);
}

TEST(ProgramFolder, WritableExecutableFolderIsUsedAsItIs) {
    testsupport::TempDir exe, user;
    EXPECT_EQ(shared::resolveProgramFolder(exe.path(), user.path()), exe.path());
}

TEST(ProgramFolder, PerUserCopyIsToppedUpButKeepsTheUsersFiles) {
    testsupport::TempDir exe, user;
    exe.write("settings.ini", "shipped\r\n");
    exe.write("Skins/Default/skin.ini", "x=1\r\n");
    const QString copy = shared::userCopyOf(exe.path(), user.path());
    EXPECT_EQ(testsupport::readAll(copy + "/Skins/Default/skin.ini"), QByteArray("x=1\r\n"));
    user.write("program/settings.ini", "changed by the user\r\n");
    exe.write("Languages/Romana.ini", "new\r\n");
    shared::userCopyOf(exe.path(), user.path());
    EXPECT_EQ(testsupport::readAll(copy + "/settings.ini"), QByteArray("changed by the user\r\n"));
    EXPECT_EQ(testsupport::readAll(copy + "/Languages/Romana.ini"), QByteArray("new\r\n"));
    exe.write("plenk-player", "the program itself");
    exe.write("other-tool", "x");
    shared::userCopyOf(exe.path(), user.path());
    EXPECT_FALSE(QFile::exists(copy + "/plenk-player"))
        << "only the program folder's own files are copied";
    EXPECT_FALSE(QFile::exists(copy + "/other-tool"));
}

TEST(ProgramFolder, PerUserCopyOfReadOnlyFilesKeepsTheirModesButCanBeWritten) {
    testsupport::TempDir exe, user;
    const QStringList names = {"settings.ini", "Data/plst.data", "Skins/Default/skin.ini"};
    constexpr auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup;
    for (const QString& name : names)
        QFile::setPermissions(exe.write(name, "x\r\n"), readOnly);
    const QString copy = shared::userCopyOf(exe.path(), user.path());
    for (const QString& name : names) {
        const QFileInfo copied(copy + "/" + name);
        constexpr auto modeBits =
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
            QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
            QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
        EXPECT_EQ(copied.permissions() & modeBits, readOnly | QFileDevice::WriteOwner)
            << name.toStdString();
        EXPECT_FALSE(files::isReadOnly(copied)) << name.toStdString();
    }
}

TEST(ProgramFolder, RelativePartsJoinWithEitherSeparator) {
    EXPECT_EQ(shared::joinPath("/opt/plenk", "\\Data\\plst.data"), "/opt/plenk/Data/plst.data");
    EXPECT_EQ(shared::joinPath("/", "\\settings.ini"), "/settings.ini");
    EXPECT_EQ(shared::joinPath("/a", "Skins/"), "/a/Skins/");
}
