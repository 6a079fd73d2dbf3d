#pragma once

#include <vector>

class PlenkApp;
namespace ui {
class Control;
class Form;
}  // namespace ui

// Which caption each line of a language file sets.  The file has no keys:
// a line's number names its controls.
namespace LanguageTable {

enum class Window { FormMeniuri, Options, DialogForm, Main, MediaLibrary, Playlist };

// One caption a line sets; no control means the window's own caption.
struct Row {
    int line;
    Window window;
    const char* control = nullptr;
};

// Ordered by line; a line that sets two controls has two rows, in the order
// they are set.
const std::vector<Row>& rows();

// Lines after this one are never read.
inline constexpr int kLastLine = 136;
// The About item's line, which gets the program's version after its text.
inline constexpr int kAboutLine = 36;

// The window of a row, loaded when it was not.
ui::Form& window(PlenkApp& app, Window which);
// The control a row names, or nullptr when its window has none such (or the
// row is the window's own caption).
ui::Control* control(PlenkApp& app, const Row& row);

}  // namespace LanguageTable
