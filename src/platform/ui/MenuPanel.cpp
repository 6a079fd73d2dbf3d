#include "platform/ui/MenuPanel.h"

#include <QPainter>
#include <algorithm>

#include "platform/ui/Colors.h"
#include "platform/ui/Form.h"
#include "platform/ui/Menu.h"

namespace ui {

namespace {

const QColor kPlainBack(255, 255, 255);
const QColor kPlainHighlight(49, 106, 197);
const QColor kPlainGrey(128, 128, 128);
constexpr int kPlainIndent = 24;

QString captionPart(const QString& text) {
    return text.section('\t', 0, 0);
}

QString shortcutPart(const QString& text) {
    return text.section('\t', 1, 1);
}

// The runtime's own look for windows without an owner-draw hook.
void plainMeasure(MeasureItemArgs& m) {
    if (m.item.isSeparator()) {
        m.itemWidth = 1;
        m.itemHeight = 7;
        return;
    }
    const QString text = m.item.Caption();
    const QSize caption = m.canvas.textSize(captionPart(text));
    m.itemHeight = caption.height() + 8;
    m.itemWidth = caption.width() + 2 * kPlainIndent;
    const QString shortcut = shortcutPart(text);
    if (!shortcut.isEmpty()) m.itemWidth += m.canvas.textSize(shortcut).width() + kPlainIndent;
}

void plainDraw(const DrawItemArgs& d) {
    const Rect& r = d.rcItem;
    if (d.state.separator) {
        d.canvas.fillRect(r, kPlainBack);
        const int middle = (r.top + r.bottom) / 2;
        d.canvas.fillRect({r.left + 2, middle, r.right - 2, middle + 1}, kPlainGrey);
        return;
    }
    const bool lit = d.state.highlighted && !d.state.disabled;
    d.canvas.fillRect(r, lit ? kPlainHighlight : kPlainBack);
    const QColor ink = d.state.disabled ? kPlainGrey : lit ? Qt::white : Qt::black;
    if (d.state.checked)
        d.canvas.fillRect(
            {r.left + 8, (r.top + r.bottom) / 2 - 3, r.left + 14, (r.top + r.bottom) / 2 + 3}, ink);
    const int format = DT_VCENTER | DT_SINGLELINE | DT_NOCLIP;
    const QString text = d.item.Caption();
    d.canvas.drawText(captionPart(text), {r.left + kPlainIndent, r.top, r.right, r.bottom}, format,
                      ink);
    d.canvas.drawText(shortcutPart(text), {r.left, r.top, r.right - kPlainIndent, r.bottom},
                      format | DT_RIGHT, ink);
}

// A small right-pointing triangle, as the desktop draws a sub-menu's arrow.
void drawArrow(MenuCanvas& canvas, const Rect& r, QColor ink) {
    const int x = r.right - MenuPanel::kArrowRoom + 4;
    const int middle = (r.top + r.bottom) / 2;
    for (int column = 0; column < 4; ++column)
        canvas.fillRect({x + column, middle - 3 + column, x + column + 1, middle + 4 - column},
                        ink);
}

}  // namespace

MenuPanel::MenuPanel(Menu& menu, MenuCanvas& measuring)
    : menu_(menu), hook_(menu.parentForm().ownerDraw()) {
    int top = 0;
    for (Menu* child : menu_.items()) {
        if (!child->Visible()) continue;
        Item item{child, {}};
        measure(item, measuring);
        item.rect.top = top;
        item.rect.bottom += top;
        top = item.rect.bottom;
        width_ = std::max(width_, item.rect.right);
        items_.push_back(item);
    }
    width_ += kArrowRoom;
    for (Item& item : items_)
        item.rect.right = width_;
}

// A hook that fails or answers a negative size leaves the item empty.
void MenuPanel::measure(Item& item, MenuCanvas& canvas) const {
    MeasureItemArgs m{*item.menu, canvas};
    dispatchEvent("MeasureItem", [&] { hook_ ? hook_.measureItem(m) : plainMeasure(m); });
    item.rect = {0, 0, std::max(0, m.itemWidth), std::max(0, m.itemHeight)};
}

QSize MenuPanel::size() const {
    const int height = items_.empty() ? 0 : items_.back().rect.bottom;
    return QSize(width_ + 2 * kFrame, height + 2 * kFrame);
}

int MenuPanel::itemAt(QPoint point) const {
    const QPoint p = point - QPoint(kFrame, kFrame);
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const Rect& r = items_[i].rect;
        if (p.x() >= r.left && p.x() < r.right && p.y() >= r.top && p.y() < r.bottom)
            return static_cast<int>(i);
    }
    return -1;
}

bool MenuPanel::selectable(int index) const {
    return index >= 0 && index < static_cast<int>(items_.size()) &&
           !items_[static_cast<std::size_t>(index)].menu->isSeparator();
}

MenuItemState MenuPanel::stateOf(int index, bool highlighted) const {
    const Menu& m = *items_[static_cast<std::size_t>(index)].menu;
    return {highlighted, m.Checked(), !m.Enabled(), m.isSeparator(), m.hasVisibleItems()};
}

void MenuPanel::paintItem(int index, bool highlighted, MenuCanvas& canvas) const {
    const Item& item = items_[static_cast<std::size_t>(index)];
    const DrawItemArgs d{*item.menu, stateOf(index, highlighted), item.rect, canvas};
    dispatchEvent("DrawItem", [&] { hook_ ? hook_.drawItem(d) : plainDraw(d); });
    if (d.state.subMenu) drawArrow(canvas, item.rect, d.state.disabled ? kPlainGrey : Qt::black);
}

void MenuPanel::paint(QPainter& painter, int highlighted) const {
    const QSize whole = size();
    painter.fillRect(QRect(QPoint(), whole), kPlainBack);
    painter.setPen(kPlainGrey);
    painter.drawRect(QRect(QPoint(), whole).adjusted(0, 0, -1, -1));
    painter.save();
    painter.translate(kFrame, kFrame);
    PainterCanvas canvas(&painter, toQFont(FontSpec()));
    for (std::size_t i = 0; i < items_.size(); ++i)
        paintItem(static_cast<int>(i), static_cast<int>(i) == highlighted, canvas);
    painter.restore();
}

}  // namespace ui
