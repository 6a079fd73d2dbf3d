#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QPixmap>
#include <cmath>
#include <limits>

#include "TestWindows.h"
#include "platform/ui/Image.h"
#include "platform/ui/PictureBox.h"

namespace {

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

class Panel : public ui::Form {
  public:
    explicit Panel(ui::Application& app) : ui::Form(app, "Panel") {
        Look.Move(0, 0, 600, 600);
        Note.Move(0, 700, 1500, 300);
        Board.Move(0, 1200, 1500, 600);
        Board.setScaleMode(ui::vbPixels);
        Board.setAutoRedraw(true);
    }
    void Form_Activate() override { log << "Activate"; }
    void Form_LostFocus() override { log << "LostFocus"; }
    QStringList log;
    ui::Image Look{*this, "Look"};
    ui::Label Note{*this, "Note"};
    ui::PictureBox Board{*this, "Board"};
};

class Rewrite : public ::testing::Test {
  protected:
    Rewrite() {
        QPixmap pixmap(20, 20);
        pixmap.fill(Qt::blue);
        picture = ui::Picture(pixmap);
        w.Show();
        settle();
        w.log.clear();
    }
    void settle() {
        for (int i = 0; i < 3; ++i)
            t.app.DoEvents();
    }
    TestApp t;
    Panel& w = t.app.form<Panel>();
    ui::Picture picture;
};

TEST_F(Rewrite, TheSamePictureCaptionTitleOrEnabledStateCostsNoRepaint) {
    w.Look.setPicture(picture);
    w.Note.setCaption("text");
    w.setCaption("title");
    settle();
    PaintCounter look(w.Look.widget());
    PaintCounter note(w.Note.widget());
    for (int i = 0; i < 10; ++i) {
        w.Look.setPicture(ui::Picture(picture));
        w.Note.setCaption("text");
        w.setCaption("title");
        w.Look.setEnabled(true);
        w.setEnabled(true);
    }
    settle();
    EXPECT_EQ(look.paints, 0);
    EXPECT_EQ(note.paints, 0);
    w.Look.setPicture(ui::Picture());
    settle();
    EXPECT_GT(look.paints, 0) << "another picture is drawn";
}

// A timer that clears and draws the same picture again changes no pixel.
TEST_F(Rewrite, DrawingTheSamePixelsAgainCostsNoRepaint) {
    const auto draw = [&](ui::OleColor colour) {
        w.Board.Cls();
        w.Board.Line(2, 2, 40, 20, colour, ui::kFilledBox);
        w.Board.PaintPicture(picture, 50, 5);
    };
    draw(0x0000FF);
    settle();
    PaintCounter board(w.Board.widget());
    for (int i = 0; i < 10; ++i) {
        draw(0x0000FF);
        settle();
    }
    EXPECT_EQ(board.paints, 0);
    draw(0x00FF00);
    w.Board.PSet(0, 0, 0x00FF00);
    settle();
    EXPECT_GT(board.paints, 0) << "another colour is shown";
    board.paints = 0;
    w.Board.Cls();
    w.Board.Line(2, 2, 40, 20, 0x0000FF, ui::kFilledBox);
    w.Board.Line(2, 2, 40, 20, 0x00FF00, ui::kFilledBox);
    w.Board.PSet(0, 0, 0x00FF00);
    w.Board.PaintPicture(picture, 50, 5);
    settle();
    EXPECT_EQ(board.paints, 0) << "only the end of the drawing counts, not its steps";

    // A picture copied alone, as the visualisation's frames are, is told
    // apart without comparing the box, both ways.
    QPixmap red(20, 20);
    red.fill(Qt::red);
    w.Board.PaintPicture(ui::Picture(red), 50, 5);
    settle();
    EXPECT_GT(board.paints, 0) << "the new picture shows";
    board.paints = 0;
    w.Board.PaintPicture(ui::Picture(red), 50, 5);
    w.Board.PaintPicture(picture, 50, 5);
    w.Board.PaintPicture(ui::Picture(red), 50, 5);
    settle();
    EXPECT_EQ(board.paints, 0) << "back to what shows";
}

// Only where the toolkit saw the pointer enter does the question go to the desktop.
TEST_F(Rewrite, ThePointerIsAskedForOnlyOverTheAreaThatCares) {
    ui::Pointer pointer(t.app.handles());
    QWidget& area = *w.Board.widget();
    const int board = w.Board.hWnd();
    ASSERT_NE(board, 0);
    QCursor::setPos(area.mapToGlobal(area.rect().center()));
    EXPECT_EQ(pointer.WindowUnderPointerWithin(area), 0) << "the toolkit saw no enter";
    area.setAttribute(Qt::WA_UnderMouse, true);
    EXPECT_EQ(pointer.WindowUnderPointerWithin(area), board);
    area.setAttribute(Qt::WA_UnderMouse, false);
    pointer.script(area.mapToGlobal(QPoint(1, 1)));
    EXPECT_EQ(pointer.WindowUnderPointerWithin(area), board)
        << "a scripted pointer is where it says";
}

TEST_F(Rewrite, ShowingAShownWindowNeitherRaisesNorActivatesIt) {
    t.app.noteActivated(t.app.form<Other>());
    for (int i = 0; i < 10; ++i) {
        w.Show();
        w.setVisible(true);
    }
    settle();
    EXPECT_TRUE(w.log.isEmpty());
    EXPECT_EQ(t.app.activeForm(), &t.app.form<Other>());
    w.Hide();
    w.log.clear();
    w.Show();
    settle();
    EXPECT_EQ(w.log, QStringList({"Activate"})) << "a hidden window shown again is activated";
}

TEST_F(Rewrite, TheDesktopTakingTheActivationRaisesLostFocus) {
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(w.widget(), &deactivate);
    EXPECT_EQ(w.log, QStringList({"LostFocus"}));
    w.Unload();
    QCoreApplication::sendEvent(w.widget(), &deactivate);
    EXPECT_EQ(w.log, QStringList({"LostFocus"})) << "an unloaded window hears nothing";
}

TEST_F(Rewrite, DoEventsRunsWhatIsQueued) {
    t.app.noteActivated(t.app.form<Other>());
    w.Hide();
    w.log.clear();
    w.Show();
    EXPECT_TRUE(w.log.isEmpty());
    t.app.DoEvents();
    EXPECT_EQ(w.log, QStringList({"Activate"}));
}

TEST_F(Rewrite, ADisabledWindowReadsBackAndReturnsToItsDesignOnUnload) {
    w.setEnabled(false);
    EXPECT_FALSE(w.Enabled());
    EXPECT_FALSE(w.widget()->isEnabled());
    w.Unload();
    EXPECT_TRUE(w.Enabled());
    EXPECT_TRUE(w.widget()->isEnabled());
}

}  // namespace

namespace {

TEST_F(Rewrite, AGeometryThatIsNoFiniteNumberIsRefused) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (float bad : {nan, inf, -inf}) {
        EXPECT_THROW(w.setWidth(bad), ui::RuntimeError);
        EXPECT_THROW(w.setLeft(bad), ui::RuntimeError);
        EXPECT_THROW(w.Look.setTop(bad), ui::RuntimeError);
        EXPECT_THROW(w.Look.setWidth(bad), ui::RuntimeError);
    }
    EXPECT_TRUE(std::isfinite(w.Width()) && std::isfinite(w.Left()));
    EXPECT_TRUE(std::isfinite(w.Look.Top()) && std::isfinite(w.Look.Width()));
    w.Move(-1e9f, 1e9f);
    EXPECT_EQ(w.Left(), -1e9f) << "far away is still a place";
}

}  // namespace
