#include <gtest/gtest.h>

#include <QImage>
#include <QRect>

#include "TestWindows.h"
#include "platform/ui/Captions.h"
#include "platform/ui/CommandButton.h"

namespace {

// One control of each kind that shows a caption.
class Captioned : public ui::Form {
  public:
    explicit Captioned(ui::Application& app) : ui::Form(app, "Captioned") {
        for (ui::Control* c : all())
            c->Move(0, 0, 2400, 495);
    }
    std::vector<ui::Control*> all() { return {&Text, &Box, &Button, &Check, &Option}; }

    ui::Label Text{*this, "Text"};
    ui::Frame Box{*this, "Box"};
    ui::CommandButton Button{*this, "Button"};
    ui::CheckBox Check{*this, "Check"};
    ui::OptionButton Option{*this, "Option"};
    ui::Menu Item{*this, "Item"};
    ui::Timer Tick{*this, "Tick"};
};

QImage shot(ui::Control& c, const QString& caption) {
    ui::setCaptionOf(c, caption);
    return c.widget()->grab().toImage();
}

// The box around the text's dark pixels (buttons' edges are lighter).
QRect ink(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 100) box |= QRect(x, y, 1, 1);
    return box;
}

}  // namespace

TEST(Captions, EveryCaptionedKindReadsAndWritesThroughOneSeam) {
    TestApp t;
    auto& w = t.app.form<Captioned>();
    for (ui::Control* c : w.all()) {
        EXPECT_TRUE(ui::setCaptionOf(*c, QString("a") + QChar(0) + "bc"))
            << c->Name().toStdString();
        EXPECT_EQ(ui::captionOf(*c), "a")
            << "up to the first NUL, as the desktop's controls hold it";
    }
    EXPECT_TRUE(ui::setCaptionOf(w.Item, "&Open"));
    EXPECT_EQ(w.Item.Caption(), "&Open");
    EXPECT_FALSE(ui::setCaptionOf(w.Tick, "x"));
    EXPECT_EQ(ui::captionOf(w.Tick), std::nullopt);
}

TEST(Captions, AnAmpersandUnderlinesTheNextLetterAndTwoShowOne) {
    TestApp t;
    auto& w = t.app.form<Captioned>();
    for (ui::Control* c : w.all()) {
        const std::string kind = c->Name().toStdString();
        const QRect plain = ink(shot(*c, "File"));
        const QRect marked = ink(shot(*c, "&File"));
        EXPECT_GT(marked.bottom(), plain.bottom()) << kind << ": a line under the letter";
        EXPECT_LE(marked.width(), plain.width() + 2) << kind << ": no & drawn";
        const int ab = ink(shot(*c, "AB")).width();
        EXPECT_LE(ink(shot(*c, "A&B")).width(), ab + 2) << kind << ": no & drawn";
        EXPECT_GT(ink(shot(*c, "A&&B")).width(), ab + 3) << kind << ": one & drawn";
        EXPECT_LT(ink(shot(*c, "A&&B")).width(), ink(shot(*c, "A&&&&B")).width()) << kind;
    }
}

TEST(Captions, ALabelWithoutMnemonicShowsEveryAmpersand) {
    TestApp t;
    auto& w = t.app.form<Captioned>();
    const QImage mnemonic = shot(w.Text, "A&&B");
    w.Text.setUseMnemonic(false);
    EXPECT_EQ(shot(w.Text, "A&B"), mnemonic);
    EXPECT_NE(shot(w.Text, "A&&B"), mnemonic);
    w.Unload();
    EXPECT_TRUE(w.Text.UseMnemonic()) << "back at its design";
}
