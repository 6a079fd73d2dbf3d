#include "skins/LanguagesMod.h"

#include <algorithm>

#include "app/PlenkApp.h"
#include "platform/ui/Captions.h"
#include "platform/ui/RuntimeError.h"
#include "shared/DataForm.h"
#include "skins/LanguageTable.h"
#include "windows/FormMeniuri.h"

using LanguageTable::Row;

LanguagesMod::LanguagesMod(ui::Application& app) : app_(static_cast<PlenkApp&>(app)) {}

void LanguagesMod::ApplyLanguage(PlenkApp& app, const QString& name) {
    app.module<LanguagesMod>().apply(name);
}

void LanguagesMod::apply(const QString& name) {
    // A fresh menu window: every item back at its design text and state.
    app_.form<FormMeniuri>().Unload();
    app_.form<FormMeniuri>();
    DataForm& d = app_.form<DataForm>();
    d.LangList.Clear();
    store_.IncarcaData(d.programFile("\\Languages\\" + name + ".ini"), d.LangList);
    applyLines();
    app_.form<FormMeniuri>().SetMenuStuff();
}

// Only the lines the file has: a short file leaves the later captions alone.
void LanguagesMod::applyLines() {
    ui::ListBox& list = app_.form<DataForm>().LangList;
    const int count = std::min(list.ListCount(), LanguageTable::kLastLine + 1);
    int lineRead = -1;
    QString text;
    for (const Row& row : LanguageTable::rows()) {
        if (row.line >= count) break;
        if (row.line != lineRead) {
            lineRead = row.line;
            text = readRow(list, row.line);
            if (row.line == LanguageTable::kAboutLine) text += " " + PlenkApp::version();
        }
        setCaption(row, text);
    }
}

// A control the window lacks is skipped; so is a write that fails.
void LanguagesMod::setCaption(const Row& row, const QString& text) {
    ui::step([&] {
        if (!row.control) return LanguageTable::window(app_, row.window).setCaption(text);
        if (ui::Control* c = LanguageTable::control(app_, row)) ui::setCaptionOf(*c, text);
    });
}
