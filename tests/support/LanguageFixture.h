#pragma once

#include <QFile>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/Captions.h"
#include "skins/LanguageTable.h"
#include "skins/LanguagesMod.h"
#include "support/PlayerFixture.h"

namespace testsupport {

// A player started with no language file, so every window shows its design
// captions; ship() then lays the program's own language files beside it.
struct LanguageFixture : PlayerFixture {
    using Row = LanguageTable::Row;
    // One caption per table row; none where the window lacks the control.
    using Captions = std::vector<std::optional<QString>>;

    LanguageFixture() = default;

    static QString shippedFile(const QString& name) {
        return QStringLiteral(PLENK_ASSETS "/Languages/") + name + ".ini";
    }
    void ship() {
        for (const char* name : {"English", "Romana"})
            QFile::copy(shippedFile(name), program.file(QString("Languages/") + name + ".ini"));
    }
    // The lines of a shipped file, as the program reads them.
    static QStringList shippedLines(const QString& name) { return readLines(shippedFile(name)); }

    void writeLanguage(const QString& name, const QStringList& lines) {
        QByteArray bytes;
        for (const QString& line : lines)
            bytes += line.toUtf8() + "\r\n";
        program.write("Languages/" + name + ".ini", bytes);
    }
    // "L1" ... "L<count-1>", with a name on line 0.
    static QStringList numbered(int count) {
        QStringList lines{"Test"};
        for (int i = 1; i < count; ++i)
            lines << QString("L%1").arg(i);
        return lines;
    }

    void apply(const QString& name) { LanguagesMod::ApplyLanguage(*app, name); }

    std::optional<QString> caption(const Row& row) {
        if (!row.control) return LanguageTable::window(*app, row.window).Caption();
        const ui::Control* c = LanguageTable::control(*app, row);
        return c ? ui::captionOf(*c) : std::nullopt;
    }
    Captions captions() {
        Captions all;
        for (const Row& row : LanguageTable::rows())
            all.push_back(caption(row));
        return all;
    }
    // What line i of a file sets its captions to.
    static QString shown(const QStringList& lines, int line) {
        return line == LanguageTable::kAboutLine ? lines[line] + " " + PlenkApp::version()
                                                 : lines[line];
    }
    // A caption by window and control name; none where the window lacks it.
    std::optional<QString> caption(LanguageTable::Window window, const char* control) {
        return caption(Row{0, window, control});
    }
    std::optional<QString> menu(const char* item) {
        return caption(LanguageTable::Window::FormMeniuri, item);
    }
    static std::string where(const Row& row) {
        return "line " + std::to_string(row.line) + " " + (row.control ? row.control : "(window)");
    }
};

}  // namespace testsupport
