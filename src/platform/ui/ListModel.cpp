#include "platform/ui/ListModel.h"

#include <QEvent>
#include <QMetaObject>

namespace ui {

ListModel::ListModel(const ListRows& rows) : rows_(rows) {}

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return index.row() < rows_.size() ? QVariant(rows_.at(index.row())) : QVariant();
}

void ListModel::changed() {
    if (pending_) return;
    pending_ = true;
    if (held_ || (view_ && !view_->isVisible())) return;
    QMetaObject::invokeMethod(
        this, [this] { sync(); }, Qt::QueuedConnection);
}

void ListModel::hold(bool held) {
    held_ = held;
    if (held || !pending_) return;
    pending_ = false;
    changed();
}

void ListModel::followWhileVisible(QWidget* view) {
    view_ = view;
    view->installEventFilter(this);
}

bool ListModel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::Show && pending_) sync();
    return false;
}

void ListModel::sync() {
    pending_ = false;
    beginResetModel();
    shown_ = rows_.size();
    endResetModel();
    if (afterSync_) afterSync_();
}

}  // namespace ui
