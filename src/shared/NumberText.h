#pragma once

#include <QChar>
#include <QString>
#include <optional>

namespace shared {

// Numbers held as text are written in the user's number format: no digit
// grouping, "-" when negative, the locale's decimal separator, at most 7
// significant digits for single precision and 15 for double precision,
// exponents as "1E-05".  Readers accept the locale's separator and ".".

// Tests switch the locale's separator; the previous one comes back at scope end.
class ScopedDecimalSeparator {
  public:
    explicit ScopedDecimalSeparator(QChar separator);
    ~ScopedDecimalSeparator();

  private:
    QChar previous_;
};

QString formatSingle(float value);
QString formatDouble(double value);
QString formatInt(long long value);

// The number a whole text holds (blanks around it allowed), or nothing.
std::optional<double> parseNumber(const QString& text);
// As parseNumber, failing with "Type mismatch" when the text is no number.
double toDouble(const QString& text);
// The leading number of a text, 0 when it starts with none; "." is the only
// decimal separator here, and blanks between the digits are skipped.
double Val(const QString& text);

}  // namespace shared
