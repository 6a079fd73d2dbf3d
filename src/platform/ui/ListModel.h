#pragma once

#include <QAbstractListModel>
#include <QWidget>
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

    // The rows changed: the view resets on the next turn of the event loop,
    // or, when it follows only while visible, once it shows.
    void changed();
    // The view gets the rows only while it is visible: a hidden list (the
    // program's own data lists) lays out nothing however long it is.
    void followWhileVisible(QWidget* view);
    // Brings the view up to date now; then runs afterSync.
    void sync();
    void setAfterSync(std::function<void()> fn) { afterSync_ = std::move(fn); }
    bool pending() const { return pending_; }
    // While held, changes wait for release (or a sync asked for), so a list
    // filled a block at a time is not laid out again after every block.
    void hold(bool held);
    bool held() const { return held_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    const ListRows& rows_;
    QWidget* view_ = nullptr;
    int shown_ = 0;
    bool pending_ = false;
    bool held_ = false;
    std::function<void()> afterSync_;
};

}  // namespace ui
