#include "platform/ui/ImageList.h"

#include "platform/ui/Colors.h"

namespace ui {

ImageList::ImageList(Form& form, QString name) : Control(form, std::move(name)) {
    keepDesign(state_);
}

int ImageList::Count() const {
    return touch(), static_cast<int>(state_.pictures.size());
}

Picture ImageList::ListImages(int index) const {
    if (index < 1 || index > Count()) throw RuntimeError(kIndexOutOfBounds);
    return state_.pictures[static_cast<std::size_t>(index - 1)];
}

void ImageList::Add(const Picture& picture) {
    touch();
    state_.pictures.push_back(picture);
}

void ImageList::Clear() {
    touch();
    state_.pictures.clear();
}

OleColor ImageList::MaskColor() const {
    return touch(), state_.maskColor;
}
void ImageList::setMaskColor(OleColor value) {
    touch(), state_.maskColor = value;
}
bool ImageList::UseMaskColor() const {
    return touch(), state_.useMaskColor;
}
void ImageList::setUseMaskColor(bool value) {
    touch(), state_.useMaskColor = value;
}

QImage ImageList::maskedImage(int index) const {
    if (index < 1 || index > Count()) return {};
    const Picture& picture = state_.pictures[static_cast<std::size_t>(index - 1)];
    if (picture.isEmpty()) return {};
    QImage image = picture.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    if (!state_.useMaskColor) return image;
    const QRgb mask = toQColor(state_.maskColor).rgb() & 0xFFFFFF;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xFFFFFF) == mask) line[x] = 0;
    }
    return image;
}

}  // namespace ui
