#include <gtest/gtest.h>

#include <QWidget>
#include <limits>

#include "controls/OnTopMod.h"
#include "controls/mdlSmooth.h"
#include "platform/ui/Application.h"

namespace {

class Skinned : public ui::Form {
  public:
    explicit Skinned(ui::Application& app) : ui::Form(app, "Skinned") {
        setBorderStyle(vbBSNone);
        Move(1500, 1500, 6100, 3530);
    }
};

class WindowRegion : public ::testing::Test {
  protected:
    ui::Application app{std::make_unique<ui::ManualClock>(),
                        std::make_unique<ui::RecordingDialogs>()};
    Skinned& w = app.form<Skinned>();
    QRegion mask() const { return w.widget()->mask(); }
};

TEST_F(WindowRegion, TheOutlineIsTheWindowsSizeInPixelsWithRoundedCorners) {
    mdlSmooth::RoundWindow(w, 10.5);
    EXPECT_EQ(mask().boundingRect(), QRect(0, 0, 407, 235));
    EXPECT_FALSE(mask().contains(QPoint(0, 0)));
    EXPECT_FALSE(mask().contains(QPoint(406, 234)));
    EXPECT_TRUE(mask().contains(QPoint(5, 5)));
    EXPECT_TRUE(mask().contains(QPoint(200, 0)));
    mdlSmooth::RoundWindow(w, 0);
    EXPECT_TRUE(mask().contains(QPoint(0, 0))) << "square corners";
}

TEST_F(WindowRegion, ImpossibleRadiiAndSizesGiveQuietResults) {
    for (double radius : {-5.0, std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity(), 1e300}) {
        mdlSmooth::RoundWindow(w, radius);
        EXPECT_EQ(mask().boundingRect().size(), QSize(407, 235)) << radius;
    }
    w.setWidth(0);
    mdlSmooth::RoundWindow(w, 9);
    EXPECT_EQ(mask().boundingRect().size(), QSize(407, 235)) << "no size: the outline stays";
    w.Move(0, 0, 1e12f, 1e12f);
    mdlSmooth::RoundWindow(w, 9);
    EXPECT_LE(mask().boundingRect().width(), 16384);
}

TEST_F(WindowRegion, TopmostKeepsPlaceSizeAndOutline) {
    w.Show();
    mdlSmooth::RoundWindow(w, 9);
    const QRect place = w.widget()->geometry();
    const QRegion outline = mask();
    OnTopMod::SetTopMost(w);
    EXPECT_TRUE(w.widget()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(w.widget()->geometry(), place);
    EXPECT_EQ(mask(), outline);
    EXPECT_TRUE(w.widget()->isVisible());
    EXPECT_TRUE(w.widget()->windowFlags().testFlag(Qt::FramelessWindowHint));
    OnTopMod::SetNotTopMost(w);
    OnTopMod::SetNotTopMost(w);
    EXPECT_FALSE(w.widget()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(w.widget()->geometry(), place);
    EXPECT_EQ(mask(), outline);
}

}  // namespace
