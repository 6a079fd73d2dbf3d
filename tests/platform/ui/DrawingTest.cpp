#include <gtest/gtest.h>

#include <QFile>
#include <QtEndian>
#include <functional>
#include "TestWindows.h"

#include "platform/ui/Line.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/Shape.h"
#include "support/TempDir.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF, kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kGreen = 0xFF00FF00;
constexpr ui::OleColor kOleRed = 0x0000FF, kOleWhite = 0xFFFFFF;

class Sketch : public ui::Form {
  public:
    explicit Sketch(ui::Application& app) : ui::Form(app, "Sketch") {
        Box.setScaleMode(ui::vbPixels);
        Box.setBorderStyle(0);
        Box.Move(0, 0, 600, 450);  // 40 x 30 pixels
        Box.setBackColor(kOleWhite);
        Box.setForeColor(kOleRed);
        Box.Paint.connect([this] { ++paints; });
        Divider.setBorderColor(kOleRed);
        Divider.setPoints(150, 150, 150, 600);
        Figure.Move(1500, 0, 150, 150);
        Figure.setBorderColor(0xFF0000);
    }
    int paints = 0;
    ui::PictureBox Box{*this, "Box"};
    ui::Line Divider{*this, "Divider"};
    ui::Shape Figure{*this, "Figure"};
};

// A picture of rows of colours, one pixel each.
ui::Picture pictureOf(const std::vector<std::vector<QRgb>>& rows) {
    QImage image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()),
                 QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, rows[y][x]);
    return ui::Picture(QPixmap::fromImage(image));
}

void expectError(int number, const std::function<void()>& call) {
    try {
        call();
        ADD_FAILURE() << "no error, expected " << number;
    } catch (const ui::RuntimeError& e) {
        EXPECT_EQ(e.number(), number);
    }
}

class Drawing : public ::testing::Test {
  protected:
    TestApp t;
    Sketch& w = t.app.form<Sketch>();
    ui::PictureBox& box = w.Box;
    QRgb at(int x, int y) const { return box.Image().pixel(x, y); }
};

TEST_F(Drawing, LinesLeaveOutTheirEndPointAndMoveTheCurrentPoint) {
    box.Line(2, 2, 8, 2);
    for (int x = 2; x < 8; ++x)
        EXPECT_EQ(at(x, 2), kRed) << x;
    EXPECT_EQ(at(8, 2), kWhite);
    EXPECT_EQ(box.CurrentX(), 8);
    box.LineTo(8, 6, 0xFF0000);
    EXPECT_EQ(at(8, 2), kBlue);
    EXPECT_EQ(at(8, 5), kBlue);
    EXPECT_EQ(at(8, 6), kWhite);
    box.Line(20, 20, 24, 24);
    EXPECT_EQ(at(23, 23), kRed);
    EXPECT_EQ(at(24, 24), kWhite);
    box.Line(30, 3, 30, 3);
    EXPECT_EQ(at(30, 3), kWhite) << "a line of no length draws nothing";
}

TEST_F(Drawing, BoxesIncludeBothCornersAndFilledBoxesTheirInside) {
    box.Line(14, 13, 10, 10, {}, ui::kBox);
    for (QPoint p : {QPoint(10, 10), QPoint(14, 10), QPoint(14, 13), QPoint(10, 13)})
        EXPECT_EQ(at(p.x(), p.y()), kRed) << p.x() << "," << p.y();
    EXPECT_EQ(at(12, 11), kWhite);
    EXPECT_EQ(at(15, 13), kWhite);
    box.Line(20, 20, 22, 21, 0x00FF00, ui::kFilledBox);
    EXPECT_EQ(at(21, 20), kGreen);
    EXPECT_EQ(at(22, 21), kGreen);
    EXPECT_EQ(at(23, 21), kWhite);
    EXPECT_EQ(at(22, 22), kWhite);
    EXPECT_EQ(box.CurrentX(), 22);
    EXPECT_EQ(box.CurrentY(), 21);
}

TEST_F(Drawing, PixelsAndTextUseTheScaleModeAndForeColor) {
    box.PSet(5, 6);
    EXPECT_EQ(at(5, 6), kRed);
    box.setScaleMode(ui::vbTwips);
    EXPECT_FLOAT_EQ(box.ScaleWidth(), 600);
    box.Line(30, 150, 150, 150, 0xFF0000);
    EXPECT_EQ(at(2, 10), kBlue);
    EXPECT_EQ(at(9, 10), kBlue);
    EXPECT_EQ(at(10, 10), kWhite);
    expectError(ui::kInvalidPropertyValue, [&] { box.setScaleMode(2); });

    box.setScaleMode(ui::vbPixels);
    box.setCurrentX(1);
    box.setCurrentY(14);
    box.Print("Wg");
    EXPECT_EQ(box.CurrentX(), 0);
    EXPECT_NEAR(box.CurrentY(), 14 + box.TextHeight("Wg"), 0.01);
    int red = 0;
    for (int y = 14; y < 30; ++y)
        for (int x = 0; x < 20; ++x)
            red += at(x, y) == kRed;
    EXPECT_GT(red, 5) << "the text is drawn in ForeColor";
    box.setCurrentY(0);
    box.Print("a", false);
    EXPECT_NEAR(box.CurrentX(), box.TextWidth("a"), 0.01);
}

TEST_F(Drawing, PaintPictureWholeStretchedFromASourceRectangleAndClipped) {
    const ui::Picture pic = pictureOf({{kRed, kBlue}, {kGreen, kRed}});
    box.PaintPicture(pic, 1, 1);
    EXPECT_EQ(at(1, 1), kRed);
    EXPECT_EQ(at(2, 1), kBlue);
    EXPECT_EQ(at(1, 2), kGreen);
    EXPECT_EQ(at(3, 3), kWhite);

    box.PaintPicture(pic, 10, 10, 4, 4);
    EXPECT_EQ(at(11, 11), kRed);
    EXPECT_EQ(at(12, 11), kBlue);
    EXPECT_EQ(at(13, 10), kBlue);
    EXPECT_EQ(at(10, 13), kGreen);
    EXPECT_EQ(at(14, 14), kWhite);

    box.PaintPicture(pic, 20, 10, 2, 4, 1, 0, 1, 2);
    EXPECT_EQ(at(21, 11), kBlue);
    EXPECT_EQ(at(20, 13), kRed);

    box.PaintPicture(pic, 38, 28, 4, 4);
    EXPECT_EQ(at(39, 29), kRed) << "clipped at the edge";
    box.PaintPicture(pic, 30, 0, 4, 4, 1, 1, 2, 2);
    EXPECT_EQ(at(30, 0), kRed) << "only the source part inside the picture is drawn";
    EXPECT_EQ(at(32, 2), kWhite);
    expectError(ui::kInvalidPicture, [&] { box.PaintPicture(ui::Picture(), 0, 0); });
}

// A frame wider than the box and less high, as the visualisation's: what
// fits is copied, the rows below stay; drawing on afterwards leaves the
// caller's frame alone; see-through pixels keep what is there.
TEST_F(Drawing, AFrameDrawnAtTheCornerIsClippedAndStaysTheCallers) {
    QImage frame(50, 20, QImage::Format_Indexed8);
    frame.setColorTable({kBlue, kGreen});
    frame.fill(0);
    frame.setPixel(39, 19, 1);
    frame.scanLine(2)[2] = 7;  // past the colour table
    box.drawImage(frame);
    EXPECT_EQ(at(0, 0), kBlue);
    EXPECT_EQ(at(39, 19), kGreen);
    EXPECT_EQ(at(2, 2), frame.convertToFormat(QImage::Format_RGB32).pixel(2, 2));
    EXPECT_EQ(at(0, 20), kWhite);
    EXPECT_EQ(box.Image().format(), QImage::Format_RGB32);
    box.Line(0, 0, 9, 0);
    EXPECT_EQ(at(3, 0), kRed);
    EXPECT_EQ(frame.pixelIndex(3, 0), 0) << "the frame is not drawn on";
    EXPECT_TRUE(box.drawing().isNull()) << "the box no longer shows the frame as copied";

    QImage clear(40, 30, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    clear.setPixel(1, 1, kGreen);
    box.drawImage(clear);
    EXPECT_EQ(at(3, 0), kRed) << "a see-through pixel keeps what was drawn";
    EXPECT_EQ(at(1, 1), kGreen);
}

TEST_F(Drawing, AMaskedPictureLetsTheMaskColourShowThrough) {
    box.Line(0, 0, 9, 9, kOleRed, ui::kFilledBox);
    const QRgb magenta = 0xFFFF00FF;
    const ui::Picture pic = pictureOf({{magenta, kBlue}, {kBlue, magenta}}).masked(0xFF00FF);
    box.PaintPicture(pic, 2, 2);
    EXPECT_EQ(at(2, 2), kRed);
    EXPECT_EQ(at(3, 2), kBlue);
    EXPECT_EQ(at(2, 3), kBlue);
    EXPECT_EQ(at(3, 3), kRed);
    EXPECT_TRUE(ui::Picture().masked(0).isEmpty());
}

struct Bevel {
    int code;
    QRgb outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
};
constexpr QRgb kLight = 0xFFDFDFDF, kDark = 0xFF000000, kShadow = 0xFF808080;

TEST_F(Drawing, DrawEdgeGivesEachBevelItsClassicColours) {
    const Bevel bevels[] = {
        {ui::EDGE_RAISED, kLight, kDark, kWhite, kShadow},
        {ui::EDGE_SUNKEN, kShadow, kWhite, kDark, kLight},
        {ui::EDGE_BUMP, kLight, kDark, kDark, kLight},
        {ui::EDGE_ETCHED, kShadow, kWhite, kWhite, kShadow},
        {ui::BDR_RAISEDOUTER, kLight, kDark, 0xFF00FF00, 0xFF00FF00},
        {ui::BDR_SUNKENOUTER, kShadow, kWhite, 0xFF00FF00, 0xFF00FF00},
    };
    for (const Bevel& b : bevels) {
        box.Line(0, 0, 9, 7, 0x00FF00, ui::kFilledBox);
        EXPECT_TRUE(box.DrawEdge(0, 0, 10, 8, b.code, ui::BF_RECT));
        EXPECT_EQ(at(0, 0), b.outerTopLeft) << b.code;
        EXPECT_EQ(at(5, 0), b.outerTopLeft) << b.code;
        EXPECT_EQ(at(0, 5), b.outerTopLeft) << b.code;
        EXPECT_EQ(at(9, 7), b.outerBottomRight) << b.code;
        EXPECT_EQ(at(9, 0), b.outerBottomRight) << b.code << ": the far corners are the shadow's";
        EXPECT_EQ(at(0, 7), b.outerBottomRight) << b.code;
        EXPECT_EQ(at(1, 1), b.innerTopLeft) << b.code;
        EXPECT_EQ(at(8, 6), b.innerBottomRight) << b.code;
        EXPECT_EQ(at(4, 4), 0xFF00FF00) << b.code;
        EXPECT_EQ(at(10, 8), kWhite) << b.code;
    }
    box.Line(0, 0, 9, 7, 0x00FF00, ui::kFilledBox);
    box.DrawEdge(0, 0, 10, 8, 0, ui::BF_RECT);
    EXPECT_EQ(at(0, 0), 0xFF00FF00) << "no style draws nothing";
    box.DrawEdge(0, 0, 10, 8, ui::EDGE_RAISED, ui::BF_TOP);
    EXPECT_EQ(at(9, 0), kLight);
    EXPECT_EQ(at(9, 7), 0xFF00FF00);
    box.DrawEdge(50, 50, 40, 40, ui::EDGE_RAISED, ui::BF_RECT);
}

TEST_F(Drawing, ClsClearsToBackColorAndPictureAndRewindsTheCurrentPoint) {
    box.setPicture(pictureOf({{kBlue}}));
    box.Line(3, 3, 10, 3);
    box.Cls();
    EXPECT_EQ(at(0, 0), kBlue);
    EXPECT_EQ(at(1, 0), kWhite);
    EXPECT_EQ(at(4, 3), kWhite);
    EXPECT_EQ(box.CurrentX(), 0);
    EXPECT_EQ(box.CurrentY(), 0);
}

TEST_F(Drawing, AutoRedrawKeepsTheDrawingOtherwiseResizeAndRefreshAskForPaint) {
    box.PSet(1, 1);
    box.setWidth(750);
    EXPECT_EQ(w.paints, 1);
    EXPECT_EQ(at(1, 1), kWhite) << "without AutoRedraw the drawing is gone";
    EXPECT_EQ(box.Image().width(), 50);
    box.Refresh();
    EXPECT_EQ(w.paints, 2);

    box.setAutoRedraw(true);
    box.PSet(1, 1);
    box.setWidth(900);
    box.Refresh();
    EXPECT_EQ(w.paints, 2);
    EXPECT_EQ(at(1, 1), kRed);
    EXPECT_EQ(at(55, 1), kWhite);
}

TEST_F(Drawing, UnloadReturnsTheDrawingToItsDesign) {
    box.setAutoRedraw(true);
    box.PSet(1, 1);
    box.setCurrentX(7);
    w.Unload();
    EXPECT_EQ(at(1, 1), kWhite);
    EXPECT_EQ(box.CurrentX(), 0);
    EXPECT_FALSE(box.AutoRedraw());
    EXPECT_EQ(box.Image().size(), QSize(40, 30));
}

TEST_F(Drawing, LineAndShapeControlsDrawThemselves) {
    const QImage& line = w.Divider.Image();
    ASSERT_EQ(line.size(), QSize(1, 31));
    EXPECT_EQ(line.pixel(0, 0), kRed);
    EXPECT_EQ(line.pixel(0, 29), kRed);
    EXPECT_EQ(qAlpha(line.pixel(0, 30)), 0) << "the end point is left out";
    w.Divider.setX2(600);
    EXPECT_EQ(w.Divider.Width(), 465);

    const QImage& shape = w.Figure.Image();
    ASSERT_EQ(shape.size(), QSize(10, 10));
    EXPECT_EQ(shape.pixel(0, 0), kBlue);
    EXPECT_EQ(shape.pixel(9, 9), kBlue);
    EXPECT_EQ(qAlpha(shape.pixel(5, 5)), 0) << "hollow by default";
    w.Figure.setFillStyle(0);
    w.Figure.setFillColor(0x00FF00);
    EXPECT_EQ(w.Figure.Image().pixel(5, 5), kGreen);
    w.Figure.setShapeKind(ui::Shape::vbShapeCircle);
    EXPECT_EQ(qAlpha(w.Figure.Image().pixel(0, 0)), 0) << "a circle leaves the corners";
    expectError(ui::kInvalidPropertyValue, [&] { w.Figure.setShapeKind(6); });
}

// A BMP header of the given size followed by `pixels` bytes.
QByteArray bmp(int width, int height, int pixels) {
    QByteArray header(54, '\0');
    auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, header.data() + at); };
    header[0] = 'B';
    header[1] = 'M';
    put32(2, 54 + pixels);
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    header[26] = 1;
    header[28] = 24;
    return header + QByteArray(pixels, '\x7f');
}

TEST(LoadPicture, ReadsBitmapsAndReportsEachKindOfBadFile) {
    testsupport::TempDir dir;
    const ui::Picture good = ui::LoadPicture(dir.write("good.bmp", bmp(14, 7, 14 * 3 * 7 + 7 * 2)));
    EXPECT_EQ(good.pixmap().size(), QSize(14, 7));
    EXPECT_EQ(good.Width(), 370);
    EXPECT_EQ(good.Height(), 185);
    EXPECT_TRUE(ui::LoadPicture("").isEmpty());

    expectError(ui::kFileNotFound, [&] { ui::LoadPicture(dir.file("missing.bmp")); });
    expectError(ui::kFileNotFound, [&] { ui::LoadPicture(dir.path()); });
    expectError(ui::kInvalidPicture, [&] { ui::LoadPicture(dir.write("empty.bmp", {})); });
    expectError(ui::kInvalidPicture,
                [&] { ui::LoadPicture(dir.write("text.bmp", "not a picture at all\n")); });
    expectError(ui::kInvalidPicture,
                [&] { ui::LoadPicture(dir.write("cut.bmp", bmp(14, 7, 30))); });
    expectError(ui::kOutOfMemory,
                [&] { ui::LoadPicture(dir.write("huge.bmp", bmp(10000, 10000, 64))); });
}

}  // namespace
