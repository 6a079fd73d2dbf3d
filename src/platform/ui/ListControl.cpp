#include "platform/ui/ListControl.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "platform/ui/ListModel.h"

namespace ui {

ListControl::ListControl(Form& form, QString name)
    : Control(form, std::move(name)), model_(new ListModel(state_.items)) {
    keepDesign(state_);
}

ListControl::~ListControl() {
    delete model_;
}

void ListControl::checkRow(int index, int error) const {
    if (index < 0 || index >= count()) throw RuntimeError(error);
}

int ListControl::ListCount() const {
    return touch(), count();
}

QString ListControl::List(int index) const {
    touch();
    if (index < 0 || index >= count()) return {};
    return state_.items.at(index);
}

void ListControl::setList(int index, const QString& text) {
    touch();
    settleRows();
    checkRow(index, kInvalidPropertyArrayIndex);
    state_.items.replace(index, text);
    rowsChanged();
}

void ListControl::moveListText(int from, int to) {
    touch();
    settleRows();
    checkRow(from, kInvalidPropertyArrayIndex);
    checkRow(to, kInvalidPropertyArrayIndex);
    state_.items.move(from, to);
    rowsChanged();
}

int ListControl::ListIndex() const {
    return touch(), state_.listIndex;
}

void ListControl::setListIndex(int index) {
    touch();
    if (index != -1) checkRow(index, kInvalidPropertyValue);
    state_.listIndex = index;
    if (index >= 0) bringIntoView(index);
    showSelection();
    if (!quiet()) Click.raise();
}

QString ListControl::Text() const {
    touch();
    return state_.listIndex < 0 ? QString() : state_.items.at(state_.listIndex);
}

void ListControl::setText(const QString& text) {
    touch();
    settleRows();
    for (int i = 0; i < count(); ++i) {
        if (state_.items.at(i).compare(text, Qt::CaseInsensitive) == 0) {
            setListIndex(i);
            return;
        }
    }
}

bool ListControl::Selected(int index) const {
    touch();
    checkRow(index, kInvalidPropertyArrayIndex);
    if (state_.multiSelect == vbMultiSelectNone) return index == state_.listIndex;
    return !state_.marks.empty() && state_.marks[index] != 0;
}

void ListControl::setSelected(int index, bool value) {
    touch();
    checkRow(index, kInvalidPropertyArrayIndex);
    if (state_.multiSelect != vbMultiSelectNone) {
        if (value || !state_.marks.empty()) {
            state_.marks.resize(static_cast<std::size_t>(count()));
            state_.marks[index] = value;
        }
        showSelection();
        return;
    }
    if (value)
        setListIndex(index);
    else if (index == state_.listIndex)
        setListIndex(-1);
}

int ListControl::SelCount() const {
    touch();
    if (state_.multiSelect == vbMultiSelectNone) return state_.listIndex >= 0 ? 1 : 0;
    return static_cast<int>(std::count(state_.marks.begin(), state_.marks.end(), 1));
}

// After the last row not greater than item, ignoring case.
int ListControl::insertionRow(const QString& item) const {
    int low = 0;
    int high = count();
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (item.compare(state_.items.at(mid), Qt::CaseInsensitive) < 0)
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

void ListControl::rowAdded(int row) {
    if (!state_.itemData.empty()) state_.itemData.insert(state_.itemData.begin() + row, 0);
    if (!state_.marks.empty()) state_.marks.insert(state_.marks.begin() + row, 0);
    if (state_.listIndex >= row) ++state_.listIndex;
    state_.newIndex = row;
    rowsChanged();
}

void ListControl::rowsAppended() {
    const auto total = static_cast<std::size_t>(count());
    if (!state_.itemData.empty()) state_.itemData.resize(total);
    if (!state_.marks.empty()) state_.marks.resize(total);
    state_.newIndex = count() - 1;
    rowsChanged();
}

void ListControl::AddItem(const QString& item, int index) {
    touch();
    settleRows();
    if (index < -1 || index > count()) throw RuntimeError(kInvalidCall);
    const int row = index >= 0 ? index : state_.sorted ? insertionRow(item) : count();
    state_.items.insert(row, item);
    rowAdded(row);
}

void ListControl::AddItemUtf8(QByteArrayView utf8) {
    if (Sorted()) return AddItem(QString::fromUtf8(utf8));
    touch();
    settleRows();
    const int row = count();
    state_.items.insertUtf8(row, utf8);
    rowAdded(row);
}

bool ListControl::appendRowUtf8(int index, QByteArray& out) const {
    touch();
    checkRow(index, kInvalidPropertyArrayIndex);
    return state_.items.appendUtf8(index, out);
}

std::vector<int> ListControl::rowsHolding(const QString& text, bool caseSensitive) const {
    touch();
    settleRows();
    return state_.items.rowsHolding(text, caseSensitive);
}

bool ListControl::allRows(bool (*test)(QByteArrayView)) const {
    touch();
    settleRows();
    return state_.items.all(test);
}

void ListControl::AddItemsOf(const ListControl& source, std::span<const int> rows) {
    touch();
    source.touch();
    settleRows();
    source.settleRows();
    for (const int row : rows)
        source.checkRow(row, kInvalidCall);
    if (Sorted()) {
        for (const int row : rows)
            AddItem(source.List(row));
        return;
    }
    if (rows.empty()) return;
    state_.items.appendFrom(source.state_.items, rows);
    rowsAppended();
}

void ListControl::AddItemsOf(const ListControl& source) {
    source.settleRows();
    std::vector<int> rows(static_cast<std::size_t>(source.ListCount()));
    std::iota(rows.begin(), rows.end(), 0);
    AddItemsOf(source, rows);
}

void ListControl::AddItemsOf(const ListRows& rows) {
    touch();
    settleRows();
    if (Sorted()) {
        for (int i = 0; i < rows.size(); ++i)
            AddItem(rows.at(i));
        return;
    }
    if (rows.empty()) return;
    state_.items.appendFrom(rows, 0, rows.size());
    rowsAppended();
}

void ListControl::reserveRows(int rows) {
    if (rows > state_.items.capacity()) state_.items.reserve(rows + rows / 8);
}

void ListControl::AddPartsOf(const ListControl& source, ListRows::ByteCut byteCut,
                             ListRows::TextCut textCut) {
    source.touch();
    source.settleRows();
    AddPartsOf(source.state_.items, byteCut, textCut);
}

void ListControl::AddPartsOf(const ListRows& rows, ListRows::ByteCut byteCut,
                             ListRows::TextCut textCut) {
    touch();
    settleRows();
    if (Sorted()) {
        for (int i = 0; i < rows.size(); ++i)
            AddItem(textCut(rows.at(i)).toString());
        return;
    }
    if (rows.empty()) return;
    state_.items.appendPartsOf(rows, byteCut, textCut);
    rowsAppended();
}

void ListControl::RemoveItem(int index) {
    touch();
    settleRows();
    checkRow(index, kInvalidCall);
    state_.items.erase(index);
    if (!state_.itemData.empty()) state_.itemData.erase(state_.itemData.begin() + index);
    if (!state_.marks.empty()) state_.marks.erase(state_.marks.begin() + index);
    if (state_.listIndex == index)
        state_.listIndex = -1;
    else if (state_.listIndex > index)
        --state_.listIndex;
    rowsChanged();
}

void ListControl::Clear() {
    touch();
    settleRows();
    state_.items.clear();
    state_.itemData = {};
    state_.marks = {};
    state_.listIndex = -1;
    state_.topIndex = 0;
    rowsChanged();
}

int ListControl::NewIndex() const {
    return touch(), state_.newIndex;
}

int ListControl::ItemData(int index) const {
    touch();
    checkRow(index, kInvalidPropertyArrayIndex);
    return state_.itemData.empty() ? 0 : state_.itemData[index];
}

void ListControl::setItemData(int index, int value) {
    touch();
    checkRow(index, kInvalidPropertyArrayIndex);
    if (value == 0 && state_.itemData.empty()) return;
    state_.itemData.resize(static_cast<std::size_t>(count()));
    state_.itemData[index] = value;
}

int ListControl::TopIndex() const {
    touch();
    return std::max(0, std::min(state_.topIndex, lastTopRow()));
}

void ListControl::setTopIndex(int index) {
    touch();
    if (index < 0 || (index > 0 && index >= count())) throw RuntimeError(kInvalidPropertyValue);
    state_.topIndex = std::min(index, lastTopRow());
    showSelection();
}

int ListControl::lastTopRow() const {
    return std::max(0, count() - 1);
}

QStringList ListControl::items() const {
    touch();
    settleRows();
    QStringList rows;
    rows.reserve(count());
    for (int i = 0; i < count(); ++i)
        rows.push_back(state_.items.at(i));
    return rows;
}

void ListControl::holdView(bool held) {
    model_->hold(held);
}

void ListControl::settleRows() const {
    if (const std::function<void()> settle = std::exchange(settle_, nullptr)) settle();
}

int ListControl::MultiSelect() const {
    return state_.multiSelect;
}
bool ListControl::Sorted() const {
    return state_.sorted;
}
void ListControl::setMultiSelect(int mode) {
    state_.multiSelect = mode;
}
void ListControl::setSorted(bool sorted) {
    state_.sorted = sorted;
}

void ListControl::userSelected(int row, bool click, bool toggle) {
    if (row < -1 || row >= count()) return;
    if (toggle && state_.multiSelect != vbMultiSelectNone && row >= 0) {
        state_.marks.resize(static_cast<std::size_t>(count()));
        state_.marks[row] = !state_.marks[row];
    }
    state_.listIndex = row;
    if (click) Click.raise();
}

void ListControl::selectQuietly(int index) {
    if (index != -1) checkRow(index, kInvalidPropertyValue);
    state_.listIndex = index;
    showSelection();
}

void ListControl::userScrolled(int topRow) {
    state_.topIndex = std::max(0, topRow);
}

void ListControl::rowsChanged() {
    ++rowChanges_;
    model_->changed();
}

void ListControl::refreshWidget() {
    Control::refreshWidget();
    model_->changed();
}

}  // namespace ui
