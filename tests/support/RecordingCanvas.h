#pragma once

#include <QImage>
#include <QStringList>

#include "platform/ui/OwnerDraw.h"

namespace testsupport {

inline QString rectText(const ui::Rect& r) {
    return QString("%1,%2,%3,%4").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom);
}

// A menu canvas whose text is 6 pixels a character and 13 high (the designs'
// 8-point text) and that writes every call down.
class RecordingCanvas : public ui::MenuCanvas {
  public:
    QSize textSize(const QString& text) override {
        return QSize(6 * static_cast<int>(text.size()), 13);
    }
    void fillRect(const ui::Rect& r, QColor color) override {
        calls << "fill " + rectText(r) + " " + color.name();
    }
    void drawText(const QString& text, const ui::Rect& r, int format, QColor color) override {
        calls << QString("text '%1' %2 %3 %4")
                     .arg(text, rectText(r))
                     .arg(format, 0, 16)
                     .arg(color.name());
    }
    void drawPicture(const QImage& picture, const ui::Rect& r, bool greyed) override {
        calls << QString("picture %1x%2 %3%4")
                     .arg(picture.width())
                     .arg(picture.height())
                     .arg(rectText(r), greyed ? " greyed" : "");
    }
    QStringList calls;
};

}  // namespace testsupport
