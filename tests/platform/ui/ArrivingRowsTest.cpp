// A list whose rows are still arriving (filled in the background): changes
// and whole-list reads bring them in first, and a held view lays rows out
// only when it must.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QListView>
#include <functional>

#include "TestWindows.h"

namespace {

class Arriving : public ui::Form {
  public:
    explicit Arriving(ui::Application& app) : ui::Form(app, "Arriving") {
        setWidth(6000);
        setHeight(6000);
        List.Move(300, 300, 3000, 3000);
        List.AddItem("first");
    }
    ui::ListBox List{*this, "List"};
};

struct ArrivingRows : ::testing::Test {
    TestApp t;
    Arriving& w = t.app.form<Arriving>();
    int settles = 0;

    // Rows 1 to 3 are still to come.
    void arriving() {
        w.List.setRowsArriving([this] {
            ++settles;
            for (const char* row : {"second", "third", "fourth"})
                w.List.AddItem(row);
        });
    }
};

TEST_F(ArrivingRows, SingleRowsAndTheCountDoNotWait) {
    arriving();
    EXPECT_EQ(w.List.ListCount(), 1);
    EXPECT_EQ(w.List.List(0), "first");
    w.List.setListIndex(0);
    EXPECT_EQ(w.List.Text(), "first");
    EXPECT_EQ(settles, 0);
    EXPECT_TRUE(w.List.rowsArriving());
}

TEST_F(ArrivingRows, ChangesAndWholeReadsBringTheRestInOnce) {
    const std::function<void()> uses[] = {
        [&] { w.List.AddItem("added"); }, [&] { w.List.RemoveItem(0); },
        [&] { w.List.Clear(); },          [&] { w.List.setList(0, "changed"); },
        [&] { w.List.items(); },          [&] { w.List.rowsHolding("x"); },
        [&] { w.List.setText("third"); },
    };
    for (const auto& use : uses) {
        w.List.Clear();
        w.List.AddItem("first");
        settles = 0;
        arriving();
        use();
        EXPECT_EQ(settles, 1);
        EXPECT_FALSE(w.List.rowsArriving());
    }
    w.List.Clear();
    w.List.AddItem("first");
    arriving();
    w.List.AddItem("last");
    EXPECT_EQ(w.List.items(), QStringList({"first", "second", "third", "fourth", "last"}));
}

TEST_F(ArrivingRows, AHeldViewCatchesUpWhenItMustShowARowAndWhenReleased) {
    w.Show();
    QCoreApplication::processEvents();
    auto* view = static_cast<QListView*>(w.List.widget());
    ASSERT_EQ(view->model()->rowCount(), 1);
    w.List.holdView(true);
    for (int i = 0; i < 50; ++i)
        w.List.AddItem(QString("row %1").arg(i));
    QCoreApplication::processEvents();
    EXPECT_EQ(view->model()->rowCount(), 1);
    w.List.setListIndex(40);
    EXPECT_EQ(view->model()->rowCount(), 51);
    EXPECT_EQ(view->currentIndex().row(), 40);
    w.List.AddItem("after");
    w.List.holdView(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(view->model()->rowCount(), 52);
}

}  // namespace
