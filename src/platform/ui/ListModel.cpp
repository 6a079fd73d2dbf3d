#include "platform/ui/ListModel.h"

#include <QMetaObject>

namespace ui {

ListModel::ListModel(const std::vector<QString>& rows) : rows_(rows) {}

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    return row < rows_.size() ? QVariant(rows_[row]) : QVariant();
}

void ListModel::changed() {
    if (pending_) return;
    pending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { sync(); }, Qt::QueuedConnection);
}

void ListModel::sync() {
    pending_ = false;
    beginResetModel();
    shown_ = static_cast<int>(rows_.size());
    endResetModel();
    if (afterSync_) afterSync_();
}

}  // namespace ui
