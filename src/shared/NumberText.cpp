#include "shared/NumberText.h"

#include <QLocale>
#include <QRegularExpression>
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

QChar decimalSeparator() {
    return separator();
}

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

std::optional<double> parseNumber(const QString& text) {
    QString t = text.trimmed();
    if (separator() != '.') t.replace(separator(), '.');
    static const QRegularExpression number(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$)");
    if (!number.match(t).hasMatch()) return std::nullopt;
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

double toDouble(const QString& text) {
    if (auto value = parseNumber(text)) return *value;
    throw ui::RuntimeError(ui::kTypeMismatch);
}

double Val(const QString& text) {
    QString digits;
    for (QChar c : text) {
        if (c == ' ' || c == '\t') continue;
        digits += c;
    }
    static const QRegularExpression leading(R"(^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)");
    const auto m = leading.match(digits);
    if (!m.hasMatch()) return 0;
    const double value = m.captured(0).toDouble();
    return std::isfinite(value) ? value : 0;
}

}  // namespace shared
