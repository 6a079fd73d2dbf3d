#include "platform/ui/ListControl.h"

#include <algorithm>

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
    if (index < 0 || index >= static_cast<int>(state_.items.size())) throw RuntimeError(error);
}

int ListControl::ListCount() const {
    return touch(), static_cast<int>(state_.items.size());
}

QString ListControl::List(int index) const {
    touch();
    if (index < 0 || index >= static_cast<int>(state_.items.size())) return {};
    return state_.items[index];
}

void ListControl::setList(int index, const QString& text) {
    touch();
    checkRow(index, kInvalidPropertyArrayIndex);
    state_.items[index] = text;
    rowsChanged();
}

int ListControl::ListIndex() const {
    return touch(), state_.listIndex;
}

void ListControl::setListIndex(int index) {
    touch();
    if (index != -1) checkRow(index, kInvalidPropertyValue);
    state_.listIndex = index;
    showSelection();
    if (!quiet()) Click.raise();
}

QString ListControl::Text() const {
    touch();
    return state_.listIndex < 0 ? QString() : state_.items[state_.listIndex];
}

void ListControl::setText(const QString& text) {
    touch();
    auto it = std::find_if(state_.items.begin(), state_.items.end(), [&](const QString& row) {
        return row.compare(text, Qt::CaseInsensitive) == 0;
    });
    if (it != state_.items.end()) setListIndex(static_cast<int>(it - state_.items.begin()));
}

bool ListControl::Selected(int index) const {
    touch();
    checkRow(index, kInvalidPropertyArrayIndex);
    if (state_.multiSelect == vbMultiSelectNone) return index == state_.listIndex;
    return state_.marks[index] != 0;
}

void ListControl::setSelected(int index, bool value) {
    touch();
    checkRow(index, kInvalidPropertyArrayIndex);
    if (state_.multiSelect != vbMultiSelectNone) {
        state_.marks[index] = value;
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

int ListControl::insertionRow(const QString& item) const {
    auto it = std::upper_bound(
        state_.items.begin(), state_.items.end(), item,
        [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return static_cast<int>(it - state_.items.begin());
}

void ListControl::AddItem(const QString& item, int index) {
    touch();
    const int count = static_cast<int>(state_.items.size());
    if (index < -1 || index > count) throw RuntimeError(kInvalidCall);
    const int row = index >= 0 ? index : state_.sorted ? insertionRow(item) : count;
    state_.items.insert(state_.items.begin() + row, item);
    state_.itemData.insert(state_.itemData.begin() + row, 0);
    state_.marks.insert(state_.marks.begin() + row, 0);
    if (state_.listIndex >= row) ++state_.listIndex;
    state_.newIndex = row;
    rowsChanged();
}

void ListControl::RemoveItem(int index) {
    touch();
    checkRow(index, kInvalidCall);
    state_.items.erase(state_.items.begin() + index);
    state_.itemData.erase(state_.itemData.begin() + index);
    state_.marks.erase(state_.marks.begin() + index);
    if (state_.listIndex == index)
        state_.listIndex = -1;
    else if (state_.listIndex > index)
        --state_.listIndex;
    rowsChanged();
}

void ListControl::Clear() {
    touch();
    state_.items.clear();
    state_.itemData.clear();
    state_.marks.clear();
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
    return state_.itemData[index];
}

void ListControl::setItemData(int index, int value) {
    touch();
    checkRow(index, kInvalidPropertyArrayIndex);
    state_.itemData[index] = value;
}

int ListControl::TopIndex() const {
    touch();
    return std::max(0, std::min(state_.topIndex, lastTopRow()));
}

void ListControl::setTopIndex(int index) {
    touch();
    if (index < 0 || (index > 0 && index >= static_cast<int>(state_.items.size())))
        throw RuntimeError(kInvalidPropertyValue);
    state_.topIndex = std::min(index, lastTopRow());
    showSelection();
}

int ListControl::lastTopRow() const {
    return std::max(0, static_cast<int>(state_.items.size()) - 1);
}

QStringList ListControl::items() const {
    touch();
    return QStringList(state_.items.begin(), state_.items.end());
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
    if (row < -1 || row >= static_cast<int>(state_.items.size())) return;
    if (toggle && state_.multiSelect != vbMultiSelectNone && row >= 0)
        state_.marks[row] = !state_.marks[row];
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
    model_->changed();
}

void ListControl::refreshWidget() {
    Control::refreshWidget();
    model_->changed();
}

}  // namespace ui
