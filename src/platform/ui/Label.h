#pragma once

#include "platform/ui/Control.h"

class QLabel;

namespace ui {

// A caption; many labels serve as the program's shared text values.
// Writing a different caption raises Change.  With UseMnemonic (the
// default) "&x" shows x underlined and "&&" shows "&"; without, every
// character shows as it is.  Alt and the underlined letter give the focus
// to the first control after the label in tab order that can take it.
class Label : public Control {
  public:
    enum AlignmentValue { vbLeftJustify = 0, vbRightJustify = 1, vbCenter = 2 };

    Label(Form& form, QString name);

    QString Caption() const;
    void setCaption(const QString& value);
    int Alignment() const;
    void setAlignment(int value);
    // 0 transparent, 1 opaque.
    int BackStyle() const;
    void setBackStyle(int value);
    bool WordWrap() const;
    void setWordWrap(bool value);
    bool UseMnemonic() const;
    void setUseMnemonic(bool value);

    Event<> Change{"Change"};

  protected:
    void refreshWidget() override;
    StackBand stackBand() const override { return kTextBand; }

  private:
    struct State {
        QString caption;
        int alignment = vbLeftJustify;
        int backStyle = 1;
        bool wordWrap = false;
        bool useMnemonic = true;
    };
    QLabel* label() const;
    void applyLook();
    void showAccessKey();
    void focusNextControl();

    State state_;
};

}  // namespace ui
