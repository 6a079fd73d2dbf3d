#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QCoreApplication>
#include <QFile>
#include <QTest>

#include "InputEvents.h"
#include "TestWindows.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/FileListBox.h"
#include "platform/ui/Image.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/PictureBox.h"
#include "support/TempDir.h"

namespace {

// Controls whose events land in one log.
class Desk : public ui::Form {
  public:
    explicit Desk(ui::Application& app) : ui::Form(app, "Desk") {
        Move(1500, 1500, 9000, 6000);
        Note.Move(150, 150, 1500, 300);
        First.Move(150, 600, 1500, 300);
        Second.Move(150, 1050, 1500, 300);
        Third.Move(150, 1500, 1500, 300);
        Shared.Move(150, 1950, 1500, 300);
        Shared.setCaption("Shared");
        Background.Move(0, 0, 9000, 6000);
        for (ui::Control* c :
             std::initializer_list<ui::Control*>{&Note, &First, &Second, &Third, &Shared}) {
            c->Click.connect([this, c] { log << c->Name() + ".Click"; });
            c->DblClick.connect([this, c] { log << c->Name() + ".DblClick"; });
            c->MouseDown.connect([this, c](int, int, float, float) { log << c->Name() + ".Down"; });
            c->MouseUp.connect([this, c](int, int, float, float) { log << c->Name() + ".Up"; });
            c->GotFocus.connect([this, c] { log << c->Name() + ".GotFocus"; });
            c->LostFocus.connect([this, c] {
                log << c->Name() + ".LostFocus";
                if (c == refocusFrom) First.SetFocus();
            });
        }
        First.KeyDown.connect(
            [this](int& code, int shift) { log << QString("KeyDown %1 %2").arg(code).arg(shift); });
        First.KeyPress.connect([this](int& ascii) { log << QString("KeyPress %1").arg(ascii); });
        Slow.setInterval(1000);
        Fast.setInterval(100);
        Slow.TimerEvent.connect([this] {
            ++slowTicks;
            application().dialogs().MsgBox("Still there?", ui::vbOKOnly, "Desk");
        });
        Fast.TimerEvent.connect([this] { ++fastTicks; });
        Recent.add(0, &Popup).setCaption("design item");
        Note.Change.connect([this] { log << "Note.Change"; });
        Third.Change.connect([this] { log << "Third.Change"; });
    }
    void Form_Click() override { log << "Form.Click"; }
    void Form_DblClick() override { log << "Form.DblClick"; }
    void Form_Activate() override { log << "Desk.Activate"; }

    QStringList log;
    ui::Control* refocusFrom = nullptr;
    int slowTicks = 0;
    int fastTicks = 0;
    ui::Label Note{*this, "Note"};
    ui::TextBox First{*this, "First"};
    ui::TextBox Second{*this, "Second"};
    ui::TextBox Third{*this, "Third"};
    ui::CommandButton Shared{*this, "Shared"};
    ui::Image Background{*this, "Background"};
    ui::Timer Slow{*this, "Slow"};
    ui::Timer Fast{*this, "Fast"};
    ui::Menu Popup{*this, "Popup"};
    ui::ControlArray<ui::Menu> Recent{*this, "Recent"};
};

class Input : public ::testing::Test {
  protected:
    TestApp t;
    Desk& w = t.app.form<Desk>();
    void SetUp() override {
        w.Show();
        QCoreApplication::processEvents();
        w.log.clear();
    }
};

TEST_F(Input, ADoubleClickRaisesDownUpClickDblClickUp) {
    input::doubleClick(w.Note.widget(), QPoint(3, 3));
    EXPECT_EQ(w.log,
              QStringList({"Note.Down", "Note.Up", "Note.Click", "Note.DblClick", "Note.Up"}));
    w.log.clear();
    input::doubleClick(w.widget(), QPoint(400, 300));
    EXPECT_EQ(w.log, QStringList({"Form.Click", "Form.DblClick"}));
    w.log.clear();
    input::press(w.Note.widget(), QPoint(3, 3));
    input::release(w.Note.widget(), QPoint(3, 3));
    EXPECT_EQ(w.log, QStringList({"Note.Down", "Note.Up", "Note.Click"}))
        << "the click after a double-click is an ordinary one";
}

TEST_F(Input, SetFocusRaisesLostThenGotFocusInsideTheCall) {
    w.Third.SetFocus();
    w.log.clear();
    w.First.SetFocus();
    EXPECT_EQ(w.log, QStringList({"Third.LostFocus", "First.GotFocus"}));
    w.Second.SetFocus();
    EXPECT_EQ(w.log, QStringList({"Third.LostFocus", "First.GotFocus", "First.LostFocus",
                                  "Second.GotFocus"}));
    w.Second.SetFocus();
    EXPECT_EQ(w.log.size(), 4) << "focusing the focused control raises nothing";
    EXPECT_EQ(t.app.focusedControl(), &w.Second);
}

TEST_F(Input, SetFocusInsideLostFocusWins) {
    w.Second.SetFocus();
    w.log.clear();
    w.refocusFrom = &w.Second;
    w.Third.SetFocus();
    EXPECT_EQ(w.log, QStringList({"Second.LostFocus", "First.GotFocus"}));
    EXPECT_EQ(t.app.focusedControl(), &w.First);
}

// Alt and a label's access key give the focus to the next control after the
// label in tab order, passing over a disabled or hidden one; a key the label
// shares with a button reaches each in turn; a label that shows its "&" or
// an empty row to the end has no key to take.
TEST_F(Input, ALabelsAccessKeyFocusesTheNextControlThatCanTakeIt) {
    w.widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.widget()));
    const auto altN = [&] { QTest::keyClick(w.widget(), Qt::Key_N, Qt::AltModifier); };
    w.Note.setCaption("&Note");
    w.Third.SetFocus();
    altN();
    EXPECT_EQ(t.app.focusedControl(), &w.First);
    w.Third.SetFocus();
    w.First.setEnabled(false);
    altN();
    EXPECT_EQ(t.app.focusedControl(), &w.Second) << "a disabled control passes it on";
    w.Second.setVisible(false);
    w.First.setEnabled(true);
    w.First.setVisible(false);
    altN();
    EXPECT_EQ(t.app.focusedControl(), &w.Third) << "never a hidden control";
    w.Third.setVisible(false);
    w.Shared.SetFocus();
    altN();
    EXPECT_EQ(t.app.focusedControl(), &w.Shared) << "none to take it: the focus stays";

    w.Third.setVisible(true);
    w.Shared.setCaption("&Next");
    QStringList reached;
    for (int i = 0; i < 4; ++i) {
        altN();
        reached << (t.app.focusedControl() ? t.app.focusedControl()->Name() : "none");
    }
    EXPECT_EQ(reached.count("Third"), 2) << reached.join(' ').toStdString();
    EXPECT_EQ(reached.count("Shared"), 2) << "the button takes its turn";

    w.Shared.setCaption("Shared");
    w.Note.setUseMnemonic(false);
    w.Shared.SetFocus();
    altN();
    EXPECT_EQ(t.app.focusedControl(), &w.Shared) << "no mnemonic, no key";
    EXPECT_TRUE(w.log.filter("Shared.Click").isEmpty()) << "the shared key clicked nothing";
}

TEST_F(Input, SetFocusWhereNoFocusCanBeFailsAndChangesNothing) {
    w.First.SetFocus();
    w.log.clear();
    w.Second.setVisible(false);
    w.Third.setEnabled(false);
    for (ui::Control* c : std::initializer_list<ui::Control*>{&w.Second, &w.Third, &w.Note}) {
        try {
            c->SetFocus();
            ADD_FAILURE() << c->Name().toStdString();
        } catch (const ui::RuntimeError& e) {
            EXPECT_EQ(e.number(), ui::kInvalidCall);
        }
    }
    w.Hide();
    w.Third.setEnabled(true);
    EXPECT_THROW(w.Third.SetFocus(), ui::RuntimeError) << "a hidden window";
    EXPECT_TRUE(w.log.isEmpty());
    EXPECT_EQ(t.app.focusedControl(), &w.First);
    w.Unload();
    EXPECT_EQ(t.app.focusedControl(), nullptr) << "unloading forgets the focus";
}

TEST_F(Input, KeysAreCodedByThePhysicalKeyOnAnyLayout) {
    // X key codes of the keys under 2, Y, C and Q on a US keyboard.
    EXPECT_EQ(ui::virtualKeyFromScanCode(11), 50);
    EXPECT_EQ(ui::virtualKeyFromScanCode(29), 89);
    EXPECT_EQ(ui::virtualKeyFromScanCode(54), 67);
    EXPECT_EQ(ui::virtualKeyFromScanCode(94), 226);
    EXPECT_EQ(ui::virtualKeyFromScanCode(22), 0) << "backspace goes by its Qt key";
    w.First.SetFocus();
    w.log.clear();
    QWidget* box = w.First.widget();
    // German layout: Shift+2 types a quote, the key beside the T types Z.
    input::key(box, Qt::Key_QuoteDbl, Qt::ShiftModifier, 11, "\"");
    input::key(box, Qt::Key_Z, Qt::NoModifier, 29, "z");
    // Russian layout: Ctrl+C on the key that types Es.
    input::key(box, 0x0421, Qt::ControlModifier, 54);
    // No scan code known: the Qt key decides; the keypad keeps its own codes.
    input::key(box, Qt::Key_F5);
    input::key(box, Qt::Key_5, Qt::KeypadModifier, 84, "5");
    EXPECT_EQ(w.log,
              QStringList({"KeyDown 50 1", "KeyPress 34", "KeyDown 89 0", "KeyPress 122",
                           "KeyDown 67 2", "KeyDown 116 0", "KeyDown 101 0", "KeyPress 53"}));
}

TEST_F(Input, AMessageBoxInOneTickLeavesTheOtherTimersTicking) {
    int fastDuringBox = 0;
    t.dialogs->whileShown = [&](ui::RecordingDialogs::Shown) {
        const int before = w.fastTicks;
        t.clock->advance(2500);
        fastDuringBox += w.fastTicks - before;
    };
    t.clock->advance(1000);
    EXPECT_EQ(w.slowTicks, 1) << "the box's own timer does not tick inside it";
    EXPECT_EQ(fastDuringBox, 26);
    EXPECT_EQ(t.dialogs->count("MsgBox"), 1);
    t.dialogs->whileShown = nullptr;
    t.clock->advance(1000);
    EXPECT_EQ(w.slowTicks, 2) << "and ticks again once the box is closed";
}

TEST_F(Input, TextEndsAtItsFirstNul) {
    w.Note.setCaption(QString("Stereo") + QChar(0) + "garbage");
    EXPECT_EQ(w.Note.Caption(), "Stereo");
    w.Note.setCaption(QString("Stereo") + QChar(0) + "other");
    w.Third.setText(QString("ab") + QChar(0) + "cd");
    EXPECT_EQ(w.Third.Text(), "ab");
    w.Third.setText(QString(QChar(0)) + "hidden");
    EXPECT_EQ(w.Third.Text(), "");
    EXPECT_EQ(w.log, QStringList({"Note.Change", "Third.Change", "Third.Change"}));
}

TEST_F(Input, RunTimeMenuItemsLeaveTheirParentWhenUnloaded) {
    w.Recent.add(1, &w.Popup).setCaption("added");
    EXPECT_EQ(w.Popup.items().size(), 2u);
    w.Unload();
    EXPECT_EQ(w.Popup.items().size(), 1u);
    t.dialogs->menuAnswers.push_back("Recent");
    QString chosen;
    w.Recent(0).Click.connect([&] { chosen = w.Recent(0).Caption(); });
    w.PopupMenu(w.Popup);
    EXPECT_EQ(chosen, "design item");
}

TEST_F(Input, LightControlsLieUnderWindowedOnesAndLabelsOverPictures) {
    const QObjectList& order = w.widget()->children();
    const auto at = [&](const ui::Control& c) { return order.indexOf(c.widget()); };
    EXPECT_LT(at(w.Background), at(w.Note)) << "a label over a background declared after it";
    EXPECT_LT(at(w.Note), at(w.First));
    w.First.ZOrder(1);
    w.Background.ZOrder(0);
    EXPECT_LT(at(w.Note), at(w.First));
    EXPECT_LT(at(w.Background), at(w.Third));
    EXPECT_LT(at(w.Background), at(w.Note));
    EXPECT_LT(at(w.First), at(w.Second)) << "windowed controls keep their order";
}

TEST_F(Input, TheControlUnderThePointerIsAskedOfTheRuntime) {
    ui::Pointer& pointer = t.app.pointer();
    const QPoint box = w.First.widget()->mapToGlobal(QPoint(4, 4));
    pointer.script(box);
    EXPECT_EQ(pointer.GetCursorPos(), box);
    EXPECT_EQ(pointer.WindowFromPoint(box), w.First.hWnd());
    const QPoint label = w.Note.widget()->mapToGlobal(QPoint(4, 4));
    EXPECT_EQ(pointer.WindowFromPoint(label), w.hWnd()) << "a label has no window of its own";
    EXPECT_EQ(pointer.WindowFromPoint(w.widget()->mapToGlobal(QPoint(-50, -50))), 0);
    w.Hide();
    EXPECT_EQ(pointer.WindowFromPoint(box), 0);
}

TEST_F(Input, ShowingAWindowActivatesItAfterTheShowingCode) {
    w.Hide();
    QCoreApplication::processEvents();
    w.log.clear();
    t.app.noteActivated(t.app.form<Other>());
    w.Show();
    EXPECT_TRUE(w.log.isEmpty());
    QCoreApplication::processEvents();
    EXPECT_EQ(w.log, QStringList({"Desk.Activate"}));
}

TEST(Taskbar, AWindowOffTheTaskBarIsAToolWindow) {
    class Tool : public ui::Form {
      public:
        explicit Tool(ui::Application& app) : ui::Form(app, "Tool") {
            setBorderStyle(vbBSNone);
            setShowInTaskbar(false);
        }
    };
    TestApp t;
    QWidget* w = t.app.form<Tool>().widget();
    EXPECT_EQ(w->windowType(), Qt::Tool);
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(t.app.form<Other>().widget()->windowType(), Qt::Window);
}

TEST(FileList, ListsOrdinaryFilesOnly) {
    class Files : public ui::Form {
      public:
        explicit Files(ui::Application& app) : ui::Form(app, "Files") {}
        ui::FileListBox File1{*this, "File1"};
    };
    testsupport::TempDir dir;
    dir.write("b.txt", "x");
    dir.write("A.txt", "x");
    dir.write(".hidden.txt", "x");
    dir.write("sub.txt/inner", "x");
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.file("pipe.txt")).constData(), 0600), 0);
    QFile::link(dir.file("pipe.txt"), dir.file("link-to-pipe.txt"));
    QFile::link(dir.file("b.txt"), dir.file("link.txt"));
    QFile::link(dir.file("missing"), dir.file("dangling.txt"));
    TestApp t;
    ui::FileListBox& list = t.app.form<Files>().File1;
    list.setPattern("*.txt");
    list.setPath(dir.path());
    EXPECT_EQ(list.items(), QStringList({"A.txt", "b.txt", "link.txt"}));
}

}  // namespace
