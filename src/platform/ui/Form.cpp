#include "platform/ui/Form.h"

#include <QFileInfo>
#include <QIcon>
#include <QMetaObject>
#include <algorithm>
#include <cmath>

#include "platform/ui/Application.h"
#include "platform/ui/Colors.h"
#include "platform/ui/FormWidget.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Twips.h"

namespace ui {

Form::Form(Application& app, QString name)
    : app_(app), name_(std::move(name)), widget_(std::make_unique<FormWidget>(*this)) {
    hwnd_ = app_.handles().add(widget_.get());
    applyToWidget();
}

Form::~Form() {
    app_.handles().remove(hwnd_);
    // Controls are members of the derived window and are gone by now.
    controls_.clear();
}

QWidget* Form::widget() const {
    return widget_.get();
}

void Form::registerControl(Control* control) {
    controls_.push_back(control);
}

void Form::unregisterControl(Control* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

void Form::registerDesignPart(std::function<void()> capture, std::function<void()> restore) {
    designParts_.emplace_back(std::move(capture), std::move(restore));
}

void Form::finishDesign() {
    for (Control* c : controls_)
        c->captureDesign();
    for (auto& part : designParts_)
        part.first();
    design_ = props_;
    state_ = State::Unloaded;
}

void Form::ensureLoaded() {
    if (state_ == State::Unloaded) load();
}

void Form::load() {
    state_ = State::Loaded;
    app_.noteLoaded(*this, true);
    for (Control* c : std::vector<Control*>(controls_))
        c->formLoadChanged(true);
    dispatchEvent("Form_Load", [this] { Form_Load(); });
}

bool Form::Unload(UnloadMode mode) {
    if (state_ != State::Loaded) return true;
    int cancel = 0;
    dispatchEvent("Form_QueryUnload", [&] { Form_QueryUnload(cancel, mode); });
    if (cancel) return false;
    dispatchEvent("Form_Unload", [&] { Form_Unload(cancel); });
    if (cancel || state_ != State::Loaded) return cancel == 0;
    state_ = State::Unloading;
    const bool wasShown = widget_->isVisible();
    widget_->hide();
    app_.noteLoaded(*this, false);
    ownerDraw_ = {};
    for (Control* c : std::vector<Control*>(controls_)) {
        app_.forgetControl(*c);
        c->formLoadChanged(false);
    }
    for (auto& part : designParts_)
        part.second();
    for (Control* c : std::vector<Control*>(controls_))
        c->restoreDesign();
    props_ = design_;
    applyToWidget();
    shownSinceLoad_ = false;
    state_ = State::Unloaded;
    if (wasShown) app_.noteWindowHidden();
    return true;
}

void Form::applyToWidget() {
    widget_->setWindowTitle(props_.caption);
    widget_->setWindowIcon(props_.iconPath.isEmpty() ? QIcon() : QIcon(props_.iconPath));
    widget_->setEnabled(props_.enabled);
    applyPaletteColors(*widget_, 0x80000012, props_.backColor);
    applyGeometry();
}

void Form::applyGeometry() {
    widget_->move(toPixels(props_.left), toPixels(props_.top));
    widget_->resize(std::max(1, toPixels(props_.width)), std::max(1, toPixels(props_.height)));
}

void Form::Show(int modal) {
    ensureLoaded();
    widget_->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    setVisible(true);
    if (modal) app_.dialogs().runModal(*this);
}

void Form::Hide() {
    ensureLoaded();
    setVisible(false);
}

bool Form::Visible() const {
    return touch(), props_.visible;
}

void Form::setVisible(bool value) {
    ensureLoaded();
    if (value && props_.visible && widget_->isVisible()) return;
    props_.visible = value;
    if (!value) {
        const bool wasShown = widget_->isVisible();
        widget_->hide();
        app_.noteHidden(*this);
        if (wasShown) app_.noteWindowHidden();
        return;
    }
    if (props_.windowState != vbMinimized) widget_->forgetMinimized();
    widget_->show();
    widget_->raise();
    widget_->activateWindow();
    // Without a window manager nothing activates the window: the program's
    // own show does, after the code that showed it.
    QMetaObject::invokeMethod(
        widget_.get(),
        [this] {
            if (isLoaded() && props_.visible) app_.noteActivated(*this);
        },
        Qt::QueuedConnection);
    // A window lays itself out when it is first shown.
    if (!shownSinceLoad_) {
        shownSinceLoad_ = true;
        raiseResize();
    }
}

float Form::Left() const {
    return touch(), props_.left;
}
float Form::Top() const {
    return touch(), props_.top;
}
float Form::Width() const {
    return touch(), props_.width;
}
float Form::Height() const {
    return touch(), props_.height;
}

void Form::setLeft(float value) {
    Move(value, props_.top);
}
void Form::setTop(float value) {
    Move(props_.left, value);
}
void Form::setWidth(float value) {
    setSize(value, props_.height);
}
void Form::setHeight(float value) {
    setSize(props_.width, value);
}

void Form::Move(float left, float top) {
    ensureLoaded();
    if (!std::isfinite(left) || !std::isfinite(top)) throw RuntimeError(kInvalidPropertyValue);
    props_.left = left;
    props_.top = top;
    applyGeometry();
}

void Form::Move(float left, float top, float width, float height) {
    Move(left, top);
    setSize(width, height);
}

void Form::bringWithinReach() {
    const QRectF at(Left(), Top(), Width(), Height());
    const QPointF to = app_.screen().reachable(at).topLeft();
    if (to != at.topLeft()) Move(static_cast<float>(to.x()), static_cast<float>(to.y()));
}

void Form::setSize(float width, float height) {
    ensureLoaded();
    if (!(width >= 0) || !(height >= 0) || std::isinf(width) || std::isinf(height))
        throw RuntimeError(kInvalidPropertyValue);
    if (props_.windowState != vbNormal && (width != props_.width || height != props_.height))
        throw RuntimeError(384, "A form can't be moved or sized while minimized or maximized");
    const bool changed = width != props_.width || height != props_.height;
    props_.width = width;
    props_.height = height;
    applyGeometry();
    if (changed) raiseResize();
}

void Form::raiseResize() {
    if (state_ == State::Loaded) dispatchEvent("Form_Resize", [this] { Form_Resize(); });
}

QString Form::Caption() const {
    return touch(), props_.caption;
}

void Form::setCaption(const QString& value) {
    ensureLoaded();
    if (value == props_.caption) return;
    props_.caption = value;
    widget_->setWindowTitle(value);
}

int Form::WindowState() const {
    return touch(), props_.windowState;
}

void Form::setWindowState(int value) {
    ensureLoaded();
    if (value < vbNormal || value > vbMaximized) throw RuntimeError(kInvalidPropertyValue);
    props_.windowState = value;
    const Qt::WindowStates states[] = {Qt::WindowNoState, Qt::WindowMinimized, Qt::WindowMaximized};
    widget_->setWindowState(states[value]);
}

bool Form::Enabled() const {
    return touch(), props_.enabled;
}

void Form::setEnabled(bool value) {
    ensureLoaded();
    if (value == props_.enabled) return;
    props_.enabled = value;
    widget_->setEnabled(value);
}

OleColor Form::BackColor() const {
    return touch(), props_.backColor;
}

void Form::setBackColor(OleColor value) {
    ensureLoaded();
    props_.backColor = value;
    applyPaletteColors(*widget_, 0x80000012, value);
}

QString Form::IconPath() const {
    return touch(), props_.iconPath;
}

void Form::setIconPath(const QString& path) {
    props_.iconPath = path;
    // Only a file: the icon is read when the window shows, and a pipe there
    // would block the program for good.
    widget_->setWindowIcon(QFileInfo(path).isFile() ? QIcon(path) : QIcon());
}

void Form::setBorderStyle(int style) {
    borderStyle_ = style;
    widget_->setFrameless(style == vbBSNone);
}

void Form::setShowInTaskbar(bool on) {
    showInTaskbar_ = on;
    const Qt::WindowFlags hints = widget_->windowFlags() & ~Qt::WindowType_Mask;
    widget_->setWindowFlags(hints | (on ? Qt::Window : Qt::Tool));
}

void Form::syncGeometryFromWidget(int x, int y, int width, int height) {
    if (state_ != State::Loaded) return;
    if (toPixels(props_.left) != x || toPixels(props_.top) != y) {
        props_.left = toTwips(x);
        props_.top = toTwips(y);
    }
    if (toPixels(props_.width) != width || toPixels(props_.height) != height) {
        props_.width = toTwips(width);
        props_.height = toTwips(height);
        raiseResize();
    }
}

void Form::syncWindowStateFromWidget(int state) {
    if (state_ != State::Loaded || state == props_.windowState) return;
    props_.windowState = state;
    raiseResize();
}

// The desktop's close button: the window decides in QueryUnload and Unload.
void Form::requestClose() {
    Unload(vbFormControlMenu);
}

WindowProc Form::setWindowProc(WindowProc proc) {
    std::swap(proc, windowProc_);
    return proc;
}

Control* Form::findControl(QAnyStringView name, int index) const {
    for (Control* c : controls_)
        if (QAnyStringView::equal(c->Name(), name) && (index < 0 || c->Index() == index)) return c;
    return nullptr;
}

void Form::PopupMenu(Menu& menu, int flags, float x, float y) {
    (void)flags;
    ensureLoaded();
    if (!menu.hasVisibleItems()) return;
    const QPoint at = x < 0 || y < 0 ? app_.pointer().GetCursorPos()
                                     : widget_->mapToGlobal(QPoint(toPixels(x), toPixels(y)));
    if (Menu* chosen = app_.dialogs().popupMenu(menu, at)) chosen->Click.raise();
}

}  // namespace ui
