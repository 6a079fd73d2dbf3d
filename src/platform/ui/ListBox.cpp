#include "platform/ui/ListBox.h"

#include <QListView>
#include <QScrollBar>
#include <QSignalBlocker>

#include "platform/ui/ListModel.h"
#include "platform/ui/WidgetInput.h"

namespace ui {

ListBox::ListBox(Form& form, QString name, int multiSelect, bool sorted)
    : ListControl(form, std::move(name)) {
    setMultiSelect(multiSelect);
    setSorted(sorted);
    auto* view = new QListView;
    view->setUniformItemSizes(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(multiSelect ? QAbstractItemView::MultiSelection
                                       : QAbstractItemView::SingleSelection);
    view->setModel(&model());
    view->viewport()->setMouseTracking(true);
    view->viewport()->installEventFilter(new WidgetInput(*this, view->viewport()));
    QObject::connect(view, &QListView::clicked,
                     [this](const QModelIndex& i) { userSelected(i.row()); });
    QObject::connect(view->verticalScrollBar(), &QScrollBar::valueChanged, [this](int value) {
        userScrolled(value);
        Scroll.raise();
    });
    model().setAfterSync([this] { showSelection(); });
    attachWidget(view, true);
}

QListView* ListBox::view() const {
    return static_cast<QListView*>(widget());
}

void ListBox::showSelection() {
    if (model().pending()) return;
    QListView* v = view();
    const QSignalBlocker block(v->verticalScrollBar());
    QItemSelectionModel* sel = v->selectionModel();
    sel->clearSelection();
    if (MultiSelect() == vbMultiSelectNone) {
        if (ListIndex() >= 0) sel->select(model().index(ListIndex()), QItemSelectionModel::Select);
    } else {
        for (int i = 0; i < ListCount(); ++i)
            if (Selected(i)) sel->select(model().index(i), QItemSelectionModel::Select);
    }
    if (ListIndex() >= 0)
        sel->setCurrentIndex(model().index(ListIndex()), QItemSelectionModel::NoUpdate);
    if (TopIndex() < ListCount())
        v->scrollTo(model().index(TopIndex()), QAbstractItemView::PositionAtTop);
}

}  // namespace ui
