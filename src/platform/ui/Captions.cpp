#include "platform/ui/Captions.h"

#include "platform/ui/CheckBox.h"
#include "platform/ui/CommandButton.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Label.h"
#include "platform/ui/Menu.h"
#include "platform/ui/OptionButton.h"

namespace ui {

namespace {

template <class... Kinds>
struct Captioned {
    static std::optional<QString> get(const Control& c) {
        std::optional<QString> caption;
        ((caption = caption ? caption : read<Kinds>(c)), ...);
        return caption;
    }
    static bool set(Control& c, const QString& caption) {
        return (write<Kinds>(c, caption) || ...);
    }

  private:
    template <class T>
    static std::optional<QString> read(const Control& c) {
        const auto* kind = dynamic_cast<const T*>(&c);
        return kind ? std::optional(kind->Caption()) : std::nullopt;
    }
    template <class T>
    static bool write(Control& c, const QString& caption) {
        auto* kind = dynamic_cast<T*>(&c);
        if (kind) kind->setCaption(caption);
        return kind;
    }
};

using Kinds = Captioned<Label, Frame, CommandButton, CheckBox, OptionButton, Menu>;

}  // namespace

std::optional<QString> captionOf(const Control& control) {
    return Kinds::get(control);
}

bool setCaptionOf(Control& control, const QString& caption) {
    return Kinds::set(control, caption);
}

}  // namespace ui
