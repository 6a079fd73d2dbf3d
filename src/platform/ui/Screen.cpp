#include "platform/ui/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
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

QRectF inTwips(const QRect& pixels) {
    return {toTwips(pixels.x()), toTwips(pixels.y()), toTwips(pixels.width()),
            toTwips(pixels.height())};
}

// How far apart two rectangles lie, squared; 0 when they touch.
double gap(const QRectF& a, const QRectF& b) {
    const double dx = std::max({0.0, b.left() - a.right(), a.left() - b.right()});
    const double dy = std::max({0.0, b.top() - a.bottom(), a.top() - b.bottom()});
    return dx * dx + dy * dy;
}

// The first edge of a window of that extent on a screen span, as near the
// saved one as lies wholly within the span (its start where it does not fit).
double within(double edge, double extent, double start, double end) {
    return std::max(start, std::min(edge, end - extent));
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

std::vector<QRect> Screen::screensPixels() const {
    if (!screens_.empty()) return screens_;
    if (geometry_) return {*geometry_};
    std::vector<QRect> all;
    for (const QScreen* s : QGuiApplication::screens())
        all.push_back(s->geometry());
    if (all.empty()) all.push_back(geometryPixels());
    return all;
}

QRect Screen::virtualDesktopPixels() const {
    QRect spanned;
    for (const QRect& s : screensPixels())
        spanned |= s;
    return spanned;
}

float Screen::bound(Extent extent, double twips) const {
    const QRectF desktop = inTwips(virtualDesktopPixels());
    const bool across = extent == Extent::Left || extent == Extent::Width;
    const double start = across ? desktop.left() : desktop.top();
    const double size = across ? desktop.width() : desktop.height();
    // A size is bound on both sides too, so that no saved number is too large
    // for single precision; comparisons keep a value that is no number as it is.
    const bool isSize = extent == Extent::Width || extent == Extent::Height;
    const double low = isSize ? -size : start - size;
    const double high = isSize ? size : start + size;
    if (twips < low) twips = low;
    if (twips > high) twips = high;
    return static_cast<float>(twips);
}

QRectF Screen::reachable(const QRectF& window) const {
    // A window of no size still shows one pixel.
    const QRectF shown(window.topLeft(),
                       window.size().expandedTo({kTwipsPerPixel, kTwipsPerPixel}));
    std::vector<QRectF> screens;
    for (const QRect& s : screensPixels())
        screens.push_back(inTwips(s));
    if (screens.empty()) return window;
    for (const QRectF& s : screens)
        if (s.intersects(shown)) return window;
    const QRectF& nearest = *std::min_element(
        screens.begin(), screens.end(),
        [&shown](const QRectF& a, const QRectF& b) { return gap(a, shown) < gap(b, shown); });
    return {within(window.left(), window.width(), nearest.left(), nearest.right()),
            within(window.top(), window.height(), nearest.top(), nearest.bottom()), window.width(),
            window.height()};
}

void Screen::scriptDesktop(QRect geometry, QRect workArea) {
    geometry_ = geometry;
    workArea_ = workArea;
}

void Screen::scriptScreens(std::vector<QRect> screens) {
    screens_ = std::move(screens);
}

}  // namespace ui
