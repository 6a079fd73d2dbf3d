#pragma once

#include <QImage>
#include <optional>

#include "platform/ui/Canvas.h"
#include "platform/ui/Control.h"
#include "platform/ui/Picture.h"

namespace ui {

enum ScaleModeValue { vbTwips = 1, vbPixels = 3 };
// The box argument of Line: none, an outline (B) or a filled box (BF).
enum LineBox { kNoBox, kBox, kFilledBox };

// A control that is drawn on: picture boxes and user controls.  Every drawing
// call paints into the control's backing image, which is what it shows.
// Coordinates are in the control's ScaleMode (twips or pixels), as are its
// mouse events and its children's geometry.  Colours of drawing calls resolve
// system colours from the fixed classic table (Colors.h).
//
// AutoRedraw True keeps the drawing: a new size keeps it, Paint is never
// raised.  AutoRedraw False (the default) is the screen's way: a new size or
// Refresh clears to the background and raises Paint for the owner to draw
// again.  Cls clears to BackColor and the Picture, and puts CurrentX and
// CurrentY back at 0.
class CanvasControl : public Control {
  public:
    CanvasControl(Form& form, QString name);

    int ScaleMode() const;
    void setScaleMode(int value);
    float ScaleWidth() const;
    float ScaleHeight() const;
    bool AutoRedraw() const;
    void setAutoRedraw(bool value);
    float CurrentX() const;
    float CurrentY() const;
    void setCurrentX(float value);
    void setCurrentY(float value);
    Picture picture() const;
    void setPicture(const Picture& value);

    void Cls();
    void Refresh();
    // An empty colour means ForeColor.  Both move CurrentX/CurrentY to the point drawn.
    void PSet(float x, float y, std::optional<OleColor> color = {});
    void Line(float x1, float y1, float x2, float y2, std::optional<OleColor> color = {},
              LineBox box = kNoBox);
    // Line -(x2, y2): from CurrentX, CurrentY.
    void LineTo(float x2, float y2, std::optional<OleColor> color = {}, LineBox box = kNoBox);
    // The whole picture at its own size, stretched to a size, or a source
    // rectangle of it stretched to a size; all in this control's units.
    void PaintPicture(const Picture& picture, float x1, float y1);
    void PaintPicture(const Picture& picture, float x1, float y1, float width1, float height1);
    void PaintPicture(const Picture& picture, float x1, float y1, float width1, float height1,
                      float x2, float y2, float width2, float height2);
    // Print: the text at CurrentX, CurrentY in ForeColor and Font; then the
    // next line (CurrentX 0, CurrentY below), or with newLine false CurrentX
    // after the text.
    void Print(const QString& text, bool newLine = true);
    float TextWidth(const QString& text) const;
    float TextHeight(const QString& text) const;
    // The desktop's bevel call on this control's drawing, in pixels (right and bottom excluded).
    bool DrawEdge(int left, int top, int right, int bottom, int edge, int sides);
    // What the control shows.
    const QImage& Image() const;

    Event<> Paint{"Paint"};

    float twipsPerScaleUnit() const override;
    float mouseUnits(double pixels) const override;

  protected:
    void sizeChanged() override;
    void refreshWidget() override;
    void applyColors() override;
    // Raises Paint; a user control raises its own handler.
    virtual void raisePaint() { Paint.raise(); }
    // Called after each drawing call: the widget shows the new state.
    void drawn(Drawn what = Drawn::Unknown);
    // Told of every drawing call, before the widget shows it.
    virtual void canvasDrawn() {}
    // Copies a bitmap onto the canvas with its top-left corner at the origin.
    void paintImage(const QImage& image);
    int toPixelX(float units) const;
    int toPixelY(float units) const;
    QSize pixelSize() const;

  private:
    struct State {
        int scaleMode = vbTwips;
        bool autoRedraw = false;
        float currentX = 0, currentY = 0;
        Picture picture;
        Canvas canvas;
        OleColor shownBackColor = 0;
    };
    QColor drawColor(std::optional<OleColor> color) const;
    void clearToBackground();
    void paintScaled(const Picture& picture, QRectF target, QRectF source);

    State state_;
};

}  // namespace ui
