#pragma once

#include <QString>

#include "platform/ui/Label.h"

namespace shared {

// A window's lower right size grip, drawn as grey dots in the text: the symbol
// font that held a grip glyph is not at hand, and its letter would show instead.
inline void lookLikeSizeGrip(ui::Label& grip) {
    grip.setCaption(QString::fromUtf8("⋰"));
    grip.setForeColor(0x808080);
    grip.setBackStyle(0);
}

}  // namespace shared
