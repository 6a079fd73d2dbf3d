#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QPixmap>
#include <cmath>
#include <limits>

#include "TestWindows.h"
#include "platform/ui/Image.h"

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
    }
    void Form_Activate() override { log << "Activate"; }
    void Form_LostFocus() override { log << "LostFocus"; }
    QStringList log;
    ui::Image Look{*this, "Look"};
    ui::Label Note{*this, "Note"};
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
