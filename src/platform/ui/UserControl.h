#pragma once

#include <QStringList>

#include "platform/ui/CanvasControl.h"
#include "platform/ui/PropertyBag.h"

namespace ui {

// Base of the program's own controls: a drawn surface that hosts child
// controls (members constructed with the host window and placed in it with
// setContainer(this)) and timers of its own.  The host window's constructor
// gives each instance its stored design as a property bag; at every load of
// the window the instance runs UserControl_Initialize, then
// UserControl_ReadProperties with that bag (UserControl_InitProperties for an
// instance without a stored design), then UserControl_Resize.  Showing the
// window raises UserControl_Show; unloading it raises UserControl_Terminate,
// stops the children's timers and returns everything, the bag included, to
// its design.  A handler's escaping error is reported and the window goes on.
class UserControl : public CanvasControl {
  public:
    UserControl(Form& form, QString name);

    // Design time: the stored design of this instance.
    void setDesign(const PropertyBag& bag);
    const PropertyBag& design() const { return bag_; }
    // What the window would store now: UserControl_WriteProperties into a fresh bag.
    PropertyBag saveDesign();
    // Called by the control when a persisted property changed.
    void PropertyChanged(const QString& name);
    const QStringList& changedProperties() const { return changed_; }

    void formLoadChanged(bool loaded) override;

  protected:
    virtual void UserControl_Initialize() {}
    virtual void UserControl_InitProperties() {}
    virtual void UserControl_ReadProperties(PropertyBag& PropBag) { (void)PropBag; }
    virtual void UserControl_WriteProperties(PropertyBag& PropBag) { (void)PropBag; }
    virtual void UserControl_Resize() {}
    virtual void UserControl_Show() {}
    virtual void UserControl_Paint() {}
    virtual void UserControl_Terminate() {}

    void sizeChanged() override;
    void raisePaint() override;

  private:
    class ShowWatch;
    void shown();

    PropertyBag bag_;
    bool hasDesign_ = false;
    bool running_ = false;
    QStringList changed_;
};

}  // namespace ui
