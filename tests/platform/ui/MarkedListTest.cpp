#include <gtest/gtest.h>

#include <QCoreApplication>

#include "InputEvents.h"
#include "TestWindows.h"
#include "platform/ui/KeyMap.h"

namespace {

class Marked : public ui::Form {
  public:
    explicit Marked(ui::Application& app) : ui::Form(app, "Marked") {
        setWidth(6000);
        setHeight(6000);
        List.Move(300, 300, 3000, 3000);
        List.setMarksByCode(true);
        for (const char* row : {"zero", "one", "two"})
            List.AddItem(row);
        List.MouseDown.connect([this](int b, int, float, float) {
            log << QString("down %1 %2 %3").arg(b).arg(List.ListIndex()).arg(List.SelCount());
        });
    }
    QStringList log;
    ui::ListBox List{*this, "List", ui::ListControl::vbMultiSelectSimple};
};

// The user's press moves the current row before MouseDown and leaves every
// mark as it was; the right button and Space move and mark nothing.
TEST(MarkedList, OnlyCodeTurnsMarksOver) {
    TestApp t;
    Marked& w = t.app.form<Marked>();
    w.Show();
    QCoreApplication::processEvents();
    w.List.setSelected(0, true);
    QWidget* rows = w.List.clientWidget();
    const int h = w.List.ItemHeight();
    input::press(rows, {10, h * 2 + h / 2});
    input::release(rows, {10, h * 2 + h / 2});
    EXPECT_EQ(w.log, QStringList({"down 1 2 1"}));
    EXPECT_TRUE(w.List.Selected(0));
    EXPECT_FALSE(w.List.Selected(2));
    input::press(rows, {10, h + h / 2}, Qt::RightButton);
    input::release(rows, {10, h + h / 2}, Qt::RightButton);
    EXPECT_EQ(w.List.ListIndex(), 2);
    input::key(w.List.widget(), Qt::Key_Space);
    EXPECT_EQ(w.List.SelCount(), 1);
    EXPECT_TRUE(w.List.Selected(0));
    input::key(w.List.widget(), Qt::Key_Up);
    EXPECT_EQ(w.List.ListIndex(), 1) << "the arrows still move the current row";
    EXPECT_EQ(w.List.SelCount(), 1);
}

}  // namespace
