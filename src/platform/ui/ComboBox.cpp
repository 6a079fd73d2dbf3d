#include "platform/ui/ComboBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include "platform/ui/ListModel.h"

namespace ui {

ComboBox::ComboBox(Form& form, QString name, int style, bool sorted)
    : ListControl(form, std::move(name)), style_(style) {
    setSorted(sorted);
    keepDesign(edit_);
    auto* combo = new QComboBox;
    combo->setEditable(style == vbComboDropdown);
    combo->setModel(&model());
    QObject::connect(combo, QOverload<int>::of(&QComboBox::activated),
                     [this](int row) { userSelected(row); });
    if (combo->lineEdit())
        QObject::connect(combo->lineEdit(), &QLineEdit::textEdited,
                         [this](const QString& t) { typed(t); });
    model().setAfterSync([this] { showSelection(); });
    attachWidget(combo, true);
}

QComboBox* ComboBox::combo() const {
    return static_cast<QComboBox*>(widget());
}

QString ComboBox::Text() const {
    if (style_ != vbComboDropdown) return ListControl::Text();
    return ListIndex() >= 0 ? List(ListIndex()) : edit_;
}

void ComboBox::setText(const QString& text) {
    touch();
    for (int i = 0; i < ListCount(); ++i) {
        if (List(i).compare(text, Qt::CaseInsensitive) == 0) {
            setListIndex(i);
            return;
        }
    }
    if (style_ != vbComboDropdown) throw RuntimeError(383, "'Text' property is read-only");
    const bool changed = edit_ != text || ListIndex() != -1;
    edit_ = text;
    selectQuietly(-1);
    if (changed && !quiet()) Change.raise();
}

void ComboBox::typed(const QString& text) {
    edit_ = text;
    selectQuietly(-1);
    Change.raise();
}

// The rows' arrival empties the edit field while the index may stay where it
// was, so the field is always given the text again.
void ComboBox::showSelection() {
    if (model().pending()) return;
    const QSignalBlocker block(combo());
    combo()->setCurrentIndex(ListIndex());
    if (combo()->lineEdit()) combo()->lineEdit()->setText(Text());
}

}  // namespace ui
