#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/frmBass.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/AudioFiles.h"
#include "support/PlayerFixture.h"
#include "windows/Main.h"

using testsupport::readAll;

namespace {

QStringList lines(const QString& path) {
    QString text = QString::fromUtf8(readAll(path));
    if (text.endsWith("\r\n")) text.chop(2);
    return text.split("\r\n");
}

// The whole program on a temporary program folder: a two-entry playlist,
// the first entry played to its end, the second starting, then the close.
TEST(EndToEnd, APlaylistPlaysThroughAndShutDownWritesTheFiles) {
    testsupport::PlayerFixture p(testsupport::notStarted());
    QDir(p.program.path()).mkpath("Music");
    testsupport::Tone tone;
    tone.seconds = 2;
    const QString first =
        testsupport::writeTone(p.program.file("Music/first song.wav"), testsupport::kWav, tone);
    tone.hz = 440;
    const QString second =
        testsupport::writeTone(p.program.file("Music/second song.wav"), testsupport::kWav, tone);
    p.program.write("Data/plst.data", (first + "\r\n" + second + "\r\n").toUtf8());
    QFile::copy(QString(PLENK_ASSETS) + "/settings.ini", p.program.file("settings.ini"));
    p.start();
    Main& m = p.form<Main>();
    m.Show();
    Playlist& list = p.form<Playlist>();
    ASSERT_EQ(list.PicList.items(), QStringList({"first song", "second song"}));

    // What a double-click on the first row does.
    list.PicList.setListIndex(0);
    p.form<DataForm>().ListaCale.setListIndex(0);
    p.form<DataForm>().SongNumber.setCaption("0");
    p.form<DataForm>().FromPlaylist.setCaption("True");
    m.controller().Play();
    EXPECT_EQ(m.StarePlayer.Caption(), "Playing");
    EXPECT_EQ(m.LbFileName(0).Caption(), first);
    p.clock->advance(1000);
    EXPECT_EQ(m.Titlu.Caption(), "first song" + QString(9, ' '));
    EXPECT_EQ(m.TotalTime.Caption(), "0:02");

    p.clock->advance(2500);
    EXPECT_EQ(m.LbFileName(0).Caption(), second) << "the end of the first entry starts the second";
    EXPECT_EQ(m.StarePlayer.Caption(), "Playing");
    EXPECT_EQ(list.PicList.ListIndex(), 1);
    EXPECT_EQ(p.form<frmBass>().BassON.Caption(), "True");

    EXPECT_THROW(m.CloseButton_Click(), ui::ProcessExit);
    EXPECT_EQ(lines(p.program.file("Data/plst.data")), QStringList({first, second}));
    const QStringList top = lines(p.program.file("Data/top.data"));
    ASSERT_EQ(top.size(), 40);
    EXPECT_TRUE(top.contains("first song"));
    EXPECT_TRUE(top.contains("second song"));
    const QStringList settings = lines(p.program.file("settings.ini"));
    ASSERT_EQ(settings.size(), 72);
    EXPECT_EQ(settings[0], PlenkApp::version());
    EXPECT_EQ(settings[16], "Playlist=True");
    EXPECT_EQ(settings[53], "Full");
    EXPECT_EQ(settings[56], "main");
    EXPECT_EQ(lines(p.program.file("Data/playlist.data")),
              QStringList({"first song", "second song"}));
}

}  // namespace
