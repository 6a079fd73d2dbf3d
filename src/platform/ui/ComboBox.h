#pragma once

#include "platform/ui/ListControl.h"

class QComboBox;

namespace ui {

// A drop-down list (style 2) or a drop-down with an edit field (style 0),
// whose Text is the edit field's text; writing a Text that no row carries
// puts it into the edit field and raises Change.
class ComboBox : public ListControl {
  public:
    enum StyleValue { vbComboDropdown = 0, vbComboDropdownList = 2 };

    ComboBox(Form& form, QString name, int style = vbComboDropdown, bool sorted = false);

    QString Text() const override;
    void setText(const QString& text) override;
    int Style() const { return style_; }

    Event<> Change{"Change"};

  protected:
    void showSelection() override;

  private:
    QComboBox* combo() const;
    void typed(const QString& text);

    int style_;
    QString edit_;
};

}  // namespace ui
