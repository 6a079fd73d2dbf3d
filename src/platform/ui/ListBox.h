#pragma once

#include "platform/ui/ListControl.h"

class QListView;

namespace ui {

class ListBox : public ListControl {
  public:
    ListBox(Form& form, QString name, int multiSelect = vbMultiSelectNone, bool sorted = false);

    Event<> Scroll{"Scroll"};

  protected:
    void showSelection() override;

  private:
    QListView* view() const;
};

}  // namespace ui
