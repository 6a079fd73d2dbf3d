#include <gtest/gtest.h>

#include <QFile>

#include "support/Ffmpeg.h"
#include "support/display/DisplaySession.h"

using displaytest::kWaitMs;
using displaytest::mostlyLight;
using displaytest::PlayerSession;
using displaytest::waitUntil;

namespace {

// The page labels' tops in the column, and the titles their pages show.
struct PageLabel {
    int top;  // pixels below the window's top
    const char* title;
};
const PageLabel kPages[] = {{56, "General settings"},   {80, "Playlist"},
                            {104, "Advanced settings"}, {128, "Video"},
                            {152, "File associations"}, {176, "Skins"},
                            {200, "Language"},          {224, "Keyboard shortcuts"},
                            {248, "Info Plenk Player"}};

bool near(const QColor& a, const QColor& b, int tolerance = 6) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// Dark pixels in the area: a check box's tick.
int darkPixels(const QImage& shot, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGray(shot.pixel(x, y)) < 90;
    return count;
}

class OptionsOnDisplay : public ::testing::Test {
  protected:
    PlayerSession s;
    QString options;

    // One playlist entry, so the rows' menu has a row to open on.
    void start() {
        QFile sample(s.program().file("Samples/plenk-sample.ogg"));
        ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
        const QString song = s.program().write("Music/Alpha song.ogg", sample.readAll());
        s.program().write("Data/plst.data", song.toUtf8() + "\r\n");
        s.start();
        ASSERT_FALSE(s.waitForWindow("Plenk Player").isEmpty()) << s.output().toStdString();
        ASSERT_FALSE(s.waitForWindow("Playlist").isEmpty()) << s.output().toStdString();
    }
    // The rows' menu: Play, Informations, Set as next, Jump, Options.
    void openFromTheRowsMenu() {
        const QPoint row = s.geometry(s.waitForWindow("Playlist")).topLeft() + QPoint(60, 30);
        s.clickAfterHover(row, 3);
        EXPECT_TRUE(s.waitForMenus(1)) << "the row menu shows";
        s.keys({"Down", "Down", "Down", "Down", "Down", "Return"});
        options = s.waitForWindow("Options");
    }
    // A click at a point of the options window.
    void clickAt(int x, int y) {
        const QPoint at = s.geometry(options).topLeft() + QPoint(x, y);
        s.click(at.x(), at.y());
    }
    bool shows(const QString& control, const QString& text) {
        return waitUntil([&] { return s.texts().value("Options." + control) == text; }, kWaitMs);
    }
    void openPage(int page) {
        clickAt(40, kPages[page].top + 8);
        EXPECT_TRUE(shows("Tlabel", kPages[page].title)) << kPages[page].title;
    }
};

// The window opens from the rows' menu on the General page; every page
// opens from its label; the title strip drags the window (a drag the program
// takes up late); a skin, Bold, the standard scrollbar and Stretch are chosen
// and OK writes them.  A language file that gives the Video page's "Delay:"
// an access key: Alt+D gives the keys to the box after it.
TEST_F(OptionsOnDisplay, PagesDragSkinAndTheChoicesOkSaves) {
    const QString english = s.program().file("Languages/English.ini");
    QStringList captions = testsupport::readLines(english);
    ASSERT_EQ(captions.value(132), "Delay:");
    captions[132] = "&Delay:";
    s.program().write("Languages/English.ini", (captions.join("\r\n") + "\r\n").toUtf8());
    start();
    openFromTheRowsMenu();
    ASSERT_FALSE(options.isEmpty()) << s.output().toStdString();
    EXPECT_EQ(s.geometry(options).size(), QSize(589, 393));
    EXPECT_TRUE(shows("Tlabel", "General settings"));
    for (int page = 0; page < 9; ++page) {
        openPage(page);
        s.screenshot();
    }
    EXPECT_TRUE(s.texts().value("Options.Readme").contains("Plenk Player"));

    // The whole drag happens before the program handles its press, as on a
    // busy machine: the window still moves by all of it.
    const QRect before = s.geometry(options);
    const QPoint grip = before.topLeft() + QPoint(300, 8);
    s.pause();
    s.xdotool({"mousemove", QString::number(grip.x()), QString::number(grip.y())});
    s.xdotool({"mousedown", "1"});
    s.xdotool({"mousemove", QString::number(grip.x() + 40), QString::number(grip.y() + 20)});
    s.xdotool({"mousemove", QString::number(grip.x() + 80), QString::number(grip.y() + 40)});
    s.xdotool({"mouseup", "1"});
    s.resume();
    EXPECT_TRUE(waitUntil(
        [&] { return s.geometry(options).topLeft() == before.topLeft() + QPoint(80, 40); },
        kWaitMs))
        << "dragged by the title strip";

    // The skins list shows the skin in use as its one ticked row; picking
    // another moves the tick.
    openPage(5);
    const auto ticked = [&](const QImage& shot, int row) {
        const QPoint box = s.geometry(options).topLeft() + QPoint(154, 64 + 11 * row);
        return darkPixels(shot, QRect(box, QSize(12, 11))) > 4;
    };
    const QImage marked = s.screenshotWhen([&](const QImage& i) { return ticked(i, 0); });
    EXPECT_TRUE(ticked(marked, 0)) << "Default ticked";
    EXPECT_FALSE(ticked(marked, 1));
    clickAt(180, 83);
    EXPECT_TRUE(shows("SkinName", "Silver"));
    const QImage moved =
        s.screenshotWhen([&](const QImage& i) { return ticked(i, 1) && !ticked(i, 0); });
    EXPECT_TRUE(ticked(moved, 1)) << "Silver ticked";
    EXPECT_FALSE(ticked(moved, 0));
    const QString main = s.waitForWindow("Plenk Player");
    const QPoint backProbe = s.geometry(main).topLeft() + QPoint(362, 160);
    const QImage shot = s.screenshotWhen(
        [&](const QImage& i) { return near(i.pixelColor(backProbe), QColor(206, 209, 216)); });
    EXPECT_TRUE(near(shot.pixelColor(backProbe), QColor(206, 209, 216))) << "the windows change";

    openPage(1);
    clickAt(374, 108);  // Bold
    clickAt(158, 236);  // the standard scrollbar
    openPage(3);
    s.keys({"alt+d", "End", "5"});
    EXPECT_TRUE(shows("SubDelay", "05")) << "Alt+D, then typed into the delay box";
    clickAt(166, 96);  // Original size
    clickAt(166, 76);  // Stretch
    s.screenshot();
    const QString settings = s.program().file("settings.ini");
    QFile::remove(settings);
    clickAt(520, 372);  // Ok
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(settings); }, kWaitMs));
    QFile file(settings);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_GT(lines.size(), 65);
    EXPECT_EQ(lines[20].trimmed(), "Silver");
    EXPECT_EQ(lines[50].trimmed(), "True") << "Stretch";
    EXPECT_EQ(lines[55].trimmed(), "1") << "Bold";
    EXPECT_EQ(lines[65].trimmed(), "1") << "the standard scrollbar";
}

// A line of the program's settings file (counted from 0), as it is now.
QByteArray settingsLine(PlayerSession& s, int line) {
    QFile file(s.program().file("settings.ini"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().split('\n').value(line).trimmed();
}

// Near-white pixels in the area: the subtitle's letters on the dark test video.
int whitePixels(const QImage& shot, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qGray(shot.pixel(x, y)) > 220;
    return count;
}

// A video with its subtitles beside it shows them until "Apply now" is
// pressed with "Show subtitles" off, in the options window opened from the
// video's own menu (the right press starts a window drag first); Ok saves it.
TEST_F(OptionsOnDisplay, ApplyNowHidesTheSubtitlesOfTheOpenVideo) {
    const QString clip = s.program().file("clip.mp4");
    ASSERT_TRUE(testsupport::ffmpeg({"-f", "lavfi", "-i", "color=c=0x203060:size=320x240:rate=25",
                                     "-t", "60", "-pix_fmt", "yuv420p", clip}));
    s.program().write("clip.srt", "1\r\n00:00:00,000 --> 00:01:00,000\r\nWWWWWWWWWW\r\n\r\n");
    // "Show subtitles if available" ticked (line 61 of the settings).
    QFile settings(s.program().file("settings.ini"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = settings.readAll().split('\n');
    settings.close();
    ASSERT_GT(lines.size(), 61);
    lines[61] = "1\r";
    s.program().write("settings.ini", lines.join('\n'));
    s.start({clip});
    const QString main = s.waitForWindow("Plenk Player");
    ASSERT_FALSE(main.isEmpty()) << s.output().toStdString();
    ASSERT_TRUE(waitUntil([&] { return s.geometry(main).width() == 600; }, kWaitMs));
    const QRect window = s.geometry(main);
    const QRect video(window.topLeft() + QPoint(10, 30), QSize(480, window.height() - 70));
    const QImage shown =
        s.screenshotWhen([&](const QImage& i) { return whitePixels(i, video) > 100; });
    EXPECT_GT(whitePixels(shown, video), 100) << "the subtitles show";

    // A right-click on the playing video, then its menu's first item "Video
    // settings": the options window on its Video page.
    const QPoint onVideo = window.topLeft() + QPoint(250, 200);
    s.clickAfterHover(onVideo, 3);
    const QRect firstItem(onVideo + QPoint(4, 3), QSize(80, 14));
    const QImage menu =
        s.screenshotWhen([&](const QImage& i) { return mostlyLight(i, firstItem); });
    ASSERT_TRUE(mostlyLight(menu, firstItem)) << "the video menu at the pointer";
    s.click(firstItem.center().x(), firstItem.center().y());
    options = s.waitForWindow("Options");
    ASSERT_FALSE(options.isEmpty()) << "Video settings opens the options window";
    EXPECT_TRUE(shows("Tlabel", "Video"));
    clickAt(168, 196);  // Show subtitles if available
    s.screenshot();
    clickAt(516, 196);  // Apply now
    clickAt(520, 372);  // Ok
    EXPECT_TRUE(waitUntil([&] { return !s.viewable(options); }, kWaitMs));
    EXPECT_TRUE(waitUntil([&] { return settingsLine(s, 61) == "0"; }, kWaitMs))
        << "Ok saved the box unticked";
    const QImage hidden =
        s.screenshotWhen([&](const QImage& i) { return whitePixels(i, video) < 20; });
    EXPECT_LT(whitePixels(hidden, video), 20) << "the subtitles are gone";
}

// The video's own menu opens the options window on its Video page; the video
// ends under it (the window shrinks back) and Ok still saves: the press that
// opened the menu came through the picture's window, gone by then.
TEST_F(OptionsOnDisplay, OkAfterTheVideoEndedUnderItsSettingsSaves) {
    const QString clip = s.program().file("clip.mp4");
    ASSERT_TRUE(testsupport::ffmpeg({"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25", "-t", "4",
                                     "-pix_fmt", "yuv420p", clip}));
    s.start({clip});
    const QString main = s.waitForWindow("Plenk Player");
    ASSERT_FALSE(main.isEmpty()) << s.output().toStdString();
    ASSERT_TRUE(waitUntil([&] { return s.geometry(main).width() == 600; }, kWaitMs));
    const QPoint onVideo = s.geometry(main).topLeft() + QPoint(250, 200);
    s.clickAfterHover(onVideo, 3);
    const QRect firstItem(onVideo + QPoint(4, 3), QSize(80, 14));
    ASSERT_TRUE(mostlyLight(
        s.screenshotWhen([&](const QImage& i) { return mostlyLight(i, firstItem); }), firstItem))
        << "the video menu at the pointer";
    s.click(firstItem.center().x(), firstItem.center().y());
    options = s.waitForWindow("Options");
    ASSERT_FALSE(options.isEmpty()) << "Video settings opens the options window";
    EXPECT_TRUE(shows("Tlabel", "Video"));
    ASSERT_TRUE(waitUntil([&] { return s.texts().value("Main.LbActualCx(0)") == "-1"; }, kWaitMs))
        << "the video ended";
    s.screenshot();
    QFile::remove(s.program().file("settings.ini"));
    clickAt(520, 372);  // Ok
    EXPECT_TRUE(waitUntil([&] { return !settingsLine(s, 20).isEmpty(); }, kWaitMs))
        << "Ok saved the settings";
    // Still answering after the save: the press's window going did not end it.
    EXPECT_TRUE(s.texts().contains("Main.Visible")) << s.output().toStdString();
    EXPECT_FALSE(s.waitForWindow("Plenk Player").isEmpty()) << "the player goes on";
}

// The options button lies below the panels, outside the window's smallest
// size: a video window made narrow and tall with the grip shows it, and a
// click on it opens the window on its General page.
TEST_F(OptionsOnDisplay, TheOptionsButtonBelowTheVideoOpensTheWindow) {
    const QString clip = s.program().file("clip.mp4");
    ASSERT_TRUE(testsupport::ffmpeg({"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25", "-t",
                                     "60", "-pix_fmt", "yuv420p", clip}));
    s.start({clip});
    const QString main = s.waitForWindow("Plenk Player");
    ASSERT_FALSE(main.isEmpty()) << s.output().toStdString();
    ASSERT_TRUE(waitUntil([&] { return s.geometry(main).width() == 600; }, kWaitMs));
    const QRect before = s.geometry(main);
    const QPoint grip = before.bottomRight() - QPoint(6, 6);
    const QPoint to = before.topLeft() + QPoint(400, 440);
    const auto at = [](QPoint p) {
        return QStringList{QString::number(p.x()), QString::number(p.y())};
    };
    // The size loop counts the travel from where the button went down, so a
    // busy player that takes up the press late still sizes by all of it.
    s.xdotool(QStringList{"mousemove"} + at(grip) + QStringList{"mousedown", "1"});
    for (int i = 1; i <= 6; ++i)
        s.xdotool(QStringList{"mousemove"} + at(grip + (to - grip) * i / 6));
    s.xdotool({"mouseup", "1"});
    ASSERT_TRUE(waitUntil(
        [&] {
            const QSize size = s.geometry(main).size();
            return size.width() < 460 && size.height() > 400;
        },
        kWaitMs))
        << s.geometry(main).width() << " x " << s.geometry(main).height();
    s.screenshot();
    const QPoint button = s.geometry(main).topLeft() + QPoint(390, 336);
    s.click(button.x(), button.y());
    options = s.waitForWindow("Options");
    ASSERT_FALSE(options.isEmpty()) << "the options button opens the window";
    EXPECT_TRUE(shows("Tlabel", "General settings"));
    s.screenshot();
}

}  // namespace
