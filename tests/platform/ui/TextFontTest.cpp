#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>

#include "platform/ui/Colors.h"
#include "platform/ui/Control.h"
#include "platform/ui/Twips.h"

namespace {

// The designs size captions for 8-point sans text at 96 dpi: some 5.6 pixels a
// character on average, lines 13 pixels high.
TEST(TextFont, EveryDesignFontDrawsInOneSansWithTheDesignsMetrics) {
    const ui::FontSpec design;
    const QFontMetrics m(ui::toQFont(design));
    const double average =
        m.horizontalAdvance("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ") / 52.0;
    EXPECT_GT(average, 5.2);
    EXPECT_LT(average, 5.9);
    EXPECT_LE(m.height(), 13);

    ui::FontSpec other = design;
    other.name = "Some Font Nobody Has";
    EXPECT_EQ(QFontInfo(ui::toQFont(other)).family(), QFontInfo(ui::toQFont(design)).family());
}

TEST(TextFont, CaptionsFitTheLabelWidthsOfTheDesigns) {
    const QFontMetrics m(ui::toQFont(ui::FontSpec{}));
    // The main window's frequency and channels label: 1410 twips.
    EXPECT_LE(m.horizontalAdvance("44100 Hz  Stereo"), ui::toPixels(1410));
}

TEST(TextFont, SizesScaleWithThePointsAndStayPositive) {
    EXPECT_EQ(ui::textPixelSize(8.25f), 10);
    EXPECT_GT(ui::textPixelSize(12), ui::textPixelSize(8.25f));
    EXPECT_EQ(ui::textPixelSize(0), 1);
    EXPECT_EQ(ui::textPixelSize(-4), 1);
    ui::FontSpec bold;
    bold.bold = true;
    bold.size = 10;
    EXPECT_TRUE(ui::toQFont(bold).bold());
    EXPECT_EQ(ui::toQFont(bold).pixelSize(), ui::textPixelSize(10));
}

}  // namespace
