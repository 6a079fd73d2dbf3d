#include <gtest/gtest.h>

#include <QFile>

#include "options/Options.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/PlayerFixture.h"
#include "windows/Main.h"
#include "windows/MiniForm.h"

using testsupport::PlayerFixture;
using testsupport::readLines;

namespace {

// A player started as the program starts, its settings naming the mini
// window in place of the main one, with no playlist window and no tray icon.
void startInMiniMode(PlayerFixture& p) {
    QStringList settings = readLines(QString(PLENK_ASSETS) + "/settings.ini");
    settings[16] = "Playlist=False";
    settings[56] = "mini";
    settings[64] = "0";
    p.program.write("settings.ini", (settings.join("\r\n") + "\r\n").toUtf8());
    p.program.write("Data/plst.data", "/music/a.mp3\r\n");
    p.start();
}

// The main window shows alone, then is hidden by code.
void hideAllButTheMainWindowThenIt(PlayerFixture& p, bool trayIcon) {
    Main& m = p.form<Main>();
    m.Show();
    p.form<Options>().Check7.setValue(trayIcon ? 1 : 0);
    p.form<Playlist>().Hide();
    m.Hide();
}

TEST(NoWindowLeft, ClosingTheOnlyWindowWithoutATrayIconClosesTheProgram) {
    PlayerFixture p(testsupport::notStarted());
    startInMiniMode(p);
    ASSERT_TRUE(p.form<MiniForm>().Visible());
    ASSERT_FALSE(p.form<Main>().Visible());
    p.form<MiniForm>().requestClose();
    EXPECT_THROW(p.clock->advance(1), ui::ProcessExit);
    EXPECT_EQ(readLines(p.program.file("settings.ini")).size(), 72);
    EXPECT_EQ(readLines(p.program.file("Data/plst.data")), QStringList({"/music/a.mp3"}));
    EXPECT_EQ(readLines(p.program.file("Data/top.data")).size(), 40);
}

TEST(NoWindowLeft, HidingTheLastWindowByCodeClosesTooButASwitchDoesNot) {
    PlayerFixture p;
    hideAllButTheMainWindowThenIt(p, false);
    p.form<MiniForm>().Show();
    p.clock->advance(10);
    EXPECT_TRUE(p.form<MiniForm>().Visible()) << "one window hidden as another shows";
    p.form<MiniForm>().Hide();
    EXPECT_THROW(p.clock->advance(1), ui::ProcessExit);
}

TEST(NoWindowLeft, ATrayIconKeepsTheProgramRunning) {
    PlayerFixture p;
    Main& m = p.form<Main>();
    hideAllButTheMainWindowThenIt(p, true);
    EXPECT_NO_THROW(p.clock->advance(1000));
    EXPECT_TRUE(m.isLoaded());
}

}  // namespace
