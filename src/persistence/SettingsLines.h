#pragma once

#include <QString>
#include <functional>
#include <vector>

class PlenkApp;

// The 72 positional lines of settings.ini, each with how it is written from
// the live controls, how it is applied back to them, and what is written when
// its value cannot be read (so every later line keeps its number).
struct SettingsLine {
    std::function<QString()> write;
    // Applies the line's text; a reading that fails throws and changes nothing.
    std::function<void(const QString&)> apply;
    QString fallback;
};

inline constexpr int kSettingsLineCount = 72;

std::vector<SettingsLine> settingsLines(PlenkApp& app);
