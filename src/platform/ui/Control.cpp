#include "platform/ui/Control.h"

#include <QWidget>
#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/ui/Application.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Form.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Twips.h"
#include "platform/ui/WidgetInput.h"

namespace ui {

namespace {

// The widget property that leads from a control's widget back to the control.
constexpr char kOwnerProperty[] = "plenkControl";

}  // namespace

Control* Control::ofWidget(const QWidget* widget) {
    return widget ? static_cast<Control*>(widget->property(kOwnerProperty).value<void*>())
                  : nullptr;
}

Control::Control(Form& form, QString name) : form_(form), name_(std::move(name)) {
    form_.registerControl(this);
}

Control::~Control() {
    form_.application().forgetControl(*this);
    form_.unregisterControl(this);
    if (hwnd_) form_.application().handles().remove(hwnd_);
    delete widget_.data();
}

void Control::touch() const {
    form_.ensureLoaded();
}

bool Control::quiet() const {
    return form_.state() == Form::State::Building || form_.state() == Form::State::Unloading;
}

void Control::attachWidget(QWidget* widget, bool windowed, bool ownsInput) {
    widget_ = widget;
    widget->setProperty(kOwnerProperty, QVariant::fromValue(static_cast<void*>(this)));
    widget->setParent(form_.widget());
    widget->setMouseTracking(true);
    // A click on a control is the control's, never its container's as well.
    widget->setAttribute(Qt::WA_NoMousePropagation);
    widget->installEventFilter(new WidgetInput(*this, widget, ownsInput));
    if (windowed) hwnd_ = form_.application().handles().add(widget);
    refreshWidget();
    restack();
}

void Control::restack() const {
    QWidget* container = widget_ ? widget_->parentWidget() : nullptr;
    if (!container) return;
    std::vector<std::pair<QWidget*, StackBand>> layers;
    for (QObject* child : container->children()) {
        const auto* w = qobject_cast<QWidget*>(child);
        if (const Control* c = ofWidget(w); c && &c->form_ == &form_)
            layers.emplace_back(c->widget(), c->stackBand());
    }
    std::stable_sort(layers.begin(), layers.end(),
                     [](const auto& a, const auto& b) { return a.second < b.second; });
    for (const auto& layer : layers)
        layer.first->raise();
}

void Control::refreshWidget() {
    if (!widget_) return;
    QWidget* parent = container_ ? container_->childArea() : form_.widget();
    if (widget_->parentWidget() != parent) {
        widget_->setParent(parent);
        restack();
    }
    applyGeometry();
    widget_->setVisible(state_.visible);
    widget_->setEnabled(state_.enabled);
    widget_->setToolTip(state_.toolTip);
    if (QWidget* client = clientWidget()) client->setAcceptDrops(state_.oleDropMode != 0);
    applyCursor();
    applyFont();
    applyColors();
}

void Control::applyGeometry() {
    if (!widget_) return;
    widget_->setGeometry(toPixels(state_.left), toPixels(state_.top), toPixels(state_.width),
                         toPixels(state_.height));
}

void Control::applyFont() {
    if (widget_) widget_->setFont(toQFont(state_.font));
}

void Control::applyColors() {
    if (widget_) applyPaletteColors(*widget_, state_.foreColor, state_.backColor);
}

float Control::Left() const {
    return touch(), state_.left / containerScale();
}
float Control::Top() const {
    return touch(), state_.top / containerScale();
}
float Control::Width() const {
    return touch(), state_.width / containerScale();
}
float Control::Height() const {
    return touch(), state_.height / containerScale();
}

void Control::setLeft(float value) {
    touch();
    place(value * containerScale(), state_.top, state_.width, state_.height);
}
void Control::setTop(float value) {
    touch();
    place(state_.left, value * containerScale(), state_.width, state_.height);
}
void Control::setWidth(float value) {
    touch();
    place(state_.left, state_.top, value * containerScale(), state_.height);
}
void Control::setHeight(float value) {
    touch();
    place(state_.left, state_.top, state_.width, value * containerScale());
}
void Control::Move(float left, float top) {
    touch();
    const float s = containerScale();
    place(left * s, top * s, state_.width, state_.height);
}

void Control::Move(float left, float top, float width, float height) {
    touch();
    const float s = containerScale();
    place(left * s, top * s, width * s, height * s);
}

void Control::place(float left, float top, float width, float height) {
    if (!(width >= 0) || !(height >= 0) || !std::isfinite(left + top + width + height))
        throw RuntimeError(kInvalidPropertyValue);
    const bool resized = width != state_.width || height != state_.height;
    state_.left = left;
    state_.top = top;
    state_.width = width;
    state_.height = height;
    applyGeometry();
    if (resized) sizeChanged();
}

float Control::mouseUnits(double pixels) const {
    return static_cast<float>(pixels * kTwipsPerPixel / containerScale());
}

bool Control::Visible() const {
    return touch(), state_.visible;
}

void Control::setVisible(bool value) {
    touch();
    state_.visible = value;
    if (widget_) widget_->setVisible(value);
}

bool Control::Enabled() const {
    return touch(), state_.enabled;
}

void Control::setEnabled(bool value) {
    touch();
    if (value == state_.enabled) return;
    state_.enabled = value;
    if (widget_) widget_->setEnabled(value);
}

QString Control::Tag() const {
    return touch(), state_.tag;
}
void Control::setTag(const QString& value) {
    touch(), state_.tag = value;
}
QString Control::ToolTipText() const {
    return touch(), state_.toolTip;
}

void Control::setToolTipText(const QString& value) {
    touch();
    state_.toolTip = value;
    if (widget_) widget_->setToolTip(value);
}

int Control::MousePointer() const {
    return touch(), state_.mousePointer;
}

void Control::setMousePointer(int value) {
    touch();
    cursorFor(value);
    state_.mousePointer = value;
    applyCursor();
}

Picture Control::MouseIcon() const {
    return touch(), state_.mouseIcon;
}

void Control::setMouseIcon(const Picture& value) {
    touch();
    state_.mouseIcon = value;
    applyCursor();
}

void Control::applyCursor() {
    if (!widget_) return;
    if (state_.mousePointer == vbDefault)
        widget_->unsetCursor();
    else
        widget_->setCursor(cursorFor(state_.mousePointer, state_.mouseIcon));
}

OleColor Control::ForeColor() const {
    return touch(), state_.foreColor;
}
OleColor Control::BackColor() const {
    return touch(), state_.backColor;
}

void Control::setForeColor(OleColor value) {
    touch();
    state_.foreColor = value;
    applyColors();
}

void Control::setBackColor(OleColor value) {
    touch();
    state_.backColor = value;
    applyColors();
}

FontSpec Control::Font() const {
    return touch(), state_.font;
}

void Control::setFont(const FontSpec& value) {
    touch();
    if (value.size <= 0) throw RuntimeError(kInvalidPropertyValue);
    state_.font = value;
    applyFont();
}

void Control::setFontSize(float size) {
    FontSpec f = Font();
    f.size = size;
    setFont(f);
}

void Control::setFontBold(bool bold) {
    FontSpec f = Font();
    f.bold = bold;
    setFont(f);
}

void Control::setContainer(Control* container) {
    touch();
    container_ = container;
    refreshWidget();
}

bool Control::canTakeFocus() const {
    if (!hwnd_ || !form_.Visible()) return false;
    for (const Control* c = this; c; c = c->container_)
        if (!c->state_.visible || !c->state_.enabled) return false;
    return true;
}

void Control::SetFocus() {
    touch();
    if (!canTakeFocus()) throw RuntimeError(kInvalidCall);
    form_.application().moveFocus(*this);
}

void Control::ZOrder(int position) {
    touch();
    if (!widget_) return;
    if (position == 0)
        widget_->raise();
    else
        widget_->lower();
    restack();
}

void Control::Drag(int action) {
    touch();
    DragSession& drag = form_.application().drag();
    switch (action) {
        case vbCancel:
            if (drag.source() == this) drag.cancel();
            break;
        case vbBeginDrag:
            drag.begin(*this);
            break;
        case vbEndDrag:
            if (drag.source() == this) drag.drop(form_.application().pointer().GetCursorPos());
            break;
        default:
            throw RuntimeError(kInvalidPropertyValue);
    }
}

Picture Control::DragIcon() const {
    return touch(), state_.dragIcon;
}

void Control::setDragIcon(const Picture& value) {
    touch(), state_.dragIcon = value;
}

int Control::OLEDropMode() const {
    return touch(), state_.oleDropMode;
}

void Control::setOLEDropMode(int value) {
    touch();
    if (value != vbOLEDropNone && value != vbOLEDropManual)
        throw RuntimeError(kInvalidPropertyValue);
    state_.oleDropMode = value;
    if (QWidget* w = clientWidget()) w->setAcceptDrops(value == vbOLEDropManual);
}

void Control::captureDesign() {
    design_ = state_;
    designContainer_ = container_;
    for (auto& part : designParts_)
        part.first();
}

void Control::restoreDesign() {
    state_ = design_;
    container_ = designContainer_;
    for (auto& part : designParts_)
        part.second();
    refreshWidget();
}

void Control::deliverMouse(int kind, int button, int shift, float x, float y,
                           std::optional<QPoint> screen) {
    Application& app = form_.application();
    switch (kind) {
        case kMouseDown:
            // A new press: a double-click whose own release never came (a
            // dialog its handler opened took it) holds back no click.
            inDoubleClick_ = false;
            app.notePress(form_, this, button, screen.value_or(app.pointer().GetCursorPos()));
            pressed(button, x, y);
            MouseDown.raise(button, shift, x, y);
            break;
        case kMouseMove:
            MouseMove.raise(button, shift, x, y);
            break;
        case kMouseUp: {
            app.noteRelease();
            // Down, up, Click, DblClick, up: the release of the second press clicks no more.
            const bool click = button == vbLeftButton && !std::exchange(inDoubleClick_, false);
            if (click) releasing();
            MouseUp.raise(button, shift, x, y);
            if (click && clickOnRelease()) Click.raise();
            break;
        }
        case kClick:
            Click.raise();
            break;
        case kDblClick:
            inDoubleClick_ = true;
            DblClick.raise();
            break;
    }
}

// A window with KeyPreview sees the keys of its controls first and may cancel
// them by setting the code to 0.
void Control::deliverKeyDown(int& keyCode, int shift) {
    if (form_.KeyPreview())
        dispatchEvent("Form_KeyDown", [&] { form_.Form_KeyDown(keyCode, shift); });
    if (keyCode != 0) KeyDown.raise(keyCode, shift);
}

void Control::deliverKeyUp(int& keyCode, int shift) {
    if (form_.KeyPreview()) dispatchEvent("Form_KeyUp", [&] { form_.Form_KeyUp(keyCode, shift); });
    if (keyCode != 0) KeyUp.raise(keyCode, shift);
}

void Control::deliverKeyPress(int& keyAscii) {
    if (form_.KeyPreview()) dispatchEvent("Form_KeyPress", [&] { form_.Form_KeyPress(keyAscii); });
    if (keyAscii != 0) KeyPress.raise(keyAscii);
}

}  // namespace ui
