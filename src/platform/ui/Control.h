#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/Event.h"
#include "platform/ui/Picture.h"

namespace ui {

class Form;

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

    // Window handle of windowed controls (frames, picture boxes, lists, text
    // boxes...), 0 for the others.
    virtual int hWnd() const { return hwnd_; }
    void SetFocus();
    void ZOrder(int position = 0);

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

    QWidget* widget() const { return widget_; }
    // The widget that holds child controls (frames and picture boxes).
    virtual QWidget* childArea() const { return widget_; }

    // The form keeps every control's design state and puts it back on unload.
    virtual void captureDesign();
    virtual void restoreDesign();
    // Told when the owning window has been loaded or unloaded (timers start and stop).
    virtual void formLoadChanged(bool loaded) { (void)loaded; }

    // Input from the widget, in the units handlers expect.
    void deliverMouse(int kind, int button, int shift, float x, float y);
    void deliverKeyDown(int& keyCode, int shift);
    void deliverKeyUp(int& keyCode, int shift);
    void deliverKeyPress(int& keyAscii);

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
    void attachWidget(QWidget* widget, bool windowed);
    // Shows the whole model on the widget again (after a design restore).
    virtual void refreshWidget();
    virtual void applyFont();
    virtual void applyColors();
    // Whether a plain click on the widget raises Click (lists and buttons raise it themselves).
    virtual bool clickOnRelease() const { return true; }

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
    };
    void applyGeometry();
    void applyCursor();

    Form& form_;
    QString name_;
    int index_ = -1;
    Control* container_ = nullptr;
    QPointer<QWidget> widget_;
    int hwnd_ = 0;
    State state_;
    State design_;
    Control* designContainer_ = nullptr;
    std::vector<std::pair<std::function<void()>, std::function<void()>>> designParts_;
};

}  // namespace ui
