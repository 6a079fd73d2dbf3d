#include <limits>
#include <optional>

#include "options/Options.h"
#include "platform/system/RegistryWriter.h"
#include "platform/ui/Dialogs.h"
#include "shared/NumberText.h"
#include "shared/Rounding.h"

namespace {

// The delay in whole milliseconds: an empty box is no delay; a text that is
// no number, or lies outside the 32-bit range once rounded, has none.
std::optional<std::int32_t> delayOf(const QString& text) {
    if (text.trimmed().isEmpty()) return 0;
    const std::optional<double> number = shared::parseNumber(text);
    if (!number) return std::nullopt;
    const double ms = shared::roundHalfEven(*number);
    if (!(ms >= std::numeric_limits<std::int32_t>::min() &&
          ms <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(ms);
}

}  // namespace

void Options::Command3_Click() {
    const QString text = SubDelay.Text();
    if (!Writer) Writer = std::make_unique<sys::RegistryWriter>(app().registry());
    if (const auto delay = delayOf(text))
        Writer->WriteDword(PlenkApp::subtitleFilterKey() + "\\Timing", "Subtitle Delay", *delay);
    else
        app().dialogs().MsgBox("The subtitle delay must be a whole number of milliseconds.",
                               ui::vbOKOnly | ui::vbExclamation, PlenkApp::title());
    Writer->WriteDword(PlenkApp::subtitleFilterKey() + "\\General", "Hide",
                       Check5.Value() == 1 ? 0 : 1);
}
