#pragma once

#include <QString>

#include "core/ClsMain.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/Timer.h"
#include "platform/ui/UserControl.h"

class PlenkApp;

// The skinnable scroll bar and slider of the seek, volume and equalizer
// sliders and the playlist.  Four child areas measured in pixels: the up/left
// button Picture1, the thumb Picture2 (inside the track), the down/right
// button Picture3 and the track Picture4.  Each part is drawn from pictures or
// as a bevel with an arrow; every property write and almost every input ends
// with Redraw, which derives `value` from the thumb's pixel position.
// Writing `value` raises no event; the user's drag raises Scroll, a step by a
// button or the track raises Change, both after `value` has followed the thumb.
class ctlScrollbar : public ui::UserControl {
  public:
    enum { vertical = 0, horizontal = 1 };

    ctlScrollbar(ui::Form& form, QString name, int orientation = vertical);

    // The stored design of the player's instances: pictured parts carrying the
    // built-in Default skin's slider pictures of the orientation.
    static ui::PropertyBag design(int orientation, double largeChange = 10);

    int Orientation() const;
    void setOrientation(int v);
    ui::Picture BackgroundPicture() const;
    void setBackgroundPicture(const ui::Picture& p);
    bool UsePictureUp() const;
    void setUsePictureUp(bool v);
    bool UsePictureDown() const;
    void setUsePictureDown(bool v);
    bool UsePictureThumb() const;
    void setUsePictureThumb(bool v);
    // The nine button pictures by part (0 up, 1 down, 2 thumb) and look (0 normal, 1 hover, 2
    // down).
    ui::Picture ButtonPicture(int part, int look) const;
    void setButtonPicture(int part, int look, const ui::Picture& p);
    int StateOver() const;
    void setStateOver(int v);
    int StateNormal() const;
    void setStateNormal(int v);
    int StateDown() const;
    void setStateDown(int v);
    double value() const;
    void setValue(double v);
    // A text is read as a number in the user's locale; one that is no number
    // fails and the value stays.
    void setValue(const QString& text);
    double min() const;
    void setMin(double v);
    double max() const;
    void setMax(double v);
    double SmallChange() const;
    void setSmallChange(double v);
    double LargeChange() const;
    void setLargeChange(double v);
    ui::OleColor TrackColor() const;
    void setTrackColor(ui::OleColor v);

    ui::Event<> Scroll{"Scroll"};
    ui::Event<> Change{"Change"};

    // Painting (ctlScrollbarPaint.cpp).
    void Redraw();
    void ArrangeParts();
    void DrawArrow(ui::PictureBox& part, bool pressed, bool upOrLeft);
    static void SetObjSize(ui::PictureBox& part, double width, double height);
    static void SetObjPos(ui::PictureBox& part, double left, double top);
    bool IsMouseOver(int hWnd) const;
    static int HimetricToPixels(int himetric);
    double ThumbPos() const { return live_.thumbPos; }
    double PixelsPerUnit() const { return live_.pixelsPerUnit; }

    // Input (ctlScrollbarInput.cpp), coordinates in pixels of the part.
    void Picture1_MouseDown(int Button, int Shift, float X, float Y);
    void Picture1_MouseMove(int Button, int Shift, float X, float Y);
    void Picture1_MouseUp(int Button, int Shift, float X, float Y);
    void Picture1_DblClick();
    void Picture3_MouseDown(int Button, int Shift, float X, float Y);
    void Picture3_MouseMove(int Button, int Shift, float X, float Y);
    void Picture3_MouseUp(int Button, int Shift, float X, float Y);
    void Picture3_DblClick();
    void Picture2_MouseDown(int Button, int Shift, float X, float Y);
    void Picture2_MouseMove(int Button, int Shift, float X, float Y);
    void Picture2_MouseUp(int Button, int Shift, float X, float Y);
    void Picture4_MouseDown(int Button, int Shift, float X, float Y);
    void Picture4_MouseMove(int Button, int Shift, float X, float Y);
    void Picture4_MouseUp(int Button, int Shift, float X, float Y);
    void tmUp_Timer();
    void tmDn_Timer();
    void tmUp2_Timer();
    void tmDn2_Timer();
    void Tracking1_Timer();
    void Tracking2_Timer();
    void Tracking3_Timer();

    // The control's own application controller (tests hand in a fake).
    ControllerSlot& Controller() { return controller_; }

    ui::PictureBox Picture1{parentForm(), "Picture1"};
    ui::PictureBox Picture3{parentForm(), "Picture3"};
    ui::PictureBox Picture4{parentForm(), "Picture4"};
    ui::PictureBox Picture2{parentForm(), "Picture2"};
    ui::Timer tmUp{parentForm(), "tmUp"};
    ui::Timer tmDn{parentForm(), "tmDn"};
    ui::Timer tmUp2{parentForm(), "tmUp2"};
    ui::Timer tmDn2{parentForm(), "tmDn2"};
    ui::Timer Tracking1{parentForm(), "Tracking1"};
    ui::Timer Tracking2{parentForm(), "Tracking2"};
    ui::Timer Tracking3{parentForm(), "Tracking3"};

  protected:
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(ui::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(ui::PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Show() override;

  private:
    struct Props {
        int orientation = vertical;
        ui::Picture background;
        bool usePicture[3] = {false, false, false};
        ui::Picture pictures[3][3];
        int stateOver = 0, stateNormal = 0, stateDown = 1;
        double value = 0, min = 0, max = 100, smallChange = 1, largeChange = 10;
        ui::OleColor trackColor = 0x80000014;
    };
    // Which part is held, where the thumb sits and the scale of the last repaint.
    struct Live {
        double thumbPos = 0, pixelsPerUnit = 0;
        bool upPressed = false, thumbDragging = false, downPressed = false;
        bool pageUpPressed = false, pageDownPressed = false;
        float grabOffset = 0;
        int drawnHovered = -1;  // the window under the pointer at the last repaint; -1 none yet
    };
    enum Look { kNormal, kHover, kDown };
    struct Part;

    bool isHorizontal() const { return props_.orientation != vertical; }
    PlenkApp& app() const;
    // Stores a property write, tells the host and repaints.
    template <class T>
    void write(T& field, const T& v, const char* key);
    void connectParts();
    // Painting steps.
    // The window under the pointer, asked of the display once per repaint.
    int windowUnderPointer() const;
    Look lookOf(const Part& part, int hovered) const;
    void paintPart(const Part& part, int hovered);
    void placeThumb();
    void deriveValue();
    void paintTrack();
    void tileBackground();
    // Input steps.
    double travel() const;
    double along(float x, float y) const { return isHorizontal() ? x : y; }
    void stepBy(double units);
    void arrowPress(bool up);
    void arrowMove(bool up, int button);
    void arrowRelease(bool up, int button);
    void repeatTick(bool up, bool page);
    void trackingTick(ui::PictureBox& part, ui::Timer& tracker);
    void releaseHooks(bool seekB);
    void seekHookA();
    void seekHookB();
    void focusRule();
    void trackReleaseExtras();

    Props props_;
    Live live_;
    ControllerSlot controller_;
};
