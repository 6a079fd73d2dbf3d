#pragma once

#include <QAbstractListModel>
#include <functional>

#include "platform/ui/ListRows.h"

namespace ui {

// Shows a list control's rows in a Qt view.  The rows live in the control,
// once, and the view asks for the text of the rows it draws only; it catches
// up once per turn of the event loop, so loading 100,000 rows costs one reset
// rather than one update per row.
class ListModel : public QAbstractListModel {
  public:
    explicit ListModel(const ListRows& rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The rows changed: the view resets on the next turn of the event loop.
    void changed();
    // Brings the view up to date now; then runs afterSync.
    void sync();
    void setAfterSync(std::function<void()> fn) { afterSync_ = std::move(fn); }
    bool pending() const { return pending_; }

  private:
    const ListRows& rows_;
    int shown_ = 0;
    bool pending_ = false;
    std::function<void()> afterSync_;
};

}  // namespace ui
