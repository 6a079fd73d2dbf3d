#pragma once

#include <QChar>
#include <QString>

// The upper case that case-blind searches compare by: each UTF-16 unit as
// QChar::toUpper gives it, one unit for one, so a position in the upper-cased
// text is the same position in the text given.  ASCII, most of every text,
// takes the short way.
namespace ui {

inline char16_t upperCase(char16_t c) {
    if (c >= u'a' && c <= u'z') return char16_t(c - (u'a' - u'A'));
    return c < 0x80 ? c : QChar(c).toUpper().unicode();
}

inline QString upperCased(QString text) {
    for (QChar& c : text)
        c = QChar(upperCase(c.unicode()));
    return text;
}

}  // namespace ui
