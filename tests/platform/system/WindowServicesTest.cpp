#include <gtest/gtest.h>

#include <QPoint>

#include "platform/system/WindowServices.h"
#include "platform/ui/Application.h"
#include "platform/ui/Twips.h"

namespace {

class Plain : public ui::Form {
  public:
    explicit Plain(ui::Application& app) : ui::Form(app, "Plain") { Move(300, 450, 1500, 750); }
};

}  // namespace

TEST(WindowServices, WorkAreaPointerAndWindowRectanglesInScreenPixels) {
    ui::Application app(std::make_unique<ui::ManualClock>(),
                        std::make_unique<ui::RecordingDialogs>());
    app.screen().scriptDesktop({0, 0, 1280, 800}, {0, 24, 1280, 752});
    app.pointer().script({640, 400});

    ui::Rect area{1, 2, 3, 4};
    ASSERT_TRUE(sys::SystemParametersInfoA(app, sys::SPI_GETWORKAREA, area));
    EXPECT_EQ(area, (ui::Rect{0, 24, 1280, 776}));
    EXPECT_FALSE(sys::SystemParametersInfoA(app, 0x31, area));
    EXPECT_EQ(area, (ui::Rect{0, 24, 1280, 776})) << "another action leaves it";

    QPoint pointer;
    ASSERT_TRUE(sys::GetCursorPos(app, pointer));
    EXPECT_EQ(pointer, QPoint(640, 400));

    Plain& window = app.form<Plain>();
    ui::Rect rect;
    ASSERT_TRUE(sys::GetWindowRect(app, window.hWnd(), rect));
    EXPECT_EQ(rect, (ui::Rect{20, 30, 120, 80}));
    EXPECT_FALSE(sys::GetWindowRect(app, 0x7FFF0000, rect));
    window.Unload();
    EXPECT_FALSE(sys::GetWindowRect(app, window.hWnd(), rect)) << "no window while unloaded";
    EXPECT_FALSE(app.isLoaded<Plain>());
}

namespace {

class Owner : public ui::Form {
  public:
    explicit Owner(ui::Application& app) : ui::Form(app, "Owner") {}
    void Form_MouseMove(int Button, int Shift, float X, float Y) override {
        moves.push_back({Button, Shift, X, Y});
    }
    struct Move {
        int button, shift;
        float x, y;
        bool operator==(const Move&) const = default;
    };
    std::vector<Move> moves;
};

}  // namespace

TEST(Tray, OneIconPerIdentifierTipsCutAndClicksReachTheOwner) {
    ui::Application app(std::make_unique<ui::ManualClock>(),
                        std::make_unique<ui::RecordingDialogs>());
    Owner& owner = app.form<Owner>();
    sys::Tray tray;
    EXPECT_TRUE(tray.Shell_NotifyIconA(sys::NIM_ADD, 7, QIcon(), QString(100, 'x'), &owner));
    EXPECT_FALSE(tray.Shell_NotifyIconA(sys::NIM_ADD, 7, QIcon(), "again", &owner));
    ASSERT_EQ(tray.icons().size(), 1u);
    EXPECT_EQ(tray.icons().at(7).tip, QString(63, 'x'));
    EXPECT_FALSE(tray.Shell_NotifyIconA(5, 7, QIcon(), "unknown message"));

    tray.notify(7, ui::vbLeftButton);
    tray.notify(7, ui::vbRightButton);
    tray.notify(8, ui::vbLeftButton);
    EXPECT_EQ(owner.moves, (std::vector<Owner::Move>{{1, 0, 0, 0}, {2, 0, 0, 0}}));
    owner.Unload();
    tray.notify(7, ui::vbLeftButton);
    EXPECT_FALSE(app.isLoaded<Owner>()) << "an unloaded owner is not loaded by the tray";

    EXPECT_TRUE(tray.Shell_NotifyIconA(sys::NIM_DELETE, 7, {}, {}));
    EXPECT_FALSE(tray.Shell_NotifyIconA(sys::NIM_DELETE, 7, {}, {}));
    EXPECT_TRUE(tray.icons().empty());
    EXPECT_TRUE(tray.Shell_NotifyIconA(sys::NIM_ADD, 9, QIcon(), QString(10000, 'y')));
    EXPECT_EQ(tray.icons().at(9).tip.size(), 63);
    tray.notify(9, ui::vbLeftButton);
}
