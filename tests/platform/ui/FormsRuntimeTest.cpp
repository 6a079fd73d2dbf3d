#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include "TestWindows.h"

#include "platform/ui/Application.h"
#include "platform/ui/KeyMap.h"

namespace {

class FormsRuntime : public ::testing::Test {
  protected:
    TestApp t;
    Sample& w = t.app.form<Sample>();
    void SetUp() override { w.log.clear(); }
};

TEST_F(FormsRuntime, WindowLoadsOnFirstUseOnceAndAskingDoesNotLoad) {
    EXPECT_FALSE(t.app.isLoaded<Other>());
    Other& o = t.app.form<Other>();
    t.app.form<Other>();
    EXPECT_TRUE(t.app.isLoaded<Other>());
    EXPECT_EQ(o.loads, 1);
}

// A module of the test's own.
struct Counted {
    explicit Counted(ui::Application&) {}
    virtual ~Counted() = default;
};
struct WatchingCounted : Counted {
    using Counted::Counted;
};
struct WatchingOther : Other {
    using Other::Other;
};

// A provided subclass is what every later use gets, loaded on first use like
// any window; providing one after the first use is refused.
TEST_F(FormsRuntime, ProvidedWindowsAndModulesTakeThePlaceOfTheirTypes) {
    auto other = std::make_unique<WatchingOther>(t.app);
    WatchingOther* watching = other.get();
    t.app.provideForm<Other>(std::move(other));
    EXPECT_FALSE(t.app.isLoaded<Other>());
    EXPECT_EQ(&t.app.form<Other>(), watching);
    EXPECT_EQ(watching->loads, 1);
    EXPECT_THROW(t.app.provideForm<Other>(std::make_unique<WatchingOther>(t.app)),
                 std::logic_error);
    EXPECT_EQ(&t.app.form<Other>(), watching);

    t.app.provideModule<Counted>(std::make_unique<WatchingCounted>(t.app));
    EXPECT_NE(dynamic_cast<WatchingCounted*>(&t.app.module<Counted>()), nullptr);
    EXPECT_THROW(t.app.provideModule<Counted>(std::make_unique<Counted>(t.app)), std::logic_error);
}

TEST_F(FormsRuntime, CaptionAndTextRaiseChangeOnlyWhenTheTextDiffers) {
    w.Caption.setCaption("design");
    w.Caption.setCaption("new");
    w.Caption.setCaption("new");
    w.Text.setText("typed");
    w.Text.setText("other");
    EXPECT_EQ(w.log, QStringList({"Caption_Change", "Text_Change"}));
}

TEST_F(FormsRuntime, ListSelectionRaisesClickEveryTimeAndRejectsRowsOutsideTheList) {
    w.List.AddItem("alpha");
    w.List.AddItem("Beta");
    w.List.setListIndex(1);
    w.List.setListIndex(1);
    EXPECT_THROW(w.List.setListIndex(2), ui::RuntimeError);
    EXPECT_EQ(w.List.ListIndex(), 1);
    w.List.setText("ALPHA");
    w.List.setSelected(1, true);
    w.List.setText("missing");
    EXPECT_EQ(w.log, QStringList({"List_Click 1", "List_Click 1", "List_Click 0", "List_Click 1"}));
    EXPECT_EQ(w.List.Text(), "Beta");
}

TEST_F(FormsRuntime, ListSelectionFollowsInsertsAndRemovals) {
    for (const char* s : {"a", "b", "c"})
        w.List.AddItem(s);
    w.List.setListIndex(1);
    w.List.AddItem("first", 0);
    EXPECT_EQ(w.List.ListIndex(), 2);
    EXPECT_EQ(w.List.Text(), "b");
    w.List.RemoveItem(0);
    EXPECT_EQ(w.List.ListIndex(), 1);
    w.List.RemoveItem(1);
    EXPECT_EQ(w.List.ListIndex(), -1);
    EXPECT_EQ(w.List.Text(), "");
    EXPECT_EQ(w.List.List(7), "");
    EXPECT_THROW(w.List.RemoveItem(5), ui::RuntimeError);
    EXPECT_THROW(w.List.AddItem("x", 9), ui::RuntimeError);
}

TEST_F(FormsRuntime, MultiSelectionKeepsMarksApartFromListIndex) {
    w.Multi.setSelected(1, true);
    EXPECT_EQ(w.Multi.ListIndex(), -1);
    EXPECT_TRUE(w.Multi.Selected(1));
    EXPECT_FALSE(w.Multi.Selected(0));
    EXPECT_EQ(w.Multi.SelCount(), 1);
    w.Multi.AddItem("new", 0);
    EXPECT_TRUE(w.Multi.Selected(2));
    EXPECT_THROW(w.Multi.Selected(3), ui::RuntimeError);
}

TEST_F(FormsRuntime, SortedListInsertsIgnoringCase) {
    for (const char* s : {"b", "C", "a", "B"})
        w.SortedList.AddItem(s);
    EXPECT_EQ(w.SortedList.items(), QStringList({"a", "b", "B", "C"}));
    EXPECT_EQ(w.SortedList.NewIndex(), 2);
}

TEST_F(FormsRuntime, ComboTextSelectsARowOrFillsTheEditField) {
    w.Combo.AddItem("One");
    w.Combo.setText("one");
    w.Combo.setText("typed here");
    EXPECT_EQ(w.Combo.ListIndex(), -1);
    EXPECT_EQ(w.Combo.Text(), "typed here");
    EXPECT_EQ(w.log, QStringList({"Combo_Click 0", "Combo_Change"}));
}

// The rows reach the widget a moment after they are added; the chosen row's
// text must then show in the edit field of a combo that can be typed into.
TEST_F(FormsRuntime, AComboShowsItsChosenRowOnceTheRowsArrive) {
    for (const char* row : {"8", "9", "10"})
        w.Combo.AddItem(row);
    w.Combo.setText("9");
    w.Show();
    QCoreApplication::processEvents();
    auto* combo = qobject_cast<QComboBox*>(w.Combo.widget());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(combo->currentText(), "9");
    w.Combo.setText("typed");
    QCoreApplication::processEvents();
    EXPECT_EQ(combo->currentText(), "typed");
}

TEST_F(FormsRuntime, CheckBoxTakesThreeValuesAndClicksOnChange) {
    w.Check.setValue(1);
    w.Check.setValue(2);
    w.Check.setValue(0);
    EXPECT_THROW(w.Check.setValue(3), ui::RuntimeError);
    EXPECT_EQ(w.Check.Value(), 0);
    EXPECT_EQ(w.log, QStringList({"Check_Click 2", "Check_Click 0"}));
}

TEST_F(FormsRuntime, OptionButtonsFormGroupsByContainer) {
    w.OptB.setValue(true);
    EXPECT_FALSE(w.OptA.Value());
    w.OptB.setValue(true);
    w.GroupB.setValue(true);
    EXPECT_TRUE(w.OptB.Value()) << "a button in another container is not cleared";
    w.OnlyInBox.setValue(true);
    EXPECT_FALSE(w.GroupB.Value());
    w.OptA.setValue(false);
    EXPECT_EQ(w.log, QStringList({"OptB_Click", "GroupB_Click"}));
}

TEST_F(FormsRuntime, GeometryReadsBackExactlyAndResizeFollowsStoredChanges) {
    w.List.Move(12.345f, 1000.5f, 3333.3f, 77.7f);
    EXPECT_EQ(w.List.Left(), 12.345f);
    EXPECT_EQ(w.List.Height(), 77.7f);
    w.setWidth(6100);
    w.setWidth(6100);
    w.setHeight(3530.25f);
    w.setLeft(-300);
    EXPECT_EQ(w.Height(), 3530.25f);
    EXPECT_EQ(w.Left(), -300.0f);
    EXPECT_EQ(w.log, QStringList({"Form_Resize", "Form_Resize"}));
}

TEST_F(FormsRuntime, ControlArraysAreIndexable) {
    EXPECT_EQ(w.Cells(3).Caption(), "cell3");
    EXPECT_EQ(w.Cells.UBound(), 3);
    EXPECT_THROW(w.Cells(1), ui::RuntimeError);
    w.Cells(3).setCaption("x");
    EXPECT_EQ(w.log, QStringList({"Cells_Change 3"}));
    w.Cells.add(7);
    w.Unload();
    EXPECT_FALSE(t.app.form<Sample>().Cells.exists(7))
        << "elements added at run time go with the unload";
}

TEST_F(FormsRuntime, ErrorEscapingAHandlerIsReportedAndTheProgramGoesOn) {
    w.Fails.deliverMouse(ui::Control::kClick, 0, 0, 0, 0);
    w.Caption.setCaption("still running");
    EXPECT_EQ(w.log, QStringList({"Caption_Change"}));
}

TEST_F(FormsRuntime, StepSkipsAFailingStatement) {
    int reached = 0;
    ui::step([&] { w.List.setListIndex(40); });
    ui::step([&] { ++reached; });
    EXPECT_EQ(reached, 1);
}

TEST_F(FormsRuntime, TimerTicksOnTheManualClockAndIsNotRestartedWhenReEnabled) {
    w.Tick.setEnabled(true);
    t.clock->advance(60);
    w.Tick.setEnabled(true);
    t.clock->advance(40);
    EXPECT_EQ(w.log, QStringList({"Tick"}));
    w.Tick.setEnabled(false);
    t.clock->advance(1000);
    EXPECT_EQ(w.log.size(), 1);
}

TEST_F(FormsRuntime, TimerMayDisableItselfInItsTick) {
    w.disableInTick = true;
    t.clock->advance(1000);
    EXPECT_EQ(w.log, QStringList({"Tick"}));
    EXPECT_FALSE(w.Tick.Enabled());
}

TEST_F(FormsRuntime, UnloadInsideOwnTickStopsTimersAndReloadGivesDesignValues) {
    w.unloadInTick = true;
    w.Caption.setCaption("changed");
    w.OptB.setValue(true);
    w.List.AddItem("row");
    w.setWidth(9000);
    w.log.clear();
    t.clock->advance(100);
    EXPECT_FALSE(t.app.isLoaded<Sample>());
    EXPECT_EQ(w.log, QStringList({"Tick", "Form_Unload"}));
    t.clock->advance(1000);
    EXPECT_EQ(w.log.size(), 2) << "an unloaded window's timers stay stopped";

    EXPECT_EQ(w.Caption.Caption(), "design") << "touching a control loads the window again";
    EXPECT_TRUE(t.app.isLoaded<Sample>());
    EXPECT_EQ(w.log.back(), "Form_Load");
    EXPECT_TRUE(w.OptA.Value());
    EXPECT_EQ(w.List.ListCount(), 0);
    EXPECT_EQ(w.Width(), 6000.0f);
    EXPECT_EQ(w.Check.Value(), 1);
    EXPECT_EQ(w.Text.Text(), "typed");
}

TEST_F(FormsRuntime, FirstShowAfterEachLoadRaisesResize) {
    w.Show();
    w.Hide();
    w.Show();
    EXPECT_EQ(w.log, QStringList({"Form_Resize"}));
    w.Unload();
    w.Show();
    EXPECT_EQ(w.log.count("Form_Resize"), 2);
}

// A window unloaded while minimized is loaded again as designed, and shows so.
TEST_F(FormsRuntime, AMinimizedWindowUnloadedShowsInItsNormalStateNextTime) {
    w.Show();
    w.setWindowState(ui::Form::vbMinimized);
    w.Unload();
    w.Show();
    EXPECT_EQ(w.WindowState(), ui::Form::vbNormal);
    EXPECT_FALSE(w.widget()->windowState() & Qt::WindowMinimized);
}

TEST_F(FormsRuntime, AKeyInAControlReachesItAndNotTheWindowAsWell) {
    w.List.widget()->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(w.List.widget(), &press);
    EXPECT_EQ(w.log, QStringList({"List_KeyDown 116"}));
    w.List.widget()->clearFocus();
    QKeyEvent own(QEvent::KeyPress, Qt::Key_F6, Qt::NoModifier);
    QApplication::sendEvent(w.widget(), &own);
    EXPECT_EQ(w.log.last(), "Form_KeyDown 117");
}

TEST_F(FormsRuntime, UnloadCanBeCancelled) {
    w.cancelUnload = 1;
    EXPECT_FALSE(w.Unload());
    EXPECT_TRUE(t.app.isLoaded<Sample>());
}

TEST_F(FormsRuntime, DialogSeamRecordsAndAnswersFromScripts) {
    t.dialogs->msgBoxAnswers.push_back(ui::vbNo);
    EXPECT_EQ(t.app.dialogs().MsgBox("Sure?", ui::vbYesNo, "Title"), ui::vbNo);
    EXPECT_EQ(t.app.dialogs().MsgBox("Done", ui::vbOKOnly, "Title"), ui::vbOK);
    EXPECT_TRUE(t.app.dialogs().openFiles({"Open", "All|*.*", "", false}).isEmpty());
    t.dialogs->folderAnswers.push_back("/music");
    EXPECT_EQ(t.app.dialogs().pickFolder("Pick", ""), "/music");
    ASSERT_EQ(t.dialogs->shown.size(), 4u);
    EXPECT_EQ(t.dialogs->shown[0].text, "Sure?");
    EXPECT_EQ(t.dialogs->count("MsgBox"), 2);
}

TEST_F(FormsRuntime, PopupMenuReturnsAfterTheChosenItemsClickRan) {
    QString clicked;
    w.PopupSubItem.Click.connect([&] { clicked = "sub"; });
    t.dialogs->menuAnswers.push_back("PopupSubItem");
    w.PopupMenu(w.Popup);
    EXPECT_EQ(clicked, "sub");
    w.PopupMenu(w.Popup);
    EXPECT_EQ(t.dialogs->count("Menu"), 2);
}

TEST_F(FormsRuntime, WindowsAndWindowedControlsHaveResolvableHandles) {
    EXPECT_EQ(t.app.handles().widget(w.hWnd()), w.widget());
    EXPECT_EQ(t.app.handles().widget(w.Box.hWnd()), w.Box.widget());
    EXPECT_EQ(w.Caption.hWnd(), 0);
    EXPECT_EQ(t.app.handles().widget(12345), nullptr);
}

TEST(KeyMap, QtKeysGiveVirtualKeyCodes) {
    EXPECT_EQ(ui::virtualKeyFromQt(Qt::Key_A, 0), 65);
    EXPECT_EQ(ui::virtualKeyFromQt(Qt::Key_5, 0), 53);
    EXPECT_EQ(ui::virtualKeyFromQt(Qt::Key_5, Qt::KeypadModifier), 101);
    EXPECT_EQ(ui::virtualKeyFromQt(Qt::Key_F5, 0), 116);
    EXPECT_EQ(ui::virtualKeyFromQt(Qt::Key_Delete, 0), 46);
    EXPECT_EQ(ui::virtualKeyFromQt(Qt::Key_Exclam, Qt::ShiftModifier), 49);
    EXPECT_EQ(ui::virtualKeyFromQt(Qt::Key_MediaTogglePlayPause, 0), 179);
    EXPECT_EQ(ui::virtualKeyFromQt(Qt::Key_unknown, 0), 0);
}

}  // namespace

namespace {

class Watched : public ui::Form {
  public:
    Watched(ui::Application& app, QStringList& log, QString name)
        : ui::Form(app, name), log_(log) {}
    void Form_Activate() override { log_ << Name() + ".Activate"; }
    void Form_Deactivate() override { log_ << Name() + ".Deactivate"; }

  private:
    QStringList& log_;
};

QStringList activationLog;
class First : public Watched {
  public:
    explicit First(ui::Application& app) : Watched(app, activationLog, "First") {}
};
class Second : public Watched {
  public:
    explicit Second(ui::Application& app) : Watched(app, activationLog, "Second") {}
};

TEST(Activation, SwitchesBetweenOwnWindowsRaiseDeactivateThenActivateAfterTheCausingCode) {
    TestApp t;
    activationLog.clear();
    t.app.form<First>().Show();
    t.app.form<Second>();
    EXPECT_TRUE(activationLog.isEmpty()) << "queued after the code that caused them";
    t.app.noteActivated(t.app.form<First>());
    t.app.noteActivated(t.app.form<First>());
    t.app.noteActivated(t.app.form<Second>());
    EXPECT_EQ(activationLog,
              QStringList({"First.Activate", "First.Deactivate", "Second.Activate"}));
}

TEST(Activation, ModalShowGoesThroughTheDialogSeam) {
    TestApp t;
    t.app.form<First>().Show(1);
    EXPECT_EQ(t.dialogs->count("Modal"), 1);
    EXPECT_TRUE(t.app.form<First>().Visible());
}

}  // namespace

namespace {

// The drag target lookup: a control's own widget and a list's rows area are
// the control's; the window itself and a stray child widget are none.
TEST_F(FormsRuntime, AWidgetLeadsBackToItsControlOnly) {
    EXPECT_EQ(t.app.controlOf(w.Caption.widget()), &w.Caption);
    EXPECT_EQ(t.app.controlOf(w.List.clientWidget()), &w.List);
    EXPECT_EQ(t.app.controlOf(t.app.form<Other>().Value.widget()), &t.app.form<Other>().Value);
    EXPECT_EQ(t.app.controlOf(w.widget()), nullptr);
    EXPECT_EQ(t.app.controlOf(nullptr), nullptr);
    auto* stray = new QWidget(w.Box.widget());
    EXPECT_EQ(t.app.controlOf(stray), nullptr);
}

}  // namespace
