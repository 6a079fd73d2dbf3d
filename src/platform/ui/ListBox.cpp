#include "platform/ui/ListBox.h"

#include <QApplication>
#include <QListView>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyledItemDelegate>
#include <algorithm>
#include <utility>

#include "platform/ui/Form.h"
#include "platform/ui/KeyMap.h"
#include "platform/ui/ListModel.h"
#include "platform/ui/Twips.h"
#include "platform/ui/WidgetInput.h"

namespace ui {

namespace {

constexpr int kLayoutBatch = 20000;

// Rows one font line high; a row's text is cut to what its width can show
// before the style prepares and elides it, so its length costs nothing.
// With a list of marks it draws each row's mark as a check box.
class RowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void showMarksOf(const ListBox* list) { marks_ = list; }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {1, option.fontMetrics.height()};
    }

    QString displayText(const QVariant& value, const QLocale& locale) const override {
        const QString text = value.toString();
        if (text.size() <= shown_) return QStyledItemDelegate::displayText(text, locale);
        return QStyledItemDelegate::displayText(text.left(shown_), locale) + QChar(0x2026);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem row = option;
        if (marks_ && index.row() < marks_->ListCount())
            row.rect.setLeft(drawCheckBox(painter, option, marks_->Selected(index.row())));
        // No glyph is narrower than a pixel.
        shown_ = std::max(1, row.rect.width()) + 1;
        QStyledItemDelegate::paint(painter, row, index);
    }

  private:
    // The page's own check box, as high as the row allows, at the row's left;
    // returns where the text starts.
    static int drawCheckBox(QPainter* painter, const QStyleOptionViewItem& row, bool marked) {
        QStyle* style = row.widget ? row.widget->style() : QApplication::style();
        const int side =
            std::min(style->pixelMetric(QStyle::PM_IndicatorHeight), row.rect.height() - 1);
        QStyleOptionButton box;
        box.rect =
            QRect(row.rect.left() + 2, row.rect.top() + (row.rect.height() - side) / 2, side, side);
        box.state = QStyle::State_Enabled | (marked ? QStyle::State_On : QStyle::State_Off);
        box.palette = row.palette;
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, row.widget);
        return box.rect.right() + 4;
    }

    mutable qsizetype shown_ = 256;
    const ListBox* marks_ = nullptr;
};

}  // namespace

ListBox::ListBox(Form& form, QString name, int multiSelect, bool sorted)
    : ListControl(form, std::move(name)) {
    setMultiSelect(multiSelect);
    setSorted(sorted);
    auto* view = new QListView;
    view->setUniformItemSizes(true);
    // The view lays its rows out a batch at a time between other events, so
    // a list of a million rows never holds up the user.
    view->setLayoutMode(QListView::Batched);
    view->setBatchSize(kLayoutBatch);
    view->setItemDelegate(new RowDelegate(view));
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(multiSelect ? QAbstractItemView::MultiSelection
                                       : QAbstractItemView::SingleSelection);
    view->setModel(&model());
    view->viewport()->setMouseTracking(true);
    view->viewport()->installEventFilter(new WidgetInput(*this, view->viewport(), true));
    // Only the user's own scrolling moves the top row; whatever else changes
    // the bar's range (rows laid out a batch at a time, a resize) brings the
    // view back to the top row, before the bar clamps its value.
    QScrollBar* bar = view->verticalScrollBar();
    QObject::connect(bar, &QScrollBar::valueChanged, [this](int value) {
        if (scrollingByCode_) return;
        userScrolled(value);
        Scroll.raise();
    });
    QObject::connect(bar, &QScrollBar::rangeChanged, [this] { showTopRow(); });
    model().setAfterSync([this] { showSelection(); });
    model().followWhileVisible(view);
    attachWidget(view, true, true);
}

QListView* ListBox::view() const {
    return static_cast<QListView*>(widget());
}

QWidget* ListBox::clientWidget() const {
    return view()->viewport();
}

void ListBox::setCheckBoxes(bool on) {
    checkBoxes_ = on;
    static_cast<RowDelegate*>(view()->itemDelegate())->showMarksOf(on ? this : nullptr);
    showSelection();
}

int ListBox::ItemHeight() const {
    touch();
    return std::max(1, QFontMetrics(view()->font()).height());
}

// The rows area is the control less its border; its size follows the
// control's own geometry, shown or not.
QSize ListBox::clientSize() const {
    const int border = 2 * view()->frameWidth();
    return {std::max(0, toPixels(Width()) - border), std::max(0, toPixels(Height()) - border)};
}

int ListBox::rowsPerPage() const {
    return std::max(1, clientSize().height() / ItemHeight());
}

int ListBox::lastTopRow() const {
    return std::max(0, ListCount() - rowsPerPage());
}

int ListBox::rowAt(int y) const {
    if (y < 0) return -1;
    const int row = TopIndex() + y / ItemHeight();
    return row < ListCount() ? row : -1;
}

int ListBox::rowAtPoint(QPoint at) const {
    const QSize client = clientSize();
    if (at.x() < 0 || at.x() >= client.width() || at.y() >= client.height()) return -1;
    return rowAt(at.y());
}

int ListBox::SendMessageA(int message, int, int) const {
    return message == LB_GETITEMHEIGHT ? ItemHeight() : 0;
}

void ListBox::pressed(int button, float, float y) {
    clickPending_ = false;
    if (button != vbLeftButton) return;
    const int row = rowAt(toPixels(y));
    if (row < 0) return;
    userSelected(row, false, !marksByCode_);
    showSelection();
    clickPending_ = true;
}

void ListBox::releasing() {
    if (std::exchange(clickPending_, false)) Click.raise();
}

int ListBox::rowAfterKey(int keyCode) const {
    const int row = ListIndex();
    const int page = std::max(1, rowsPerPage() - 1);
    switch (keyCode) {
        case vbKeyUp:
            return row - 1;
        case vbKeyDown:
            return row + 1;
        case vbKeyPageUp:
            return row - page;
        case vbKeyPageDown:
            return row + page;
        case vbKeyHome:
            return 0;
        case vbKeyEnd:
            return ListCount() - 1;
        default:
            return -2;
    }
}

bool ListBox::keyAction(int keyCode, int) {
    if (keyCode == vbKeySpace && MultiSelect() != vbMultiSelectNone && ListIndex() >= 0 &&
        !marksByCode_) {
        setSelected(ListIndex(), !Selected(ListIndex()));
        Click.raise();
        return true;
    }
    int row = rowAfterKey(keyCode);
    if (row == -2) return false;
    if (ListCount() == 0) return true;
    row = std::clamp(row, 0, ListCount() - 1);
    if (row == ListIndex()) return true;
    setListIndex(row);
    return true;
}

void ListBox::bringIntoView(int row) {
    const int top = TopIndex();
    if (row < top)
        userScrolled(row);
    else if (row >= top + rowsPerPage())
        userScrolled(row - rowsPerPage() + 1);
}

void ListBox::showSelection() {
    // A held view catches up first (its sync shows the selection).
    if (model().pending()) return model().held() ? model().sync() : void();
    QListView* v = view();
    // The view scrolls its rows with the bar, so the bar is never silenced;
    // what the selection scrolls meanwhile is not the user's.
    const QScopedValueRollback byCode(scrollingByCode_, true);
    QItemSelectionModel* sel = v->selectionModel();
    sel->clearSelection();
    if (MultiSelect() == vbMultiSelectNone || checkBoxes_) {
        if (ListIndex() >= 0) sel->select(model().index(ListIndex()), QItemSelectionModel::Select);
    } else {
        for (int i = 0; i < ListCount(); ++i)
            if (Selected(i)) sel->select(model().index(i), QItemSelectionModel::Select);
    }
    // The check boxes read the marks as they are drawn.
    if (checkBoxes_) v->viewport()->update();
    if (ListIndex() >= 0)
        sel->setCurrentIndex(model().index(ListIndex()), QItemSelectionModel::NoUpdate);
    showTopRow();
}

// One step of the bar is one row.  A row not laid out yet is past the end of
// the bar, which then stops short; the growing range brings the view there.
void ListBox::showTopRow() {
    // An unloaded window's view waits for the window to load again.
    if (parentForm().state() == Form::State::Unloaded) return;
    const QScopedValueRollback byCode(scrollingByCode_, true);
    view()->verticalScrollBar()->setValue(TopIndex());
}

}  // namespace ui
