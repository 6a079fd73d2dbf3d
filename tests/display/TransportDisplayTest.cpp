#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "support/Ffmpeg.h"
#include "support/display/DisplaySession.h"

using displaytest::kWaitMs;
using displaytest::PlayerSession;
using displaytest::waitUntil;

namespace {

const QString kTitle = "Plenk Player";

QString text(int value) {
    return QString::number(value);
}

// "m:ss" or "mm:ss" as seconds; -1 for anything else.
int seconds(const QString& time) {
    const QStringList parts = time.split(':');
    bool m = false, s = false;
    const int minutes = parts.value(0).toInt(&m), secs = parts.value(1).toInt(&s);
    return parts.size() == 2 && m && s ? minutes * 60 + secs : -1;
}

// A two-minute tone, as an mp3 in the program folder.
QString longTone(PlayerSession& s) {
    const QString song = s.program().file("long-tone.mp3");
    EXPECT_TRUE(testsupport::ffmpeg({"-f", "lavfi", "-i", "sine=frequency=440:duration=120", "-ac",
                                     "2", "-ar", "44100", "-b:a", "64k", song}));
    return song;
}

// How many pixels of area differ between two screenshots.
int changed(const QImage& a, const QImage& b, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

// The pixels of area matching picture (placed at the area's corner) within a
// small tolerance, as a share of the area.
double matching(const QImage& shot, const QImage& picture, QPoint at) {
    int same = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor a = shot.pixelColor(at + QPoint(x, y)), b = picture.pixelColor(x, y);
            same += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                        std::abs(a.blue() - b.blue()) <
                    24;
        }
    return double(same) / (picture.width() * picture.height());
}

// Starts the player on the tone and waits until it plays; origin is the main
// window's top left on the screen.
void startPlaying(PlayerSession& s, QPoint& origin) {
    s.start({longTone(s)});
    const QString window = s.waitForWindow(kTitle);
    ASSERT_FALSE(window.isEmpty()) << s.output().toStdString();
    ASSERT_TRUE(
        waitUntil([&] { return s.texts().value("Main.StarePlayer") == "Playing"; }, kWaitMs))
        << s.output().toStdString();
    origin = s.geometry(window).topLeft();
}

}  // namespace

// Dragging the seek slider's thumb most of the way along while an mp3 plays
// moves the elapsed time far ahead at once, and playing goes on from there.
TEST(TransportOnDisplay, DraggingTheSeekThumbWhilePlayingJumpsTheTime) {
    PlayerSession s;
    QPoint origin;
    ASSERT_NO_FATAL_FAILURE(startPlaying(s, origin));
    s.screenshot();
    // The jump: past 30 s, and 20 s past the second a second playing adds.
    displaytest::PlayingPosition position([&] { return seconds(s.texts().value("Main.TSec")); }, 1);
    ASSERT_GE(position.start(), 0);
    ASSERT_LT(position.start(), 10);

    // The seek slider's top left stands at 8, 214 in the window as the audio
    // layout places it; its 20-pixel thumb starts right of the 11-pixel button.
    const QPoint grab = origin + QPoint(8 + 11 + 10, 214 + 9);
    s.drag(grab, grab + QPoint(150, 0));

    EXPECT_TRUE(position.waitForJump(30, 20))
        << "the elapsed time reads " << s.texts().value("Main.TSec").toStdString();
    EXPECT_EQ(s.texts().value("Main.StarePlayer"), "Playing");
    s.screenshot();
}

// The pointer over Pause lights it; a click on Stop stops and puts the
// skin's idle picture back into the visualisation box.
TEST(TransportOnDisplay, HoveringPauseLightsItAndStopShowsTheIdlePicture) {
    PlayerSession s;
    QPoint origin;
    ASSERT_NO_FATAL_FAILURE(startPlaying(s, origin));
    // The strip stands at 332, 32 in the window: Pause's hit area 16, 0 (33 x 17),
    // Stop's 16, 48; Pause's lit picture shows at 14, 0 (37 x 14).
    const QPoint strip = origin + QPoint(332, 32);
    const QRect pauseLook(strip + QPoint(14, 0), QSize(37, 14));
    s.xdotool({"mousemove", "--sync", text(origin.x() + 200), text(origin.y() + 300)});
    s.texts();
    const QImage idle = s.screenshot();

    // The strip drops its lit pictures every second, so the pointer moves a
    // pixel right before each look, as a hand on the mouse does.
    const QPoint pause = strip + QPoint(32, 8);
    int wiggle = 0;
    const auto hover = [&] {
        s.xdotool({"mousemove", "--sync", text(pause.x() + wiggle), text(pause.y())});
        wiggle ^= 1;
    };
    hover();
    const QImage lit = s.screenshotWhen([&](const QImage& i) {
        const bool shown = changed(i, idle, pauseLook) > 40;
        if (!shown) hover();
        return shown;
    });
    EXPECT_GT(changed(lit, idle, pauseLook), 40) << "Pause shows its lit picture";
    EXPECT_EQ(s.texts().value("Main.StarePlayer"), "Playing") << "hovering presses nothing";

    const QPoint stop = strip + QPoint(32, 56);
    s.click(stop.x(), stop.y());
    ASSERT_TRUE(s.waitForStopped());
    // The box stands at 144, 72 (inside the main panel); the idle picture is
    // the skin's plenkplayer.bmp.
    const QImage picture(s.program().file("Skins/Default/plenkplayer.bmp"));
    ASSERT_FALSE(picture.isNull());
    const QPoint box = origin + QPoint(144, 72);
    const QImage stopped =
        s.screenshotWhen([&](const QImage& i) { return matching(i, picture, box) > 0.95; });
    EXPECT_GT(matching(stopped, picture, box), 0.95) << "the box shows the idle picture";
}
