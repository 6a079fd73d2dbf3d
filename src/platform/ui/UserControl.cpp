#include "platform/ui/UserControl.h"

#include <QEvent>
#include <QWidget>

#include "platform/ui/Form.h"

namespace ui {

// The widget becoming visible (its window shown) raises UserControl_Show.
class UserControl::ShowWatch : public QObject {
  public:
    ShowWatch(UserControl& owner, QWidget* widget) : QObject(widget), owner_(owner) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show) owner_.shown();
        return false;
    }

  private:
    UserControl& owner_;
};

UserControl::UserControl(Form& form, QString name) : CanvasControl(form, std::move(name)) {
    keepDesign(bag_);
    keepDesign(changed_);
    widget()->installEventFilter(new ShowWatch(*this, widget()));
}

void UserControl::setDesign(const PropertyBag& bag) {
    bag_ = bag;
    hasDesign_ = true;
}

PropertyBag UserControl::saveDesign() {
    PropertyBag bag;
    dispatchEvent("UserControl_WriteProperties", [&] { UserControl_WriteProperties(bag); });
    return bag;
}

void UserControl::PropertyChanged(const QString& name) {
    if (running_ && !changed_.contains(name, Qt::CaseInsensitive)) changed_ << name;
}

void UserControl::formLoadChanged(bool loaded) {
    if (!loaded) {
        if (running_) dispatchEvent("UserControl_Terminate", [this] { UserControl_Terminate(); });
        running_ = false;
        return;
    }
    dispatchEvent("UserControl_Initialize", [this] { UserControl_Initialize(); });
    if (hasDesign_)
        dispatchEvent("UserControl_ReadProperties", [this] { UserControl_ReadProperties(bag_); });
    else
        dispatchEvent("UserControl_InitProperties", [this] { UserControl_InitProperties(); });
    running_ = true;
    dispatchEvent("UserControl_Resize", [this] { UserControl_Resize(); });
}

void UserControl::sizeChanged() {
    CanvasControl::sizeChanged();
    if (running_) dispatchEvent("UserControl_Resize", [this] { UserControl_Resize(); });
}

void UserControl::raisePaint() {
    dispatchEvent("UserControl_Paint", [this] { UserControl_Paint(); });
}

void UserControl::shown() {
    if (running_) dispatchEvent("UserControl_Show", [this] { UserControl_Show(); });
}

}  // namespace ui
