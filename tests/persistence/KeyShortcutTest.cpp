#include <gtest/gtest.h>

#include "core/frmBass.h"
#include "options/Options.h"
#include "persistence/KeyShortcut.h"
#include "playlist/JumpForm.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/Controllers.h"
#include "support/PlayerFixture.h"
#include "windows/Main.h"

using testsupport::PlayerFixture;
using testsupport::readAll;

namespace {

class Shortcuts : public ::testing::Test {
  protected:
    PlayerFixture p;
    KeyShortcut& keys = p.app->module<KeyShortcut>();
    Options& o = p.form<Options>();
    Main& m = p.form<Main>();
    QStringList calls;

    Shortcuts() { keys.MainCtl.set(std::make_unique<testsupport::RecordingMain>(*p.app, calls)); }
    void assign(int action, const QString& code) { o.AsciBox(action).setText(code); }
};

TEST_F(Shortcuts, EachKeyRunsItsOwnAction) {
    assign(0, "74");
    assign(1, "80");
    keys.ProcessShortcutKey(80);
    EXPECT_EQ(calls, QStringList({"Play"}));
    EXPECT_FALSE(p.form<JumpForm>().Visible());
    keys.ProcessShortcutKey(74);
    EXPECT_TRUE(p.form<JumpForm>().Visible());
    const char* names[] = {"Pause", "SStop", "PlayNext", "PlayPrevious"};
    for (int action = 2; action <= 5; ++action) {
        calls.clear();
        assign(action, QString::number(100 + action));
        keys.ProcessShortcutKey(100 + action);
        EXPECT_EQ(calls, QStringList({names[action - 2]}));
    }
}

TEST_F(Shortcuts, SeveralActionsOnOneKeyRunInOrderAndEmptyOrLetterCodesNeverMatch) {
    assign(2, "65");
    assign(8, " 65 ");
    assign(3, "");
    assign(4, "abc");
    m.Volum.setValue(50.0);
    keys.ProcessShortcutKey(65);
    EXPECT_EQ(calls, QStringList({"Pause", "ChangeVolume"}));
    EXPECT_EQ(m.Volum.value(), 60.0);
    calls.clear();
    keys.ProcessShortcutKey(0);
    EXPECT_TRUE(calls.isEmpty());
}

TEST_F(Shortcuts, VolumeStepsStayWithinTheSlider) {
    assign(8, "38");
    assign(9, "40");
    m.Volum.setValue(95.0);
    keys.ProcessShortcutKey(38);
    EXPECT_EQ(m.Volum.value(), 100.0);
    keys.ProcessShortcutKey(38);
    EXPECT_EQ(m.Volum.value(), 100.0);
    m.Volum.setValue(5.0);
    keys.ProcessShortcutKey(40);
    EXPECT_EQ(m.Volum.value(), 0.0);
    p.form<frmBass>().BassON.setCaption("True");
    calls.clear();
    keys.ProcessShortcutKey(38);
    EXPECT_TRUE(calls.isEmpty()) << "the audio host takes the volume while it plays";
}

TEST_F(Shortcuts, CloseStopsTheDispatch) {
    assign(7, "81");
    assign(8, "81");
    EXPECT_THROW(keys.ProcessShortcutKey(81), ui::ProcessExit);
    EXPECT_EQ(calls, QStringList({"ClosePlenk"}));
}

TEST_F(Shortcuts, MinimizeAndCloseDoNothingInFullScreen) {
    assign(6, "77");
    assign(7, "81");
    p.form<DataForm>().FullScreenStat.setCaption("True");
    keys.ProcessShortcutKey(77);
    keys.ProcessShortcutKey(81);
    EXPECT_EQ(m.WindowState(), ui::Form::vbNormal);
    EXPECT_TRUE(calls.isEmpty());
}

TEST_F(Shortcuts, MinimizeHidesThePlaylistAndTitlesTheWindow) {
    assign(6, "77");
    p.form<Playlist>().Show();
    m.Titlu.setCaption("Now playing   ");
    o.Check1.setValue(1);
    keys.ProcessShortcutKey(77);
    EXPECT_EQ(m.WindowState(), ui::Form::vbMinimized);
    EXPECT_EQ(p.form<DataForm>().PlaylistON.Caption(), "1");
    EXPECT_EQ(m.Caption(), "Now playing   ");
    EXPECT_FALSE(p.form<Playlist>().Visible());
    m.setWindowState(ui::Form::vbNormal);
    o.Check1.setValue(0);
    keys.ProcessShortcutKey(77);
    EXPECT_EQ(m.Caption(), "Plenk Player        ");
    EXPECT_EQ(p.form<DataForm>().PlaylistON.Caption(), "0");
}

TEST(KeyboardFile, TwentyLinesLoadAndSaveBackByteForByte) {
    PlayerFixture p(testsupport::notStarted());
    QByteArray file;
    for (int i = 0; i < 10; ++i)
        file += QByteArray::number(65 + i) + "\r\n";
    for (int i = 0; i < 10; ++i)
        file += QByteArray(1, char('A' + i)) + "\r\n";
    p.program.write("Data/keyboard.data", file);
    p.start();
    EXPECT_EQ(p.form<Options>().AsciBox(3).Text(), "68");
    EXPECT_EQ(p.form<Options>().AsciText(9).Text(), "J");
    p.app->module<KeyShortcut>().SaveKeyboardSettings();
    EXPECT_EQ(readAll(p.program.file("Data/keyboard.data")), file);
}

TEST(KeyboardFile, AMissingFileLeavesNoKeysAndASaveWritesEmptyCodesAndTheNames) {
    PlayerFixture p;
    EXPECT_EQ(p.form<Options>().AsciBox(0).Text(), "");
    EXPECT_EQ(p.form<Options>().AsciText(0).Text(), "0");
    p.app->module<KeyShortcut>().SaveKeyboardSettings();
    EXPECT_EQ(readAll(p.program.file("Data/keyboard.data")),
              QByteArray("\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r"
                         "\n0\r\n0\r\n0\r\n"));
}

TEST(KeyboardFile, AShortFileGivesTheMissingActionsNoKey) {
    PlayerFixture p(testsupport::notStarted());
    p.program.write("Data/keyboard.data", "1\r\n2\r\n3\r\n4\r\n5\r\n");
    p.start();
    EXPECT_EQ(p.form<Options>().AsciBox(4).Text(), "5");
    EXPECT_EQ(p.form<Options>().AsciBox(5).Text(), "");
    EXPECT_EQ(p.form<Options>().AsciText(0).Text(), "0");
}

// The program folder ships a keyboard map, so the common keys work on a first run.
TEST(KeyboardFile, TheShippedMapGivesEveryActionButCloseAKey) {
    PlayerFixture p(testsupport::notStarted());
    const QByteArray shipped = readAll(QString(PLENK_ASSETS) + "/Data/keyboard.data");
    ASSERT_FALSE(shipped.isEmpty());
    p.program.write("Data/keyboard.data", shipped);
    p.start();
    Options& o = p.form<Options>();
    const QStringList codes = {"74", "88", "67", "86", "66", "90", "77", "", "38", "40"};
    const QStringList names = {"J", "X", "C", "V", "B", "Z", "M", "", "Up", "Down"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(o.AsciBox(i).Text(), codes[i]) << i;
        EXPECT_EQ(o.AsciText(i).Text(), names[i]) << i;
    }
    QStringList calls;
    KeyShortcut& keys = p.app->module<KeyShortcut>();
    keys.MainCtl.set(std::make_unique<testsupport::RecordingMain>(*p.app, calls));
    for (int key : {88, 67, 86, 66, 90})
        keys.ProcessShortcutKey(key);
    EXPECT_EQ(calls, QStringList({"Play", "Pause", "SStop", "PlayNext", "PlayPrevious"}));
    keys.ProcessShortcutKey(0);
    EXPECT_EQ(calls.size(), 5) << "no key closes the program";
    keys.SaveKeyboardSettings();
    EXPECT_EQ(readAll(p.program.file("Data/keyboard.data")), shipped);
}

}  // namespace
