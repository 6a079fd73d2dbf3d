#pragma once

#include <QWidget>

class ctlScrollbar;

// Draws a scroll bar's track and thumb and turns presses and drags into steps.
class ScrollbarWidget : public QWidget {
  public:
    explicit ScrollbarWidget(ctlScrollbar& bar);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QRect thumbRect() const;
    double fractionAt(QPoint pos) const;
    bool horizontal() const;

    ctlScrollbar& bar_;
    bool dragging_ = false;
};
