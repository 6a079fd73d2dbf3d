#include "controls/modUserMenus.h"

#include "platform/ui/Form.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Menu.h"
#include "shared/NumberText.h"

namespace {

using ui::Rect;

const QColor kWhite(255, 255, 255);
const QColor kGrey(236, 236, 236);
const QColor kFrameBlue(49, 106, 197);
const QColor kHighlight(193, 210, 238);
const QColor kNearWhite(253, 253, 253);
// The classic desktop's colour for disabled text (system colour 17).
const QColor kGrayText(128, 128, 128);
// A menu item's text is read into an 80-character buffer with its end mark.
constexpr int kTextRoom = 79;

constexpr int kShortcutFormat = ui::DT_RIGHT | ui::DT_VCENTER | ui::DT_SINGLELINE | ui::DT_NOCLIP;
constexpr int kCaptionFormat = ui::DT_VCENTER | ui::DT_SINGLELINE | ui::DT_NOCLIP;

Rect shifted(const Rect& r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

clsUserMenus recordFor(ui::Menu& item) {
    // A separator's item has no text of its own.
    const QString text = item.isSeparator() ? QString() : item.Caption().left(kTextRoom);
    clsUserMenus r;
    r.umMenuID = &item;
    r.umCaption = text.section('\t', 0, 0);
    r.umShortcut = text.contains('\t') ? text.section('\t', 1, 1) : QString();
    r.umIsSeparator = r.umCaption.isEmpty();
    return r;
}

}  // namespace

modUserMenus::modUserMenus(ui::Application&) {}

void modUserMenus::InitUserMenus(ui::Form& frm, const ui::ImageList* Icons) {
    records_.clear();
    index_.clear();
    icons_ = Icons;
    std::vector<ui::Menu*> hidden;
    for (ui::Control* c : frm.controls()) {
        auto* item = dynamic_cast<ui::Menu*>(c);
        if (!item) continue;
        if (!item->Visible()) {
            hidden.push_back(item);
            item->setVisible(true);
        }
        index_[item] = records_.size();
        records_.push_back(recordFor(*item));
    }
    for (ui::Menu* item : hidden)
        item->setVisible(false);
    if (!records_.empty()) SubclassMenuOwner(frm);
}

// One painter per window: installing again replaces it.
void modUserMenus::SubclassMenuOwner(ui::Form& frm) {
    frm.setOwnerDraw({[this](ui::MeasureItemArgs& m) { MeasureItem(m); },
                      [this](const ui::DrawItemArgs& d) { DrawItem(d); }});
}

void modUserMenus::RestoreMenuOwner(ui::Form& frm) {
    frm.setOwnerDraw({});
}

const clsUserMenus* modUserMenus::recordOf(const ui::Menu& item) const {
    const auto it = index_.find(&item);
    return it == index_.end() ? nullptr : &records_[it->second];
}

void modUserMenus::MeasureItem(ui::MeasureItemArgs& m) const {
    const clsUserMenus* r = recordOf(m.item);
    if (!r) return;
    if (r->umIsSeparator) {
        m.itemHeight = 5;
        m.itemWidth = 1;
        return;
    }
    const QSize caption = m.canvas.textSize(r->umCaption);
    m.itemHeight = caption.height() + 9;
    m.itemWidth = caption.width() + 40;
    if (!r->umShortcut.isEmpty()) m.itemWidth += m.canvas.textSize(r->umShortcut).width() + 30;
}

void modUserMenus::DrawItem(const ui::DrawItemArgs& d) const {
    const clsUserMenus* r = recordOf(d.item);
    if (!r) return;
    const Rect& rc = d.rcItem;
    if (r->umIsSeparator) {
        d.canvas.fillRect(rc, kWhite);
        d.canvas.fillRect({0, rc.top, 24, rc.top + 6}, kGrey);
        d.canvas.fillRect({28, rc.top + 2, rc.right, rc.top + 3}, kGrayText);
        d.canvas.fillRect({28, rc.top + 3, rc.right, rc.top + 4}, kNearWhite);
        return;
    }
    drawBackground(d);
    drawTexts(*r, d);
    drawPicture(*r, d);
}

// The frames follow the item's own height, which the font gives.
void modUserMenus::drawBackground(const ui::DrawItemArgs& d) const {
    const Rect& rc = d.rcItem;
    const int top = rc.top;
    const int bottom = rc.bottom;
    if (d.state.highlighted && !d.state.disabled) {
        d.canvas.fillRect(rc, kFrameBlue);
        d.canvas.fillRect({1, top + 1, rc.right - 1, bottom - 1}, kHighlight);
    } else if (d.state.checked && !d.state.disabled) {
        d.canvas.fillRect(rc, kGrey);
        d.canvas.fillRect({1, top + 1, 23, bottom - 1}, kFrameBlue);
        d.canvas.fillRect({2, top + 2, 22, bottom - 2}, kHighlight);
        d.canvas.fillRect({24, top, rc.right, bottom}, kWhite);
    } else {
        d.canvas.fillRect(rc, kWhite);
        d.canvas.fillRect({0, top, 24, bottom}, kGrey);
    }
}

// Disabled text is drawn white, then grey one pixel up and left: embossed.
void modUserMenus::drawTexts(const clsUserMenus& r, const ui::DrawItemArgs& d) const {
    const bool disabled = d.state.disabled;
    const QColor ink = disabled ? kWhite : Qt::black;
    const auto draw = [&](const QString& text, const Rect& rect, int format) {
        d.canvas.drawText(text, rect, format, ink);
        if (disabled) d.canvas.drawText(text, shifted(rect, -1, -1), format, kGrayText);
    };
    if (!r.umShortcut.isEmpty()) draw(r.umShortcut + "    ", d.rcItem, kShortcutFormat);
    draw(r.umCaption, shifted(d.rcItem, 30, 0), kCaptionFormat);
}

// The picture numbered by the item's Tag; a Tag that is no number, 0 or past
// the list has none.
void modUserMenus::drawPicture(const clsUserMenus& r, const ui::DrawItemArgs& d) const {
    if (!icons_) return;
    const double n = shared::Val(r.umMenuID->Tag());
    if (n < 1 || n > icons_->Count()) return;
    const QImage picture = icons_->maskedImage(static_cast<int>(n));
    if (picture.isNull()) return;
    const int top = d.rcItem.top;
    const auto at = [&](int x, int y, QSize size) {
        return Rect{x, y, x + size.width(), y + size.height()};
    };
    const QSize greyed(16, 16);
    if (d.state.highlighted && !d.state.disabled) {
        d.canvas.drawPicture(picture, at(5, top + 3, greyed), true);
        d.canvas.drawPicture(picture, at(3, top + 2, picture.size()), false);
    } else if (d.state.disabled) {
        d.canvas.drawPicture(picture, at(4, top + 3, greyed), true);
    } else {
        d.canvas.drawPicture(picture, at(4, top + 3, picture.size()), false);
    }
}
