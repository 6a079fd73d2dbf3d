#include <gtest/gtest.h>

#include <QEvent>
#include <cmath>
#include <limits>

#include "controls/ctlScrollbar.h"
#include "core/frmBass.h"
#include "platform/ui/Twips.h"
#include "shared/PlayerForm.h"
#include "support/PlayerFixture.h"

namespace {

// A window with a vertical slider of 19 x 300 pixels and a horizontal one.
class Rig : public PlayerForm {
  public:
    explicit Rig(ui::Application& app) : PlayerForm(app, "Rig") {
        Move(0, 0, 6000, 6000);
        // Drawn parts: a design holding only the orientation.
        Bar.setDesign(ui::PropertyBag{});
        ui::PropertyBag across;
        across.WriteProperty("Orientation", ctlScrollbar::horizontal, 0);
        Wide.setDesign(across);
        Bar.Move(0, 0, 19 * 15, 300 * 15);
        Wide.Move(0, 4800, 200 * 15, 19 * 15);
        Bar.Change.connect([this] { log << QString("Change %1").arg(Bar.value()); });
        Bar.Scroll.connect([this] { log << QString("Scroll %1").arg(Bar.value()); });
    }
    QStringList log;
    ctlScrollbar Bar{*this, "Bar"};
    ctlScrollbar Wide{*this, "Wide", ctlScrollbar::horizontal};
};

ui::Picture solid(int width, int height, QRgb colour = 0xFF336699) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return ui::Picture(QPixmap::fromImage(image));
}

// Counts the paint events the parts' widgets get.
class PaintCount : public QObject {
  public:
    PaintCount(int& paints, std::initializer_list<ui::PictureBox*> parts) : paints_(paints) {
        for (ui::PictureBox* part : parts)
            part->widget()->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        paints_ += event->type() == QEvent::Paint;
        return false;
    }

  private:
    int& paints_;
};

class Slider : public ::testing::Test {
  protected:
    testsupport::PlayerFixture p;
    Rig& rig = p.form<Rig>();
    ctlScrollbar& bar = rig.Bar;

    // The pointer over the middle of a part (the window shown, so it can be found there).
    void pointAt(ui::PictureBox& part) {
        rig.Show();
        p.app->pointer().script(part.widget()->mapToGlobal(part.widget()->rect().center()));
    }
    void pointAway() { p.app->pointer().script({-500, -500}); }
    void click(bool up) {
        if (up) {
            bar.Picture1_MouseDown(ui::vbLeftButton, 0, 5, 5);
            bar.Picture1_MouseUp(ui::vbLeftButton, 0, 5, 5);
        } else {
            bar.Picture3_MouseDown(ui::vbLeftButton, 0, 5, 5);
            bar.Picture3_MouseUp(ui::vbLeftButton, 0, 5, 5);
        }
    }
};

TEST_F(Slider, DrawnPartsOfAVerticalSliderAndItsScale) {
    EXPECT_EQ(bar.Picture1.Top(), 0);
    EXPECT_EQ(bar.Picture3.Top(), 283);
    EXPECT_EQ(bar.Picture1.Width(), 19);
    EXPECT_EQ(bar.Picture3.Height(), 17);
    EXPECT_EQ(bar.Picture4.Top(), 17);
    EXPECT_EQ(bar.Picture4.Height(), 266);
    EXPECT_DOUBLE_EQ(bar.PixelsPerUnit(), 2.49);
    EXPECT_EQ(bar.value(), 0) << "value is min after the load";
    bar.setValue(50);
    EXPECT_DOUBLE_EQ(bar.ThumbPos(), 124.5);
    EXPECT_EQ(bar.value(), 50);
    bar.setValue(49.4);
    EXPECT_EQ(bar.value(), 49);
}

TEST_F(Slider, WritesClampRoundAndKeepTheThumbOnScaleChanges) {
    bar.setValue(2.4);
    EXPECT_EQ(bar.value(), 2);
    bar.setValue(2.6);
    EXPECT_EQ(bar.value(), 3);
    bar.setValue(150);
    EXPECT_EQ(bar.value(), 100);
    EXPECT_EQ(bar.Picture2.Top(), 249);
    bar.setValue(50);
    bar.setMax(200);
    EXPECT_EQ(bar.value(), 100);
    bar.setSmallChange(3);
    EXPECT_EQ(bar.SmallChange(), 3);
    EXPECT_TRUE(rig.log.isEmpty()) << "no write raises an event";
}

TEST_F(Slider, BadNumbersNeverReachTheValue) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double v : {nan, inf, -inf, 1e308, -1e308}) {
        bar.setValue(v);
        EXPECT_TRUE(std::isfinite(bar.value())) << v;
        EXPECT_TRUE(bar.value() >= 0 && bar.value() <= 100) << v;
    }
    bar.setValue(40);
    EXPECT_THROW(bar.setValue(QString("loud")), ui::RuntimeError);
    EXPECT_EQ(bar.value(), 40);
    bar.setMax(0);
    EXPECT_EQ(bar.PixelsPerUnit(), 0);
    EXPECT_EQ(bar.value(), 0) << "no range: value is min";
    bar.setMax(-10);
    EXPECT_TRUE(std::isfinite(bar.value()));
    EXPECT_THROW(bar.setLargeChange(1e9), ui::RuntimeError);
    bar.setMax(50);
    auto refusal = [](auto write) {
        try {
            write();
        } catch (const ui::RuntimeError& e) {
            return e.number();
        }
        return 0;
    };
    for (double v : {nan, inf, -inf}) {
        EXPECT_EQ(refusal([&] { bar.setMax(v); }), ui::kInvalidPropertyValue) << v;
        EXPECT_EQ(refusal([&] { bar.setMin(v); }), ui::kInvalidPropertyValue) << v;
    }
    EXPECT_EQ(bar.max(), 50) << "a refused end keeps the old one";
    EXPECT_EQ(bar.min(), 0);
    EXPECT_TRUE(std::isfinite(bar.value()));
}

TEST_F(Slider, DesignBagStoresOnlyWhatDiffersAndALoadStartsAtMin) {
    bar.setMax(32767);
    bar.setTrackColor(0x80000014);
    ui::PropertyBag saved = bar.saveDesign();
    EXPECT_EQ(saved.keys(), QStringList({"Max"}));
    saved.WriteProperty("value", 40);
    saved.WriteProperty("usepictureup", "maybe");
    saved.WriteProperty("Unknown", 1);
    rig.Unload();
    bar.setDesign(saved);
    EXPECT_EQ(bar.max(), 32767);
    EXPECT_EQ(bar.value(), 0) << "the thumb at the start gives min whatever was stored";
    EXPECT_FALSE(bar.UsePictureUp());
}

TEST_F(Slider, ArrowGlyphsAndBevels) {
    const QImage up = bar.Picture1.Image();
    const QRgb black = 0xFF000000;
    EXPECT_EQ(up.pixel(9, 7), black);
    EXPECT_NE(up.pixel(10, 7), black);
    EXPECT_EQ(up.pixel(6, 10), black);
    EXPECT_EQ(up.pixel(12, 10), black);
    EXPECT_NE(up.pixel(13, 10), black);
    const QImage down = bar.Picture3.Image();
    EXPECT_EQ(down.pixel(6, 6), black);
    EXPECT_EQ(down.pixel(9, 9), black);
    EXPECT_NE(down.pixel(9, 10), black);
    EXPECT_EQ(up.pixel(18, 16), black) << "a raised edge's dark corner";
    bar.setStateNormal(6);
    EXPECT_NE(bar.Picture1.Image().pixel(18, 16), black) << "code 6 draws no edge";
    bar.setStateNormal(-1);
    EXPECT_NE(bar.Picture1.Image().pixel(18, 16), black);
}

TEST_F(Slider, PicturesSizeThePartsAndTileTheTrack) {
    for (int look = 0; look < 3; ++look) {
        bar.setButtonPicture(0, look, solid(14, 7));
        bar.setButtonPicture(1, look, solid(14, 8));
        bar.setButtonPicture(2, look, solid(14, 14));
    }
    bar.setUsePictureUp(true);
    bar.setUsePictureDown(true);
    bar.setUsePictureThumb(true);
    EXPECT_EQ(bar.Picture1.Width(), 14);
    EXPECT_EQ(bar.Picture1.Height(), 7);
    EXPECT_EQ(bar.Picture3.Top(), 292);
    EXPECT_EQ(bar.Picture2.Height(), 14);

    ctlScrollbar& wide = rig.Wide;
    wide.setBackgroundPicture(solid(49, 19, 0xFF00FF00));
    const QImage track = wide.Picture4.Image();
    EXPECT_EQ(track.pixel(0, 0), 0xFF00FF00);
    EXPECT_EQ(track.pixel(track.width() - 1, 5), 0xFF00FF00) << "tiles cover the whole track";

    bar.setUsePictureThumb(true);
    bar.setButtonPicture(2, 0, ui::Picture());
    EXPECT_EQ(bar.Picture2.Height(), 14) << "a missing picture keeps the part's size";
    bar.setHeight(30 * 15);
    EXPECT_EQ(bar.Height(), (7 + 8 + 14 + 10) * 15) << "the least size";
}

TEST_F(Slider, DrawnPartsKeepAMinimumOf61Pixels) {
    bar.setHeight(40 * 15);
    EXPECT_EQ(bar.Height(), 61 * 15);
}

TEST_F(Slider, AnArrowClickStepsOnceWithTheNewValue) {
    bar.setValue(50);
    click(false);
    EXPECT_EQ(rig.log, QStringList({"Change 51"}));
    bar.setValue(0);
    rig.log.clear();
    click(true);
    EXPECT_EQ(rig.log, QStringList({"Change 0"})) << "at the start it still raises Change";
}

TEST_F(Slider, HoldingAnArrowRepeatsWhileThePointerStaysOnIt) {
    bar.setValue(50);
    pointAt(bar.Picture3);
    bar.Picture3_MouseDown(ui::vbLeftButton, 0, 5, 5);
    p.clock->advance(350);
    bar.Picture3_MouseUp(ui::vbLeftButton, 0, 5, 5);
    EXPECT_EQ(rig.log, QStringList({"Change 51", "Change 52", "Change 53", "Change 54"}));
    rig.log.clear();
    bar.Picture3_MouseDown(ui::vbRightButton, 0, 5, 5);
    p.clock->advance(100);
    pointAway();
    p.clock->advance(200);
    bar.Picture3_MouseUp(ui::vbRightButton, 0, 5, 5);
    EXPECT_EQ(rig.log, QStringList({"Change 55"}))
        << "off the button it stops; no right release step";
}

TEST_F(Slider, TheHoverLookEndsAtTheFirstTrackerTickAfterThePointerLeft) {
    pointAt(bar.Picture1);
    bar.Picture1_MouseMove(0, 0, 5, 5);
    EXPECT_TRUE(bar.Tracking1.Enabled());
    p.clock->advance(5);
    EXPECT_TRUE(bar.Tracking1.Enabled()) << "still over the button";
    pointAway();
    p.clock->advance(1);
    EXPECT_FALSE(bar.Tracking1.Enabled());
    pointAt(bar.Picture2);
    bar.Picture2_MouseDown(ui::vbLeftButton, 0, 5, 5);
    pointAt(bar.Picture1);
    bar.Picture1_MouseMove(0, 0, 5, 5);
    EXPECT_FALSE(bar.Tracking1.Enabled()) << "no hover while the thumb is held";
}

// The position timers write the same value every second while a track is paused.
TEST_F(Slider, WritingTheValueItHasCostsNoRepaint) {
    rig.Show();
    bar.setValue(50);
    p.app->DoEvents();
    int paints = 0;
    PaintCount count(paints, {&bar.Picture1, &bar.Picture2, &bar.Picture3, &bar.Picture4});
    for (int i = 0; i < 5; ++i) {
        bar.setValue(50);
        bar.setValue(50.2);
        p.app->DoEvents();
    }
    EXPECT_EQ(paints, 0);
    bar.setValue(60);
    p.app->DoEvents();
    EXPECT_GT(paints, 0) << "the thumb moved";
}

TEST_F(Slider, ADoubleClickOnAnArrowIsASecondPress) {
    bar.setValue(50);
    bar.Picture3_MouseDown(ui::vbLeftButton, 0, 5, 5);
    bar.Picture3_MouseUp(ui::vbLeftButton, 0, 5, 5);
    bar.Picture3_DblClick();
    bar.Picture3_MouseUp(ui::vbLeftButton, 0, 5, 5);
    EXPECT_EQ(rig.log, QStringList({"Change 51", "Change 52"}));
}

TEST_F(Slider, DraggingTheThumbMovesItByThePointersTravel) {
    bar.setValue(50);
    bar.Picture2_MouseDown(ui::vbLeftButton, 0, 5, 8);
    bar.Picture2_MouseMove(ui::vbLeftButton, 0, 5, 8);
    EXPECT_TRUE(rig.log.isEmpty());
    bar.Picture2_MouseMove(ui::vbLeftButton, 0, 5, 18);
    EXPECT_DOUBLE_EQ(bar.ThumbPos(), 134.5);
    EXPECT_EQ(rig.log, QStringList({"Scroll 54"}));
    bar.Picture2_MouseMove(ui::vbLeftButton, 0, 5, 500);
    EXPECT_DOUBLE_EQ(bar.ThumbPos(), 249);
    EXPECT_EQ(rig.log.last(), "Scroll 100");
    bar.Picture2_MouseUp(ui::vbLeftButton, 0, 5, 500);
}

TEST_F(Slider, TrackReleaseJumpsBesideTheThumbWithinTheTrack) {
    pointAt(bar.Picture4);
    bar.Picture4_MouseDown(ui::vbLeftButton, 0, 5, 100);
    bar.Picture4_MouseUp(ui::vbLeftButton, 0, 5, 100);
    EXPECT_DOUBLE_EQ(bar.ThumbPos(), 90);
    EXPECT_EQ(rig.log, QStringList({"Change 36"}));
    bar.Picture4_MouseDown(ui::vbLeftButton, 0, 5, 4);
    bar.Picture4_MouseUp(ui::vbLeftButton, 0, 5, 4);
    EXPECT_DOUBLE_EQ(bar.ThumbPos(), 0) << "never before the track's start";
}

TEST_F(Slider, ASeekReleaseWithAChannelThatIsNoNumberStillEndsScrolling) {
    frmBass& host = p.form<frmBass>();
    host.Scrolling.setCaption("True");
    host.Chan.setCaption("abc");
    click(false);
    EXPECT_EQ(host.Scrolling.Caption(), "False") << "a channel that is no number skips the seek";
}

}  // namespace
