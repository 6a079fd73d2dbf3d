#include "platform/ui/DragSession.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWidget>

#include "platform/ui/Application.h"
#include "platform/ui/Control.h"
#include "platform/ui/Twips.h"

namespace ui {

namespace {

QPointF twipsAt(const Control& control, QPoint screen) {
    const QPoint local = control.clientWidget()->mapFromGlobal(screen);
    return {toTwips(local.x()), toTwips(local.y())};
}

}  // namespace

DragSession::~DragSession() {
    end();
}

void DragSession::begin(Control& source) {
    end();
    source_ = &source;
    const Picture icon = source.DragIcon();
    QGuiApplication::setOverrideCursor(icon.isEmpty() ? QCursor(Qt::DragMoveCursor)
                                                      : QCursor(icon.pixmap()));
}

void DragSession::end() {
    if (!source_) return;
    source_ = nullptr;
    over_ = nullptr;
    QGuiApplication::restoreOverrideCursor();
}

void DragSession::cancel() {
    end();
}

Control* DragSession::controlAt(QPoint screen) const {
    for (QWidget* w = app_.pointer().widgetAt(screen); w; w = w->parentWidget())
        if (Control* c = app_.controlOf(w)) return c;
    return nullptr;
}

void DragSession::move(QPoint screen) {
    if (!source_) return;
    Control& source = *source_;
    Control* target = controlAt(screen);
    if (over_ && over_ != target) {
        const QPointF p = twipsAt(*over_, screen);
        over_->DragOver.raise(source, p.x(), p.y(), Control::vbLeave);
    }
    if (!target || source_ != &source) return;
    const int state = target == over_ ? Control::vbOver : Control::vbEnter;
    over_ = target;
    const QPointF p = twipsAt(*target, screen);
    target->DragOver.raise(source, p.x(), p.y(), state);
}

void DragSession::drop(QPoint screen) {
    if (!source_) return;
    Control& source = *source_;
    Control* target = controlAt(screen);
    end();
    if (!target) return;
    const QPointF p = twipsAt(*target, screen);
    target->DragDrop.raise(source, p.x(), p.y());
}

void DragSession::forget(const Control& control) {
    if (source_ == &control) end();
    if (over_ == &control) over_ = nullptr;
}

}  // namespace ui
