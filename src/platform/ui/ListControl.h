#pragma once

#include <QStringList>
#include <functional>
#include <span>
#include <vector>

#include "platform/ui/Control.h"
#include "platform/ui/ListRows.h"

namespace ui {

class ListModel;

// What list boxes, combo boxes and file lists share: rows of text counted
// from 0, a selected row (ListIndex, -1 for none) and, in multi-selection
// lists, per-row Selected marks kept apart from ListIndex.
//
// Selecting from code (ListIndex, Text, Selected(i) of a single-selection
// list) raises Click every time, also when the row was already selected; an
// index outside the list fails and keeps the selection.  Adding a row before
// the selection shifts it; removing the selected row clears it.
//
// The rows are kept once, compactly (see ListRows), and the view reads them
// from there; item data and Selected marks take room only once set.
class ListControl : public Control {
  public:
    enum MultiSelectValue {
        vbMultiSelectNone = 0,
        vbMultiSelectSimple = 1,
        vbMultiSelectExtended = 2
    };

    ~ListControl() override;

    int ListCount() const;
    // The text of a row; the empty text for a row the list does not have.
    QString List(int index) const;
    void setList(int index, const QString& text);
    // Row from's text goes to row to and the texts between shift by one
    // place, as a row-by-row copy would leave them; row data, selection and
    // the top row stay where they are.  Either row missing: error 381,
    // nothing moved.
    void moveListText(int from, int to);
    int ListIndex() const;
    void setListIndex(int index);
    // The selected row's text, the empty text when none.
    virtual QString Text() const;
    // Selects the first row equal to the text, ignoring case.
    virtual void setText(const QString& text);
    bool Selected(int index) const;
    void setSelected(int index, bool value);
    int SelCount() const;
    void AddItem(const QString& item, int index = -1);
    void RemoveItem(int index);
    void Clear();
    int NewIndex() const;
    int ItemData(int index) const;
    void setItemData(int index, int value);
    // The first row shown.  Writing a row of the last page shows that page
    // whole, so TopIndex reads back the row actually at the top.
    int TopIndex() const;
    void setTopIndex(int index);
    // Every row, in order (for tests).
    QStringList items() const;

    // Adds a row given as valid UTF-8, as AddItem(QString::fromUtf8(utf8))
    // would, without making a QString of it (list files).
    void AddItemUtf8(QByteArrayView utf8);
    // Appends a row's text as UTF-8 to out (list files); false when UTF-8
    // cannot carry it whole.
    bool appendRowUtf8(int index, QByteArray& out) const;
    // The rows whose text holds text, each character compared by its upper
    // case unless caseSensitive (see ListRows::rowsHolding).
    std::vector<int> rowsHolding(const QString& text, bool caseSensitive = false) const;
    // Whether test holds for every row's text as Latin-1 or UTF-8 bytes (see
    // ListRows::all).
    bool allRows(bool (*test)(QByteArrayView)) const;
    // Adds the given rows of source at the end, as AddItem would one by one,
    // sharing their text with source.
    void AddItemsOf(const ListControl& source, std::span<const int> rows);
    // Adds every row of source at the end, sharing their text.
    void AddItemsOf(const ListControl& source);
    // Adds the rows at the end, as AddItem would one by one, sharing their
    // text.
    void AddItemsOf(const ListRows& rows);
    // Makes room for rows in all, and some more, unless there is room
    // already: a list filled in blocks is then not moved at every block.
    void reserveRows(int rows);
    // Adds, for every row of source, the part of its text the cuts give (see
    // ListRows::appendPartsOf), as AddItem would one by one.
    void AddPartsOf(const ListControl& source, ListRows::ByteCut byteCut,
                    ListRows::TextCut textCut);
    void AddPartsOf(const ListRows& rows, ListRows::ByteCut byteCut, ListRows::TextCut textCut);

    int MultiSelect() const;
    bool Sorted() const;

    // Rows still arriving (a list filled in the background): every change,
    // and every read of the list as a whole (the search, the text lookup,
    // a save), first calls settle once, which must bring them all in; reading
    // single rows and the count does not wait, and sees the rows so far.
    // Passing nothing takes the hook away.
    void setRowsArriving(std::function<void()> settle) { settle_ = std::move(settle); }
    bool rowsArriving() const { return static_cast<bool>(settle_); }
    // While held, the view takes in added rows only when it must show a
    // selection or a top row, or once released.
    void holdView(bool held);
    void settleRows() const;
    // Counts every change of the rows (added, removed, rewritten, moved,
    // cleared), so a record kept about them can tell it has gone stale.
    unsigned rowChanges() const { return rowChanges_; }

  protected:
    ListControl(Form& form, QString name);
    // Design values.
    void setMultiSelect(int mode);
    void setSorted(bool sorted);

    ListModel& model() const { return *model_; }
    // Pushes the selection and top row to the view.
    virtual void showSelection() = 0;
    // A row selected by code or the keys is scrolled into view, as the list
    // controls the forms follow do.
    virtual void bringIntoView([[maybe_unused]] int row) {}
    // The user picked a row in the view (click: raise Click now).
    // The user chose a row: it becomes current and, in a multi-selection
    // list, its mark turns over unless toggle is false.
    void userSelected(int row, bool click = true, bool toggle = true);
    void userScrolled(int topRow);
    // The highest row that can be the first one shown.
    virtual int lastTopRow() const;
    // Moves the selection without raising Click.
    void selectQuietly(int index);
    void refreshWidget() override;
    bool clickOnRelease() const override { return false; }
    void rowsChanged();

  private:
    struct State {
        ListRows items;
        // Both empty until a row has data or a mark.
        std::vector<int> itemData;
        std::vector<char> marks;
        int listIndex = -1;
        int newIndex = -1;
        int topIndex = 0;
        int multiSelect = vbMultiSelectNone;
        bool sorted = false;
    };
    void checkRow(int index, int error) const;
    int insertionRow(const QString& item) const;
    // Index and extras for a row just put at row (by AddItem's rules).
    void rowAdded(int row);
    // Item data, marks and index for rows added at the end.
    void rowsAppended();
    int count() const { return state_.items.size(); }

    State state_;
    ListModel* model_;
    mutable std::function<void()> settle_;
    unsigned rowChanges_ = 0;
};

}  // namespace ui
