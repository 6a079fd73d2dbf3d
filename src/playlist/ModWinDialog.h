#pragma once

#include <QString>

namespace ui {
class Form;
}

// The folder picker: a modal choice of one folder, titled with the prompt,
// with the initial folder selected when it exists.  Returns the chosen
// folder's path, "" when the user cancels.
QString BrowseForFolder(ui::Form& owner, const QString& prompt, const QString& initialFolder);
