#pragma once

#include <QString>
#include <optional>

namespace ui {

class Control;

// The caption of any control that shows one: a label, frame, command button,
// check box, option button or menu item.  "&x" in it marks x as the
// control's mnemonic (shown underlined) and "&&" shows one "&".
std::optional<QString> captionOf(const Control& control);
// Writes it as the control's own Caption property does; false, and nothing
// written, for a control without a caption.
bool setCaptionOf(Control& control, const QString& caption);

}  // namespace ui
