#include "platform/ui/Application.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>

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
}

Form* Application::formByHandle(int hWnd) const {
    for (const auto& f : forms_)
        if (f && f->hWnd() == hWnd) return f.get();
    return nullptr;
}

void Application::notePress(Form& form, Control* control, int button) {
    pressed_ = {&form, control, button};
}

void Application::forgetControl(const Control* control) {
    if (pressed_.control == control) pressed_ = {};
}

}  // namespace ui
