#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace ui {

// The widget behind frames, picture boxes and images: an optional background,
// border and caption, a picture, and a drawn image on top.
class Surface : public QWidget {
  public:
    struct Look {
        bool fillBackground = true;
        bool border = false;
        QString caption;
        bool stretchPicture = false;
        bool operator==(const Look&) const = default;
    };

    Surface();
    void setLook(const Look& look);
    void setPicture(const QPixmap& picture);
    void setDrawing(const QImage& image);
    const QImage& drawing() const { return drawing_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Look look_;
    QPixmap picture_;
    QImage drawing_;
    QPixmap shown_;
};

}  // namespace ui
