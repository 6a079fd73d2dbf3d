#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QStringList>

#include "TestWindows.h"
#include "platform/ui/MoveLoop.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Twips.h"
#include "support/QtPrinters.h"

namespace {

using ui::Rect;

QString describe(unsigned msg, int wParam, const Rect* r) {
    const char* name = msg == ui::WM_ENTERSIZEMOVE  ? "enter"
                       : msg == ui::WM_EXITSIZEMOVE ? "exit"
                       : msg == ui::WM_MOVING       ? "moving"
                       : msg == ui::WM_SIZING       ? "sizing"
                                                    : "other";
    QString text = name;
    if (msg == ui::WM_SIZING) text += QString(" %1").arg(wParam);
    if (r) text += QString(" %1,%2,%3,%4").arg(r->left).arg(r->top).arg(r->right).arg(r->bottom);
    return text;
}

// A borderless window 200 x 100 pixels at (100, 100), with a grip that sizes
// it and a title that moves it, as the skinned windows do.
class Mover : public ui::Form {
  public:
    explicit Mover(ui::Application& app) : ui::Form(app, "Mover") {
        setBorderStyle(vbBSNone);
        Move(1500, 1500, 3000, 1500);
        Grip.Move(2700, 1200, 300, 300);
        Title.Move(0, 0, 3000, 300);
        Corner.Move(2700, 0, 300, 300);
        Grip.MouseDown.connect([this](int button, int, float, float) {
            log << QString("Grip_MouseDown %1").arg(button);
            ui::ReleaseCapture(application());
            ui::SendMessageA(*this, ui::WM_NCLBUTTONDOWN, ui::HTBOTTOMRIGHT, 0);
            log << "Grip_MouseDown done";
        });
        Grip.MouseUp.connect([this](int button, int, float x, float y) {
            log << QString("Grip_MouseUp %1 %2 %3").arg(button).arg(x).arg(y);
        });
        Grip.Click.connect([this] { log << "Grip_Click"; });
        // As the skinned windows' own grips: the size loop starts at the first
        // move with the left button held.
        Corner.MouseMove.connect([this](int button, int, float, float) {
            if (button != ui::vbLeftButton) return;
            ui::ReleaseCapture(application());
            ui::SendMessageA(*this, ui::WM_NCLBUTTONDOWN, ui::HTBOTTOMRIGHT, 0);
        });
    }

    void Form_Resize() override {
        log << QString("Form_Resize %1x%2").arg(Width()).arg(Height());
        if (hideInResize) Hide();
    }
    void Form_MouseDown(int, int, float, float) override {
        log << "Form_MouseDown";
        ui::ReleaseCapture(application());
        ui::SendMessageA(*this, ui::WM_NCLBUTTONDOWN, ui::HTCAPTION, 0);
    }
    void Form_MouseUp(int button, int, float x, float y) override {
        log << QString("Form_MouseUp %1 %2 %3").arg(button).arg(x).arg(y);
    }

    // Records every message; `rewrite` may change the rectangle.
    void hook(std::function<void(unsigned, Rect&)> rewrite = {}) {
        ui::SetWindowLongA(*this, [this, rewrite](int hWnd, unsigned msg, int wParam, Rect* r) {
            EXPECT_EQ(hWnd, this->hWnd());
            log << describe(msg, wParam, r);
            if (rewrite && r) rewrite(msg, *r);
            return 1L;
        });
    }

    QStringList log;
    bool hideInResize = false;
    ui::PictureBox Grip{*this, "Grip"};
    ui::PictureBox Corner{*this, "Corner"};
    ui::Label Title{*this, "Title"};
};

class MoveLoop : public ::testing::Test {
  protected:
    void SetUp() override {
        t.app.screen().scriptDesktop({0, 0, 1024, 768}, {0, 0, 1024, 740});
        t.app.pointer().script({110, 105});
        w.Show();
        w.log.clear();
    }
    Rect frame() const { return ui::windowRect(w); }
    // Mouse input on a widget at a point of the screen.
    static void send(QWidget* to, QEvent::Type type, QPoint screen, Qt::MouseButtons held) {
        QMouseEvent e(type, to->mapFromGlobal(QPointF(screen)), QPointF(screen),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
        QApplication::sendEvent(to, &e);
    }

    TestApp t;
    Mover& w = t.app.form<Mover>();
};

TEST_F(MoveLoop, EachStepProposesTheStartRectanglePlusTheWholeTravel) {
    EXPECT_EQ(ui::proposedRect({10, 20, 110, 70}, {5, -3}, ui::HTCAPTION), (Rect{15, 17, 115, 67}));
    EXPECT_EQ(ui::proposedRect({10, 20, 110, 70}, {5, -3}, ui::HTBOTTOMRIGHT),
              (Rect{10, 20, 115, 67}));
    w.hook();
    ui::MoveLoop loop(w, ui::HTCAPTION);
    ASSERT_TRUE(loop.begin());
    EXPECT_TRUE(loop.step({140, 95}));
    EXPECT_EQ(frame(), (Rect{130, 90, 330, 190}));
    EXPECT_TRUE(loop.step({100, 100}));
    EXPECT_EQ(frame(), (Rect{90, 95, 290, 195})) << "from the start, not from the last step";
    loop.release({100, 100});
    EXPECT_FALSE(loop.running());
    EXPECT_EQ(w.log,
              QStringList({"enter", "moving 130,90,330,190", "moving 90,95,290,195", "exit"}));
    EXPECT_EQ(w.Left(), 1350.0f);
    EXPECT_EQ(t.app.pointer().GetCursorPos(), QPoint(100, 100)) << "the scripted pointer follows";
}

TEST_F(MoveLoop, TheHookMayRewriteTheRectangleAndTheWindowTakesIt) {
    // Snap the left edge to the work area within 15 pixels.
    w.hook([](unsigned msg, Rect& r) {
        if (msg == ui::WM_MOVING && r.left < 15) {
            r.right -= r.left;
            r.left = 0;
        }
    });
    ui::MoveLoop loop(w, ui::HTCAPTION);
    loop.begin();
    loop.step({25, 105});
    EXPECT_EQ(frame().left, 15) << "15 pixels away, not snapped";
    loop.step({24, 105});
    EXPECT_EQ(frame(), (Rect{0, 100, 200, 200}));
}

TEST_F(MoveLoop, SizingCarriesTheEdgeCodeAndRaisesResizePerChangedStep) {
    w.hook();
    ui::MoveLoop loop(w, ui::HTBOTTOMRIGHT);
    loop.begin();
    loop.step({120, 125});
    loop.step({120, 125});
    loop.step({90, 85});
    loop.release({90, 85});
    EXPECT_EQ(w.log, QStringList({"enter", "sizing 8 100,100,310,220", "Form_Resize 3150x1800",
                                  "sizing 8 100,100,310,220", "sizing 8 100,100,280,180",
                                  "Form_Resize 2700x1200", "exit"}));
    EXPECT_EQ(frame(), (Rect{100, 100, 280, 180}));
}

TEST_F(MoveLoop, TheReleaseReachesThePressedControlsMouseUpAfterTheLoop) {
    t.dialogs->pointerPaths.push_back({{300, 200}, {320, 215}});
    t.app.pointer().script({290, 190});
    w.Grip.deliverMouse(ui::Control::kMouseDown, ui::vbLeftButton, 0, 150, 150);
    // The grip stays at (180, 80) of the window; the pointer ends at (220, 115) of it.
    EXPECT_EQ(w.log,
              QStringList({"Grip_MouseDown 1", "Form_Resize 3150x1650", "Form_Resize 3450x1875",
                           "Grip_MouseUp 1 600 525", "Grip_MouseDown done"}));
    EXPECT_EQ(t.dialogs->count("MoveLoop"), 1);
    EXPECT_EQ(t.app.pressed().form, nullptr) << "the button is up";
}

TEST_F(MoveLoop, APressOnTheWindowsBackgroundMovesItAndGivesItTheButtonUp) {
    t.dialogs->pointerPaths.push_back({{130, 125}});
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 5), QPointF(110, 105), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.widget(), &press);
    EXPECT_EQ(frame(), (Rect{120, 120, 320, 220}));
    EXPECT_EQ(w.log, QStringList({"Form_MouseDown", "Form_MouseUp 1 150 75"}));
}

// By the time the program handles a press, or the first move that starts a
// grip's loop, the desktop's pointer may be far on: the loop measures the
// travel from where the button went down, so the window loses none of it,
// and while it runs the pointer the program asks for is the step's.
TEST_F(MoveLoop, ALoopStartedLateMeasuresFromThePress) {
    std::vector<QPoint> asked;
    ui::SetWindowLongA(w, [&](int, unsigned msg, int, Rect*) {
        if (msg != ui::WM_EXITSIZEMOVE) asked.push_back(t.app.pointer().GetCursorPos());
        return 1L;
    });
    t.app.pointer().script({150, 125});
    t.dialogs->pointerPaths.push_back({{150, 125}, {160, 125}});
    send(w.widget(), QEvent::MouseButtonPress, {110, 105}, Qt::LeftButton);
    EXPECT_EQ(frame(), (Rect{150, 120, 350, 220})) << "moved by the whole travel from the press";
    EXPECT_EQ(asked, (std::vector<QPoint>{{110, 105}, {150, 125}, {160, 125}}));

    w.Move(1500, 1500);
    t.app.pointer().script({330, 130});
    t.dialogs->pointerPaths.push_back({{330, 130}});
    send(w.Corner.widget(), QEvent::MouseButtonPress, {290, 105}, Qt::LeftButton);
    send(w.Corner.widget(), QEvent::MouseMove, {300, 110}, Qt::LeftButton);
    EXPECT_EQ(frame(), (Rect{100, 100, 340, 225})) << "the grip's first step is kept";
    EXPECT_EQ(t.dialogs->count("MoveLoop"), 2);

    t.app.pointer().script({500, 500});
    EXPECT_EQ(t.app.pointer().GetCursorPos(), QPoint(500, 500)) << "no loop holds the pointer";
}

// The desktop folds a quick drag's moves together, up to the release: where
// the button comes up is a last step.  A press and release in place moves
// nothing, not even onto a snapping edge.
TEST_F(MoveLoop, TheReleaseAwayFromTheLastStepIsALastStep) {
    w.hook();
    ui::MoveLoop sizing(w, ui::HTBOTTOMRIGHT);
    sizing.begin();
    sizing.release({150, 125});
    EXPECT_EQ(frame(), (Rect{100, 100, 340, 220}));
    t.app.pointer().script({110, 105});
    ui::MoveLoop moving(w, ui::HTCAPTION);
    moving.begin();
    moving.step({120, 115});
    moving.release({120, 115});
    EXPECT_EQ(frame(), (Rect{110, 110, 350, 230}));
    t.app.pointer().script({110, 105});
    ui::MoveLoop still(w, ui::HTCAPTION);
    still.begin();
    still.release({110, 105});
    EXPECT_EQ(w.log,
              QStringList({"enter", "sizing 8 100,100,340,220", "Form_Resize 3600x1800", "exit",
                           "enter", "moving 110,110,350,230", "exit", "enter", "exit"}));
}

TEST_F(MoveLoop, UnloadingOrHidingTheWindowMidDragEndsTheLoop) {
    w.hook([this](unsigned msg, Rect&) {
        if (msg == ui::WM_MOVING && w.log.count() > 2) w.Unload();
    });
    ui::MoveLoop loop(w, ui::HTCAPTION);
    loop.begin();
    EXPECT_TRUE(loop.step({120, 105}));
    EXPECT_FALSE(loop.step({130, 105}));
    EXPECT_FALSE(loop.step({140, 105}));
    loop.release({140, 105});
    EXPECT_FALSE(t.app.isLoaded<Mover>()) << "the loop does not load it again";
    EXPECT_EQ(w.log.filter("moving").size(), 2);
    EXPECT_FALSE(w.log.contains("exit")) << "an unloaded window gets no more messages";

    Mover& again = t.app.form<Mover>();
    again.Show();
    again.hideInResize = true;
    again.log.clear();
    t.dialogs->pointerPaths.push_back({{120, 125}, {130, 135}, {140, 145}});
    again.Grip.deliverMouse(ui::Control::kMouseDown, ui::vbLeftButton, 0, 0, 0);
    EXPECT_EQ(again.log.filter("Form_Resize").size(), 1);
    EXPECT_EQ(again.log.filter("Grip_MouseUp").size(), 0);
    EXPECT_EQ(again.Width(), 2850.0f);
}

TEST_F(MoveLoop, AFailingOrNonsensicalHookNeitherCrashesNorDisturbsTheWindow) {
    w.hook([](unsigned msg, Rect& r) {
        r.left = 900;
        if (msg == ui::WM_SIZING) throw ui::RuntimeError(ui::kOverflow);
    });
    testing::internal::CaptureStderr();
    ui::MoveLoop sizing(w, ui::HTBOTTOMRIGHT);
    sizing.begin();
    sizing.step({130, 125});
    sizing.release({130, 125});
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Overflow"), std::string::npos);
    EXPECT_EQ(frame(), (Rect{100, 100, 320, 220})) << "the proposal, not the half-done rewrite";

    w.hook([](unsigned, Rect& r) { r.right = r.left - 50, r.bottom = r.top; });
    ui::MoveLoop shrink(w, ui::HTBOTTOMRIGHT);
    shrink.begin();
    shrink.step({140, 125});
    EXPECT_EQ(frame(), (Rect{100, 100, 101, 101})) << "one pixel is left";
    shrink.release({140, 125});
    ui::MoveLoop move(w, ui::HTCAPTION);
    move.begin();
    move.step({150, 125});
    EXPECT_EQ(frame(), (Rect{110, 100, 111, 101})) << "a move keeps the size";
}

TEST_F(MoveLoop, NoLoopForHiddenWindowsOrOtherHitCodes) {
    ui::SendMessageA(w, ui::WM_NCLBUTTONDOWN, 5, 0);
    w.Hide();
    ui::SendMessageA(w, ui::WM_NCLBUTTONDOWN, ui::HTCAPTION, 0);
    EXPECT_EQ(t.dialogs->count("MoveLoop"), 0);
    w.hook();
    EXPECT_EQ(ui::SendMessageA(w, 0x1234, 3, 0), 1L) << "other messages reach the procedure";
    ui::WindowProc previous = ui::SetWindowLongA(w, {});
    EXPECT_TRUE(previous);
    EXPECT_EQ(ui::CallWindowProcA(w.windowProc(), w.hWnd(), 0x1234, 0, nullptr), 0L);
}

TEST(Screen, MousePointersOfTheScreenAndOfControls) {
    TestApp t;
    ui::Screen& screen = t.app.screen();
    screen.setMousePointer(ui::vbSizeNWSE);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::SizeFDiagCursor);
    screen.setMousePointer(ui::vbHourglass);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_THROW(screen.setMousePointer(16), ui::RuntimeError);
    EXPECT_EQ(screen.MousePointer(), ui::vbHourglass);
    screen.setMousePointer(ui::vbDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    Mover& w = t.app.form<Mover>();
    w.Grip.setMousePointer(ui::vbSizeNWSE);
    EXPECT_EQ(w.Grip.widget()->cursor().shape(), Qt::SizeFDiagCursor);
    QPixmap icon(16, 16);
    icon.fill(Qt::red);
    w.Grip.setMouseIcon(ui::Picture(icon));
    w.Grip.setMousePointer(ui::vbCustom);
    EXPECT_EQ(w.Grip.widget()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_THROW(w.Grip.setMousePointer(-1), ui::RuntimeError);
    EXPECT_EQ(w.Grip.MousePointer(), ui::vbCustom);
    w.Unload();
    EXPECT_EQ(w.Grip.MousePointer(), ui::vbDefault);
    EXPECT_TRUE(w.Grip.MouseIcon().isEmpty());
}

TEST(Screen, LoadedWindowsInLoadOrderAndByHandle) {
    TestApp t;
    Other& other = t.app.form<Other>();
    Mover& mover = t.app.form<Mover>();
    EXPECT_EQ(t.app.Forms(), (std::vector<ui::Form*>{&other, &mover}));
    other.Unload();
    EXPECT_EQ(t.app.Forms(), (std::vector<ui::Form*>{&mover}));
    t.app.form<Other>();
    EXPECT_EQ(t.app.Forms(), (std::vector<ui::Form*>{&mover, &other})) << "a reload goes last";
    EXPECT_EQ(t.app.formByHandle(mover.hWnd()), &mover);
    EXPECT_EQ(t.app.formByHandle(mover.Grip.hWnd()), nullptr);
    t.app.screen().scriptDesktop({0, 0, 800, 600}, {0, 30, 800, 570});
    EXPECT_EQ(t.app.screenWidth(), 12000.0f);
    EXPECT_EQ(t.app.workAreaPixels(), QRect(0, 30, 800, 570));
}

}  // namespace
