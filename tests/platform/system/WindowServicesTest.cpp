#include <gtest/gtest.h>

#include <QPoint>

#include "platform/system/WindowServices.h"
#include "platform/ui/Application.h"

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
    app.screen().scriptCursor({640, 400});

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
