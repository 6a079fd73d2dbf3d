#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>
#include <vector>

#include "platform/ui/Picture.h"

namespace ui {

// The named values a user control keeps with the design of the window that
// holds it.  Keys match ignoring case and keep the order of their first write;
// a value equal to its default is not stored, and a missing key reads as its
// default.
class PropertyBag {
  public:
    QVariant ReadProperty(const QString& name, const QVariant& defaultValue = {}) const;
    void WriteProperty(const QString& name, const QVariant& value,
                       const QVariant& defaultValue = {});
    QStringList keys() const;
    bool operator==(const PropertyBag&) const = default;

    // Typed reads convert as the forms' language does: a value that is no
    // number (or no truth value, or no picture) fails with "Type mismatch"
    // (13), one outside the type's range with "Overflow" (6).
    double readDouble(const QString& name, double defaultValue) const;
    // 16-bit whole number, rounded to the nearest, halves to even.
    int readInteger(const QString& name, int defaultValue) const;
    // 32-bit whole number, rounded the same way.
    int readLong(const QString& name, int defaultValue) const;
    // A colour: a 32-bit value, the system colours (0x80000000 | n) included.
    std::uint32_t readColor(const QString& name, std::uint32_t defaultValue) const;
    bool readBoolean(const QString& name, bool defaultValue) const;
    Picture readPicture(const QString& name) const;

  private:
    std::vector<std::pair<QString, QVariant>>::const_iterator find(const QString& name) const;
    double wholeNumber(const QString& name, double defaultValue, double low, double high) const;

    std::vector<std::pair<QString, QVariant>> values_;
};

}  // namespace ui
