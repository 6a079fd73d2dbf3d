#include "playlist/CBoyerMoore.h"

#include "platform/ui/UpperCase.h"

namespace {

// Characters share a table entry by the low byte of their code; a shared
// entry keeps the shortest jump of its characters, so sharing only shortens
// jumps and never skips an occurrence.
std::size_t entry(QChar c) {
    return c.unicode() & 0xFF;
}

}  // namespace

QString CBoyerMoore::stored(const QString& value) const {
    return caseSensitive_ ? value : ui::upperCased(value);
}

void CBoyerMoore::setFindText(const QString& strValue) {
    pattern_ = stored(strValue);
    const qsizetype m = pattern_.size();
    skip_.fill(m);
    for (qsizetype i = 0; i < m; ++i)
        skip_[entry(pattern_[i])] = m - i - 1;
    Reset();
}

void CBoyerMoore::setText(const QString& strValue) {
    text_ = stored(strValue);
}

void CBoyerMoore::Reset() {
    position_ = std::max<qsizetype>(pattern_.size(), 1);
}

bool CBoyerMoore::FindNext(qsizetype& lngFindStart, qsizetype& lngFindLength) {
    lngFindStart = 0;
    const qsizetype m = pattern_.size();
    if (m == 0) return false;
    while (position_ <= text_.size()) {
        const qsizetype end = position_;
        const qsizetype s = skip_[entry(text_[end - 1])];
        if (s != 0) {
            position_ += s;
            continue;
        }
        ++position_;
        if (QStringView(text_).sliced(end - m, m) == pattern_) {
            lngFindStart = end - m + 1;
            lngFindLength = m;
            return true;
        }
    }
    return false;
}
