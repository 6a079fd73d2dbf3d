#include "platform/ui/Application.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/ui/Twips.h"

namespace ui {

Application::Application(std::unique_ptr<Clock> clock, std::unique_ptr<Dialogs> dialogs)
    : clock_(std::move(clock)), dialogs_(std::move(dialogs)), end_([](int code) {
          std::fflush(nullptr);
          std::_Exit(code);
      }) {}

Application::~Application() {
    modules_.clear();
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

std::vector<Form*> Application::createdForms() const {
    std::vector<Form*> made;
    for (const auto& f : forms_)
        if (f) made.push_back(f.get());
    return made;
}

void Application::endProcess(int code) {
    end_(code);
    std::abort();
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
    drag_.forget(control);
}

Control* Application::controlOf(const QWidget* widget) const {
    for (const auto& form : forms_) {
        if (!form) continue;
        for (Control* c : form->controls())
            if (c->widget() == widget || c->clientWidget() == widget) return c;
    }
    return nullptr;
}

float Application::screenWidth() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? toTwips(s->geometry().width()) : toTwips(1024);
}

float Application::screenHeight() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? toTwips(s->geometry().height()) : toTwips(768);
}

QRect Application::workAreaPixels() const {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

}  // namespace ui
