#include <gtest/gtest.h>

#include <QtTest/qtestmouse.h>
#include <QApplication>
#include <QStringList>
#include <functional>

#include "platform/clock/Clock.h"
#include "platform/ui/Application.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Form.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Twips.h"
#include "platform/ui/WindowMessages.h"
#include "support/QtPrinters.h"

// The move loop as it runs on the desktop (the Qt dialog seam), with input
// that passes through the application as the desktop's does: what opens from
// inside the loop, or from its release, must get its own clicks.
namespace {

// An action for the event loop that runs next: the user acting in a menu or
// window the program is about to open.
void later(std::function<void()> action) {
    QMetaObject::invokeMethod(qApp, std::move(action), Qt::QueuedConnection);
}

// One button change or move of the pointer over a window, at a point of the
// screen (a window that moves under the pointer keeps the point).
void mouse(QWidget* window, QEvent::Type type, QPoint screen, Qt::MouseButton button,
           Qt::MouseButtons held) {
    static int timestamp = 0;
    timestamp += 1000;  // never a double-click
    qt_handleMouseEvent(window->windowHandle(), window->mapFromGlobal(screen), screen, held, button,
                        type, Qt::NoModifier, timestamp);
}

// A left click at a point of a window.
void click(QWidget* window, QPoint at) {
    const QPoint screen = window->mapToGlobal(at);
    mouse(window, QEvent::MouseButtonPress, screen, Qt::LeftButton, Qt::LeftButton);
    mouse(window, QEvent::MouseButtonRelease, screen, Qt::LeftButton, Qt::NoButton);
}

// A window with a check box and an Ok button that hides it.
class Choices : public ui::Form {
  public:
    explicit Choices(ui::Application& app) : ui::Form(app, "Choices") {
        setBorderStyle(vbBSNone);
        Move(3000, 4500, 3000, 1500);
        Check.Move(150, 150, 1500, 300);
        Ok.Move(1500, 900, 1200, 450);
        Check.Click.connect([this] { log << QString("Check_Click %1").arg(Check.Value()); });
        Ok.Click.connect([this] {
            log << "Ok_Click";
            Hide();
        });
    }

    // Ticks the box and presses Ok from the loop the window runs, or, when
    // that loop takes no input, closes the window as stuck.
    void answerWhenShown() {
        later([this] { click(widget(), Check.widget()->geometry().topLeft() + QPoint(6, 10)); });
        later([this] { click(widget(), Ok.widget()->geometry().center()); });
        later([this] {
            if (!Visible()) return;
            log << "stuck";
            Hide();
        });
    }

    QStringList log;
    ui::CheckBox Check{*this, "Check"};
    ui::CommandButton Ok{*this, "Ok"};
};

// Any button drags the window by its background; the right button's release
// opens its menu, whose one item opens the choices modally.
class Player : public ui::Form {
  public:
    explicit Player(ui::Application& app) : ui::Form(app, "Player") {
        setBorderStyle(vbBSNone);
        Move(1500, 1500, 3000, 1500);
        Settings.setCaption("Settings");
        Settings.Click.connect([this] {
            log << "Settings_Click";
            Choices& choices = application().form<Choices>();
            choices.answerWhenShown();
            choices.Show(1);
        });
    }

    void Form_MouseDown(int button, int, float, float) override {
        log << QString("Form_MouseDown %1").arg(button);
        ui::ReleaseCapture(application());
        ui::SendMessageA(*this, ui::WM_NCLBUTTONDOWN, ui::HTCAPTION, 0);
    }
    void Form_MouseUp(int button, int, float, float) override {
        log << QString("Form_MouseUp %1").arg(button);
        if (button != ui::vbRightButton) return;
        later([] {
            QWidget* menu = QApplication::activePopupWidget();
            if (menu) click(menu, menu->rect().center());
        });
        later([this] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                log << "menu stuck";
                menu->close();
            }
        });
        PopupMenu(Menu);
    }

    QStringList log;
    ui::Menu Menu{*this, "Menu"};
    ui::Menu Settings{*this, "Settings", &Menu};
};

class LiveMoveLoop : public ::testing::Test {
  protected:
    void SetUp() override { w.Show(); }
    // What a loop left behind runs while its windows are still here.
    void TearDown() override { QCoreApplication::sendPostedEvents(); }
    // The window lies at (100, 100), 200 x 100 pixels; the button goes down
    // on its background at (110, 105).
    void press(Qt::MouseButton button) {
        mouse(w.widget(), QEvent::MouseButtonPress, {110, 105}, button, button);
    }

    ui::Application app{std::make_unique<ui::ManualClock>(), std::make_unique<ui::QtDialogs>()};
    Player& w = app.form<Player>();
    Choices& choices = app.form<Choices>();
};

// Right-click a window that drags on any button, choose the menu's item, tick
// the box and press Ok: the loop has let go before the release is handed on.
TEST_F(LiveMoveLoop, TheMenuAndModalWindowTheReleaseOpensTakeTheirOwnClicks) {
    later([this] {
        mouse(w.widget(), QEvent::MouseMove, {130, 115}, Qt::NoButton, Qt::RightButton);
        mouse(w.widget(), QEvent::MouseButtonRelease, {130, 115}, Qt::RightButton, Qt::NoButton);
    });
    press(Qt::RightButton);
    EXPECT_EQ(w.log, QStringList({"Form_MouseDown 2", "Form_MouseUp 2", "Settings_Click"}));
    EXPECT_EQ(choices.log, QStringList({"Check_Click 1", "Ok_Click"}));
    EXPECT_FALSE(choices.Visible());
    EXPECT_EQ(ui::windowRect(w), (ui::Rect{120, 110, 320, 210})) << "the drag itself is kept";
    EXPECT_EQ(QGuiApplication::mouseButtons(), Qt::NoButton);
}

// A window the program opens modally in the middle of a drag (here from the
// window's procedure at the first step) takes its clicks once the button has
// come up over the window it blocks.  Back in the drag, the first move with
// no button held ends it there; the pressed window is owed no button-up, the
// click it saw last being the modal window's.
TEST_F(LiveMoveLoop, AModalWindowOpenedMidDragTakesItsClicksAndTheDragEndsAfterIt) {
    bool opened = false;
    bool ended = false;
    ui::SetWindowLongA(w, [&](int, unsigned msg, int, ui::Rect*) {
        ended = ended || msg == ui::WM_EXITSIZEMOVE;
        if (msg != ui::WM_MOVING || std::exchange(opened, true)) return 1L;
        later([this] {
            mouse(w.widget(), QEvent::MouseButtonRelease, {130, 105}, Qt::LeftButton, Qt::NoButton);
        });
        choices.answerWhenShown();
        choices.Show(1);
        return 1L;
    });
    later([&] {
        mouse(w.widget(), QEvent::MouseMove, {130, 105}, Qt::NoButton, Qt::LeftButton);
        later([&] {
            mouse(w.widget(), QEvent::MouseMove, {150, 125}, Qt::NoButton, Qt::NoButton);
            later([&] {
                if (ended) return;
                w.log << "drag stuck";
                w.Hide();
            });
        });
    });
    press(Qt::LeftButton);
    EXPECT_EQ(choices.log, QStringList({"Check_Click 1", "Ok_Click"}));
    EXPECT_TRUE(ended);
    EXPECT_EQ(w.log, QStringList({"Form_MouseDown 1"}));
    EXPECT_EQ(ui::windowRect(w), (ui::Rect{140, 120, 340, 220}));
}

}  // namespace
