#include "platform/ui/Application.h"

#include <QGuiApplication>
#include <QScreen>
#include <atomic>
#include <cstdio>
#include <cstdlib>

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

void Application::endProcess(int code) {
    for (const auto& action : atEnd_)
        action();
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
