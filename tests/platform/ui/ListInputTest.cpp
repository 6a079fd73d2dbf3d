#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QDropEvent>
#include <QGuiApplication>
#include <QListView>
#include <QMimeData>
#include <QPixmap>
#include <QScreen>
#include <QUrl>
#include <cmath>
#include <functional>

#include "InputEvents.h"
#include "TestWindows.h"
#include "platform/ui/DataObject.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/Twips.h"
#include "support/TempDir.h"

namespace {

// A list wired as the playlist wires its own: rows dragged by hand, files
// dropped from the desktop, every event logged.
class Rows : public ui::Form {
  public:
    explicit Rows(ui::Application& app) : ui::Form(app, "Rows") {
        setWidth(9000);
        setHeight(9000);
        List.Move(300, 300, 4500, 2400);
        Beside.Move(6000, 300, 1500, 600);
        for (int i = 0; i < 20; ++i)
            List.AddItem(QString("row %1").arg(i));
        List.MouseDown.connect([this](int b, int, float, float) {
            log << QString("down %1 %2").arg(b).arg(List.ListIndex());
        });
        List.MouseUp.connect([this](int b, int, float, float) { log << QString("up %1").arg(b); });
        List.Click.connect([this] { log << QString("click %1").arg(List.ListIndex()); });
        List.DblClick.connect([this] { log << "dbl"; });
        List.KeyDown.connect([this](int& code, int) {
            if (code == swallowKey) code = 0;
        });
        List.MouseMove.connect([this](int button, int, float, float y) {
            if (button != ui::vbLeftButton || List.ListCount() == 0) return;
            dragRow = rowAt(y);
            List.Drag(ui::Control::vbBeginDrag);
        });
        List.DragOver.connect([this](ui::Control&, float, float y, int state) {
            if (state != ui::Control::vbLeave) List.setListIndex(rowAt(y));
        });
        List.DragDrop.connect([this](ui::Control&, float, float y) { moveRow(dragRow, rowAt(y)); });
        List.OLEDragOver.connect([](ui::DataObject& data, int& effect, int, int, float, float,
                                    int) {
            effect = data.GetFormat(ui::vbCFFiles) ? ui::vbDropEffectCopy : ui::vbDropEffectNone;
        });
        List.OLEDragDrop.connect(
            [this](ui::DataObject& data, int& effect, int, int, float, float y) {
                effect = ui::vbDropEffectNone;
                if (!data.GetFormat(ui::vbCFFiles)) return;
                int at = rowAt(y);
                for (int i = 1; i <= data.FilesCount(); ++i)
                    List.AddItem(data.Files(i), at++);
                effect = ui::vbDropEffectCopy;
            });
    }

    // The row under a height of the list, as the playlist reckons it.
    int rowAt(float y) const {
        const int height = List.SendMessageA(ui::LB_GETITEMHEIGHT, 0, 0);
        const int row = static_cast<int>(std::nearbyint(y / 15.0f)) / height + List.TopIndex();
        return std::min(row, List.ListCount() - 1);
    }

    void moveRow(int from, int to) {
        if (from < 0 || to < 0 || from == to) return;
        const QString kept = List.List(from);
        List.RemoveItem(from);
        List.AddItem(kept, to);
    }

    QStringList log;
    int dragRow = -1;
    int swallowKey = 0;
    ui::ListBox List{*this, "List"};
    ui::TextBox Beside{*this, "Beside"};
};

class ListInput : public ::testing::Test {
  protected:
    TestApp t;
    Rows& w = t.app.form<Rows>();

    void SetUp() override {
        w.Show();
        QCoreApplication::processEvents();
        w.log.clear();
    }
    QWidget* rows() const { return w.List.clientWidget(); }
    int height() const { return w.List.ItemHeight(); }
    int page() const { return rows()->height() / height(); }
    // The middle of a shown row, in the rows area.
    QPoint rowPoint(int row) const {
        return {10, (row - w.List.TopIndex()) * height() + height() / 2};
    }
    void key(int qtKey) { input::key(w.List.widget(), qtKey); }
    QListView* view() const { return static_cast<QListView*>(w.List.widget()); }
    // The view takes the rows in on one turn of the event loop, then lays
    // them out a batch a turn and paints them.
    static void layOut() {
        for (int turn = 0; turn < 5; ++turn)
            QCoreApplication::processEvents();
    }
    // Whether the view's first row is TopIndex and the window's pixels over
    // the rows area are the rows as the list draws them now.
    bool showsItsRows() const {
        if (view()->indexAt(QPoint(5, 2)).row() != w.List.TopIndex()) return false;
        QWidget* window = rows()->window();
        const QRect area(rows()->mapTo(window, QPoint(0, 0)), rows()->size());
        const QImage shown =
            window->screen()
                ->grabWindow(window->winId(), area.x(), area.y(), area.width(), area.height())
                .toImage();
        const QImage drawn = rows()->grab().toImage();
        return shown.convertToFormat(QImage::Format_RGB32) ==
               drawn.convertToFormat(QImage::Format_RGB32);
    }
};

TEST_F(ListInput, APressSelectsBeforeMouseDownAndClicksBeforeMouseUp) {
    input::press(rows(), rowPoint(2));
    input::release(rows(), rowPoint(2));
    EXPECT_EQ(w.log, QStringList({"down 1 2", "click 2", "up 1"}));

    w.log.clear();
    input::press(rows(), rowPoint(4), Qt::RightButton);
    input::release(rows(), rowPoint(4), Qt::RightButton);
    EXPECT_EQ(w.log, QStringList({"down 2 2", "up 2"})) << "the right button selects nothing";

    w.log.clear();
    w.List.Clear();
    w.List.AddItem("only");
    QCoreApplication::processEvents();
    input::press(rows(), rowPoint(5));
    input::release(rows(), rowPoint(5));
    EXPECT_EQ(w.log, QStringList({"down 1 -1", "up 1"})) << "below the rows nothing is picked";
}

TEST_F(ListInput, ADoubleClickClicksOnce) {
    input::doubleClick(rows(), rowPoint(3));
    EXPECT_EQ(w.log, QStringList({"down 1 3", "click 3", "up 1", "dbl", "up 1"}));
}

// A double-click whose handler showed a message box never sees its second
// release; the next click on another row still picks that row.
TEST_F(ListInput, AClickAfterADoubleClickThatLostItsReleaseStillClicks) {
    input::press(rows(), rowPoint(3));
    input::release(rows(), rowPoint(3));
    input::mouse(rows(), QEvent::MouseButtonDblClick, rowPoint(3), Qt::LeftButton, Qt::LeftButton);
    w.log.clear();
    input::doubleClick(rows(), rowPoint(6));
    EXPECT_EQ(w.log, QStringList({"down 1 6", "click 6", "up 1", "dbl", "up 1"}));
}

TEST_F(ListInput, KeysMoveListIndexAndClick) {
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(w.log, QStringList({"click 0", "click 1"}));
    key(Qt::Key_End);
    EXPECT_EQ(w.List.ListIndex(), 19);
    EXPECT_EQ(w.List.TopIndex(), 20 - page()) << "the selected row is brought into view";
    w.log.clear();
    key(Qt::Key_Down);
    EXPECT_TRUE(w.log.isEmpty()) << "nothing below the last row";
    key(Qt::Key_Home);
    EXPECT_EQ(w.List.ListIndex(), 0);
    EXPECT_EQ(w.List.TopIndex(), 0);
    key(Qt::Key_PageDown);
    EXPECT_EQ(w.List.ListIndex(), page() - 1);
    key(Qt::Key_PageUp);
    key(Qt::Key_Up);
    EXPECT_EQ(w.List.ListIndex(), 0);
    w.swallowKey = ui::vbKeyDown;
    key(Qt::Key_Down);
    EXPECT_EQ(w.List.ListIndex(), 0) << "a handler that swallows the key keeps the row";
    w.List.setListIndex(19);
    EXPECT_EQ(w.List.TopIndex(), 20 - page()) << "a row selected by code is brought into view";
}

TEST_F(ListInput, TopIndexReadsBackTheFirstRowShown) {
    for (int i = 20; i < 100; ++i)
        w.List.AddItem(QString("row %1").arg(i));
    w.List.setTopIndex(99);
    EXPECT_EQ(w.List.TopIndex(), 100 - page()) << "the last page is shown whole";
    w.List.setTopIndex(10);
    EXPECT_EQ(w.List.TopIndex(), 10);
    EXPECT_THROW(w.List.setTopIndex(100), ui::RuntimeError);
    EXPECT_THROW(w.List.setTopIndex(-1), ui::RuntimeError);
    EXPECT_EQ(w.List.TopIndex(), 10);
    while (w.List.ListCount() > 12)
        w.List.RemoveItem(0);
    EXPECT_EQ(w.List.TopIndex(), std::max(0, 12 - page()));
    QCoreApplication::processEvents();
    EXPECT_EQ(view()->indexAt(QPoint(5, 2)).row(), w.List.TopIndex());
}

// More rows than the view lays out at once.
TEST_F(ListInput, TheWindowShowsTheRowsFromTopIndexDown) {
    for (int i = 20; i < 30000; ++i)
        w.List.AddItem(QString("row %1").arg(i));
    layOut();
    w.List.setTopIndex(40);
    QCoreApplication::processEvents();
    EXPECT_TRUE(showsItsRows()) << "after TopIndex was set";
    key(Qt::Key_End);
    QCoreApplication::processEvents();
    EXPECT_TRUE(showsItsRows()) << "after End";
    w.List.RemoveItem(0);
    layOut();
    EXPECT_EQ(view()->indexAt(QPoint(5, 2)).row(), w.List.TopIndex()) << "the rows laid out again";
}

TEST_F(ListInput, TheListAnswersItemHeightAndTheRowAtAPoint) {
    EXPECT_EQ(w.List.SendMessageA(ui::LB_GETITEMHEIGHT, 0, 0), height());
    EXPECT_EQ(w.List.SendMessageA(0x180, 0, 0), 0);
    EXPECT_EQ(w.List.rowAtPoint({5, 3 * height() + 1}), 3);
    w.List.setTopIndex(4);
    EXPECT_EQ(w.List.rowAtPoint({5, 1}), 4);
    EXPECT_EQ(w.List.rowAtPoint({-3, 1}), -1);
    w.List.Clear();
    w.List.AddItem("a");
    w.List.AddItem("b");
    EXPECT_EQ(w.List.rowAtPoint({5, 5 * height()}), -1) << "below the rows";
    w.List.Clear();
    EXPECT_EQ(w.List.rowAtPoint({5, 5}), -1);
}

TEST_F(ListInput, ARowDraggedByHandMovesWhereItIsReleased) {
    input::press(rows(), rowPoint(1));
    input::moveHeld(rows(), rowPoint(1));
    EXPECT_EQ(t.app.drag().source(), &w.List);
    input::moveHeld(rows(), rowPoint(2));
    input::moveHeld(rows(), rowPoint(4));
    EXPECT_EQ(w.List.ListIndex(), 4) << "the selection follows the pointer";
    input::release(rows(), rowPoint(4));
    EXPECT_FALSE(t.app.drag().active());
    EXPECT_EQ(w.List.List(4), "row 1");
    EXPECT_EQ(w.List.List(1), "row 2");
    EXPECT_FALSE(w.log.contains("up 1")) << "the drag takes the release";
}

TEST_F(ListInput, ADragReleasedOffTheListDropsNothing) {
    const QStringList before = w.List.items();
    for (QPoint off : {w.Beside.widget()->mapTo(w.widget(), QPoint(5, 5)), QPoint(2000, 2000)}) {
        input::press(rows(), rowPoint(1));
        input::moveHeld(rows(), rowPoint(1));
        input::moveHeld(rows(), rowPoint(3));
        const QPoint there = rows()->mapFrom(w.widget(), off);
        input::moveHeld(rows(), there);
        input::release(rows(), there);
        EXPECT_FALSE(t.app.drag().active());
        EXPECT_EQ(w.List.items(), before);
        EXPECT_EQ(w.List.ListIndex(), 3) << "the selection stays where the drag left it";
    }
}

TEST_F(ListInput, ADragShowsItsIconAndEndsByCodeWhereThePointerIs) {
    QPixmap icon(24, 24);
    icon.fill(Qt::red);
    w.List.setDragIcon(ui::Picture(icon));
    w.List.Drag(ui::Control::vbBeginDrag);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->pixmap().size(), QSize(24, 24));
    w.List.Drag(ui::Control::vbCancel);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(w.List.List(0), "row 0") << "a cancelled drag drops nothing";

    w.dragRow = 0;
    w.List.Drag(ui::Control::vbBeginDrag);
    t.app.pointer().script(rows()->mapToGlobal(rowPoint(5)));
    w.List.Drag(ui::Control::vbEndDrag);
    EXPECT_EQ(w.List.List(5), "row 0");
    EXPECT_FALSE(t.app.drag().active());

    EXPECT_THROW(w.List.Drag(7), ui::RuntimeError);
    w.List.Drag(ui::Control::vbBeginDrag);
    w.Unload();
    EXPECT_FALSE(t.app.drag().active()) << "unloading the window ends its drag";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// Files dragged from the desktop onto a point of the list.  What the drop
// itself offers may differ: a source that has ended its drag offers nothing.
struct DesktopDrop {
    QMimeData data;
    QMimeData* atDrop = &data;
    std::function<void()> beforeDrop = [] {};
    Qt::DropAction action = Qt::IgnoreAction;
    bool accepted = false;

    void onto(QWidget* w, QPoint at) {
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(w, &enter);
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                            Qt::NoModifier);
        QApplication::sendEvent(w, &move);
        if (!move.isAccepted()) return;
        beforeDrop();
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, atDrop, Qt::LeftButton,
                        Qt::NoModifier);
        QApplication::sendEvent(w, &drop);
        accepted = drop.isAccepted();
        action = drop.dropAction();
    }
};

TEST_F(ListInput, DesktopFilesDropInTheirOrderOntoTheRowUnderThePointer) {
    testsupport::TempDir dir;
    QList<QUrl> urls;
    for (const char* name : {"c.mp3", "a.mp3", "b.mp3"})
        urls << QUrl::fromLocalFile(dir.write(name, "x"));
    w.List.setOLEDropMode(ui::Control::vbOLEDropManual);
    DesktopDrop drop;
    drop.data.setUrls(urls);
    drop.onto(rows(), rowPoint(2));
    EXPECT_TRUE(drop.accepted);
    EXPECT_EQ(drop.action, Qt::CopyAction);
    ASSERT_EQ(w.List.ListCount(), 23);
    EXPECT_EQ(w.List.List(2), dir.file("c.mp3"));
    EXPECT_EQ(w.List.List(3), dir.file("a.mp3"));
    EXPECT_EQ(w.List.List(4), dir.file("b.mp3"));
    EXPECT_EQ(w.List.List(5), "row 2");

    DesktopDrop text;
    text.data.setText("not a file");
    text.onto(rows(), rowPoint(2));
    EXPECT_FALSE(text.accepted) << "Effect 0 refuses";
    EXPECT_EQ(w.List.ListCount(), 23);
}

TEST_F(ListInput, DropsWithoutUsableFilesOfferNoFileList) {
    testsupport::TempDir dir;
    const QString kept = dir.write("kept.mp3", "x");
    const QString gone = dir.write("gone.mp3", "x");
    QMimeData mixed;
    mixed.setUrls(
        {QUrl("http://example.org/a.mp3"), QUrl::fromLocalFile(gone), QUrl::fromLocalFile(kept)});
    QFile::remove(gone);
    const ui::DataObject data(&mixed);
    EXPECT_EQ(data.files(), QStringList({kept}));
    EXPECT_THROW(data.Files(2), ui::RuntimeError);
    EXPECT_THROW(data.Files(0), ui::RuntimeError);

    w.List.setOLEDropMode(ui::Control::vbOLEDropManual);
    for (const QList<QUrl>& urls : {QList<QUrl>{}, QList<QUrl>{QUrl("http://example.org/a.mp3")},
                                    QList<QUrl>{QUrl::fromLocalFile(gone)}}) {
        DesktopDrop drop;
        drop.data.setUrls(urls);
        drop.onto(rows(), rowPoint(1));
        EXPECT_FALSE(drop.accepted);
        EXPECT_EQ(w.List.ListCount(), 20);
    }
    EXPECT_FALSE(ui::DataObject(nullptr).GetFormat(ui::vbCFFiles));
}

// The files are read from the source as the drag enters: a source that has
// ended its drag by the drop (it quit) still has its files added, but a file
// removed since the drag entered is not.
TEST_F(ListInput, ADropTakesTheFilesReadAsTheDragEntered) {
    testsupport::TempDir dir;
    const QString kept = dir.write("kept.mp3", "x");
    const QString gone = dir.write("gone.mp3", "x");
    w.List.setOLEDropMode(ui::Control::vbOLEDropManual);
    QMimeData nothing;
    DesktopDrop drop;
    drop.data.setUrls({QUrl::fromLocalFile(gone), QUrl::fromLocalFile(kept)});
    drop.atDrop = &nothing;
    drop.beforeDrop = [&] { QFile::remove(gone); };
    drop.onto(rows(), rowPoint(1));
    EXPECT_TRUE(drop.accepted);
    ASSERT_EQ(w.List.ListCount(), 21);
    EXPECT_EQ(w.List.List(1), kept);
    EXPECT_EQ(w.List.List(2), "row 1");
}

TEST_F(ListInput, AMegabyteRowIsNeverMeasuredWhole) {
    w.List.AddItem(QString(10'000'000, QChar('x')), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(view()->sizeHintForRow(0), height());
    EXPECT_LT(view()->sizeHintForColumn(0), 10) << "no row asks for its text's width";
    const QImage shown = rows()->grab().toImage();
    EXPECT_FALSE(shown.isNull());
    EXPECT_EQ(w.List.List(0).size(), 10'000'000) << "the row itself is whole";
}

}  // namespace
