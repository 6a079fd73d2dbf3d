#include <gtest/gtest.h>

#include "support/display/DisplaySession.h"

using displaytest::kWaitMs;
using displaytest::PlayerSession;

namespace {

bool isRed(QRgb pixel) {
    return qRed(pixel) > 200 && qGreen(pixel) < 80 && qBlue(pixel) < 80;
}

// The text of row i's title in the Top 20's left column: the rows are 16
// pixels apart, the first title's letters 64 to 76 pixels down the window,
// each title 32 pixels in and 193 wide.
QRect titleRow(const QRect& library, int i) {
    return QRect(library.left() + 32, library.top() + 64 + 16 * i, 193, 12);
}

int redPixels(const QImage& shot, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += isRed(shot.pixel(x, y));
    return n;
}

}  // namespace

// The Top 20 page, with the titles earlier plays ranked: the title under the
// pointer shows in red, the others in white; moving to another row moves
// the red with it.
TEST(MediaLibraryOnDisplay, TheTop20TitleUnderThePointerShowsInRed) {
    PlayerSession s;
    s.program().write("Data/top.data", "Alpha song\r\nBeta tune\r\nGamma air\r\n");
    // The library shown, on its Top 20 page.
    s.editSettings({{70, "1"}, {71, "2"}});
    s.start();
    ASSERT_FALSE(s.waitForWindow("Plenk Player").isEmpty()) << s.output().toStdString();
    const QString window = s.waitForWindow("Media Library");
    ASSERT_FALSE(window.isEmpty()) << "the library is shown";
    ASSERT_TRUE(displaytest::waitUntil(
        [&] { return s.texts().value("MediaLibrary.Song(1)") == "Beta tune"; }, kWaitMs));
    const QRect library = s.geometry(window);

    const QRect beta = titleRow(library, 1);
    s.xdotool({"mousemove", QString::number(beta.left() + 40), QString::number(beta.center().y())});
    const QImage hovered =
        s.screenshotWhen([&](const QImage& shot) { return redPixels(shot, beta) > 20; });
    EXPECT_GT(redPixels(hovered, beta), 20) << "the hovered title is red";
    EXPECT_EQ(redPixels(hovered, titleRow(library, 0)), 0);
    EXPECT_EQ(redPixels(hovered, titleRow(library, 2)), 0);

    const QRect alpha = titleRow(library, 0);
    s.xdotool(
        {"mousemove", QString::number(alpha.left() + 40), QString::number(alpha.center().y())});
    const QImage moved = s.screenshotWhen([&](const QImage& shot) {
        return redPixels(shot, alpha) > 20 && redPixels(shot, beta) == 0;
    });
    EXPECT_GT(redPixels(moved, alpha), 20) << "the red follows the pointer";
    EXPECT_EQ(redPixels(moved, beta), 0);
}
