// The whole player as a user meets it: a fresh program folder, a folder of
// generated media, and only pointer and keyboard gestures, from the first
// start to a restart that finds everything where it was left.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <utility>

#include "support/AudioFiles.h"
#include "support/Ffmpeg.h"
#include "support/display/DisplaySession.h"
#include "support/display/DragProgram.h"
#include "support/display/MainWindowPoints.h"

using displaytest::DragProgram;
using displaytest::kWaitMs;
using displaytest::PlayerSession;
using displaytest::waitUntil;
using namespace displaytest::mainwindow;

namespace {

// More points of the main window, in pixels from its corner.
const QPoint kPause(364, 40);
const QPoint kPlay(363, 63);
const QPoint kPrevious(337, 63);
const QPoint kNext(390, 63);
const QPoint kPresetButton(92, 104);
const QPoint kTop20(380, 110);
const QRect kVisualisation(144, 72, 168, 40);
const QRect kTitleLine(144, 36, 168, 14);
// A point of the main window where only its back colour shows, and the
// Silver skin's back colour.
const QPoint kBackProbe(322, 77);
const QColor kSilver(206, 209, 216);
// The seek thumb at the start of the track, and the band and reverb thumbs
// at 50 and at their shipped values.
const QPoint kSeekThumbAtStart(8 + 11 + 10, 214 + 9);
QPoint bandThumbAt50(int band) {
    return {165 + 16 * band, 159};
}
const QPoint kReverbThumb(133, 185);
// The playlist dialog at its design place and its action button.
const QPoint kDialog(200, 200);
const QPoint kDialogAction = kDialog + QPoint(228, 216);

// The options window's page labels, tops in pixels below the window's top.
enum Page { General, PlaylistPage, Audio, Video, Associations, Skins, Language, Keyboard, Info };
int pageTop(Page page) {
    return 56 + 24 * page;
}

QString str(int v) {
    return QString::number(v);
}

bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) <= 6 && std::abs(a.green() - b.green()) <= 6 &&
           std::abs(a.blue() - b.blue()) <= 6;
}

int seconds(const QString& time) {
    const QStringList parts = time.split(':');
    return parts.size() == 2 ? parts[0].toInt() * 60 + parts[1].toInt() : -1;
}

// An ID3v1 tag: title, artist, album, year, comment and genre.
QByteArray id3v1(const QString& title, const QString& artist) {
    auto field = [](const QString& text, int width) {
        return text.toLatin1().leftJustified(width, '\0', true);
    };
    return "TAG" + field(title, 30) + field(artist, 30) + field("Tour", 30) + field("2026", 4) +
           field("", 30) + char(12);
}

bool appendTo(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::Append) && file.write(bytes) == bytes.size();
}

class TourOnDisplay : public ::testing::Test {
  protected:
    PlayerSession s;
    testsupport::TempDir media;
    QString mainId, playlistId;

    // Tagged and untagged mp3, ogg, wav, a tracker module, a video with
    // its subtitles beside it, and a file in another folder to drop.
    void makeMediaTree() {
        const QString music = media.file("Music/");
        QDir().mkpath(music + "Video");
        QDir().mkpath(media.file("Elsewhere"));
        const auto tone = [](int hz, int secs) {
            return QString("sine=frequency=%1:duration=%2").arg(hz).arg(secs);
        };
        // A beating tone, so the visualisation has something to show.
        const QStringList mp3 = {"-af", "tremolo=f=3:d=0.9", "-ac", "2", "-b:a",
                                 "64k", "-id3v2_version",    "0"};
        ASSERT_TRUE(testsupport::ffmpeg(QStringList{"-f", "lavfi", "-i", tone(440, 90)} + mp3 +
                                        QStringList{music + "track01.mp3"}));
        ASSERT_TRUE(appendTo(music + "track01.mp3", id3v1("Tagged Tune", "The Testers")));
        ASSERT_TRUE(testsupport::ffmpeg(QStringList{"-f", "lavfi", "-i", tone(660, 60)} + mp3 +
                                        QStringList{music + "Plain tone.mp3"}));
        testsupport::Tone ogg;
        ogg.seconds = 20;
        testsupport::writeTone(music + "Ogg chime.ogg", testsupport::kOgg, ogg);
        testsupport::Tone wav;
        wav.seconds = 20;
        testsupport::writeTone(music + "Wave beep.wav", testsupport::kWav, wav);
        media.write("Music/Tracker tune.mod", testsupport::tinyModule());
        if (withVideo) {
            ASSERT_TRUE(
                testsupport::ffmpeg({"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25", "-t",
                                     "30", "-pix_fmt", "yuv420p", music + "Video/clip.mp4"}));
            media.write("Music/Video/clip.srt",
                        "1\r\n00:00:00,000 --> 00:00:29,000\r\nHello from the subtitles\r\n\r\n");
        }
        testsupport::writeTone(media.file("Elsewhere/Dropped one.ogg"), testsupport::kOgg, ogg);
    }

    void startPlayer() {
        s.start();
        mainId = s.waitForWindow(kTitle);
        ASSERT_FALSE(mainId.isEmpty()) << s.output().toStdString();
        playlistId = s.waitForWindow("Playlist");
        ASSERT_FALSE(playlistId.isEmpty()) << s.output().toStdString();
    }

    QPoint onMain(QPoint p) { return s.geometry(mainId).topLeft() + p; }
    QPoint onPlaylist(QPoint p) { return s.geometry(playlistId).topLeft() + p; }
    // A point of the title strip's buttons, which keep their distance from
    // the right edge when a video widens the window.
    QPoint fromRight(QPoint p) { return p + QPoint(s.geometry(mainId).width() - 407, 0); }
    QPoint row(int index) { return onPlaylist(QPoint(60, 30 + 11 * index)); }

    void click(QPoint at, int button = 1) { s.clickAfterHover(at, button); }
    void doubleClick(QPoint at) { s.doubleClick(at); }
    void drag(QPoint from, QPoint to) { s.drag(from, to, 4); }
    // A menu opened by a click, then walked with the keys.
    void menu(QPoint head, const QStringList& walk) {
        click(head);
        EXPECT_TRUE(s.waitForMenus(1)) << "the menu shows";
        s.keys(walk);
    }
    QStringList downs(int n, const QString& last = "Return") {
        QStringList k;
        for (int i = 0; i < n; ++i)
            k << "Down";
        return k << last;
    }

    QString text(const QString& control) { return s.texts().value(control); }
    bool shows(const QString& control, const QString& wanted, int timeoutMs = kWaitMs) {
        return waitUntil([&] { return text(control) == wanted; }, timeoutMs);
    }
    bool playing(const QString& title) { return s.waitForPlaying(title); }
    int elapsed() { return seconds(text("Main.TSec")); }

    QList<QByteArray> settings() {
        QList<QByteArray> lines =
            testsupport::readAll(s.program().file("settings.ini")).split('\n');
        for (QByteArray& line : lines)
            line = line.trimmed();
        return lines;
    }

    // A file dialog from the playlist's File menu, given the keyboard as a
    // click would (the keys typed before it has it go elsewhere), and a path
    // of the media tree typed into it.
    void typeIntoDialog(const QStringList& walk, const QString& title, const QString& path) {
        menu(onPlaylist({40, 8}), walk);
        const QString dialog = s.waitForWindow(title);
        ASSERT_FALSE(dialog.isEmpty()) << title.toStdString();
        s.focus(dialog);
        s.xdotool({"type", "--delay", "10", media.file(path)});
    }

    // The options window, opened from the main window's second menu.
    QString openOptions() {
        menu(onMain(kOptionsHead), downs(1));
        QString id;
        waitUntil(
            [&] {
                id = s.waitForWindow("Options", 200);
                if (id.isEmpty()) id = s.waitForWindow(QString::fromUtf8("Opțiuni"), 200);
                return !id.isEmpty();
            },
            kWaitMs);
        return id;
    }
    // The options window opened on its Skins page, and the skin on that row
    // of the list picked.
    void pickSkin(QString& options, int row, const QString& skin) {
        options = openOptions();
        ASSERT_FALSE(options.isEmpty());
        page(options, Skins);
        click(s.geometry(options).topLeft() + QPoint(180, 72 + 11 * row));
        EXPECT_TRUE(shows("Options.SkinName", skin));
    }
    // The player answers once free; the input that follows reaches it after
    // the click, so the page is up for it.
    void page(const QString& options, Page p) {
        click(s.geometry(options).topLeft() + QPoint(40, pageTop(p) + 8));
        s.texts();
    }

    // Whether the media tree holds the video: a random play order may pick it,
    // and it takes the main window over.
    bool withVideo = true;
    // The playlist's rows, as the tour has built them.
    QStringList rows;
    QPoint rowOf(const QString& name) { return row(rows.indexOf(name)); }

    // The player's timers run meanwhile: its title line moves on every 300 ms.
    void letTimersRun(int ticks) {
        QString last = text("Main.Titlu");
        const auto moved = [&] {
            const QString now = text("Main.Titlu");
            return now != std::exchange(last, now);
        };
        for (int i = 0; i < ticks; ++i)
            ASSERT_TRUE(waitUntil(moved, kWaitMs)) << "the title line stands";
    }

    // 1. First start: the default skin, the playlist docked below.
    void firstStart() {
        ASSERT_NO_FATAL_FAILURE(makeMediaTree());
        ASSERT_NO_FATAL_FAILURE(startPlayer());
        const QRect main = s.geometry(mainId), list = s.geometry(playlistId);
        EXPECT_EQ(main.size(), QSize(407, 235));
        EXPECT_EQ(list.top(), main.bottom() + 1 + 5) << "docked below the main window";
        EXPECT_EQ(list.left(), main.left());
        EXPECT_TRUE(shows("Playlist.ItemsLabel", "Total items: 0"));
        s.screenshot();
    }

    // 2. A folder through the playlist's File menu and the folder dialog.
    void addFolder() {
        ASSERT_NO_FATAL_FAILURE(typeIntoDialog(downs(6), "Adauga folder in playlist:", "Music"));
        s.screenshot();
        s.key("Return");
        rows = {"Ogg chime", "Plain tone", "track01", "Wave beep"};
        if (withVideo) rows << "clip";
        ASSERT_TRUE(
            shows("Playlist.ItemsLabel", QString("Total items: %1").arg(rows.size()), kWaitMs))
            << text("Playlist.ItemsLabel").toStdString();
    }

    // 2. The module through "Add file"; a file dragged in from another
    // program onto row 2.
    void addFileAndDrop() {
        ASSERT_NO_FATAL_FAILURE(typeIntoDialog(downs(5), "Open file", "Music/Tracker tune.mod"));
        s.key("Return");
        ASSERT_TRUE(shows("Playlist.ItemsLabel", "Total items: 6"));
        rows << "Tracker tune";
        // The other program's window right of the playlist, level with row 2.
        const QPoint target = row(1), source(s.geometry(playlistId).right() + 200, target.y());
        DragProgram program(s, source - QPoint(20, 20), {media.file("Elsewhere/Dropped one.ogg")});
        ASSERT_FALSE(s.waitForWindow("Drag source").isEmpty());
        s.xdotool({"mousemove", str(source.x()), str(source.y()), "mousedown", "1"});
        for (int i = 1; i <= 5; ++i) {
            const QPoint step = source + (target - source) * i / 5;
            s.xdotool({"mousemove", str(step.x()), str(step.y())});
        }
        ASSERT_TRUE(program.says("over copy"));
        s.xdotool({"mouseup", "1"});
        EXPECT_TRUE(program.says("dropped copy"));
        rows.insert(1, "Dropped one");
        EXPECT_TRUE(waitUntil([&] { return s.rows("Playlist.PicList") == rows; }, kWaitMs))
            << s.rows("Playlist.PicList").join(" | ").toStdString();
        s.screenshot();
    }

    // 3. A double-click plays; the title scrolls, the time runs, the
    // visualisation moves; pause, resume, a seek drag, next and previous.
    void playPauseSeekNextPrevious() {
        doubleClick(rowOf("track01"));
        ASSERT_TRUE(playing("track01")) << s.output().toStdString();
        // The drag takes the song past 20 s, and 5 s past what playing adds.
        displaytest::PlayingPosition position([&] { return elapsed(); }, 1);
        drag(onMain(kSeekThumbAtStart), onMain(kSeekThumbAtStart + QPoint(60, 0)));
        EXPECT_TRUE(position.waitForJump(20, 5)) << text("Main.TSec").toStdString();
        const QImage first = s.screenshot();
        const QRect vis = kVisualisation.translated(s.geometry(mainId).topLeft());
        const QRect title = kTitleLine.translated(s.geometry(mainId).topLeft());
        const QImage later = s.screenshotWhen([&](const QImage& i) {
            return i.copy(vis) != first.copy(vis) && i.copy(title) != first.copy(title);
        });
        EXPECT_NE(later.copy(vis), first.copy(vis)) << "the visualisation moves";
        EXPECT_NE(later.copy(title), first.copy(title)) << "the title scrolls";
        click(onMain(kPause));
        ASSERT_TRUE(shows("Main.StarePlayer", "Paused"));
        // Over several of the time's one-second ticks: the last one after the
        // pause, then some that move nothing.
        ASSERT_NO_FATAL_FAILURE(letTimersRun(4));
        const int paused = elapsed();
        ASSERT_NO_FATAL_FAILURE(letTimersRun(5));
        EXPECT_EQ(elapsed(), paused) << "the time stands while paused";
        s.screenshot();
        click(onMain(kPlay));
        ASSERT_TRUE(shows("Main.StarePlayer", "Playing"));
        EXPECT_TRUE(waitUntil([&] { return elapsed() > paused; }, kWaitMs)) << "and runs on";
        click(onMain(kNext));
        EXPECT_TRUE(playing("Wave beep"));
        click(onMain(kPrevious));
        EXPECT_TRUE(playing("track01"));
        doubleClick(rowOf("Tracker tune"));
        EXPECT_TRUE(playing("Tracker tune")) << "the module plays";
        s.screenshot();
    }

    // 4. Equalizer: a preset, a band dragged, the preset saved; the reverb.
    void equalizer() {
        doubleClick(rowOf("Plain tone"));
        ASSERT_TRUE(playing("Plain tone"));
        const QImage flat = s.screenshot();
        menu(onMain(kPresetButton), downs(1));
        const QString presets = s.waitForWindow("Load Equalizer Preset");
        ASSERT_FALSE(presets.isEmpty());
        const QPoint window = s.geometry(presets).topLeft();
        click(window + QPoint(60, 14));
        s.key("Down");  // Bass boost: bands 0 to 3 lowered, 4 to 9 at 50
        click(window + QPoint(148, 276));
        drag(onMain(bandThumbAt50(7)), onMain(bandThumbAt50(7) - QPoint(0, 20)));
        drag(onMain(kReverbThumb), onMain(kReverbThumb - QPoint(0, 30)));
        const QRect bands(onMain({120, 119}), QSize(230, 81));
        EXPECT_NE(s.screenshot().copy(bands), flat.copy(bands)) << "the sliders moved";
        menu(onMain(kPresetButton), downs(2));
        ASSERT_FALSE(s.waitForWindow("Save Preset").isEmpty());
        click(window + QPoint(100, 244));
        s.key("ctrl+a");
        s.xdotool({"type", "--delay", "30", "Tour"});
        click(window + QPoint(148, 276));
        const QString file = s.program().file("eqpreset.ini");
        EXPECT_TRUE(
            waitUntil([&] { return testsupport::readLines(file).contains("Tour"); }, kWaitMs));
        s.screenshot();
    }

    // 5. The search window on J: three letters, Enter plays the result.
    void search() {
        s.focus(mainId);
        s.key("j");
        const QString search = s.waitForWindow("Search");
        ASSERT_FALSE(search.isEmpty());
        s.focus(search);
        s.xdotool({"type", "--delay", "50", "bee"});
        ASSERT_TRUE(shows("JumpForm.RealSearch", "bee"));
        // The search runs a moment after the typing ends; Enter plays what it found.
        EXPECT_TRUE(waitUntil(
            [&] { return s.rows("JumpForm.Rezultate").value(0).startsWith("Wave beep"); }, kWaitMs))
            << s.rows("JumpForm.Rezultate").join(" | ").toStdString();
        s.screenshot();
        s.key("Return");
        EXPECT_TRUE(playing("Wave beep"));
    }

    // 6. "Set as next" on a row, Next plays it; the random and preference orders.
    void setAsNextAndOrders() {
        doubleClick(rowOf("track01"));
        ASSERT_TRUE(playing("track01"));
        click(rowOf("Ogg chime"), 3);
        EXPECT_TRUE(s.waitForMenus(1)) << "the row menu shows";
        s.keys(downs(3));
        click(onMain(kNext));
        EXPECT_TRUE(playing("Ogg chime"));
        s.screenshot();
        menu(onPlaylist({100, 8}), {"Down", "Down", "Right", "Return"});  // Shuffle on
        click(onMain(kNext));
        // Any row may come next, this one too.
        EXPECT_TRUE(shows("Main.StarePlayer", "Playing"));
        menu(onPlaylist({100, 8}),
             {"Down", "Down", "Right", "Down", "Down", "Return"});  // the best
        click(onMain(kNext));
        EXPECT_TRUE(shows("Main.StarePlayer", "Playing"));
        s.screenshot();
    }

    // 7. The library: the Top 20 after a few plays; a tag edited and saved,
    // the playlist rebuilt from the tags.
    void libraryTop20AndTag() {
        click(onMain(kTop20));
        const QString library = s.waitForWindow("Media Library");
        ASSERT_FALSE(library.isEmpty());
        s.texts();
        click(rowOf("Plain tone"), 3);
        EXPECT_TRUE(s.waitForMenus(1)) << "the row menu shows";
        s.keys(downs(2));
        ASSERT_TRUE(waitUntil(
            [&] { return text("MediaLibrary.ID3Path").endsWith("Plain tone.mp3"); }, kWaitMs));
        const QPoint lib = s.geometry(library).topLeft();
        click(lib + QPoint(150, 65));
        s.key("ctrl+a");
        s.xdotool({"type", "--delay", "30", "Edited Title"});
        click(lib + QPoint(150, 89));
        s.key("ctrl+a");
        s.xdotool({"type", "--delay", "30", "Tour Artist"});
        click(lib + QPoint(164, 220));
        const QString options = openOptions();
        ASSERT_FALSE(options.isEmpty());
        page(options, PlaylistPage);
        click(s.geometry(options).topLeft() + QPoint(166, 184));  // Artist - Song name
        rows.replace(rows.indexOf("Plain tone"), "Tour Artist - Edited Title");
        rows.replace(rows.indexOf("track01"), "The Testers - Tagged Tune");
        EXPECT_TRUE(waitUntil([&] { return s.rows("Playlist.PicList") == rows; }, kWaitMs))
            << s.rows("Playlist.PicList").join(" | ").toStdString();
        s.screenshot();
        click(s.geometry(options).topLeft() + QPoint(520, 372));  // Ok
        const QByteArray tag = testsupport::readAll(media.file("Music/Plain tone.mp3")).right(128);
        EXPECT_TRUE(tag.startsWith("TAG") && tag.contains("Edited Title")) << tag.toStdString();
    }

    // 8. Options: the Silver skin, a shortcut, file associations, Romanian.
    void options() {
        QString options;
        ASSERT_NO_FATAL_FAILURE(pickSkin(options, 1, "Silver"));
        const QPoint at = s.geometry(options).topLeft();
        const QPoint probe = onMain(kBackProbe);
        const QImage silver =
            s.screenshotWhen([&](const QImage& i) { return near(i.pixelColor(probe), kSilver); });
        EXPECT_TRUE(near(silver.pixelColor(probe), kSilver)) << "the main window changes";
        EXPECT_TRUE(near(silver.pixelColor(onPlaylist({200, 200})), Qt::white))
            << "the playlist's list changes";
        page(options, Keyboard);
        click(at + QPoint(373, 177));  // Stop's key box
        s.key("s");
        EXPECT_TRUE(shows("Options.AsciBox(3)", "83"));
        page(options, Associations);
        click(at + QPoint(358, 96));   // all audio files
        click(at + QPoint(408, 156));  // Apply changes
        const QString desktop = s.home().file("data/applications/plenk-player.desktop");
        const QString defaults = s.home().file("config/mimeapps.list");
        EXPECT_TRUE(waitUntil(
            [&] {
                return QFile::exists(desktop) &&
                       testsupport::readAll(defaults).contains("audio/mpeg");
            },
            kWaitMs))
            << "the desktop file and the default applications";
        page(options, Language);
        click(at + QPoint(174, 64));  // Romana
        EXPECT_TRUE(shows("Main.Label1", QString::fromUtf8("Fișier")));
        EXPECT_EQ(text("Playlist.Label3"), QString::fromUtf8("Opțiuni"));
        EXPECT_EQ(text("Options.Label6"), QString::fromUtf8("Limbă"));
        s.screenshot();
        click(at + QPoint(520, 372));  // Ok
        doubleClick(rowOf("Ogg chime"));
        ASSERT_TRUE(shows("Main.StarePlayer", "Playing"));
        s.focus(mainId);
        s.key("s");
        EXPECT_TRUE(s.waitForStopped()) << "the new shortcut stops";
        s.screenshot();
    }

    // 9. Mini mode and back; the video full screen and back; the tray.
    void miniFullScreenAndTray() {
        menu(onMain(kOptionsHead), downs(7));
        ASSERT_TRUE(shows("DataForm.MiniMode", "True"));
        QString mini;
        ASSERT_TRUE(waitUntil(
            [&] {
                mini = s.waitForWindow(kTitle, 300);
                return !mini.isEmpty() && mini != mainId;
            },
            kWaitMs));
        // The transport strip takes its pictures a moment after the window shows.
        const QRect strip(s.geometry(mini).topLeft() + QPoint(333, 23), QSize(65, 62));
        const QImage shown = s.screenshotWhen(
            [&](const QImage& i) { return i.pixel(strip.center()) != i.pixel(strip.topLeft()); });
        EXPECT_NE(shown.pixel(strip.center()), shown.pixel(strip.topLeft()));
        menu(s.geometry(mini).topLeft() + kOptionsHead, downs(7));
        ASSERT_TRUE(shows("DataForm.MiniMode", "False"));
        doubleClick(rowOf("clip"));
        ASSERT_TRUE(shows("Main.LbActualCx(0)", "320", kWaitMs));
        ASSERT_TRUE(waitUntil([&] { return s.geometry(mainId).width() == 600; }, kWaitMs));
        doubleClick(onMain({250, 200}));
        ASSERT_TRUE(shows("DataForm.FullScreenStat", "True"));
        EXPECT_TRUE(waitUntil([&] { return s.geometry(mainId).width() >= 1024; }, kWaitMs));
        s.screenshot();
        doubleClick(QPoint(500, 300));
        ASSERT_TRUE(shows("DataForm.FullScreenStat", "False"));
        EXPECT_TRUE(waitUntil([&] { return s.geometry(mainId).width() == 600; }, kWaitMs));
        s.screenshot();
        click(onMain(fromRight(kMinimize)));
        ASSERT_TRUE(waitUntil([&] { return !s.viewable(mainId); }, kWaitMs)) << "gone to the tray";
        s.screenshot();
        const QRect icon = s.waitForTrayIcon();
        ASSERT_FALSE(icon.isEmpty());
        click(icon.center());
        // The same window comes back, with the video still drawn into it and running.
        ASSERT_TRUE(waitUntil([&] { return s.viewable(mainId); }, kWaitMs)) << "back from the tray";
        const int position = text("Main.LbCurrPos(0)").toInt();
        EXPECT_TRUE(
            waitUntil([&] { return text("Main.LbCurrPos(0)").toInt() > position; }, kWaitMs));
        const QImage back = s.screenshot();
        EXPECT_NE(back.pixelColor(onMain({250, 100})), QColor(Qt::black)) << "the video shows";
    }

    // 10. A playlist saved through the dialog, cleared, loaded again.
    void saveClearLoad() {
        menu(onPlaylist({40, 8}), downs(3));
        ASSERT_TRUE(waitUntil([&] { return !text("DialogForm.TitluMesaj").isEmpty(); }, kWaitMs));
        click(kDialogAction);
        const QString saved = s.program().file("Playlists/Playlist.mpl");
        ASSERT_TRUE(waitUntil([&] { return QFile::exists(saved); }, kWaitMs));
        EXPECT_EQ(testsupport::readLines(saved).size(), rows.size());
        menu(onPlaylist({40, 8}), downs(1));
        ASSERT_TRUE(shows("Playlist.ItemsLabel", "Total items: 0"));
        menu(onPlaylist({40, 8}), downs(2));
        ASSERT_TRUE(shows("DialogForm.TitluMesaj", "Load playlist file"));
        click(kDialog + QPoint(60, 54));
        s.screenshot();
        click(kDialogAction);
        ASSERT_TRUE(shows("Playlist.ItemsLabel", QString("Total items: %1").arg(rows.size())));
    }

    // Waits for a message box of the program and answers it with its button;
    // false when none showed.
    bool dismissMessage(int timeoutMs = kWaitMs) {
        return s.dismissMessage(kTitle, mainId, timeoutMs);
    }

    // Closed by the main window's close button; the program ends.
    void closeByTheButton() {
        click(onMain(fromRight(kClose)));
        ASSERT_TRUE(s.waitForExit(kWaitMs)) << "the close button ends the program";
    }
};

// Steps 1, 2, 3, 5 and 7: a playlist built by hand, played, searched, its
// tags edited; the rows' texts are kept at the close.
TEST_F(TourOnDisplay, APlaylistBuiltPlayedSearchedAndTagged) {
    ASSERT_NO_FATAL_FAILURE(firstStart());
    ASSERT_NO_FATAL_FAILURE(addFolder());
    ASSERT_NO_FATAL_FAILURE(addFileAndDrop());
    ASSERT_NO_FATAL_FAILURE(playPauseSeekNextPrevious());
    ASSERT_NO_FATAL_FAILURE(search());
    ASSERT_NO_FATAL_FAILURE(libraryTop20AndTag());
    ASSERT_NO_FATAL_FAILURE(closeByTheButton());
    const QStringList names = testsupport::readLines(s.program().file("Data/id3.data"));
    EXPECT_TRUE(names.contains("Tour Artist - Edited Title")) << names.join(" | ").toStdString();
    EXPECT_TRUE(names.contains("The Testers - Tagged Tune")) << names.join(" | ").toStdString();
    EXPECT_FALSE(testsupport::readLines(s.program().file("Data/top.data")).isEmpty());
}

// Step 9: the window modes, with a video, and the tray.
TEST_F(TourOnDisplay, MiniModeFullScreenVideoAndTheTray) {
    ASSERT_NO_FATAL_FAILURE(s.startTrayPanel());
    ASSERT_NO_FATAL_FAILURE(firstStart());
    ASSERT_NO_FATAL_FAILURE(addFolder());
    ASSERT_NO_FATAL_FAILURE(miniFullScreenAndTray());
}

// Steps 4, 6, 8, 10 and 11: what the user sets survives a restart, and the
// program folder holds the files it should.
TEST_F(TourOnDisplay, EverythingSetIsThereAfterARestart) {
    withVideo = false;
    ASSERT_NO_FATAL_FAILURE(firstStart());
    ASSERT_NO_FATAL_FAILURE(addFolder());
    ASSERT_NO_FATAL_FAILURE(equalizer());
    ASSERT_NO_FATAL_FAILURE(setAsNextAndOrders());
    ASSERT_NO_FATAL_FAILURE(options());
    ASSERT_NO_FATAL_FAILURE(saveClearLoad());

    // 11. Close; start again: everything as it was left.
    drag(onMain(kTitleStrip), onMain(kTitleStrip + QPoint(120, 40)));
    const QRect mainBefore = s.geometry(mainId), listBefore = s.geometry(playlistId);
    s.screenshot();
    ASSERT_NO_FATAL_FAILURE(closeByTheButton());
    const QList<QByteArray> lines = settings();
    ASSERT_EQ(lines.size(), 73) << "72 lines, each ended";
    EXPECT_EQ(lines[20], "Silver");
    EXPECT_EQ(lines[22], "1") << "Romana";
    EXPECT_EQ(lines[15], "True") << "by preference";
    EXPECT_LT(lines[33 + 7].toInt(), 50) << "the band dragged up";
    EXPECT_LT(lines[33 + 10].toInt(), 90) << "the reverb dragged up";
    // Display names are kept only in the tag modes.
    for (const char* file : {"Data/plst.data", "Data/top.data", "Data/playlist.data",
                             "Data/keyboard.data", "Data/tpfvideo.data"})
        EXPECT_TRUE(QFile::exists(s.program().file(file))) << file;
    EXPECT_FALSE(QFile::exists(s.program().file("Data/id3.data")));
    EXPECT_EQ(testsupport::readLines(s.program().file("Data/tpfaudio.data")), QStringList(11, "1"))
        << "every audio type associated";
    EXPECT_EQ(testsupport::readLines(s.program().file("Data/plst.data")).size(), rows.size());
    EXPECT_EQ(testsupport::readLines(s.program().file("Data/keyboard.data")).value(3), "83");

    ASSERT_NO_FATAL_FAILURE(startPlayer());
    EXPECT_EQ(s.geometry(mainId), mainBefore);
    EXPECT_EQ(s.geometry(playlistId), listBefore);
    EXPECT_TRUE(shows("Main.Label1", QString::fromUtf8("Fișier")));
    EXPECT_TRUE(shows("Playlist.ItemsLabel", QString("Total items: %1").arg(rows.size())));
    const QImage shot = s.screenshot();
    EXPECT_TRUE(near(shot.pixelColor(onMain(kBackProbe)), kSilver)) << "still Silver";
    doubleClick(rowOf("Wave beep"));
    ASSERT_TRUE(playing("Wave beep"));
    EXPECT_TRUE(waitUntil([&] { return elapsed() >= 1; }, kWaitMs)) << "the time runs";
    s.screenshot();
    s.focus(mainId);
    s.key("s");
    EXPECT_TRUE(s.waitForStopped()) << "the shortcut is kept";
}

// The tour again on bad input: a skin folder missing half its pictures, a
// language file of 10 lines, a playlist file of random bytes, and a media
// folder with empty files, a file that cannot be opened and a folder named
// like a song.  The player goes on working and keeps what it had.
TEST_F(TourOnDisplay, BadInputLeavesThePlayerUsableAndLosesNothing) {
    // Half the Default skin's pictures, every other one by name.
    QDir skins(s.program().file("Skins"));
    skins.mkdir("Broken");
    QStringList pictures = QDir(skins.filePath("Default")).entryList(QDir::Files, QDir::Name);
    for (int i = 0; i < pictures.size(); ++i)
        if (pictures[i] == "skin.ini" || i % 2 == 0)
            QFile::copy(skins.filePath("Default/" + pictures[i]),
                        skins.filePath("Broken/" + pictures[i]));
    QByteArray tenLines;
    for (int i = 0; i < 10; ++i)
        tenLines += "Line " + QByteArray::number(i) + "\r\n";
    s.program().write("Languages/Romana.ini", tenLines);
    QByteArray noise(4096, Qt::Uninitialized);
    quint32 seed = 31;
    for (char& c : noise)
        c = static_cast<char>((seed = seed * 1664525u + 1013904223u) >> 24);
    const QString randomList = s.program().write("Playlists/Noise.mpl", noise);

    ASSERT_NO_FATAL_FAILURE(firstStart());
    media.write("Music/Empty.mp3", "");
    media.write("Music/Empty.ogg", "");
    media.write("Music/Video/Empty.mp4", "");
    QDir().mkpath(media.file("Music/Folder.wav"));
    QFile::link(media.file("Music/missing.mp3"), media.file("Music/Gone.mp3"));
    // Unreadable for anyone but root, which the tests may run as: then the
    // link to nothing above is the file that cannot be opened.
    QFile::setPermissions(media.file("Music/Wave beep.wav"), QFileDevice::Permissions());

    ASSERT_NO_FATAL_FAILURE(typeIntoDialog(downs(6), "Adauga folder in playlist:", "Music"));
    s.key("Return");
    ASSERT_TRUE(
        waitUntil([&] { return text("Playlist.ItemsLabel") != "Total items: 0"; }, kWaitMs));
    // Three empty files join the five songs; the folder named like a song and
    // the link to nothing do not.
    EXPECT_EQ(text("Playlist.ItemsLabel"), "Total items: 8");
    rows = {"Empty", "Empty", "Ogg chime", "Plain tone", "track01", "Wave beep", "clip", "Empty"};
    EXPECT_EQ(s.rows("Playlist.PicList"), rows);
    QFile::remove(media.file("Music/Ogg chime.ogg"));  // gone since it was added
    s.screenshot();

    // An audio entry that cannot be played is passed over for the next one
    // that can; a video entry that cannot be opened says so, once.
    for (int bad : {0, 1, 2}) {
        doubleClick(row(bad));
        EXPECT_TRUE(waitUntil(
            [&] {
                const QString title = text("Main.PiesaCurenta");
                return text("Main.StarePlayer") == "Playing" && title != "Empty" &&
                       title != "Ogg chime";
            },
            kWaitMs))
            << "row " << bad << ": " << text("Main.PiesaCurenta").toStdString();
    }
    s.screenshot();
    doubleClick(row(7));
    EXPECT_TRUE(dismissMessage()) << "the empty video says it cannot be played";
    doubleClick(rowOf("track01"));
    EXPECT_TRUE(playing("track01")) << "the next double-click plays its own row";
    // A second box would have kept that double-click from the list, or be up by now.
    EXPECT_FALSE(dismissMessage(0)) << "and says it once";
    doubleClick(rowOf("Wave beep"));
    EXPECT_TRUE(playing("Wave beep")) << "readable for root; unreadable for others";
    s.screenshot();

    // The broken skin and the short language file, through the options window.
    QString options;
    ASSERT_NO_FATAL_FAILURE(pickSkin(options, 0, "Broken"));
    const QPoint at = s.geometry(options).topLeft();
    page(options, Language);
    click(at + QPoint(174, 64));
    EXPECT_TRUE(shows("Main.Label1", "Line 6")) << text("Main.Label1").toStdString();
    s.screenshot();
    click(at + QPoint(520, 372));  // Ok

    // The playlist file of random bytes, loaded through the dialog.
    menu(onPlaylist({40, 8}), downs(2));
    ASSERT_TRUE(shows("DialogForm.TitluMesaj", "Load playlist file"));
    click(kDialog + QPoint(60, 54));
    click(kDialogAction);
    ASSERT_TRUE(
        waitUntil([&] { return text("Playlist.ItemsLabel") != "Total items: 8"; }, kWaitMs));
    s.screenshot();
    const QString loaded = text("Playlist.ItemsLabel");
    for (int junk : {0, 1}) {
        doubleClick(row(junk));
        dismissMessage(1500);
    }
    s.screenshot();

    // Still answering: the main menu opens, the close button ends the
    // program; a restart finds the skin, the list and the files as they were.
    ASSERT_NO_FATAL_FAILURE(closeByTheButton());
    EXPECT_EQ(testsupport::readAll(randomList), noise) << "the playlist file is untouched";
    const QList<QByteArray> lines = settings();
    ASSERT_EQ(lines.size(), 73);
    EXPECT_EQ(lines[20], "Broken");
    EXPECT_EQ(QString("Total items: %1")
                  .arg(testsupport::readLines(s.program().file("Data/plst.data")).size()),
              loaded);
    ASSERT_NO_FATAL_FAILURE(startPlayer());
    EXPECT_TRUE(shows("Playlist.ItemsLabel", loaded));
    EXPECT_TRUE(shows("Main.Label1", "Line 6"));
    s.screenshot();
}

}  // namespace
