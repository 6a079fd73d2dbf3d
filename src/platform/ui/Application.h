#pragma once

#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>
#include <type_traits>
#include <vector>

#include "platform/clock/Clock.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/DragSession.h"
#include "platform/ui/Form.h"
#include "platform/ui/Pointer.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WindowHandles.h"

namespace ui {

// Owns one instance of every window and module of the program, the
// application clock and the dialog seam.  Nothing else is global: a test makes
// a fresh application for each case.
class Application {
  public:
    Application(std::unique_ptr<Clock> clock, std::unique_ptr<Dialogs> dialogs);
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    Clock& clock() const { return *clock_; }
    Dialogs& dialogs() const { return *dialogs_; }
    WindowHandles& handles() { return handles_; }
    Pointer& pointer() { return pointer_; }
    DragSession& drag() { return drag_; }

    // The window of type T, created and loaded on first use (touching an
    // unloaded window loads it again).
    template <class T>
    T& form() {
        Form& f = formSlot(typeSlot<T>(), [this] { return std::unique_ptr<Form>(new T(*this)); });
        f.ensureLoaded();
        return static_cast<T&>(f);
    }
    // Every window made so far, loaded or not, without loading any.
    std::vector<Form*> createdForms() const;
    // Asks without loading.
    template <class T>
    bool isLoaded() const {
        const std::size_t slot = typeSlot<T>();
        return slot < forms_.size() && forms_[slot] && forms_[slot]->isLoaded();
    }
    // A module's single instance, created on first use.
    template <class T>
    T& module() {
        std::shared_ptr<void>& slot = moduleSlot(typeSlot<T>());
        if (!slot) slot = std::shared_ptr<T>(new T(*this));
        return *static_cast<T*>(slot.get());
    }
    // Tests put a watching subclass in the place of a window or a module
    // before its first use: provideForm<Main>(...), the type always named.
    // Throws std::logic_error when it is made already.
    template <class T>
    void provideForm(std::unique_ptr<std::type_identity_t<T>> form) {
        formSlot(typeSlot<T>(), [&] { return std::unique_ptr<Form>(std::move(form)); });
        if (form) throw std::logic_error("window made already");
    }
    template <class T>
    void provideModule(std::unique_ptr<std::type_identity_t<T>> module) {
        std::shared_ptr<void>& slot = moduleSlot(typeSlot<T>());
        if (slot) throw std::logic_error("module made already");
        slot = std::shared_ptr<T>(std::move(module));
    }

    // The folder and argument text the program was started with.
    const QString& path() const { return path_; }
    void setPath(const QString& path) { path_ = path; }
    const QString& commandLine() const { return commandLine_; }
    void setCommandLine(const QString& text) { commandLine_ = text; }

    // Ends the process at once, without any further handler but the actions
    // given to atProcessEnd.  Tests replace the ending with one that throws
    // ProcessExit.
    [[noreturn]] void endProcess(int code);
    void setProcessEnd(std::function<void(int)> end) { end_ = std::move(end); }
    // Runs just before every ending, the tests' one included: for what must
    // not outlive the process.
    void atProcessEnd(std::function<void()> action) { atEnd_.push_back(std::move(action)); }

    // Runs the handler, on the application clock just after the code that
    // hid a window, when none of the program's windows shows any more (a
    // modal dialog counts as showing).
    void setWhenNoWindowShows(std::function<void()> handler) { noWindow_ = std::move(handler); }
    // Told by a window that it has just been hidden.
    void noteWindowHidden();

    // Runs what is waiting in the event queue (queued activations, input,
    // repaints) and returns; timers of a manual clock do not move.
    void DoEvents();

    // The program's own window that is active, or nullptr.
    Form* activeForm() const { return active_; }
    // Called as the desktop activates one of the program's windows; raises
    // Deactivate and Activate only for a switch between its own windows.
    void noteActivated(Form& form);
    // A hidden window is no longer the active one, so showing it again
    // activates it anew.
    void noteHidden(Form& form);

    // The control that has the focus, or nullptr.
    Control* focusedControl() const { return focused_; }
    // Moves the focus: LostFocus of the control that had it, then GotFocus of
    // the new one, at once.  A LostFocus handler that moves the focus itself
    // wins: the control first asked for gets no GotFocus.
    void moveFocus(Control& to);
    // A control going away or its window unloading: focus, drag and the
    // pressed target forget it.
    void forgetControl(const Control& control);
    // The control whose widget (or rows area) this is, or nullptr.
    Control* controlOf(const QWidget* widget) const;

    // The screen and its work area, in twips.
    float screenWidth() const;
    float screenHeight() const;
    QRect workAreaPixels() const;
    Screen& screen() { return screen_; }
    const Screen& screen() const { return screen_; }

    // The loaded windows in the order they were loaded (a reload goes last).
    const std::vector<Form*>& Forms() const { return loaded_; }
    void noteLoaded(Form& form, bool loaded);
    // The window behind a handle, or nullptr.
    Form* formByHandle(int hWnd) const;

    // The control (nullptr for the window's own background) whose mouse
    // button is down, and where on the screen (pixels) it went down; the move
    // loop measures from there and hands the control the release.
    struct Pressed {
        Form* form = nullptr;
        Control* control = nullptr;
        int button = 0;
        QPoint at;
    };
    const Pressed& pressed() const { return pressed_; }
    void notePress(Form& form, Control* control, int button, QPoint at);
    void noteRelease() { pressed_ = {}; }

  private:
    // Windows and modules are looked up very often (every tick touches
    // several): by a small number per type rather than by name.
    static std::size_t nextTypeSlot();
    template <class T>
    static std::size_t typeSlot() {
        static const std::size_t slot = nextTypeSlot();
        return slot;
    }
    Form& formSlot(std::size_t slot, const std::function<std::unique_ptr<Form>()>& make);
    std::shared_ptr<void>& moduleSlot(std::size_t slot);
    bool anyWindowShows() const;

    std::unique_ptr<Clock> clock_;
    std::unique_ptr<Dialogs> dialogs_;
    WindowHandles handles_;
    Pointer pointer_{handles_};
    DragSession drag_{*this};
    Control* focused_ = nullptr;
    Control* focusTarget_ = nullptr;
    QString path_;
    QString commandLine_;
    std::function<void(int)> end_;
    std::function<void()> noWindow_;
    int noWindowCheck_ = 0;
    std::vector<std::function<void()>> atEnd_;
    Form* active_ = nullptr;
    Screen screen_;
    std::vector<Form*> loaded_;
    Pressed pressed_;
    std::vector<std::unique_ptr<Form>> forms_;
    std::vector<std::shared_ptr<void>> modules_;
};

}  // namespace ui
