#include "platform/ui/MoveLoop.h"

#include <QWidget>
#include <algorithm>

#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/Twips.h"

namespace ui {

Rect proposedRect(const Rect& start, QPoint travel, int hitCode) {
    Rect r = start;
    if (hitCode == HTCAPTION) {
        r.left += travel.x();
        r.top += travel.y();
    }
    r.right += travel.x();
    r.bottom += travel.y();
    return r;
}

namespace {

QPoint pressPoint(Application& app) {
    return app.pressed().form ? app.pressed().at : app.pointer().GetCursorPos();
}

}  // namespace

MoveLoop::MoveLoop(Form& window, int hitCode)
    : window_(window),
      hitCode_(hitCode),
      start_(windowRect(window)),
      startPointer_(pressPoint(window.application())),
      last_(startPointer_) {}

MoveLoop::~MoveLoop() {
    window_.application().pointer().letGo();
}

bool MoveLoop::windowGone() const {
    return !window_.isLoaded() || !window_.Visible();
}

// The procedure is copied first: it may replace itself while it runs.
bool MoveLoop::send(unsigned msg, int wParam, Rect* rect) {
    bool answered = false;
    const WindowProc proc = window_.windowProc();
    dispatchEvent("WindowProc", [&] {
        CallWindowProcA(proc, window_.hWnd(), msg, wParam, rect);
        answered = true;
    });
    return answered;
}

bool MoveLoop::begin() {
    running_ = true;
    window_.application().pointer().holdAt(startPointer_);
    send(WM_ENTERSIZEMOVE, 0, nullptr);
    if (windowGone()) finish();
    return running_;
}

bool MoveLoop::step(QPoint pointer) {
    if (running_ && windowGone()) finish();
    if (!running_) return false;
    window_.application().pointer().holdAt(pointer);
    last_ = pointer;
    const Rect proposed = proposedRect(start_, pointer - startPointer_, hitCode_);
    // The hook rewrites a copy: one that fails part-way leaves the proposal as it was.
    Rect rewritten = proposed;
    const bool answered =
        send(sizing() ? WM_SIZING : WM_MOVING, sizing() ? WMSZ_BOTTOMRIGHT : 0, &rewritten);
    if (windowGone()) {
        finish();
        return false;
    }
    apply(answered ? rewritten : proposed);
    return running_;
}

// A move keeps the window's size; a size keeps at least one pixel each way.
void MoveLoop::apply(Rect r) {
    if (!sizing()) {
        window_.Move(toTwips(r.left), toTwips(r.top));
        return;
    }
    r.right = std::max(r.right, r.left + 1);
    r.bottom = std::max(r.bottom, r.top + 1);
    window_.Move(toTwips(r.left), toTwips(r.top), toTwips(r.width()), toTwips(r.height()));
}

void MoveLoop::finish() {
    if (!running_) return;
    running_ = false;
    if (window_.isLoaded()) send(WM_EXITSIZEMOVE, 0, nullptr);
    window_.application().pointer().letGo();
}

// The desktop may fold a drag's moves into the release: where the button
// comes up, away from the last step, is one step more.
void MoveLoop::release(QPoint pointer, int shift) {
    if (!running_) return;
    if (pointer != last_) step(pointer);
    window_.application().pointer().holdAt(pointer);
    finish();
    deliverMouseUp(pointer, shift);
}

// The button-up the loop took goes back to what was pressed, in its own twips.
void MoveLoop::deliverMouseUp(QPoint pointer, int shift) {
    Application& app = window_.application();
    const Application::Pressed pressed = app.pressed();
    app.noteRelease();
    if (!pressed.form || !pressed.form->isLoaded()) return;
    const Rect frame = windowRect(*pressed.form);
    QPoint local = pointer - QPoint(frame.left, frame.top);
    if (pressed.control && pressed.control->widget())
        local = pressed.control->widget()->mapFrom(pressed.form->widget(), local);
    const float x = toTwips(local.x());
    const float y = toTwips(local.y());
    if (pressed.control) {
        pressed.control->MouseUp.raise(pressed.button, shift, x, y);
        return;
    }
    Form& form = *pressed.form;
    dispatchEvent("Form_MouseUp", [&] { form.Form_MouseUp(pressed.button, shift, x, y); });
}

}  // namespace ui
