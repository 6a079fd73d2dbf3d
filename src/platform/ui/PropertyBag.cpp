#include "platform/ui/PropertyBag.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/ui/RuntimeError.h"

namespace ui {

namespace {

bool isNumber(const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::Float:
            return true;
        default:
            return false;
    }
}

// Text converts in the user's locale or with ".", as the language's conversions do.
double toNumber(const QVariant& v) {
    if (v.typeId() == QMetaType::Bool) return v.toBool() ? -1 : 0;
    if (isNumber(v)) return v.toDouble();
    if (v.typeId() == QMetaType::QString) {
        const QString text = v.toString().trimmed();
        bool ok = false;
        double d = QLocale().toDouble(text, &ok);
        if (!ok) d = QLocale::c().toDouble(text, &ok);
        if (ok && std::isfinite(d)) return d;
    }
    throw RuntimeError(kTypeMismatch);
}

}  // namespace

std::vector<std::pair<QString, QVariant>>::const_iterator PropertyBag::find(
    const QString& name) const {
    return std::find_if(values_.begin(), values_.end(), [&](const auto& entry) {
        return entry.first.compare(name, Qt::CaseInsensitive) == 0;
    });
}

QVariant PropertyBag::ReadProperty(const QString& name, const QVariant& defaultValue) const {
    const auto it = find(name);
    return it == values_.end() ? defaultValue : it->second;
}

void PropertyBag::WriteProperty(const QString& name, const QVariant& value,
                                const QVariant& defaultValue) {
    const auto it = values_.begin() + (find(name) - values_.cbegin());
    if (defaultValue.isValid() && value == defaultValue) {
        if (it != values_.end()) values_.erase(it);
    } else if (it != values_.end()) {
        it->second = value;
    } else {
        values_.emplace_back(name, value);
    }
}

QStringList PropertyBag::keys() const {
    QStringList result;
    for (const auto& entry : values_)
        result << entry.first;
    return result;
}

double PropertyBag::readDouble(const QString& name, double defaultValue) const {
    const auto it = find(name);
    return it == values_.end() ? defaultValue : toNumber(it->second);
}

double PropertyBag::wholeNumber(const QString& name, double defaultValue, double low,
                                double high) const {
    const double rounded = std::nearbyint(readDouble(name, defaultValue));
    if (rounded < low || rounded > high) throw RuntimeError(kOverflow);
    return rounded;
}

int PropertyBag::readInteger(const QString& name, int defaultValue) const {
    return static_cast<int>(wholeNumber(name, defaultValue, -32768, 32767));
}

int PropertyBag::readLong(const QString& name, int defaultValue) const {
    return static_cast<int>(wholeNumber(name, defaultValue, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

std::uint32_t PropertyBag::readColor(const QString& name, std::uint32_t defaultValue) const {
    const double v = wholeNumber(name, defaultValue, std::numeric_limits<int>::min(), 4294967295.0);
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(v));
}

bool PropertyBag::readBoolean(const QString& name, bool defaultValue) const {
    const auto it = find(name);
    if (it == values_.end()) return defaultValue;
    const QVariant& v = it->second;
    if (v.typeId() == QMetaType::QString) {
        const QString text = v.toString().trimmed();
        if (text.compare("True", Qt::CaseInsensitive) == 0) return true;
        if (text.compare("False", Qt::CaseInsensitive) == 0) return false;
    }
    return toNumber(v) != 0;
}

Picture PropertyBag::readPicture(const QString& name) const {
    const auto it = find(name);
    if (it == values_.end()) return {};
    if (!it->second.canConvert<Picture>() || it->second.typeId() != qMetaTypeId<Picture>())
        throw RuntimeError(kTypeMismatch);
    return it->second.value<Picture>();
}

}  // namespace ui
