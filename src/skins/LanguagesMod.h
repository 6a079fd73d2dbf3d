#pragma once

#include <QString>

class PlenkApp;

// Applies an interface language: the menu window is built afresh, the
// language file's lines go into DataForm.LangList, and the menu marks are
// set again.
namespace LanguagesMod {
void ApplyLanguage(PlenkApp& app, const QString& name);
}
