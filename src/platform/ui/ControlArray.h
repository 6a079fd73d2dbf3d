#pragma once

#include <QString>
#include <map>
#include <memory>
#include <set>
#include <utility>

#include "platform/ui/Form.h"
#include "platform/ui/RuntimeError.h"

namespace ui {

// Controls that share one name and are told apart by index, as Label(0).
// Elements added after the window's design are removed again when it unloads.
template <class T>
class ControlArray {
  public:
    ControlArray(Form& form, QString name) : form_(form), name_(std::move(name)) {
        form.registerDesignPart([this] { designIndexes_ = indexes(); },
                                [this] { dropRuntimeElements(); });
    }
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    // Creates element `index`; extra arguments go to the control's constructor.
    template <class... A>
    T& add(int index, A&&... args) {
        if (items_.count(index)) throw RuntimeError(360, "Object already loaded");
        auto item = std::make_unique<T>(form_, name_, std::forward<A>(args)...);
        item->setIndex(index);
        T& ref = *item;
        items_.emplace(index, std::move(item));
        // An element loaded while its window runs starts at once (its timers, a user control's life
        // cycle).
        if (form_.isLoaded()) ref.formLoadChanged(true);
        return ref;
    }

    T& operator()(int index) const {
        auto it = items_.find(index);
        if (it == items_.end()) throw RuntimeError(kControlArrayElementMissing);
        return *it->second;
    }
    bool exists(int index) const { return items_.count(index) != 0; }
    void remove(int index) { items_.erase(index); }
    int Count() const { return static_cast<int>(items_.size()); }
    int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
    int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }
    const QString& Name() const { return name_; }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    std::set<int> indexes() const {
        std::set<int> result;
        for (const auto& [index, item] : items_)
            result.insert(index);
        return result;
    }
    void dropRuntimeElements() {
        for (auto it = items_.begin(); it != items_.end();)
            it = designIndexes_.count(it->first) ? std::next(it) : items_.erase(it);
    }

    Form& form_;
    QString name_;
    std::map<int, std::unique_ptr<T>> items_;
    std::set<int> designIndexes_;
};

}  // namespace ui
