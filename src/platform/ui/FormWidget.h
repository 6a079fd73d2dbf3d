#pragma once

#include <QWidget>

namespace ui {

class Form;

// The top-level Qt window behind a form: passes the desktop's moves, resizes,
// close requests, activation and input on to the form.
class FormWidget : public QWidget {
  public:
    explicit FormWidget(Form& form);
    void setFrameless(bool frameless);
    // The next show maps the window in its normal state, however it was last
    // minimized and by whom.
    void forgetMinimized();

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void syncGeometry();
    bool ownKey() const;
    void mouse(QMouseEvent* event, int kind);

    Form& form_;
    // The release that ends a double-click raises no second Click.
    bool inDoubleClick_ = false;
};

}  // namespace ui
