#include <gtest/gtest.h>

#include "controls/Snap.h"
#include "platform/ui/MoveLoop.h"
#include "platform/ui/Twips.h"
#include "playlist/JumpForm.h"
#include "playlist/MediaLibrary.h"
#include "playlist/Playlist.h"
#include "shared/DataForm.h"
#include "support/PlayerFixture.h"
#include "windows/MiniForm.h"

namespace {

using ui::Rect;

// A work area of 1000 x 700 and the pass of a window grabbed at (10, 10).
Snap::Pass passWith(std::vector<Rect> windows = {}) {
    Snap::Pass pass;
    pass.targets.push_back({0, 0, 1000, 700});
    pass.targets.insert(pass.targets.end(), windows.begin(), windows.end());
    pass.grabOffset = {10, 10};
    return pass;
}

Rect movedTo(Snap::Pass& pass, int left, int top, int w = 200, int h = 100) {
    Rect p{left, top, left + w, top + h};
    pass.moving(p, {left + pass.grabOffset.x(), top + pass.grabOffset.y()});
    return p;
}

TEST(SnapPass, SnapsWithin14PixelsOfTheWorkAreaAndNotAt15) {
    Snap::Pass pass = passWith();
    EXPECT_EQ(movedTo(pass, 14, 300), (Rect{0, 300, 200, 400}));
    EXPECT_TRUE(pass.snappedX);
    EXPECT_FALSE(pass.snappedY);
    Snap::Pass far = passWith();
    EXPECT_EQ(movedTo(far, 15, 300), (Rect{15, 300, 215, 400}));
    EXPECT_EQ(movedTo(far, 790, 590), (Rect{800, 600, 1000, 700})) << "right and bottom inside";
}

TEST(SnapPass, NeverSnapsToTheOutsideOfTheWorkArea) {
    Snap::Pass pass = passWith();
    EXPECT_EQ(movedTo(pass, 990, 300), (Rect{990, 300, 1190, 400}));
    EXPECT_EQ(movedTo(pass, 300, -95), (Rect{300, -95, 500, 5}));
}

TEST(SnapPass, WindowsPairOnlyWhileTheyOverlapWithinTheMargin) {
    const Rect other{400, 200, 600, 400};
    Snap::Pass pass = passWith({other});
    EXPECT_EQ(movedTo(pass, 610, 300), (Rect{600, 300, 800, 400})) << "left edge to its right";
    EXPECT_EQ(movedTo(pass, 610, 414), (Rect{600, 400, 800, 500})) << "14 px below: both edges";
    EXPECT_EQ(movedTo(pass, 610, 415), (Rect{610, 415, 810, 515})) << "15 px below: no pairing";
    EXPECT_EQ(movedTo(pass, 190, 300), (Rect{200, 300, 400, 400})) << "right edge to its left";
}

TEST(SnapPass, TiesGoToTheEarlierTargetAndTheFirstPairingOfATargetWins) {
    // The work area's left edge and a window's right edge, both 5 px away.
    Snap::Pass tie = passWith({{-300, 250, -5, 450}, {-300, 250, 5, 450}});
    EXPECT_EQ(movedTo(tie, 0, 300).left, 0);
    // Of two windows equally near, the one loaded first.
    Snap::Pass windows = passWith({{0, 250, 505, 320}, {0, 380, 495, 450}});
    Rect p = movedTo(windows, 500, 300);
    EXPECT_EQ(p.left, 505);
    // Within one narrow window, left-to-left (12 px) is taken before left-to-right (8 px).
    Snap::Pass narrow = passWith({{488, 300, 520, 400}});
    EXPECT_EQ(movedTo(narrow, 500, 320).left, 488);
}

TEST(SnapPass, ASnappedAxisStaysUntilThePointerAloneIsFarEnoughAway) {
    Snap::Pass pass = passWith();
    movedTo(pass, 10, 300);
    ASSERT_TRUE(pass.snappedX);
    // The desktop keeps proposing near the snapped place; the pointer decides.
    Rect p{0, 300, 200, 400};
    pass.moving(p, {10 + 14, 310});
    EXPECT_EQ(p.left, 0) << "the pointer alone puts it 14 px off: it sticks";
    Rect q{0, 300, 200, 400};
    pass.moving(q, {10 + 15, 310});
    EXPECT_EQ(q.left, 15) << "15 px off: it follows the pointer again";
    EXPECT_FALSE(pass.snappedX);
}

TEST(SnapPass, TheGripSnapsOnlyTheRightAndBottomEdges) {
    Snap::Pass pass = passWith({{520, 0, 700, 130}});
    Rect p{300, 5, 510, 120};
    pass.sizing(p, ui::WMSZ_BOTTOMRIGHT);
    EXPECT_EQ(p, (Rect{300, 5, 520, 130}));
    Rect far{300, 5, 500, 110};
    pass.sizing(far, ui::WMSZ_BOTTOMRIGHT);
    EXPECT_EQ(far, (Rect{300, 5, 500, 110}));
    EXPECT_FALSE(pass.snappedX) << "sizing leaves the move state alone";
}

TEST(SnapPass, DegenerateGeometryGivesQuietResults) {
    Snap::Pass zero;
    zero.targets.push_back({0, 0, 0, 0});
    Rect p{3, 3, 3, 3};
    zero.moving(p, {5, 5});
    EXPECT_EQ(p, (Rect{0, 0, 0, 0}));
    Snap::Pass huge = passWith({{-100000, -100000, 100000, 100000}});
    Rect big{-5000, 20, 5000, 9000};
    huge.moving(big, {0, 0});
    EXPECT_EQ(big.width(), 10000);
    Rect none{};
    huge.sizing(none, 8);
    EXPECT_EQ(none, (Rect{0, 0, 0, 0}));
}

// The player with its windows at scripted places on a 1000 x 700 desktop.
class Snapping : public ::testing::Test {
  protected:
    void SetUp() override {
        p.app->screen().scriptDesktop({0, 0, 1000, 740}, {0, 0, 1000, 700});
        p.app->pointer().script({0, 0});
        p.start();
        Main& m = p.form<Main>();
        m.Move(ui::toTwips(100), ui::toTwips(100));
        m.Show();
    }
    // Drags a window from a point to another through the move loop.
    void drag(ui::Form& window, QPoint from, QPoint to, int hit = ui::HTCAPTION) {
        p.app->pointer().script(from);
        ui::MoveLoop loop(window, hit);
        loop.begin();
        loop.step(to);
        loop.release(to);
    }
    Snap& snap() { return p.app->module<Snap>(); }

    testsupport::PlayerFixture p{testsupport::notStarted()};
};

TEST_F(Snapping, StartUpRegistersThreeWindowsAndShutDownUnhooksFour) {
    Main& m = p.form<Main>();
    EXPECT_EQ(snap().registered(), (std::vector<int>{m.hWnd(), p.form<Playlist>().hWnd(),
                                                     p.form<MediaLibrary>().hWnd()}));
    p.form<MiniForm>();
    EXPECT_EQ(snap().registered().size(), 4u);
    EXPECT_THROW(m.controller().ClosePlenk(), ui::ProcessExit);
    EXPECT_TRUE(snap().registered().empty());
    for (ui::Form* f : std::initializer_list<ui::Form*>{
             &m, &p.form<Playlist>(), &p.form<MediaLibrary>(), &p.form<MiniForm>()})
        EXPECT_FALSE(static_cast<bool>(f->windowProc())) << f->Name().toStdString();
}

TEST_F(Snapping, RegisteringTwiceAndUnregisteringOnceLeavesNoHook) {
    JumpForm& other = p.form<JumpForm>();
    for (int i = 0; i < 1000; ++i)
        snap().SnapWindow(other);
    EXPECT_EQ(snap().registered().size(), 4u);
    snap().UnsnapWindow(other);
    EXPECT_FALSE(static_cast<bool>(other.windowProc()));
    snap().UnsnapWindow(other);
    EXPECT_EQ(snap().registered().size(), 3u);
    EXPECT_EQ(snap().SnapWindowProc(12345, ui::WM_MOVING, 0, nullptr), 0L);
}

TEST_F(Snapping, AMovedWindowSnapsToTheWorkAreaAndToVisibleWindowsOnly) {
    Main& m = p.form<Main>();
    Playlist& list = p.form<Playlist>();
    const Rect mainRect = ui::windowRect(m);
    list.Move(ui::toTwips(mainRect.right + 100), ui::toTwips(mainRect.top));
    list.Show();
    // 8 px from the left edge: it lands at 0.
    drag(m, {150, 110}, {150 - 92, 110});
    EXPECT_EQ(ui::windowRect(m).left, 0);
    // Next to the visible playlist: flush with it.
    const Rect listRect = ui::windowRect(list);
    drag(list, {listRect.left + 5, listRect.top + 5},
         {ui::windowRect(m).right + 9 + 5, listRect.top + 5});
    EXPECT_EQ(ui::windowRect(list).left, ui::windowRect(m).right);
    // Hidden, it is no target any more.
    list.Move(0, m.Top());
    const Rect target = ui::windowRect(list);
    const Rect before = ui::windowRect(m);
    const QPoint grab{before.left + 5, before.top + 5};
    drag(m, grab, grab + QPoint(target.right + 8 - before.left, 0));
    EXPECT_EQ(ui::windowRect(m).left, target.right) << "visible: flush with it";
    list.Hide();
    m.Move(ui::toTwips(before.left), ui::toTwips(before.top));
    drag(m, grab, grab + QPoint(target.right + 8 - before.left, 0));
    EXPECT_EQ(ui::windowRect(m).left, target.right + 8);
}

TEST_F(Snapping, DockedWindowsSitExactlyAtTheirOffsetsAfterADragOfThePlayer) {
    DataForm& d = p.form<DataForm>();
    Main& m = p.form<Main>();
    p.form<Playlist>().Hide();
    d.Sn1.setCaption("0");
    d.Sn2.setCaption(QString::number(m.Height()));
    d.Sn3.setCaption("-3000");
    d.Sn4.setCaption("150");
    d.Magnet.setCaption("1");
    // Dragged to 6 px from the left edge: Main snaps to 0 and the others follow it there.
    drag(m, {150, 110}, {150 - 94, 150});
    EXPECT_EQ(m.Left(), 0.0f);
    EXPECT_EQ(p.form<Playlist>().Left(), 0.0f);
    EXPECT_EQ(p.form<Playlist>().Top(), m.Top() + m.Height());
    EXPECT_EQ(p.form<MediaLibrary>().Left(), -3000.0f);
    EXPECT_EQ(p.form<MediaLibrary>().Top(), m.Top() + 150);
    EXPECT_FALSE(p.form<Playlist>().Visible()) << "moved while hidden, not shown";

    // A drag of the playlist carries nothing and never moves Main.
    const float mainLeft = m.Left();
    p.form<Playlist>().Show();
    drag(p.form<Playlist>(), {20, 400}, {300, 420});
    EXPECT_EQ(m.Left(), mainLeft);
}

TEST_F(Snapping, InMiniModeTheMiniWindowCarriesThemAndOtherwiseNothingDoes) {
    DataForm& d = p.form<DataForm>();
    MiniForm& mini = p.form<MiniForm>();
    mini.Move(ui::toTwips(300), ui::toTwips(300));
    mini.Show();
    d.Sn1.setCaption("15");
    d.Sn2.setCaption("abc");
    d.Magnet.setCaption("1");
    d.MiniMode.setCaption("True");
    drag(mini, {310, 310}, {410, 330});
    EXPECT_EQ(p.form<Playlist>().Left(), mini.Left() + 15);
    EXPECT_EQ(p.form<Playlist>().Top(), mini.Top()) << "an offset that is no number is 0";
    const float before = p.form<Playlist>().Left();
    drag(p.form<Main>(), {150, 110}, {250, 110});
    EXPECT_EQ(p.form<Playlist>().Left(), before) << "Main does not carry them in mini mode";

    for (const char* magnet : {"0", "", "x1"}) {
        d.Magnet.setCaption(magnet);
        drag(mini, {410, 330}, {420, 340});
        EXPECT_EQ(p.form<Playlist>().Left(), before) << magnet;
    }
}

}  // namespace
