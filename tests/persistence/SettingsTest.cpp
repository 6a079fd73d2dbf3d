#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDir>
#include <QDirIterator>
#include <QFile>

#include "core/ClsMain.h"
#include "options/Options.h"
#include "platform/system/InstanceLock.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "shared/NumberText.h"
#include "support/PlayerFixture.h"
#include "windows/FormMeniuri.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

using testsupport::PlayerFixture;
using testsupport::readAll;

namespace {

QStringList lines(const QString& path) {
    QString text = QString::fromUtf8(readAll(path));
    if (text.endsWith("\r\n")) text.chop(2);
    return text.isEmpty() ? QStringList() : text.split("\r\n");
}

QByteArray settingsWith(std::map<int, QString> values, int count = 72) {
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << (values.count(i) ? values[i] : QString());
    return (out.join("\r\n") + "\r\n").toUtf8();
}

void copyFolder(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + "/" + QDir(from).relativeFilePath(path);
        QDir().mkpath(QFileInfo(target).path());
        QFile::remove(target);
        QFile::copy(path, target);
    }
}

// Every control the settings file covers, away from its design value.
void changeEverything(PlayerFixture& p) {
    Main& m = p.form<Main>();
    Options& o = p.form<Options>();
    MediaLibrary& lib = p.form<MediaLibrary>();
    DataForm& d = p.form<DataForm>();
    m.Move(1234.5f, 678, 6100, 3530);
    p.form<Playlist>().Move(-45, 4321, 7000.25f, 5000);
    m.Volum.setValue(37.5);
    o.Option3.setValue(true);
    o.Option5.setValue(true);
    o.SkinName.setText("Other skin");
    o.LanguageSelector.setListIndex(1);
    o.Slider1.setValue(40);
    o.Check1.setValue(1);
    o.Check2.setValue(2);
    d.VideoSizeHeight2.setCaption("6000");
    d.VideoSizeWidth2.setCaption("8000");
    o.Check17.setValue(1);
    for (int i = 0; i <= 10; ++i)
        m.sldEQR(i).setValue(i * 7.5);
    o.Option10.setValue(true);
    o.Option13.setValue(true);
    o.Option17.setValue(true);
    o.PlaylistFontSize.setListIndex(4);
    o.Check3.setValue(1);
    o.Option19.setValue(true);
    o.Check4.setValue(0);
    o.Check5.setValue(1);
    o.SubDelay.setText("-250");
    o.Check6.setValue(0);
    o.Check8.setValue(1);
    lib.Move(100, 200, 5555, 4444);
    lib.Show();
    lib.FrameTop10.setVisible(true);
    lib.FrameLibrary.setVisible(false);
}

class Settings : public ::testing::TestWithParam<char> {};

TEST_P(Settings, EveryLineComesBackAsItWasSaved) {
    shared::ScopedDecimalSeparator separator(GetParam());
    PlayerFixture first;
    changeEverything(first);
    first.form<Main>().controller().SalveazaSetari();
    const QStringList saved = lines(first.program.file("settings.ini"));
    ASSERT_EQ(saved.size(), 72);
    EXPECT_EQ(saved[2], GetParam() == ',' ? "1234,5" : "1234.5");
    EXPECT_EQ(saved[11], "38") << "the volume slider keeps whole values";
    EXPECT_EQ(saved[16], "Playlist=False");
    EXPECT_EQ(saved[71], "2");
    for (int blank : {23, 24, 25})
        EXPECT_EQ(saved[blank], "");

    PlayerFixture second(testsupport::notStarted());
    copyFolder(first.program.path(), second.program.path());
    second.start();
    second.form<Main>().controller().SalveazaSetari();
    EXPECT_EQ(lines(second.program.file("settings.ini")), saved);
    EXPECT_EQ(second.form<Main>().sldEQR(4).value(), 30.0);
    EXPECT_TRUE(second.form<MediaLibrary>().Visible());
}

INSTANTIATE_TEST_SUITE_P(Locales, Settings, ::testing::Values('.', ','));

TEST(SettingsLoad, EveryCopyTakesTheInstanceLock) {
    PlayerFixture p;
    sys::InstanceLock later(p.settings.path());
    EXPECT_FALSE(later.acquire()) << "a copy without a settings file still holds the lock";
}

TEST(SettingsLoad, TheLockFileGoesWhenTheProgramCloses) {
    PlayerFixture p;
    const QString lockFile = p.settings.file("instance.lock");
    EXPECT_TRUE(QFile::exists(lockFile));
    EXPECT_THROW(p.form<Main>().controller().ClosePlenk(), ui::ProcessExit);
    EXPECT_FALSE(QFile::exists(lockFile));
    EXPECT_TRUE(sys::InstanceLock(p.settings.path()).acquire());
}

TEST(SettingsLoad, ActionsRunOnlyWhenALineChangesAControl) {
    PlayerFixture p(testsupport::notStarted());
    p.form<Options>().TpfAudio.setSelected(2, true);
    p.program.write("settings.ini",
                    settingsWith({{13, "True"}, {14, "False"}, {31, "0"}, {32, "1"}}));
    p.start();
    Options& o = p.form<Options>();
    EXPECT_TRUE(o.TpfAudio.Selected(2)) << "an unchanged box runs no action";
    EXPECT_EQ(o.TpfVideo.SelCount(), 18) << "a box that changes selects every video type";
    EXPECT_TRUE(p.form<FormMeniuri>().MeniuLaRand.Checked());
}

TEST(SettingsLoad, LanguageLayoutAndWindowsFollowTheirLines) {
    PlayerFixture p(testsupport::notStarted());
    p.program.write("Languages/Romana.ini", "Fisier\r\nOptiuni\r\n");
    p.program.write("settings.ini", settingsWith({{14, "True"},
                                                  {16, "Playlist=true"},
                                                  {22, "1"},
                                                  {53, "Small"},
                                                  {56, "mini"},
                                                  {70, "1"},
                                                  {71, "3"}}));
    p.start();
    DataForm& d = p.form<DataForm>();
    EXPECT_EQ(d.LangList.items(), QStringList({"Fisier", "Optiuni"}));
    EXPECT_TRUE(p.form<FormMeniuri>().MeniuAleatoriu.Checked())
        << "the marks survive the menu window's reload";
    EXPECT_EQ(p.form<Main>().Height(), 2000.0f) << "the Small layout is applied";
    EXPECT_FALSE(p.form<Playlist>().Visible());
    EXPECT_EQ(d.PlaylistON.Caption(), "0");
    EXPECT_EQ(d.MiniMode.Caption(), "True");
    EXPECT_TRUE(p.app->isLoaded<MiniForm>());
    MediaLibrary& lib = p.form<MediaLibrary>();
    EXPECT_TRUE(lib.Visible());
    EXPECT_TRUE(lib.FrameIDTag.Visible());
    EXPECT_FALSE(lib.FrameLibrary.Visible());
}

TEST(SettingsLoad, ASecondCopyEndsAfterLine28WithNothingSaved) {
    PlayerFixture p(testsupport::notStarted());
    sys::InstanceLock running(p.settings.path());
    ASSERT_TRUE(running.acquire());
    const QByteArray file = settingsWith({{27, "1"}, {28, "0"}, {29, "4444"}});
    p.program.write("settings.ini", file);
    EXPECT_THROW(p.start(), ui::ProcessExit);
    EXPECT_EQ(p.form<Options>().Check1.Value(), 1);
    EXPECT_NE(p.form<DataForm>().VideoSizeHeight2.Caption(), "4444");
    EXPECT_EQ(readAll(p.program.file("settings.ini")), file);
    EXPECT_FALSE(QFile::exists(p.program.file("Data/tpfaudio.data")));
}

TEST(SettingsLoad, ASecondCopyGoesOnWhenSeveralAreAllowed) {
    PlayerFixture p(testsupport::notStarted());
    sys::InstanceLock running(p.settings.path());
    ASSERT_TRUE(running.acquire());
    p.program.write("settings.ini", settingsWith({{28, "1"}, {29, "4444"}}));
    p.start();
    EXPECT_EQ(p.form<DataForm>().VideoSizeHeight2.Caption(), "4444");
}

TEST(SettingsLoad, AnOldWindowsFileWithCrLfAndTrailingBlanksLoads) {
    PlayerFixture p(testsupport::notStarted());
    QByteArray file = settingsWith({{2, "700   "}, {20, "SKIN"}, {53, "Small"}});
    file.replace("SKIN", QByteArray("Pi\xf1"
                                    "ata  "));
    p.program.write("settings.ini", file);
    p.start();
    EXPECT_EQ(p.form<Main>().Left(), 700.0f);
    EXPECT_EQ(p.form<Options>().SkinName.Text(), QString::fromUtf8("Piñata"));
}

TEST(SettingsLoad, AFileSavedWithLinuxLineEndsLoadsLineByLine) {
    PlayerFixture p(testsupport::notStarted());
    QByteArray file = settingsWith({{2, "700"}, {3, "900"}, {20, "Other skin"}, {29, "4444"}});
    file.replace("\r\n", "\n");
    p.program.write("settings.ini", file);
    p.start();
    EXPECT_EQ(p.form<Main>().Left(), 700.0f);
    EXPECT_EQ(p.form<Main>().Top(), 900.0f);
    EXPECT_EQ(p.form<Options>().SkinName.Text(), "Other skin");
    EXPECT_EQ(p.form<DataForm>().VideoSizeHeight2.Caption(), "4444");
}

TEST(SettingsLoad, ATruncatedFileLoadsWhatItHasAndGarbageKeepsDesignValues) {
    PlayerFixture p(testsupport::notStarted());
    p.program.write("settings.ini",
                    settingsWith({{2, "abc"}, {3, "900"}, {11, "loud"}, {27, "7"}, {28, "1"}}, 30));
    p.start();
    Main& m = p.form<Main>();
    EXPECT_EQ(m.Left(), 500.0f) << "a line that is no number leaves the design value";
    EXPECT_EQ(m.Top(), 900.0f);
    EXPECT_EQ(m.Volum.value(), 0.0);
    EXPECT_EQ(p.form<Options>().Check1.Value(), 0) << "a check box rejects 7";
    EXPECT_TRUE(p.form<Options>().Option15.Value())
        << "lines past the end read as empty and change nothing";
    EXPECT_EQ(p.form<DataForm>().MainMode.Caption(), "");
}

// 1280 by 1024 pixels: 19200 by 15360 twips.
TEST(SettingsLoad, ASavedWindowSizeIsNoLargerThanTheScreensShow) {
    PlayerFixture p(testsupport::notStarted());
    p.app->screen().scriptScreens({{0, 0, 1280, 1024}});
    p.program.write("settings.ini", settingsWith({{4, "2147483647"},
                                                  {9, "20000000"},
                                                  {10, "2147483647"},
                                                  {68, "1e300"},
                                                  {69, "2147483647"}}));
    p.start();
    EXPECT_LE(p.form<Main>().Width(), 19200.0f);
    EXPECT_EQ(p.form<Playlist>().Width(), 19200.0f);
    EXPECT_EQ(p.form<Playlist>().Height(), 15360.0f);
    EXPECT_EQ(p.form<MediaLibrary>().Width(), 19200.0f);
    EXPECT_EQ(p.form<MediaLibrary>().Height(), 15360.0f);
}

// Screens side by side: 0 to 19200 twips across, 15360 down, and 19200 to
// 48000 across, 16200 down.
TEST(SettingsLoad, AWindowOffEveryScreenComesBackOnTheNearestOneAndOnOneStaysPut) {
    PlayerFixture p(testsupport::notStarted());
    p.app->screen().scriptScreens({{0, 0, 1280, 1024}, {1280, 0, 1920, 1080}});
    p.program.write("settings.ini", settingsWith({{2, "60000"},
                                                  {3, "200"},
                                                  {7, "-2147483649"},
                                                  {8, "4100"},
                                                  {9, "6100"},
                                                  {10, "4500"},
                                                  {66, "30000"},
                                                  {67, "15500"},
                                                  {68, "5400"},
                                                  {69, "5200"}}));
    p.start();
    EXPECT_EQ(p.form<Main>().Left(), 48000.0f - 6100) << "wholly on the second screen";
    EXPECT_EQ(p.form<Main>().Top(), 200.0f);
    EXPECT_EQ(p.form<Playlist>().Left(), 0.0f);
    EXPECT_EQ(p.form<Playlist>().Top(), 4100.0f);
    EXPECT_EQ(p.form<MediaLibrary>().Left(), 30000.0f) << "below the first screen, on the second";
    EXPECT_EQ(p.form<MediaLibrary>().Top(), 15500.0f);
}

// Links to devices only in place of files the program never saves.
TEST(SettingsLoad, PipesAndDevicesInPlaceOfTheFilesStartLikeAFirstRun) {
    PlayerFixture p(testsupport::notStarted());
    for (const char* file :
         {"settings.ini", "Data/plst.data", "Data/keyboard.data", "Data/top.data"})
        ASSERT_EQ(mkfifo(QFile::encodeName(p.program.file(file)).constData(), 0600), 0);
    QFile::link("/dev/zero", p.program.file("Data/mnin.data"));
    QDir(p.program.path()).mkpath("Skins/Default");
    QFile::link("/dev/urandom", p.program.file("Skins/Default/skin.ini"));
    p.start();
    EXPECT_EQ(p.form<Options>().SkinName.Text(), "Default");
    EXPECT_EQ(p.form<DataForm>().ListaCale.ListCount(), 0);
    EXPECT_EQ(p.form<MediaLibrary>().Song(0).Caption(), "");
    EXPECT_EQ(p.form<DataForm>().ListaManelisti.ListCount(), 0);
    EXPECT_EQ(p.form<DataForm>().SkinSettings.ListCount(), 0);
    p.dialogs->msgBoxAnswers.push_back(ui::vbCancel);
    EXPECT_THROW(p.form<Main>().controller().ClosePlenk(), ui::ProcessExit);
    struct stat node {};
    EXPECT_TRUE(stat(QFile::encodeName(p.program.file("settings.ini")).constData(), &node) == 0 &&
                S_ISFIFO(node.st_mode))
        << "the close saves nothing over a pipe and does not block";
}

TEST(SettingsLoad, ClosingWithoutADataFolderMakesIt) {
    PlayerFixture p;
    QDir(p.program.file("Data")).removeRecursively();
    EXPECT_THROW(p.form<Main>().controller().ClosePlenk(), ui::ProcessExit);
    for (const char* file : {"top.data", "keyboard.data", "plst.data", "tpfaudio.data"})
        EXPECT_TRUE(QFile::exists(p.program.file(QString("Data/") + file))) << file;
}

TEST(SettingsLoad, FirstStartWithoutASettingsFileKeepsTheDesignValues) {
    PlayerFixture p;
    DataForm& d = p.form<DataForm>();
    EXPECT_EQ(p.form<Options>().SkinName.Text(), "Default");
    EXPECT_EQ(d.MainMode.Caption(), "Full");
    EXPECT_EQ(d.MiniMode.Caption(), "False");
    EXPECT_EQ(d.PlaylistON.Caption(), "1");
    EXPECT_FALSE(p.app->isLoaded<MiniForm>());
}

TEST(SettingsLoad, TheShippedDefaultStartsInFullModeWithThePlaylistShown) {
    PlayerFixture p(testsupport::notStarted());
    QFile::copy(QString(PLENK_ASSETS) + "/settings.ini", p.program.file("settings.ini"));
    p.start();
    EXPECT_EQ(p.form<DataForm>().MainMode.Caption(), "Full");
    EXPECT_TRUE(p.form<Playlist>().Visible());
    EXPECT_TRUE(p.form<Main>().Visible());
    EXPECT_EQ(p.form<Options>().SkinName.Text(), "Default");
    EXPECT_EQ(p.form<Options>().LanguageSelector.Text(), "English");
}

TEST(SettingsLoad, RankingsFilterWordsAndAssociationChoicesComeBack) {
    PlayerFixture p(testsupport::notStarted());
    p.program.write("Data/top.data", "first\r\n\r\nthird\r\n");
    p.program.write("Data/mnin.data", "word\r\n\r\n   \r\nother  \r\n");
    p.program.write("Data/tpfaudio.data", "1\r\n0\r\n1   \r\n 1\r\n");
    p.start();
    MediaLibrary& lib = p.form<MediaLibrary>();
    EXPECT_EQ(lib.Song(0).Caption(), "first");
    EXPECT_EQ(lib.CountPlayed(0).Caption(), "1");
    EXPECT_EQ(lib.Song(1).Caption(), "");
    EXPECT_EQ(lib.Song(2).Caption(), "third");
    EXPECT_EQ(p.form<DataForm>().ListaManelisti.items(), QStringList({"word", "other"}));
    Options& o = p.form<Options>();
    EXPECT_TRUE(o.TpfAudio.Selected(0));
    EXPECT_TRUE(o.TpfAudio.Selected(2));
    EXPECT_FALSE(o.TpfAudio.Selected(3)) << "a blank before the 1 does not count";
}

TEST(AssociationChoices, SaveWritesOneLinePerType) {
    PlayerFixture p;
    Options& o = p.form<Options>();
    o.TpfAudio.setSelected(0, true);
    o.TpfAudio.setSelected(8, true);
    o.TpfVideo.setSelected(1, true);
    p.form<Main>().controller().SalveazaValoriAsociere();
    EXPECT_EQ(lines(p.program.file("Data/tpfaudio.data")),
              QStringList({"1", "0", "0", "0", "0", "0", "0", "0", "1", "0", "0"}));
    const QStringList video = lines(p.program.file("Data/tpfvideo.data"));
    ASSERT_EQ(video.size(), 18);
    EXPECT_EQ(video[1], "1");
    EXPECT_EQ(video.count("0"), 17);
}

}  // namespace
