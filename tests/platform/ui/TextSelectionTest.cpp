#include <gtest/gtest.h>

#include "TestWindows.h"

namespace {

// Selecting a span reads back from where it starts, and a second length
// keeps that start.
TEST(TextSelection, StartAndLengthReadBackAsWritten) {
    TestApp t;
    ui::TextBox& box = t.app.form<Sample>().Text;
    box.setText("Preset1");
    box.setSelStart(0);
    box.setSelLength(50);
    EXPECT_EQ(box.SelStart(), 0);
    EXPECT_EQ(box.SelLength(), 7) << "held to the text";
    box.setSelLength(3);
    EXPECT_EQ(box.SelStart(), 0);
    EXPECT_EQ(box.SelLength(), 3);
    box.setSelStart(2);
    EXPECT_EQ(box.SelStart(), 2);
    EXPECT_EQ(box.SelLength(), 0);
}

}  // namespace
