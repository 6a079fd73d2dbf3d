#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QStringList>

#include "TestWindows.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/MenuPanel.h"
#include "support/QtPrinters.h"
#include "support/RecordingCanvas.h"

namespace {

using ui::Rect;

using testsupport::RecordingCanvas;
using testsupport::rectText;

QString stateText(const ui::MenuItemState& s) {
    QStringList bits;
    if (s.highlighted) bits << "highlighted";
    if (s.checked) bits << "checked";
    if (s.disabled) bits << "disabled";
    if (s.separator) bits << "separator";
    if (s.subMenu) bits << "sub";
    return bits.join('+');
}

class MenuOwner : public ui::Form {
  public:
    explicit MenuOwner(ui::Application& app) : ui::Form(app, "MenuOwner") {
        Open.setCaption("&Open\tCtrl+O");
        Line.setCaption("-");
        Shuffle.setCaption("Shuffle");
        Shuffle.setChecked(true);
        Locked.setCaption("Locked");
        Locked.setEnabled(false);
        More.setCaption("More");
        Deeper.setCaption("Deeper");
        Hidden.setCaption("Hidden");
        Hidden.setVisible(false);
        OnlyHidden.setVisible(false);
        Open.setTag("2");
    }

    // Measures as the player's menus do and writes every draw request down.
    void install() {
        setOwnerDraw({[this](ui::MeasureItemArgs& m) {
                          ++measured;
                          if (m.item.isSeparator()) {
                              m.itemWidth = 1, m.itemHeight = 5;
                              return;
                          }
                          const QString caption = m.item.Caption().section('\t', 0, 0);
                          m.itemWidth = m.canvas.textSize(caption).width() + 40;
                          m.itemHeight = m.canvas.textSize(caption).height() + 9;
                      },
                      [this](const ui::DrawItemArgs& d) {
                          drawn << d.item.Name() + " " + stateText(d.state) + " " +
                                       rectText(d.rcItem) + QString(" %1").arg(d.state.itemState());
                          d.canvas.fillRect(d.rcItem, Qt::white);
                          if (d.item.Tag() == "2" && icons.Count() >= 2)
                              d.canvas.drawPicture(icons.maskedImage(2),
                                                   {4, d.rcItem.top + 3, 20, d.rcItem.top + 19},
                                                   d.state.disabled);
                      }});
    }

    int measured = 0;
    QStringList drawn;
    ui::Menu Popup{*this, "Popup"};
    ui::Menu Open{*this, "Open", &Popup};
    ui::Menu Line{*this, "Line", &Popup};
    ui::Menu Shuffle{*this, "Shuffle", &Popup};
    ui::Menu Locked{*this, "Locked", &Popup};
    ui::Menu More{*this, "More", &Popup};
    ui::Menu Deeper{*this, "Deeper", &More};
    ui::Menu Hidden{*this, "Hidden", &Popup};
    ui::Menu Empty{*this, "Empty"};
    ui::Menu EmptyHidden{*this, "EmptyHidden"};
    ui::Menu OnlyHidden{*this, "OnlyHidden", &EmptyHidden};
    ui::ImageList icons{*this, "icons"};
};

class OwnerDrawnMenu : public ::testing::Test {
  protected:
    TestApp t;
    MenuOwner& w = t.app.form<MenuOwner>();
    RecordingCanvas canvas;
};

TEST_F(OwnerDrawnMenu, ItemsAreMeasuredAndDrawnThroughTheHookWithTheirStates) {
    w.install();
    ui::MenuPanel panel(w.Popup, canvas);
    EXPECT_EQ(w.measured, 5) << "the hidden item is not measured";
    ASSERT_EQ(panel.items().size(), 5u);
    // "Shuffle" is the widest, 42 + 40; the arrow's room is added to it.
    EXPECT_EQ(rectText(panel.items()[0].rect), "0,0,94,22");
    EXPECT_EQ(rectText(panel.items()[1].rect), "0,22,94,27");
    EXPECT_EQ(rectText(panel.items()[4].rect), "0,71,94,93");
    EXPECT_EQ(panel.size(), QSize(96, 95));
    EXPECT_EQ(panel.itemAt({1, 1}), 0);
    EXPECT_EQ(panel.itemAt({40, 25}), 1);
    EXPECT_FALSE(panel.selectable(1));
    EXPECT_EQ(panel.itemAt({40, 95}), -1);

    for (int i = 0; i < 5; ++i)
        panel.paintItem(i, i == 3 || i == 4, canvas);
    EXPECT_EQ(w.drawn, QStringList({"Open  0,0,94,22 0", "Line separator 0,22,94,27 0",
                                    "Shuffle checked 0,27,94,49 8",
                                    "Locked highlighted+disabled 0,49,94,71 5",
                                    "More highlighted+sub 0,71,94,93 1"}));
    // The runtime draws the sub-menu's arrow after the hook, in the arrow's room.
    EXPECT_EQ(canvas.calls.last(), "fill 89,82,90,83 #000000");
}

TEST_F(OwnerDrawnMenu, PicturesComeFromTheImageListWithTheMaskColourTransparent) {
    QImage art(17, 18, QImage::Format_RGB32);
    art.fill(QColor(192, 192, 192));
    art.setPixel(8, 9, qRgb(0, 0, 128));
    w.icons.Add(ui::Picture(QPixmap::fromImage(art)));
    w.icons.Add(ui::Picture(QPixmap::fromImage(art)));
    w.install();
    ui::MenuPanel panel(w.Popup, canvas);
    panel.paintItem(0, false, canvas);
    EXPECT_TRUE(canvas.calls.contains("picture 17x18 4,3,20,19"));

    const QImage masked = w.icons.maskedImage(1);
    EXPECT_EQ(qAlpha(masked.pixel(0, 0)), 0);
    EXPECT_EQ(masked.pixel(8, 9), qRgb(0, 0, 128));
    w.icons.setUseMaskColor(false);
    EXPECT_EQ(qAlpha(w.icons.maskedImage(1).pixel(0, 0)), 255);

    // Drawn greyed, the dark pixel shows white one pixel down and right, grey in place.
    QImage page(40, 40, QImage::Format_RGB32);
    page.fill(Qt::blue);
    {
        QPainter painter(&page);
        ui::PainterCanvas live(&painter, QFont());
        live.drawPicture(masked, {10, 10, 27, 28}, true);
    }
    EXPECT_EQ(page.pixel(18, 19), qRgb(128, 128, 128));
    EXPECT_EQ(page.pixel(19, 20), qRgb(255, 255, 255));
    EXPECT_EQ(page.pixel(10, 10), qRgb(0, 0, 255)) << "the silver stays unpainted";
}

TEST_F(OwnerDrawnMenu, ImageListIsOneBasedAndReturnsToItsDesignOnUnload) {
    EXPECT_EQ(w.icons.MaskColor(), 0xC0C0C0u);
    w.icons.Add(ui::Picture());
    EXPECT_EQ(w.icons.Count(), 1);
    EXPECT_TRUE(w.icons.ListImages(1).isEmpty());
    EXPECT_TRUE(w.icons.maskedImage(1).isNull()) << "an empty picture draws nothing";
    EXPECT_TRUE(w.icons.maskedImage(0).isNull());
    EXPECT_TRUE(w.icons.maskedImage(29).isNull());
    try {
        w.icons.ListImages(0);
        FAIL();
    } catch (const ui::RuntimeError& e) {
        EXPECT_EQ(e.number(), ui::kIndexOutOfBounds);
    }
    EXPECT_THROW(w.icons.ListImages(2), ui::RuntimeError);
    w.Unload();
    EXPECT_EQ(w.icons.Count(), 0);
}

TEST_F(OwnerDrawnMenu, UnloadingTheWindowRemovesTheHook) {
    w.install();
    EXPECT_TRUE(static_cast<bool>(w.ownerDraw()));
    w.Unload();
    EXPECT_FALSE(static_cast<bool>(t.app.form<MenuOwner>().ownerDraw()));
    ui::MenuPanel panel(w.Popup, canvas);
    panel.paintItem(0, true, canvas);
    EXPECT_EQ(w.measured, 0);
    EXPECT_TRUE(w.drawn.isEmpty());
    EXPECT_TRUE(canvas.calls.contains("text '&Open' 24,0,150,21 124 #ffffff"))
        << "the runtime's own look: " << canvas.calls.join(" | ").toStdString();
}

TEST_F(OwnerDrawnMenu, AFailingHookIsReportedAndTheOtherItemsStillShow) {
    w.setOwnerDraw({[](ui::MeasureItemArgs& m) {
                        if (m.item.Name() == "Shuffle") throw ui::RuntimeError(ui::kOverflow);
                        m.itemWidth = -5;
                        m.itemHeight = 10;
                    },
                    [](const ui::DrawItemArgs& d) {
                        if (d.item.Name() == "Open") throw std::runtime_error("broken");
                        d.canvas.fillRect(d.rcItem, Qt::white);
                    }});
    testing::internal::CaptureStderr();
    ui::MenuPanel panel(w.Popup, canvas);
    for (int i = 0; i < 5; ++i)
        panel.paintItem(i, false, canvas);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("MeasureItem"), std::string::npos);
    EXPECT_NE(errors.find("DrawItem"), std::string::npos);
    EXPECT_EQ(rectText(panel.items()[0].rect), "0,0,12,10") << "a negative width is none";
    EXPECT_EQ(panel.items()[2].rect.height(), 0);
    EXPECT_TRUE(canvas.calls.contains("fill 0,10,12,20 #ffffff"));
}

TEST_F(OwnerDrawnMenu, APopupWithoutVisibleItemsShowsNothingAndChangesNothing) {
    w.install();
    int clicks = 0;
    w.Empty.Click.connect([&] { ++clicks; });
    t.dialogs->menuAnswers.push_back("Open");
    w.PopupMenu(w.Empty);
    w.PopupMenu(w.EmptyHidden);
    EXPECT_EQ(t.dialogs->count("Menu"), 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(t.dialogs->menuAnswers.size(), 1u) << "no answer was used up";
    ui::MenuPanel panel(w.Empty, canvas);
    EXPECT_TRUE(panel.items().empty());
    EXPECT_EQ(panel.itemAt({1, 1}), -1);
    EXPECT_EQ(panel.size().height(), 2);
    w.PopupMenu(w.Popup);
    EXPECT_EQ(t.dialogs->count("Menu"), 1);
}

TEST_F(OwnerDrawnMenu, APanelPaintsOnAPainterInsideItsFrame) {
    w.setOwnerDraw({[](ui::MeasureItemArgs& m) { m.itemWidth = 30, m.itemHeight = 10; },
                    [](const ui::DrawItemArgs& d) {
                        d.canvas.fillRect(d.rcItem, d.state.highlighted ? Qt::red : Qt::green);
                    }});
    ui::MenuPanel panel(w.Popup, canvas);
    QImage image(panel.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    panel.paint(painter, 2);
    painter.end();
    EXPECT_EQ(image.pixel(0, 0), qRgb(128, 128, 128)) << "the frame";
    EXPECT_EQ(image.pixel(1, 1), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(1, 21), qRgb(255, 0, 0)) << "the third item, highlighted";
}

}  // namespace
