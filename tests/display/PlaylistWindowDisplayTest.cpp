#include <gtest/gtest.h>

#include "support/display/DisplaySession.h"

using displaytest::kWaitMs;
using displaytest::PlayerSession;
using displaytest::waitUntil;

// The playlist window dragged by its top edge to 10 pixels from the screen's
// left edge lands flush against it: the program's own move loop, with the
// window snapping, under a server with no window manager.
TEST(PlaylistWindowOnDisplay, DraggedNearTheScreenEdgeItSnapsToIt) {
    PlayerSession s;
    s.start();
    ASSERT_FALSE(s.waitForWindow("Plenk Player").isEmpty()) << s.output().toStdString();
    const QString playlist = s.waitForWindow("Playlist");
    ASSERT_FALSE(playlist.isEmpty()) << s.output().toStdString();
    const QRect before = s.geometry(playlist);
    s.screenshot();

    // The top edge's middle picture, right of the menu buttons, is 19 pixels high.
    const QPoint grab = before.topLeft() + QPoint(260, 8);
    const QPoint drop = grab - QPoint(before.left() - 10, 0) + QPoint(0, 40);
    s.drag(grab, drop, 4);

    EXPECT_TRUE(waitUntil([&] { return s.geometry(playlist).left() == 0; }, kWaitMs))
        << "the window stands at " << s.geometry(playlist).left();
    EXPECT_EQ(s.geometry(playlist).top(), before.top() + 40);
    EXPECT_EQ(s.geometry(playlist).size(), before.size());
    s.screenshot();
}
