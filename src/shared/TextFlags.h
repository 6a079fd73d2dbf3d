#pragma once

#include <QString>

namespace shared {

// Shared flags are text, compared exactly.
inline const QString kTrue = QStringLiteral("True");
inline const QString kFalse = QStringLiteral("False");

inline QString flagText(bool value) {
    return value ? kTrue : kFalse;
}

}  // namespace shared
