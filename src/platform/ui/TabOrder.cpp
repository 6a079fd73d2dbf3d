#include "platform/ui/TabOrder.h"

#include <QWidget>

#include "platform/ui/Control.h"

namespace ui {

void setTabOrder(std::initializer_list<Control*> controls) {
    QWidget* previous = nullptr;
    for (Control* control : controls) {
        QWidget* widget = control->widget();
        if (previous && widget) QWidget::setTabOrder(previous, widget);
        if (widget) previous = widget;
    }
}

}  // namespace ui
