#include "platform/ui/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <array>

#include "platform/ui/RuntimeError.h"
#include "platform/ui/Twips.h"

namespace ui {

namespace {

// Shapes for the values 0 to 15; the icon pointer has no shape of its own here.
constexpr std::array<Qt::CursorShape, 16> kShapes = {
    Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
    Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
    Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
    Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor};

const QScreen* primary() {
    return QGuiApplication::primaryScreen();
}

}  // namespace

QCursor cursorFor(int mousePointer, const Picture& icon) {
    if (mousePointer == vbCustom)
        return icon.isEmpty() ? QCursor(Qt::ArrowCursor) : QCursor(icon.pixmap());
    if (mousePointer < 0 || mousePointer >= static_cast<int>(kShapes.size()))
        throw RuntimeError(kInvalidPropertyValue);
    return QCursor(kShapes[static_cast<std::size_t>(mousePointer)]);
}

Screen::~Screen() {
    if (overriding_) QGuiApplication::restoreOverrideCursor();
}

void Screen::setMousePointer(int value) {
    const QCursor cursor = cursorFor(value);
    mousePointer_ = value;
    if (value == vbDefault) {
        if (overriding_) QGuiApplication::restoreOverrideCursor();
        overriding_ = false;
    } else if (overriding_) {
        QGuiApplication::changeOverrideCursor(cursor);
    } else {
        QGuiApplication::setOverrideCursor(cursor);
        overriding_ = true;
    }
}

float Screen::TwipsPerPixelX() const {
    return kTwipsPerPixel;
}
float Screen::TwipsPerPixelY() const {
    return kTwipsPerPixel;
}
float Screen::Width() const {
    return toTwips(geometryPixels().width());
}
float Screen::Height() const {
    return toTwips(geometryPixels().height());
}

QRect Screen::geometryPixels() const {
    if (geometry_) return *geometry_;
    return primary() ? primary()->geometry() : QRect(0, 0, 1024, 768);
}

QRect Screen::workAreaPixels() const {
    if (workArea_) return *workArea_;
    return primary() ? primary()->availableGeometry() : QRect(0, 0, 1024, 768);
}

void Screen::scriptDesktop(QRect geometry, QRect workArea) {
    geometry_ = geometry;
    workArea_ = workArea;
}

}  // namespace ui
