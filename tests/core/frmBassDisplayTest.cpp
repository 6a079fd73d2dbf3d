#include "BassHostFixture.h"
#include "controls/ctlScrollbar.h"
#include "playlist/MediaLibrary.h"

using namespace audio;

namespace bashost {
namespace {

TEST(HostTimeText, RoundsHalvesToEvenAndCountsMinutesOn) {
    EXPECT_EQ(frmBass::TimeText(65.5), "1:06");
    EXPECT_EQ(frmBass::TimeText(64.5), "1:04");
    EXPECT_EQ(frmBass::TimeText(4503), "75:03");
    EXPECT_EQ(frmBass::TimeText(125), "2:05");
    EXPECT_EQ(frmBass::TimeText(59), "0:59");
    EXPECT_EQ(frmBass::TimeText(0), "0:00");
    EXPECT_EQ(frmBass::TimeText(-1), "0:00");
    EXPECT_EQ(frmBass::TimeText(40000), "666:40") << "no 16-bit limit";
}

class HostTickTest : public BassHostTest {};

TEST_F(HostTickTest, TickShowsPositionTimesAndStatus) {
    main().TimeCounter.setEnabled(true);
    main().TimerMisc(0).setEnabled(true);
    main().LbStatus(0).setCaption("");
    play(tone("three.wav", {.seconds = 3}));
    p.clock->advance(999);
    EXPECT_EQ(host().StreamLength.Caption(), "0") << "nothing before the first tick";
    p.clock->advance(1);
    EXPECT_EQ(host().Pozitie.Caption(), "176400");
    EXPECT_EQ(host().StreamLength.Caption(), "529200");
    ctlScrollbar& seek = main().SliderMoveMultimedia(0);
    EXPECT_DOUBLE_EQ(seek.max(), 5.292);
    EXPECT_DOUBLE_EQ(seek.value(), 2) << "the slider keeps whole values";
    EXPECT_EQ(main().TSec.Caption(), "0:01");
    EXPECT_EQ(main().TotalTime.Caption(), "0:03");
    EXPECT_EQ(main().LbStatus(0).Caption(), "Playing");
    EXPECT_FALSE(main().TimeCounter.Enabled());
    EXPECT_FALSE(main().TimerMisc(0).Enabled());
    EXPECT_EQ(p.form<MediaLibrary>().LbCurrentTime(0).Caption(), "0");
    p.clock->advance(1000);
    EXPECT_EQ(main().TSec.Caption(), "0:02");
}

TEST_F(HostTickTest, DraggedSliderIsLeftAlone) {
    play(tone("three.wav", {.seconds = 3}));
    p.clock->advance(1000);
    host().Scrolling.setCaption("True");
    main().SliderMoveMultimedia(0).setValue(4);
    p.clock->advance(1000);
    EXPECT_DOUBLE_EQ(main().SliderMoveMultimedia(0).value(), 4);
    EXPECT_EQ(main().TSec.Caption(), "0:02") << "the rest of the tick runs";
}

TEST_F(HostTickTest, SeekMaximumFollowsTheStreamLength) {
    host().StreamLength.setCaption("4000000");
    EXPECT_DOUBLE_EQ(main().SliderMoveMultimedia(0).max(), 40);
}

TEST_F(HostTickTest, FirstTickShowsTheTrackAndItsTag) {
    const QString file = tagged(tone("song.wav", {.seconds = 3}), "Singer");
    addToPlaylist(file, "Singer - Title");
    playRow(0);
    main().PiesaCurenta.setCaption("");
    main().labSize.setCaption("");
    p.clock->advance(1000);
    EXPECT_EQ(main().PiesaCurenta.Caption(), "Singer - Title");
    EXPECT_EQ(main().LbFileName(0).Caption(), file);
    EXPECT_TRUE(p.form<MediaLibrary>().Text1T.Text().startsWith("Title"));
    EXPECT_TRUE(p.form<MediaLibrary>().Text3T.Text().startsWith("Album"));
    EXPECT_TRUE(main().labSize.Caption().endsWith(" Bytes")) << "the MPEG information is read";
}

// Paused, the channel stays active and the tick goes on.
TEST_F(HostTickTest, InformationLineCyclesEverySixteenTicks) {
    play(tagged(tone("song.wav"), "Singer"));
    host().Pauza();
    QStringList lines;
    for (int tick = 1; tick <= 16; ++tick) {
        p.clock->advance(1000);
        lines << main().InfoIDTag.Caption().left(12).trimmed();
    }
    const QString rank = main().PozInTop.Caption().left(12).trimmed();
    ASSERT_FALSE(rank.isEmpty());
    const QString artist = "Artist: Sing", album = "Album: Album", year = "Year: 2024";
    EXPECT_EQ(lines, QStringList({artist, artist, artist, album, album, album, album, year, year,
                                  year, year, rank, rank, rank, rank, artist}));
    EXPECT_EQ(host().SwitchIDTag.Caption(), "1");
}

TEST_F(HostTickTest, TitleFromThePlaylistKeepsTheMarqueeGap) {
    addToPlaylist(tone("a.wav", {.seconds = 3}), "Row a");
    playRow(0);
    main().Titlu.setCaption("");
    p.clock->advance(1000);
    EXPECT_EQ(main().Titlu.Caption(), "Row a         ");
}

TEST_F(HostTickTest, FileOpenedOtherwiseTakesTheSelectedRowsText) {
    addToPlaylist(tone("a.wav"), "Selected row");
    p.form<Playlist>().PicList.setListIndex(0);
    play(tone("other.wav", {.seconds = 3}));
    main().Titlu.setCaption("other");
    p.clock->advance(1000);
    EXPECT_EQ(main().Titlu.Caption(), "Selected row");
}

// The file named on the command line, made before the player starts.
struct StartFile {
    testsupport::TempDir dir;
    QString path =
        testsupport::writeTone(dir.file("Started.wav"), testsupport::kWav, {.seconds = 3});
};

class HostCommandLineTest : private StartFile, public BassHostTest {
  protected:
    HostCommandLineTest() : BassHostTest(testsupport::withCommandLine(path)) {}
};

TEST_F(HostCommandLineTest, FileOpenedAfterAStartWithAFileKeepsTheTitle) {
    ASSERT_EQ(main().StarePlayer.Caption(), "Playing");
    EXPECT_EQ(main().Titlu.Caption(), "Started");
    main().ScrollTextTimer.setEnabled(false);  // the marquee would move the text
    p.clock->advance(1000);
    EXPECT_EQ(main().Titlu.Caption(), "Started");
}

TEST_F(HostTickTest, TwoSecondFilePlaysToItsEndThenEndsOnce) {
    play(tone("two.wav", {.seconds = 2}));
    const DWORD played = channel();
    p.clock->advance(1000);
    ASSERT_EQ(host().StreamLength.Caption(), "352800");
    p.clock->advance(4000);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(positionAtEnd, lengthAtEnd) << "the last second is heard";
    EXPECT_EQ(main().LbStatus(0).Caption(), "stopped");
    // The end released the host from its own tick; the main window's check has
    // created an idle one since.
    EXPECT_EQ(bass().BASS_ChannelIsActive(played), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(bass().BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    EXPECT_EQ(host().Chan.Caption(), "0");
    EXPECT_FALSE(host().Timer1.Enabled());
}

// Nothing is cut off before the end: the channel plays its last seconds.
TEST_F(HostTickTest, TrackIsNotReleasedBeforeItsEnd) {
    play(tone("five.wav", {.seconds = 5}));
    const DWORD playing = channel();
    p.clock->advance(4000);
    EXPECT_EQ(ends, 0);
    EXPECT_EQ(bass().BASS_ChannelIsActive(playing), BASS_ACTIVE_PLAYING);
    EXPECT_EQ(main().TSec.Caption(), "0:04");
    p.clock->advance(3000);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(positionAtEnd, lengthAtEnd);
}

TEST_F(HostTickTest, EndHandsOverToTheNextEntryAndThatTickStops) {
    addToPlaylist(tone("first.wav", {.seconds = 2}), "first");
    addToPlaylist(tone("second.wav", {.seconds = 3}), "second");
    playRow(0);
    const DWORD first = channel();
    for (int i = 0; i < 4 && ends == 0; ++i)
        p.clock->advance(1000);
    ASSERT_EQ(ends, 1);
    EXPECT_NE(channel(), first);
    EXPECT_EQ(p.form<Playlist>().PicList.ListIndex(), 1);
    EXPECT_EQ(main().StarePlayer.Caption(), "Playing");
    EXPECT_EQ(host().StreamLength.Caption(), "0")
        << "the ending tick shows nothing of the next entry";
    p.clock->advance(1000);
    EXPECT_EQ(host().StreamLength.Caption(), "529200");
    EXPECT_EQ(main().Titlu.Caption(), "second         ");
    EXPECT_EQ(main().TSec.Caption(), "0:01");
}

}  // namespace
}  // namespace bashost
