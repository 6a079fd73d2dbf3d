#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QStringList>

#include "controls/modUserMenus.h"
#include "platform/ui/Application.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuPanel.h"
#include "support/QtPrinters.h"
#include "support/RecordingCanvas.h"

namespace {

using ui::Rect;

using testsupport::RecordingCanvas;
using testsupport::rectText;

class MenuWindow : public ui::Form {
  public:
    explicit MenuWindow(ui::Application& app) : ui::Form(app, "MenuWindow") {
        Play.setCaption("&Play\tCtrl+P\tignored");
        Play.setTag("2");
        Line.setCaption("-");
        Sized.setCaption("Stretch");
        Sized.setChecked(true);
        Off.setCaption("Full");
        Off.setEnabled(false);
        Off.setTag("2");
        Secret.setCaption("Secret");
        Secret.setVisible(false);
        Letters.setCaption("Letters");
        Letters.setTag("abc");
        Zero.setCaption("Zero");
        Zero.setTag("0");
        Past.setCaption("Past");
        Past.setTag("29");
        Long.setCaption(QString(200, 'w'));
        QImage art(17, 18, QImage::Format_RGB32);
        art.fill(QColor(192, 192, 192));
        art.setPixel(8, 8, qRgb(0, 0, 0));
        for (int i = 0; i < 28; ++i)
            Icons.Add(ui::Picture(QPixmap::fromImage(art)));
    }
    ui::Menu Top{*this, "Top"};
    ui::Menu Play{*this, "Play", &Top};
    ui::Menu Line{*this, "Line", &Top};
    ui::Menu Sized{*this, "Sized", &Top};
    ui::Menu Off{*this, "Off", &Top};
    ui::Menu Secret{*this, "Secret", &Top};
    ui::Menu Letters{*this, "Letters", &Top};
    ui::Menu Zero{*this, "Zero", &Top};
    ui::Menu Past{*this, "Past", &Top};
    ui::Menu Long{*this, "Long", &Top};
    ui::ImageList Icons{*this, "Icons"};
};

class Bare : public ui::Form {
  public:
    explicit Bare(ui::Application& app) : ui::Form(app, "Bare") {}
};

class UserMenus : public ::testing::Test {
  protected:
    void SetUp() override { menus.InitUserMenus(w, &w.Icons); }
    // Draws item i of the pop-up with a state; returns what was drawn.
    QStringList draw(ui::Menu& item, ui::MenuItemState state, int top = 0) {
        canvas.calls.clear();
        menus.DrawItem({item, state, {0, top, 150, top + 22}, canvas});
        return canvas.calls;
    }
    ui::MeasureItemArgs measure(ui::Menu& item) {
        ui::MeasureItemArgs m{item, canvas};
        menus.MeasureItem(m);
        return m;
    }

    ui::Application app{std::make_unique<ui::ManualClock>(),
                        std::make_unique<ui::RecordingDialogs>()};
    MenuWindow& w = app.form<MenuWindow>();
    modUserMenus menus{app};
    RecordingCanvas canvas;
};

TEST_F(UserMenus, RecordsFollowTheControlsAndHiddenItemsStayHidden) {
    ASSERT_EQ(menus.records().size(), 10u);
    EXPECT_EQ(menus.records()[0].umMenuID, &w.Top);
    EXPECT_EQ(menus.records()[1].umCaption, "&Play");
    EXPECT_EQ(menus.records()[1].umShortcut, "Ctrl+P") << "up to a second Tab";
    EXPECT_TRUE(menus.records()[2].umIsSeparator);
    EXPECT_EQ(menus.records()[5].umMenuID, &w.Secret);
    EXPECT_FALSE(w.Secret.Visible());
    EXPECT_EQ(menus.records()[9].umCaption.size(), 79) << "cut to the item's text buffer";
}

TEST_F(UserMenus, MeasurementsOfTextShortcutAndSeparator) {
    const auto sized = measure(w.Sized);
    EXPECT_EQ(sized.itemWidth, 7 * 6 + 40);
    EXPECT_EQ(sized.itemHeight, 22) << "13-pixel text gives 22";
    EXPECT_EQ(measure(w.Play).itemWidth, 5 * 6 + 40 + 6 * 6 + 30);
    const auto line = measure(w.Line);
    EXPECT_EQ(line.itemWidth, 1);
    EXPECT_EQ(line.itemHeight, 5);
    ui::Menu stranger(w, "Stranger");
    EXPECT_EQ(measure(stranger).itemWidth, 0) << "an item without a record is not measured";
}

TEST_F(UserMenus, BackgroundsOfTheFourStatesAndTheSeparator) {
    EXPECT_EQ(draw(w.Sized, {}, 22).mid(0, 2),
              QStringList({"fill 0,22,150,44 #ffffff", "fill 0,22,24,44 #ececec"}));
    EXPECT_EQ(draw(w.Sized, {true}, 22).mid(0, 2),
              QStringList({"fill 0,22,150,44 #316ac5", "fill 1,23,149,43 #c1d2ee"}));
    EXPECT_EQ(draw(w.Sized, {false, true}).mid(0, 4),
              QStringList({"fill 0,0,150,22 #ececec", "fill 1,1,23,21 #316ac5",
                           "fill 2,2,22,20 #c1d2ee", "fill 24,0,150,22 #ffffff"}))
        << "a checked item without a picture: the framed box alone";
    EXPECT_EQ(draw(w.Sized, {true, true}).first(), "fill 0,0,150,22 #316ac5")
        << "highlighted wins over checked";
    EXPECT_EQ(draw(w.Off, {true, false, true}).mid(0, 2),
              QStringList({"fill 0,0,150,22 #ffffff", "fill 0,0,24,22 #ececec"}))
        << "disabled: no highlight even under the pointer";
    EXPECT_EQ(draw(w.Line, {false, false, false, true}, 10),
              QStringList({"fill 0,10,150,32 #ffffff", "fill 0,10,24,16 #ececec",
                           "fill 28,12,150,13 #808080", "fill 28,13,150,14 #fdfdfd"}));
}

TEST_F(UserMenus, TextPlacementEmbossingAndPictures) {
    const QStringList normal = draw(w.Play, {});
    EXPECT_TRUE(normal.contains("text 'Ctrl+P    ' 0,0,150,22 126 #000000"));
    EXPECT_TRUE(normal.contains("text '&Play' 30,0,180,22 124 #000000"));
    EXPECT_EQ(normal.last(), "picture 17x18 4,3,21,21");

    const QStringList lifted = draw(w.Play, {true});
    EXPECT_EQ(lifted.mid(lifted.size() - 2),
              QStringList({"picture 17x18 5,3,21,19 greyed", "picture 17x18 3,2,20,20"}));

    const QStringList off = draw(w.Off, {false, false, true});
    EXPECT_EQ(off.mid(2), QStringList({"text 'Full' 30,0,180,22 124 #ffffff",
                                       "text 'Full' 29,-1,179,21 124 #808080",
                                       "picture 17x18 4,3,20,19 greyed"}));

    for (ui::Menu* none : {&w.Letters, &w.Zero, &w.Past, &w.Sized})
        EXPECT_FALSE(draw(*none, {}).last().startsWith("picture")) << none->Name().toStdString();
    menus.InitUserMenus(w, nullptr);
    EXPECT_FALSE(draw(w.Play, {}).last().startsWith("picture")) << "no image list";
}

TEST_F(UserMenus, OnePainterAfterTwoSetUpsAndNoneAfterUnload) {
    menus.InitUserMenus(w, &w.Icons);
    ui::MenuPanel panel(w.Top, canvas);
    EXPECT_EQ(panel.items().size(), 8u) << "the hidden item stays out";
    // The 79-character item is the widest: 474 + 40, and the arrow's room.
    EXPECT_EQ(rectText(panel.items()[0].rect), "0,0,526,22");
    EXPECT_EQ(rectText(panel.items()[1].rect), "0,22,526,27");
    canvas.calls.clear();
    panel.paintItem(2, false, canvas);
    EXPECT_EQ(canvas.calls.count("fill 0,27,526,49 #ececec"), 1) << "painted once";
    w.Unload();
    EXPECT_FALSE(static_cast<bool>(w.ownerDraw()));
    menus.RestoreMenuOwner(w);

    Bare& bare = app.form<Bare>();
    menus.InitUserMenus(bare, nullptr);
    EXPECT_TRUE(menus.records().empty());
    EXPECT_FALSE(static_cast<bool>(bare.ownerDraw())) << "a window without menus is left alone";
}

// An item 20 pixels high, as a smaller font measures it: the frame runs
// round the item's own rectangle.
TEST_F(UserMenus, PaintedPixelsOfAHighlightedItemWithItsPicture) {
    QImage image(150, 20, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        ui::PainterCanvas live(&painter, QFont());
        menus.DrawItem({w.Play, {true}, {0, 0, 150, 20}, live});
    }
    EXPECT_EQ(image.pixel(0, 0), qRgb(49, 106, 197));
    EXPECT_EQ(image.pixel(149, 19), qRgb(49, 106, 197));
    EXPECT_EQ(image.pixel(140, 19), qRgb(49, 106, 197)) << "the bottom frame line";
    EXPECT_EQ(image.pixel(140, 18), qRgb(193, 210, 238));
    EXPECT_EQ(image.pixel(140, 2), qRgb(193, 210, 238));
    EXPECT_EQ(image.pixel(3 + 8, 2 + 8), qRgb(0, 0, 0)) << "the lifted picture";
    EXPECT_EQ(image.pixel(3, 2), qRgb(193, 210, 238)) << "its silver is transparent";
}

}  // namespace
