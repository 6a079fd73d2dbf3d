#pragma once

#include <QAnyStringView>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/Control.h"
#include "platform/ui/OwnerDraw.h"
#include "platform/ui/WindowMessages.h"

class QWidget;
class QIcon;

namespace ui {

class Application;
class Menu;
class FormWidget;

// A window of the program.  Each one exists once, for the life of the
// application; it is loaded on first use and unloading puts every control and
// property back to its design value, so it may be loaded again later (and may
// unload itself inside one of its own handlers).
class Form {
  public:
    enum class State { Building, Unloaded, Loaded, Unloading };
    enum UnloadMode {
        vbFormControlMenu = 0,
        vbFormCode = 1,
        vbAppWindows = 2,
        vbAppTaskManager = 3
    };
    enum WindowStateValue { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };
    enum BorderStyleValue {
        vbBSNone = 0,
        vbFixedSingle = 1,
        vbSizable = 2,
        vbFixedDialog = 3,
        vbFixedToolWindow = 4
    };

    Form(Application& app, QString name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Application& application() const { return app_; }
    const QString& Name() const { return name_; }

    bool isLoaded() const { return state_ == State::Loaded; }
    State state() const { return state_; }
    // Loads the window if it is unloaded (what touching it does).
    void ensureLoaded();
    // Unloads the window: QueryUnload and Unload may cancel; then its timers
    // stop and every value returns to its design value.  Returns false when cancelled.
    bool Unload(UnloadMode mode = vbFormCode);
    // Called once by the application after the window's constructor has set
    // its design values.
    void finishDesign();

    // Showing a window that already shows neither raises nor activates it.
    void Show(int modal = 0);
    void Hide();

    bool Visible() const;
    void setVisible(bool value);
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
    // A window lying wholly outside every screen comes onto the nearest one.
    void bringWithinReach();
    float ScaleWidth() const { return Width(); }
    float ScaleHeight() const { return Height(); }
    QString Caption() const;
    void setCaption(const QString& value);
    int WindowState() const;
    void setWindowState(int value);
    // A disabled window takes no mouse or key input.
    bool Enabled() const;
    void setEnabled(bool value);
    OleColor BackColor() const;
    void setBackColor(OleColor value);
    QString IconPath() const;
    void setIconPath(const QString& path);
    bool KeyPreview() const { return keyPreview_; }
    int BorderStyle() const { return borderStyle_; }
    bool ShowInTaskbar() const { return showInTaskbar_; }

    int hWnd() const { return hwnd_; }
    QWidget* widget() const;

    // Shows a menu at a point (twips, relative to the window; -1 for the
    // mouse position) and returns after the chosen item's Click ran.  A menu
    // without a visible item shows nothing.
    void PopupMenu(Menu& menu, int flags = 0, float x = -1, float y = -1);

    // The window procedure (see SetWindowLongA) and the owner-draw hook of
    // the window's pop-up menus.
    const WindowProc& windowProc() const { return windowProc_; }
    WindowProc setWindowProc(WindowProc proc);
    const OwnerDraw& ownerDraw() const { return ownerDraw_; }
    void setOwnerDraw(OwnerDraw hook) { ownerDraw_ = std::move(hook); }

    // Event handlers a window overrides.
    virtual void Form_Load() {}
    virtual void Form_Unload(int& Cancel) { (void)Cancel; }
    virtual void Form_QueryUnload(int& Cancel, int UnloadMode) { (void)Cancel, (void)UnloadMode; }
    virtual void Form_Resize() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    // The desktop took the activation away from this window.
    virtual void Form_LostFocus() {}
    virtual void Form_Paint() {}
    virtual void Form_KeyDown(int& KeyCode, int Shift) { (void)KeyCode, (void)Shift; }
    virtual void Form_KeyUp(int& KeyCode, int Shift) { (void)KeyCode, (void)Shift; }
    virtual void Form_KeyPress(int& KeyAscii) { (void)KeyAscii; }
    virtual void Form_MouseDown(int Button, int Shift, float X, float Y) {
        (void)Button, (void)Shift, (void)X, (void)Y;
    }
    virtual void Form_MouseMove(int Button, int Shift, float X, float Y) {
        (void)Button, (void)Shift, (void)X, (void)Y;
    }
    virtual void Form_MouseUp(int Button, int Shift, float X, float Y) {
        (void)Button, (void)Shift, (void)X, (void)Y;
    }
    virtual void Form_Click() {}
    virtual void Form_DblClick() {}

    // Used by controls and the window's widget.
    const std::vector<Control*>& controls() const { return controls_; }
    // The control of that name (and array index, -1 for none), or nullptr.
    Control* findControl(QAnyStringView name, int index = -1) const;
    void registerControl(Control* control);
    void unregisterControl(Control* control);
    void registerDesignPart(std::function<void()> capture, std::function<void()> restore);
    // A value of the window itself that returns to its design value on unload.
    template <class S>
    void keepDesign(S& live) {
        auto saved = std::make_shared<S>(live);
        registerDesignPart([&live, saved] { *saved = live; }, [&live, saved] { live = *saved; });
    }
    void syncGeometryFromWidget(int x, int y, int width, int height);
    void syncWindowStateFromWidget(int state);
    void requestClose();
    void raiseResize();

  protected:
    // Design values that only the window's constructor sets.
    void setKeyPreview(bool on) { keyPreview_ = on; }
    void setBorderStyle(int style);
    // False makes a tool window: no button on the task bar.
    void setShowInTaskbar(bool on);

  private:
    struct Props {
        float left = 0, top = 0, width = 4800, height = 3600;
        bool visible = false;
        QString caption;
        int windowState = vbNormal;
        bool enabled = true;
        OleColor backColor = 0x8000000F;
        QString iconPath;
    };
    void load();
    // Reading a property of an unloaded window loads it, as writing does.
    void touch() const { const_cast<Form*>(this)->ensureLoaded(); }
    void applyToWidget();
    void applyGeometry();
    void setSize(float width, float height);

    Application& app_;
    QString name_;
    State state_ = State::Building;
    std::unique_ptr<FormWidget> widget_;
    int hwnd_ = 0;
    Props props_;
    Props design_;
    bool keyPreview_ = false;
    int borderStyle_ = vbSizable;
    bool showInTaskbar_ = true;
    bool shownSinceLoad_ = false;
    std::vector<Control*> controls_;
    WindowProc windowProc_;
    OwnerDraw ownerDraw_;
    std::vector<std::pair<std::function<void()>, std::function<void()>>> designParts_;
};

}  // namespace ui
