#include "shared/NumberText.h"

#include <QLocale>
#include <charconv>
#include <cmath>

#include "platform/ui/RuntimeError.h"

namespace shared {

namespace {

QChar& separator() {
    static QChar sep = QLocale::system().decimalPoint().at(0);
    return sep;
}

// Independent of the C library's locale, which the media engine sets to "C".
QString formatWithDigits(double value, int digits) {
    if (value == 0) return "0";
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits)
            .ptr;
    return QString::fromLatin1(buffer, end - buffer).toUpper().replace('.', separator());
}

}  // namespace

ScopedDecimalSeparator::ScopedDecimalSeparator(QChar sep) : previous_(separator()) {
    separator() = sep;
}
ScopedDecimalSeparator::~ScopedDecimalSeparator() {
    separator() = previous_;
}

QString formatSingle(float value) {
    return formatWithDigits(value, 7);
}
QString formatDouble(double value) {
    return formatWithDigits(value, 15);
}
QString formatInt(long long value) {
    return QString::number(value);
}

namespace {

// The length of the number at the start of text: sign, digits with one
// decimal point, an optional exponent; 0 when there is none.
qsizetype numberLength(QStringView text) {
    qsizetype i = 0;
    const auto digit = [&](qsizetype at) { return at < text.size() && text[at].isDigit(); };
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
    qsizetype digits = 0;
    while (digit(i))
        ++i, ++digits;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (digit(i))
            ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) ++j;
        if (digit(j)) {
            while (digit(j))
                ++j;
            i = j;
        }
    }
    return i;
}

std::optional<double> finite(QStringView number) {
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

std::optional<double> parseNumber(const QString& text) {
    QString t = text.trimmed();
    if (separator() != '.') t.replace(separator(), '.');
    if (t.isEmpty() || numberLength(t) != t.size()) return std::nullopt;
    return finite(t);
}

double toDouble(const QString& text) {
    if (auto value = parseNumber(text)) return *value;
    throw ui::RuntimeError(ui::kTypeMismatch);
}

double Val(const QString& text) {
    QString digits = text;
    digits.remove(u' ').remove(u'\t');
    const qsizetype length = numberLength(digits);
    return length ? finite(QStringView(digits).left(length)).value_or(0) : 0;
}

}  // namespace shared
