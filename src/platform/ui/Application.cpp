#include "platform/ui/Application.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace ui {

Application::Application(std::unique_ptr<Clock> clock, std::unique_ptr<Dialogs> dialogs)
    : clock_(std::move(clock)), dialogs_(std::move(dialogs)), end_([](int code) {
          std::fflush(nullptr);
          std::_Exit(code);
      }) {}

Application::~Application() {
    modules_.clear();
    loaded_.clear();
    forms_.clear();
}

std::size_t Application::nextTypeSlot() {
    static std::atomic<std::size_t> next{0};
    return next++;
}

Form& Application::formSlot(std::size_t slot, const std::function<std::unique_ptr<Form>()>& make) {
    if (slot >= forms_.size()) forms_.resize(slot + 1);
    if (forms_[slot]) return *forms_[slot];
    forms_[slot] = make();
    forms_[slot]->finishDesign();
    return *forms_[slot];
}

std::shared_ptr<void>& Application::moduleSlot(std::size_t slot) {
    if (slot >= modules_.size()) modules_.resize(slot + 1);
    return modules_[slot];
}

std::vector<Form*> Application::createdForms() const {
    std::vector<Form*> made;
    for (const auto& f : forms_)
        if (f) made.push_back(f.get());
    return made;
}

void Application::endProcess(int code) {
    for (const auto& action : atEnd_)
        action();
    end_(code);
    std::abort();
}

// A window is often hidden just before another one shows (a mode switch), so
// the question waits until the code that hid it has finished.
void Application::noteWindowHidden() {
    if (!noWindow_ || noWindowCheck_ != 0) return;
    noWindowCheck_ = clock_->startTimer(0, [this] {
        clock_->stopTimer(noWindowCheck_);
        noWindowCheck_ = 0;
        if (!anyWindowShows()) noWindow_();
    });
}

bool Application::anyWindowShows() const {
    if (QApplication::activeModalWidget()) return true;
    return std::any_of(forms_.begin(), forms_.end(), [](const std::unique_ptr<Form>& f) {
        return f && f->isLoaded() && f->widget()->isVisible();
    });
}

void Application::noteHidden(Form& form) {
    if (active_ == &form) active_ = nullptr;
}

void Application::DoEvents() {
    QCoreApplication::processEvents();
}

void Application::noteActivated(Form& form) {
    if (&form == active_) return;
    Form* previous = active_;
    active_ = &form;
    if (previous && previous->isLoaded())
        dispatchEvent("Form_Deactivate", [previous] { previous->Form_Deactivate(); });
    dispatchEvent("Form_Activate", [&form] { form.Form_Activate(); });
}

void Application::moveFocus(Control& to) {
    focusTarget_ = &to;
    if (focused_ == &to) return;
    if (Control* from = std::exchange(focused_, nullptr)) {
        from->LostFocus.raise();
        if (focusTarget_ != &to) return;
    }
    focused_ = &to;
    if (QWidget* w = to.widget()) w->setFocus(Qt::OtherFocusReason);
    to.GotFocus.raise();
}

void Application::forgetControl(const Control& control) {
    if (focused_ == &control) focused_ = nullptr;
    if (focusTarget_ == &control) focusTarget_ = nullptr;
    if (pressed_.control == &control) pressed_ = {};
    drag_.forget(control);
}

// A rows area lies inside its control's widget, so the nearest control
// widget above it is the one to ask.
Control* Application::controlOf(const QWidget* widget) const {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (Control* c = Control::ofWidget(w))
            return w == widget || c->clientWidget() == widget ? c : nullptr;
    return nullptr;
}

float Application::screenWidth() const {
    return screen_.Width();
}

float Application::screenHeight() const {
    return screen_.Height();
}

QRect Application::workAreaPixels() const {
    return screen_.workAreaPixels();
}

void Application::noteLoaded(Form& form, bool loaded) {
    loaded_.erase(std::remove(loaded_.begin(), loaded_.end(), &form), loaded_.end());
    if (loaded) loaded_.push_back(&form);
    if (!loaded && pressed_.form == &form) pressed_ = {};
    // A window loaded again activates anew when shown.
    if (!loaded && active_ == &form) active_ = nullptr;
}

Form* Application::formByHandle(int hWnd) const {
    for (const auto& f : forms_)
        if (f && f->hWnd() == hWnd) return f.get();
    return nullptr;
}

void Application::notePress(Form& form, Control* control, int button, QPoint at) {
    pressed_ = {&form, control, button, at};
}

}  // namespace ui
