#pragma once

#include <QString>

#include "persistence/DataClass.h"

class PlenkApp;
namespace ui {
class Application;
}
namespace LanguageTable {
struct Row;
}

// The language loader, a module of the application.  A language file gives
// one caption per line, its line number naming the controls (LanguageTable).
// Applying it: the menu window is built afresh (every item back at its
// design), DataForm.LangList gets the file's lines, each line the file has
// sets its captions, and the menus are set up again (marks from the options,
// owner-drawn look with icons).  A short, empty or missing file sets the
// captions of the lines it has and nothing else; the set-up always runs.
// Nothing is reported to the caller.
class LanguagesMod {
  public:
    explicit LanguagesMod(ui::Application& app);

    // name: a language as the options window lists it ("English"); the file
    // is Languages/<name>.ini in the program folder.
    static void ApplyLanguage(PlenkApp& app, const QString& name);

  private:
    void apply(const QString& name);
    void applyLines();
    void setCaption(const LanguageTable::Row& row, const QString& text);

    PlenkApp& app_;
    DataClass store_;
};
