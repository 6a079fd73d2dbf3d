#pragma once

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/ui/Event.h"
#include "platform/ui/Picture.h"

namespace ui {

class Form;
class DataObject;

// Colours as the windows store them: 0x00BBGGRR, or 0x80000000 | n for the
// desktop's system colour n.
using OleColor = std::uint32_t;

struct FontSpec {
    QString name = "MS Sans Serif";
    float size = 8.25f;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const FontSpec&) const = default;
};

// Text controls hold a text up to its first NUL, as the system's own do.
inline QString untilNul(const QString& text) {
    const qsizetype end = text.indexOf(QChar(0));
    return end < 0 ? text : text.left(end);
}

// Base of every control: geometry in twips (single precision, read back
// exactly as written), visibility, colours, font and the common events.  The
// control owns its state; the Qt widget only shows it.  Reading or writing any
// property of a control whose window is unloaded loads that window first.
class Control {
  public:
    Control(Form& form, QString name);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const QString& Name() const { return name_; }
    int Index() const { return index_; }
    void setIndex(int index) { index_ = index; }
    Form& parentForm() const { return form_; }

    float Left() const;
    float Top() const;
    float Width() const;
    float Height() const;
    void setLeft(float value);
    void setTop(float value);
    void setWidth(float value);
    void setHeight(float value);
    void Move(float left, float top);
    void Move(float left, float top, float width, float height);

    bool Visible() const;
    void setVisible(bool value);
    bool Enabled() const;
    virtual void setEnabled(bool value);
    QString Tag() const;
    void setTag(const QString& value);
    QString ToolTipText() const;
    void setToolTipText(const QString& value);
    // The pointer shape over the control (Screen's values; vbCustom shows MouseIcon).
    int MousePointer() const;
    void setMousePointer(int value);
    Picture MouseIcon() const;
    void setMouseIcon(const Picture& value);

    OleColor ForeColor() const;
    void setForeColor(OleColor value);
    OleColor BackColor() const;
    void setBackColor(OleColor value);
    FontSpec Font() const;
    void setFont(const FontSpec& value);
    void setFontSize(float size);
    void setFontBold(bool bold);

    // The frame or picture box that holds this control; nullptr for the window.
    Control* Container() const { return container_; }
    void setContainer(Control* container);
    // Twips per unit of the scale this control's children are placed in
    // (a picture box or user control measuring in pixels gives 15).
    virtual float twipsPerScaleUnit() const { return 1.0f; }
    // A pointer coordinate (pixels) in the units of this control's mouse
    // events: its own scale where it has one, else its container's.
    virtual float mouseUnits(double pixels) const;

    // Window handle of windowed controls (frames, picture boxes, lists, text
    // boxes...), 0 for the others.
    virtual int hWnd() const { return hwnd_; }
    // Gives the control the focus: LostFocus of the control that had it, then
    // GotFocus, both before the call returns.  A control that is hidden,
    // disabled, windowless or in a hidden window fails with "Invalid procedure call".
    void SetFocus();
    // Whether SetFocus would give it the focus now.
    bool canTakeFocus() const;
    // 0 brings the control to the front, 1 sends it to the back, within its
    // layer: windowless controls always lie under the windowed ones.
    void ZOrder(int position = 0);

    enum DragAction { vbCancel = 0, vbBeginDrag = 1, vbEndDrag = 2 };
    enum DragState { vbEnter = 0, vbLeave = 1, vbOver = 2 };
    // A drag by hand: begin shows DragIcon as the pointer; until the button is
    // released the control under the pointer gets DragOver, and the release
    // raises DragDrop on it.  End drops where the pointer is; cancel drops nothing.
    void Drag(int action = vbBeginDrag);
    Picture DragIcon() const;
    void setDragIcon(const Picture& value);
    enum OLEDropModeValue { vbOLEDropNone = 0, vbOLEDropManual = 1 };
    // Manual: files dragged from the desktop raise OLEDragOver and OLEDragDrop
    // here; none: they go to the window.
    int OLEDropMode() const;
    void setOLEDropMode(int value);

    Event<> Click{"Click"};
    Event<> DblClick{"DblClick"};
    Event<int, int, float, float> MouseDown{"MouseDown"};
    Event<int, int, float, float> MouseMove{"MouseMove"};
    Event<int, int, float, float> MouseUp{"MouseUp"};
    Event<int&, int> KeyDown{"KeyDown"};
    Event<int&, int> KeyUp{"KeyUp"};
    Event<int&> KeyPress{"KeyPress"};
    Event<> GotFocus{"GotFocus"};
    Event<> LostFocus{"LostFocus"};
    Event<Control&, float, float, int> DragOver{"DragOver"};
    Event<Control&, float, float> DragDrop{"DragDrop"};
    // Data, Effect (in: what the desktop allows; out: what the control does),
    // Button, Shift, X, Y and, for OLEDragOver, State.
    Event<DataObject&, int&, int, int, float, float, int> OLEDragOver{"OLEDragOver"};
    Event<DataObject&, int&, int, int, float, float> OLEDragDrop{"OLEDragDrop"};

    QWidget* widget() const { return widget_; }
    // The control a widget was attached to, or nullptr for any other widget.
    static Control* ofWidget(const QWidget* widget);
    // The widget that holds child controls (frames and picture boxes).
    virtual QWidget* childArea() const { return widget_; }
    // The widget whose top-left corner mouse coordinates count from (a list's
    // rows area, inside its border).
    virtual QWidget* clientWidget() const { return widget_; }

    // The form keeps every control's design state and puts it back on unload.
    virtual void captureDesign();
    virtual void restoreDesign();
    // Told when the owning window has been loaded or unloaded (timers start and stop).
    virtual void formLoadChanged(bool loaded) { (void)loaded; }

    // Input from the widget, in the units handlers expect; screen is where on
    // the screen it happened (pixels), the pointer's place now when not told.
    void deliverMouse(int kind, int button, int shift, float x, float y,
                      std::optional<QPoint> screen = std::nullopt);
    void deliverKeyDown(int& keyCode, int shift);
    void deliverKeyUp(int& keyCode, int shift);
    void deliverKeyPress(int& keyAscii);
    // What the control itself does with a key its KeyDown handlers let
    // through (a list moves its selection); true when the key is used up.
    virtual bool keyAction(int keyCode, int shift) { return (void)keyCode, (void)shift, false; }

    enum MouseKind { kMouseDown, kMouseMove, kMouseUp, kClick, kDblClick };

  protected:
    // Loads the owning window when it is unloaded.
    void touch() const;
    bool enabledState() const { return state_.enabled; }
    // Registers a part of a derived control's state that returns to its
    // design value on unload (the widget is refreshed after).
    template <class S>
    void keepDesign(S& live) {
        auto saved = std::make_shared<S>(live);
        designParts_.push_back(
            {[&live, saved] { *saved = live; }, [&live, saved] { live = *saved; }});
    }
    // True while the window builds its design state or puts it back: no events.
    bool quiet() const;
    // Gives the control its widget (owned by the window's widget tree).
    // ownsInput: the control does all a click or key does on it itself.
    void attachWidget(QWidget* widget, bool windowed, bool ownsInput = false);
    // Shows the whole model on the widget again (after a design restore).
    virtual void refreshWidget();
    virtual void applyFont();
    virtual void applyColors();
    // Whether a plain click on the widget raises Click (lists and buttons raise it themselves).
    virtual bool clickOnRelease() const { return true; }
    // A button pressed on the control, before its MouseDown; a left button
    // released, before its MouseUp (lists select and click there).
    virtual void pressed(int button, float x, float y) { (void)button, (void)x, (void)y; }
    virtual void releasing() {}
    // Layers within a container, bottom first: pictures and shapes, labels, windowed controls.
    enum StackBand { kGraphicBand, kTextBand, kWindowedBand };
    virtual StackBand stackBand() const { return hwnd_ ? kWindowedBand : kGraphicBand; }
    // Puts the control widgets of a container into their layers, keeping their order within each.
    void restack() const;
    // Told after a write has changed the width or height.
    virtual void sizeChanged() {}

  private:
    struct State {
        float left = 0, top = 0, width = 1200, height = 495;
        bool visible = true;
        bool enabled = true;
        QString tag;
        QString toolTip;
        int mousePointer = 0;
        Picture mouseIcon;
        OleColor foreColor = 0x80000012;
        OleColor backColor = 0x8000000F;
        FontSpec font;
        Picture dragIcon;
        int oleDropMode = vbOLEDropNone;
    };
    void applyGeometry();
    // Geometry is kept in twips; the container may measure in other units.
    float containerScale() const { return container_ ? container_->twipsPerScaleUnit() : 1.0f; }
    void place(float left, float top, float width, float height);
    void applyCursor();

    Form& form_;
    QString name_;
    int index_ = -1;
    Control* container_ = nullptr;
    QPointer<QWidget> widget_;
    int hwnd_ = 0;
    // The press that follows a double-click's first release gives no second Click.
    bool inDoubleClick_ = false;
    State state_;
    State design_;
    Control* designContainer_ = nullptr;
    std::vector<std::pair<std::function<void()>, std::function<void()>>> designParts_;
};

}  // namespace ui
